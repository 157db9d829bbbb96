#pragma once

#include "runtime/RuntimeException.h"

class IllegalCastException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "IllegalCastException"; }
};
