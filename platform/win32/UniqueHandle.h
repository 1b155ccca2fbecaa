// The one owner of a system handle: whatever its kind, it is released exactly once.
#pragma once

#include <utility>

namespace tollward {

// What "no handle" is for most kinds.
template <typename Handle>
constexpr Handle NullHandle() {
  return Handle{};
}

// Owns one handle and gives it to `Release` exactly once: when it is reset, when another is moved
// over it, or when the owner goes. Moving hands the handle on; there is no copy. `None` answers
// the value that stands for no handle, which is never released. Free of the system's headers, so
// that the portable build can check it too.
template <typename Handle, auto Release, Handle (*None)() = &NullHandle<Handle>>
class CUniqueHandle {
 public:
  CUniqueHandle() = default;
  explicit CUniqueHandle(Handle handle) : handle_(handle) {}
  ~CUniqueHandle() { reset(); }
  CUniqueHandle(const CUniqueHandle&) = delete;
  CUniqueHandle& operator=(const CUniqueHandle&) = delete;
  CUniqueHandle(CUniqueHandle&& other) noexcept : handle_(other.release()) {}
  CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return !(handle_ == None()); }
  // Hands the handle to the caller, who now releases it (or keeps it for the process's life).
  Handle release() { return std::exchange(handle_, None()); }
  // Releases the handle held, if any, and holds `handle` instead.
  void reset(Handle handle = None()) {
    const Handle old = std::exchange(handle_, handle);
    if (!(old == None())) {
      Release(old);
    }
  }

 private:
  Handle handle_ = None();
};

}  // namespace tollward
