#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "ProgramFixture.h"
#include "app/MainMenuBar.h"
#include "dice_window/WinMain.h"
#include "ui/ApplicationMenuItem.h"
#include "ui/QuitMenuItem.h"

namespace {

struct Row {
    const char* name;
    const char* parent;  // nullptr: a menu on the bar
    const ClassInfo& kind;
    const char* caption;
    const char* shortcut;  // nullptr: never set
};

const std::vector<Row>& Table() {
    static const std::vector<Row> rows = {
        {"FileMenu", nullptr, MenuItem::Class(), "&File", ""},
        {"FileQuit", "FileMenu", QuitMenuItem::Class(), "&Quit", "Cmd+Q"},
        {"EditMenu", nullptr, MenuItem::Class(), "&Edit", ""},
        {"EditUndo", "EditMenu", MenuItem::Class(), "&Undo", "Cmd+Z"},
        {"EditSeparator1", "EditMenu", MenuItem::Class(), "-", nullptr},
        {"EditCut", "EditMenu", MenuItem::Class(), "Cu&t", "Cmd+X"},
        {"EditCopy", "EditMenu", MenuItem::Class(), "&Copy", "Cmd+C"},
        {"EditPaste", "EditMenu", MenuItem::Class(), "&Paste", "Cmd+V"},
        {"EditClear", "EditMenu", MenuItem::Class(), "&Delete", ""},
        {"EditSeparator2", "EditMenu", MenuItem::Class(), "-", nullptr},
        {"EditSelectAll", "EditMenu", MenuItem::Class(), "Select &All", "Cmd+A"},
        {"HelpMenu", nullptr, MenuItem::Class(), "Help", ""},
        {"AboutMenu", "HelpMenu", ApplicationMenuItem::Class(), "About", ""},
        {"VisitWebsite", "HelpMenu", MenuItem::Class(), "Visit Our Website", nullptr},
    };
    return rows;
}

}  // namespace

TEST(MenuBar, IsBuiltOnceAndShared) {
    Ref<app::MainMenuBar> first = MainMenuBar();
    EXPECT_EQ(MainMenuBar().Get(), first.Get());
    EXPECT_EQ(MainMenuBar().Get(), first.Get());
    EXPECT_EQ(first->Count(), 3U) << "a second construction would have added more menus";
}

TEST(MenuBar, HoldsEveryItemInItsPlaceWithItsKindCaptionAndShortcut) {
    Ref<app::MainMenuBar> bar = MainMenuBar();
    std::vector<std::string> menus;
    for (std::size_t i = 0; i < bar->Count(); ++i) menus.push_back(bar->Item(i)->Name());
    EXPECT_EQ(menus, (std::vector<std::string>{"FileMenu", "EditMenu", "HelpMenu"}));

    std::map<std::string, std::vector<std::string>> children;
    for (const Row& row : Table()) {
        SCOPED_TRACE(row.name);
        Ref<MenuItem> item = bar->_Lookup(row.name);
        ASSERT_FALSE(item.IsNil());
        EXPECT_EQ(&item->GetClassInfo(), &row.kind);
        EXPECT_EQ(item->Text(), row.caption);
        EXPECT_TRUE(item->AutoEnabled());
        EXPECT_TRUE(item->Visible());
        if (row.shortcut == nullptr) {
            EXPECT_FALSE(item->Shortcut().has_value());
        } else {
            EXPECT_EQ(item->Shortcut(), std::optional<std::string>(row.shortcut));
        }
        if (row.parent != nullptr) {
            EXPECT_EQ(bar->Child(row.parent)->Child(row.name).Get(), item.Get());
            children[row.parent].push_back(row.name);
        } else {
            EXPECT_EQ(bar->Child(row.name).Get(), item.Get());
        }
    }
    for (const auto& [menu, names] : children) {
        Ref<MenuItem> parent = bar->Child(menu);
        ASSERT_EQ(parent->Count(), names.size());
        for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(parent->Item(i)->Name(), names[i]);
    }
    // The separators stand second and seventh: after Undo, and before Select All.
    EXPECT_TRUE(bar->Child("EditMenu")->Item(1)->IsSeparator());
    EXPECT_TRUE(bar->Child("EditMenu")->Item(6)->IsSeparator());
    EXPECT_TRUE(bar->Child("FileQuit").IsNil()) << "Child looks only one level down";
    EXPECT_TRUE(bar->_Lookup("NoSuchItem").IsNil());
}

using MenuBarView = ProgramFixture;

TEST_F(MenuBarView, EachWindowShowsTheBarWithPlatformShortcuts) {
    QMenuBar* bar = WinMain()->NativeWindow()->menuBar();
    const QList<QAction*> menus = bar->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("Help"));
    const QList<QAction*> edit = menus[1]->menu()->actions();
    ASSERT_EQ(edit.size(), 8);
    EXPECT_TRUE(edit[1]->isSeparator());
    EXPECT_TRUE(edit[6]->isSeparator());
    EXPECT_EQ(edit[2]->shortcut(), QKeySequence(QKeySequence::Cut));
    EXPECT_EQ(edit[5]->text(), QStringLiteral("&Delete"));
    EXPECT_TRUE(edit[5]->shortcut().isEmpty());
    QAction* quit = menus[0]->menu()->actions().value(0);
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(quit->menuRole(), QAction::QuitRole);
}
