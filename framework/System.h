#pragma once

#include <string>

#include "Random.h"
#include "Ref.h"

class System {
  public:
    // The one generator of the process, made on first use.
    static Ref<::Random> Random();
    static void Speak(const std::string& text, bool interrupt);
};
