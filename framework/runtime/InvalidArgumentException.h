#pragma once

#include "runtime/RuntimeException.h"

class InvalidArgumentException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "InvalidArgumentException"; }
};
