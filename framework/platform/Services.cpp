#include "platform/Services.h"

#include "runtime/NilObjectException.h"
#include "runtime/Runtime.h"

namespace {
std::unique_ptr<Services>& Slot() {
    static std::unique_ptr<Services> services;
    return services;
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
