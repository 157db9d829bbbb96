#include "ui/Application.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "ui/MenuBar.h"

namespace {
bool gSupportsHiDPI = false;
}  // namespace

const ClassInfo& Application::Class() {
    static const ClassInfo info("Application", &Object::Class(), {}, {},
                                [] { return Ref<Object>(MakeRef<Application>()); });
    return info;
}

void Application::_SetSupportsHiDPI(bool enabled) {
    // Qt 6 always draws at the display's scale; the flag is kept for those who ask.
    gSupportsHiDPI = enabled;
}

bool Application::SupportsHiDPI() {
    return gSupportsHiDPI;
}

void Application::_x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                    std::int64_t nonRelease, std::int64_t stageCode,
                                    std::optional<std::string> longVersion,
                                    std::optional<std::string> shortVersion,
                                    std::optional<std::string> packageInfo) {
    major_ = major;
    minor_ = minor;
    bug_ = bug;
    nonRelease_ = nonRelease;
    stageCode_ = stageCode;
    longVersion_ = std::move(longVersion);
    shortVersion_ = std::move(shortVersion);
    packageInfo_ = std::move(packageInfo);
}

void Application::DoEvents(std::int64_t milliseconds) {
    if (milliseconds < 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    } else {
        QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(milliseconds));
    }
}
