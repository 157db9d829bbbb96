#include "platform/Services.h"

#include "runtime/NilObjectException.h"
#include "runtime/Runtime.h"

namespace {
std::unique_ptr<Services>& Slot() {
    // Never destroyed by exit(). Qt ends the program with exit(1) when the display goes away,
    // and exit() destroys statics made after the runtime's guard before the guard runs: the sound
    // and speech engines would be torn down after their display. A normal quit releases them
    // through the finaliser in Install.
    static auto* const services = new std::unique_ptr<Services>;
    return *services;
}
}  // namespace

Services& Services::Current() {
    if (!Slot()) throw NilObjectException("No desktop services are installed");
    return *Slot();
}

bool Services::Installed() {
    return Slot() != nullptr;
}

void Services::Install(std::unique_ptr<Services> services) {
    static const bool releasedAtShutdown = [] {
        RuntimeAddFinalizer([] { Slot().reset(); });
        return true;
    }();
    (void)releasedAtShutdown;
    Slot() = std::move(services);
}
