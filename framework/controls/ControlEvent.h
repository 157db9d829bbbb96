#pragma once

#include "runtime/Delegate.h"
#include "runtime/Invoker.h"
#include "runtime/Ref.h"

// One event of a kind of control: its number, and the handlers it takes, with the signature text
// that names them. A binding names the event once, through its descriptor (PushButton::Action),
// and the compiler holds handler and event to one signature. The control is always the handler's
// first argument.
template <class Kind, class Signature>
struct ControlEvent;

template <class Kind, class R, class... Args>
struct ControlEvent<Kind, R(Args...)> {
    using Handler = Delegate<R(Ref<Kind>, Args...)>;

    int number;
    Invoker<R(Ref<Kind>, Args...)> invoker;
};
