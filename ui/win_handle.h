#pragma once
// Owner of one kernel handle: closed when the owner goes, or earlier by Close().
#include <windows.h>

class WinHandle {
 public:
  WinHandle() = default;
  explicit WinHandle(HANDLE h) : h_(h) {}
  WinHandle(const WinHandle&) = delete;
  WinHandle& operator=(const WinHandle&) = delete;
  WinHandle(WinHandle&& other) noexcept : h_(other.Release()) {}
  WinHandle& operator=(WinHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~WinHandle() { Close(); }

  HANDLE Get() const { return h_; }
  HANDLE* Put() {
    Close();
    return &h_;
  }
  bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE Release() {
    HANDLE h = h_;
    h_ = nullptr;
    return h;
  }
  void Reset(HANDLE h = nullptr) {
    Close();
    h_ = h;
  }
  void Close() {
    if (Valid()) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_ = nullptr;
};
