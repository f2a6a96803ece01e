// Small owners for COM: an interface pointer released on every way out, and
// the apartment of the thread that uses it.
#ifndef TAVELIN_SHARED_SCOPED_COM_WIN32_H
#define TAVELIN_SHARED_SCOPED_COM_WIN32_H

#include <windows.h>
#include <objbase.h>

// One reference to a COM object, released with Release.
template <typename Interface>
class ScopedComPtr {
 public:
  ScopedComPtr() = default;
  ~ScopedComPtr() { reset(); }
  ScopedComPtr(ScopedComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
  ScopedComPtr& operator=(ScopedComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = other.pointer_;
      other.pointer_ = nullptr;
    }
    return *this;
  }
  ScopedComPtr(const ScopedComPtr&) = delete;
  ScopedComPtr& operator=(const ScopedComPtr&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For the calls that hand out a new reference: releases the one held.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void reset() {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  Interface* pointer_ = nullptr;
};

// COM on this thread, apartment-threaded, for as long as the object lives.
// Undone at the end only when this object did it.
class ScopedComApartment {
 public:
  ScopedComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ScopedComApartment() {
    if (initialised_) CoUninitialize();
  }
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;

  bool initialised() const { return initialised_; }

 private:
  bool initialised_;
};

#endif
