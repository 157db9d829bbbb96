#pragma once

#include "ui/MenuItem.h"

// The quit command: when the front window registered no handler for it, it quits with code 0.
class QuitMenuItem : public MenuItem {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    void DefaultAction() override;
};
