#pragma once

#include "runtime/RuntimeException.h"

class NilObjectException : public RuntimeException {
  public:
    explicit NilObjectException(const std::string& message = "This object is Nil")
        : RuntimeException(message) {}
    const char* ClassName() const noexcept override { return "NilObjectException"; }
};

[[noreturn]] void RaiseNilObjectException();
