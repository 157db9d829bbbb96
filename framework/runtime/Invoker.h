#pragma once

#include <string_view>

// Describes how a delegate is called: its C++ signature and the signature text a caller must
// name when it creates a delegate through it.
template <class Signature>
struct Invoker {
    std::string_view signature;
};
