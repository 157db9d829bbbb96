#pragma once

#include <string_view>

#include "ui/Application.h"

namespace app {

// The application object. Quitting from the main window does not end the program: QuitApp swaps
// the main window for the credits window.
class App : public Application {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    void Event_Close() override;
    virtual void QuitApp();
    virtual void Constructor() {}

    bool IsEventImplemented(std::string_view eventName);
};

}  // namespace app

// The registered application object.
Ref<app::App> App();
