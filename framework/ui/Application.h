#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/Object.h"

class MenuBar;

class Application : public Object {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    static void _SetSupportsHiDPI(bool enabled);
    static bool SupportsHiDPI();

    Ref<::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(const Ref<::MenuBar>& bar) { menuBar_ = bar; }

    void _x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                           std::int64_t nonRelease, std::int64_t stageCode,
                           std::optional<std::string> longVersion,
                           std::optional<std::string> shortVersion,
                           std::optional<std::string> packageInfo);
    void _SanityCheckWDDM() {}

    std::int64_t MajorVersion() const { return major_; }
    std::int64_t MinorVersion() const { return minor_; }
    std::int64_t BugVersion() const { return bug_; }
    std::int64_t NonReleaseVersion() const { return nonRelease_; }
    std::int64_t StageCode() const { return stageCode_; }
    const std::optional<std::string>& LongVersion() const { return longVersion_; }
    const std::optional<std::string>& ShortVersion() const { return shortVersion_; }
    const std::optional<std::string>& PackageInfo() const { return packageInfo_; }

    // Handles the pending events, timer ticks included. With -1 it waits for the next event
    // instead of returning at once, so a loop around it sleeps between ticks.
    virtual void DoEvents(std::int64_t milliseconds = -1);

    // The application's Close event, fired while the program quits.
    virtual void Event_Close() {}

  private:
    Ref<::MenuBar> menuBar_;
    std::int64_t major_ = 0, minor_ = 0, bug_ = 0, nonRelease_ = 0, stageCode_ = 0;
    std::optional<std::string> longVersion_, shortVersion_, packageInfo_;
};
