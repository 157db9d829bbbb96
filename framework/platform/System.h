#pragma once

#include <string>

#include "platform/Random.h"
#include "runtime/Ref.h"

class System {
  public:
    // The one generator of the process, made on first use.
    static Ref<::Random> Random();
    static void Speak(const std::string& text, bool interrupt);
};
