#pragma once

#include "runtime/RuntimeException.h"

// Raised by the property-list reader for a list it cannot walk to its end.
class UnsupportedFormatException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "UnsupportedFormatException"; }
};
