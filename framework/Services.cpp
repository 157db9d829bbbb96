#include "Services.h"

#include "QtServices.h"

namespace {
std::unique_ptr<Services>& Installed() {
    static std::unique_ptr<Services> services;
    return services;
}
}  // namespace

Services& Services::Current() {
    if (!Installed()) Installed() = std::make_unique<QtServices>();
    return *Installed();
}

void Services::Install(std::unique_ptr<Services> services) {
    Installed() = std::move(services);
}

void Services::Release() {
    Installed().reset();
}
