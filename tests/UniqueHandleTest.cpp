// The handle owner: every handle is released once, by whichever owner holds it last.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/win32/UniqueHandle.h"

namespace tollward {
namespace {

std::vector<int> released;

void Release(int handle) {
  released.push_back(handle);
}

// 0 is a handle like any other here, so that the owner must ask what "none" is.
int NoHandle() {
  return -1;
}

using COwner = CUniqueHandle<int, &Release, &NoHandle>;

TEST(UniqueHandle, EachHandleIsReleasedOnceByItsLastOwner) {
  released.clear();
  {
    COwner first(1);
    COwner second(2);
    COwner zero(0);
    COwner moved(std::move(first));
    EXPECT_FALSE(first);
    second = std::move(moved);
    EXPECT_EQ(std::vector<int>{2}, released);
    COwner& same = second;
    second = std::move(same);
    EXPECT_EQ(1, second.get());
    zero.reset(3);
    EXPECT_EQ(3, zero.release());
    EXPECT_FALSE(zero);
    COwner none;
    none.reset();
    EXPECT_EQ((std::vector<int>{2, 0}), released);
  }
  EXPECT_EQ((std::vector<int>{2, 0, 1}), released);
}

}  // namespace
}  // namespace tollward
