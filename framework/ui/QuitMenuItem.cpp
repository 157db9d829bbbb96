#include "ui/QuitMenuItem.h"

#include "ui/GlobalMethods.h"

const ClassInfo& QuitMenuItem::Class() {
    static const ClassInfo info("QuitMenuItem", &MenuItem::Class(), {}, {},
                                [] { return Ref<Object>(MakeRef<QuitMenuItem>()); });
    return info;
}

void QuitMenuItem::DefaultAction() {
    Quit(0);
}
