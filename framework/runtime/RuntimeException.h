#pragma once

#include <stdexcept>
#include <string>

// Base of every failure the framework raises. Handlers that let one escape are reported by
// _UnhandledException at the event boundary; the program keeps running.
class RuntimeException : public std::runtime_error {
  public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
    virtual const char* ClassName() const noexcept { return "RuntimeException"; }
};
