#pragma once

#include "ui/MenuItem.h"

// An item that macOS shows in the application menu; elsewhere it stays where it was added.
class ApplicationMenuItem : public MenuItem {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }
};
