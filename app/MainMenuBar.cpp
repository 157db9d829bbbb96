#include "app/MainMenuBar.h"

#include <optional>
#include <string>

#include "runtime/Runtime.h"
#include "ui/ApplicationMenuItem.h"
#include "ui/QuitMenuItem.h"

namespace app {

Ref<MainMenuBar> MainMenuBar::_implicitInstance;

namespace {

struct ItemDesign {
    const ClassInfo& kind;
    const char* name;
    const char* caption;
    std::optional<std::string> shortcut;  // nullopt: the item gets no shortcut at all
};

Ref<MenuItem> BuildItem(const ItemDesign& design) {
    Ref<MenuItem> item = RuntimeCheckCast<MenuItem>(RuntimeNewObject(design.kind));
    item->Constructor();
    item->SetName(design.name);
    item->SetAutoEnabled(true);
    item->SetText(design.caption);
    item->SetVisible(true);
    if (design.shortcut) item->SetShortcut(*design.shortcut);
    return item;
}

// A menu goes onto the bar before its first item is made; each item is attached to its menu,
// found again by name, once all its properties are set.
void BuildMenu(MenuItem& bar, const ItemDesign& menu, std::initializer_list<ItemDesign> items) {
    bar.AddMenu(BuildItem(menu));
    for (const ItemDesign& design : items) {
        Ref<MenuItem> item = BuildItem(design);
        bar.Child(menu.name)->AddMenu(item);
    }
}

}  // namespace

const ClassInfo& MainMenuBar::Class() {
    static const ClassInfo info("MainMenuBar", &::MenuBar::Class(), {}, {},
                                [] { return Ref<Object>(MakeRef<MainMenuBar>()); });
    return info;
}

void MainMenuBar::Constructor() {
    Untitled0();
    Untitled1();
    Untitled2();
}

void MainMenuBar::Untitled0() {
    BuildMenu(*this, {MenuItem::Class(), "FileMenu", "&File", ""},
              {{QuitMenuItem::Class(), "FileQuit", "&Quit", "Cmd+Q"}});
}

void MainMenuBar::Untitled1() {
    BuildMenu(*this, {MenuItem::Class(), "EditMenu", "&Edit", ""},
              {{MenuItem::Class(), "EditUndo", "&Undo", "Cmd+Z"},
               {MenuItem::Class(), "EditSeparator1", "-", std::nullopt},
               {MenuItem::Class(), "EditCut", "Cu&t", "Cmd+X"},
               {MenuItem::Class(), "EditCopy", "&Copy", "Cmd+C"},
               {MenuItem::Class(), "EditPaste", "&Paste", "Cmd+V"},
               {MenuItem::Class(), "EditClear", "&Delete", ""},
               {MenuItem::Class(), "EditSeparator2", "-", std::nullopt},
               {MenuItem::Class(), "EditSelectAll", "Select &All", "Cmd+A"}});
}

void MainMenuBar::Untitled2() {
    BuildMenu(*this, {MenuItem::Class(), "HelpMenu", "Help", ""},
              {{ApplicationMenuItem::Class(), "AboutMenu", "About", ""},
               {MenuItem::Class(), "VisitWebsite", "Visit Our Website", std::nullopt}});
}

}  // namespace app

Ref<app::MainMenuBar> MainMenuBar() {
    using app::MainMenuBar;
    if (MainMenuBar::_implicitInstance.IsNil()) {
        Ref<MainMenuBar> bar =
            RuntimeCheckCast<MainMenuBar>(RuntimeNewObject(MainMenuBar::Class()));
        bar->Constructor();
        MainMenuBar::_implicitInstance = bar;
    }
    return MainMenuBar::_implicitInstance;
}
