#include "ui/MenuBar.h"

const ClassInfo& MenuBar::Class() {
    static const ClassInfo info("MenuBar", &MenuItem::Class(), {}, {},
                                [] { return Ref<Object>(MakeRef<MenuBar>()); });
    return info;
}
