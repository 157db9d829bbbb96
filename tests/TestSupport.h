#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>
#include <QString>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "controls/RectControl.h"
#include "platform/Bundle.h"

// A copy of the built bundle in a folder of the test's own, with only the resources asked for.
// The program runs from the copy for as long as it lives.
class BundleCopy {
  public:
    explicit BundleCopy(const std::vector<std::string>& resources, bool withResourcesFolder = true)
        : root_(std::filesystem::temp_directory_path() /
                ("dice-bundle-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))) {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(Executable().parent_path());
        std::ofstream(Executable()) << "";
        if (withResourcesFolder) std::filesystem::create_directories(Resources());
        for (const std::string& name : resources) Add(name);
        Bundle::OverrideExecutablePath(Executable().string());
    }
    ~BundleCopy() {
        Bundle::OverrideExecutablePath(DICE_TEST_EXECUTABLE);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    BundleCopy(const BundleCopy&) = delete;
    BundleCopy& operator=(const BundleCopy&) = delete;

    // The names of all the resources of the built bundle.
    static std::vector<std::string> AllResources() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(BuiltResources())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::filesystem::path Resources() const { return root_ / "Contents" / "Resources"; }
    void Add(const std::string& name) const {
        std::filesystem::copy(BuiltResources() / name, Resources() / name,
                              std::filesystem::copy_options::recursive);
    }

  private:
    static std::filesystem::path BuiltResources() {
        return std::filesystem::path(DICE_TEST_EXECUTABLE).parent_path().parent_path() /
               "Resources";
    }
    std::filesystem::path Executable() const { return root_ / "Contents" / "MacOS" / "DiceShaker"; }

    static inline int counter_ = 0;
    std::filesystem::path root_;
};

// The action of the item with that caption in the window's own menu bar, or null.
inline QAction* MenuAction(QMainWindow* window, const QString& menuTitle, const QString& itemText) {
    for (QAction* menu : window->menuBar()->actions()) {
        if (menu->text() != menuTitle || menu->menu() == nullptr) continue;
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == itemText) return item;
        }
    }
    return nullptr;
}

// Chooses the item from the window's own menu bar.
inline void TriggerMenu(QMainWindow* window, const QString& menuTitle, const QString& itemText) {
    QAction* action = MenuAction(window, menuTitle, itemText);
    ASSERT_NE(action, nullptr) << itemText.toStdString();
    action->trigger();
}

inline void Click(const Ref<RectControl>& control) {
    QTest::mouseClick(control->View(), Qt::LeftButton);
}

// Presses the control in its middle.
inline void Press(const Ref<RectControl>& control) {
    QTest::mousePress(control->View(), Qt::LeftButton);
}

inline void Press(const Ref<RectControl>& control, int x, int y) {
    QTest::mousePress(control->View(), Qt::LeftButton, {}, QPoint(x, y));
}
