#pragma once

#include <functional>
#include <utility>

#include "runtime/Object.h"

template <class Signature>
class Delegate;

// A bound callable made by RuntimeCreateDelegate. A method delegate holds its target weakly, so
// a control's handler does not keep its window alive; calling it once the target is gone raises
// NilObjectException.
template <class R, class... Args>
class Delegate<R(Args...)> : public Object {
  public:
    using Function = std::function<R(Args...)>;

    explicit Delegate(Function call) : call_(std::move(call)) {}

    static const ClassInfo& Class() {
        static const ClassInfo info("Delegate", &Object::Class());
        return info;
    }
    const ClassInfo& GetClassInfo() const override { return Class(); }

    R Invoke(Args... args) const { return call_(std::forward<Args>(args)...); }
    const Function& Address() const { return call_; }

  private:
    Function call_;
};
