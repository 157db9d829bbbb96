#include "platform/System.h"

#include "platform/Services.h"

Ref<::Random> System::Random() {
    static const Ref<::Random> generator = MakeRef<::Random>();
    return generator;
}

void System::Speak(const std::string& text, bool interrupt) {
    Services::Current().Speak(text, interrupt);
}
