#pragma once

#include <memory>
#include <type_traits>

#include "runtime/NilObjectException.h"

// A counted reference that may be nil. Using a nil reference raises NilObjectException
// instead of dereferencing a null pointer.
template <class T>
class Ref {
  public:
    Ref() = default;
    Ref(std::nullptr_t) {}  // NOLINT(google-explicit-constructor): nil converts implicitly
    Ref(std::shared_ptr<T> p) : p_(std::move(p)) {}  // NOLINT(google-explicit-constructor)
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& other) : p_(other.Shared()) {}  // NOLINT(google-explicit-constructor)

    T* operator->() const {
        if (!p_) RaiseNilObjectException();
        return p_.get();
    }
    T& operator*() const {
        if (!p_) RaiseNilObjectException();
        return *p_;
    }
    explicit operator bool() const { return p_ != nullptr; }
    bool IsNil() const { return p_ == nullptr; }
    T* Get() const { return p_.get(); }
    const std::shared_ptr<T>& Shared() const { return p_; }

    template <class U>
    bool operator==(const Ref<U>& other) const {
        return p_.get() == other.Get();
    }
    bool operator==(std::nullptr_t) const { return p_ == nullptr; }

  private:
    std::shared_ptr<T> p_;
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
    return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}
