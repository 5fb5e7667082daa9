// One owner for every kind of handle (registry keys, files, change watches,
// processes, pipes): it closes what it holds when it goes out of scope, so an
// early return cannot leak one. `Traits` gives the handle type, its empty
// value and how to close it.
#pragma once

#include <utility>

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  // For calls that hand out a new handle: whatever was held is closed first.
  Handle* Out() {
    Reset();
    return &handle_;
  }
  void Reset(Handle handle = Traits::Empty()) {
    if (handle_ != Traits::Empty()) Traits::Close(handle_);
    handle_ = handle;
  }
  Handle Release() { return std::exchange(handle_, Traits::Empty()); }
  explicit operator bool() const { return handle_ != Traits::Empty(); }

 private:
  Handle handle_ = Traits::Empty();
};
