#pragma once

#include "ui/MenuItem.h"

class MenuBar : public MenuItem {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }
};
