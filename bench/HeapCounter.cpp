// Watches the heap during one step of a benchmark, so that its peak use can be reported.
#include "bench/HeapCounter.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace tollward::bench {
namespace {

// The usable size, not the asked size, is counted: it is what the allocator really holds, and
// it is the only size an unsized delete can learn again.
bool watching = false;
std::int64_t inUse = 0;
std::int64_t peak = 0;

void Count(void* block) {
  if (watching) {
    inUse += static_cast<std::int64_t>(malloc_usable_size(block));
    peak = std::max(peak, inUse);
  }
}

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  Count(block);
  return block;
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  const auto align = static_cast<std::size_t>(alignment);
  // aligned_alloc wants a multiple of the alignment.
  void* block = std::aligned_alloc(align, (size + align - 1) / align * align);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  Count(block);
  return block;
}

void Release(void* block) noexcept {
  if (block != nullptr) {
    if (watching) {
      inUse -= static_cast<std::int64_t>(malloc_usable_size(block));
    }
    std::free(block);
  }
}

}  // namespace

void StartHeapWatch() {
  inUse = 0;
  peak = 0;
  watching = true;
}

std::int64_t StopHeapWatch() {
  watching = false;
  return peak;
}

}  // namespace tollward::bench

using tollward::bench::Allocate;
using tollward::bench::AllocateAligned;
using tollward::bench::Release;

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}
