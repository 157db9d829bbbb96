#include "ui/ApplicationMenuItem.h"

const ClassInfo& ApplicationMenuItem::Class() {
    static const ClassInfo info("ApplicationMenuItem", &MenuItem::Class(), {}, {},
                                [] { return Ref<Object>(MakeRef<ApplicationMenuItem>()); });
    return info;
}
