#pragma once

#include "ui/MenuBar.h"

namespace app {

// The one menu bar, shared by the application object and both windows.
class MainMenuBar : public ::MenuBar {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    void Constructor() override;
    void Untitled0();  // File
    void Untitled1();  // Edit
    void Untitled2();  // Help

    // Set once the first construction has completed; nil before and after a failed one.
    static Ref<MainMenuBar> _implicitInstance;
};

}  // namespace app

Ref<app::MainMenuBar> MainMenuBar();
