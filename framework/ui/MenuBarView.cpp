#include "ui/MenuBarView.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "ui/ApplicationMenuItem.h"
#include "ui/QuitMenuItem.h"

namespace {

QKeySequence KeySequenceFor(const std::string& shortcut) {
    // "Cmd" is the platform's command key: Qt's "Ctrl" is Command on macOS and Control elsewhere.
    QString text = QString::fromStdString(shortcut);
    text.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence(text, QKeySequence::PortableText);
}

QAction::MenuRole RoleOf(const MenuItem& item) {
    if (item.GetClassInfo().IsA(QuitMenuItem::Class())) return QAction::QuitRole;
    if (item.GetClassInfo().IsA(ApplicationMenuItem::Class())) return QAction::AboutRole;
    return QAction::NoRole;
}

void Add(QMenuBar& bar, QMenu* menu, const Ref<MenuItem>& item, const MenuBarView::Chosen& chosen) {
    if (item->IsSeparator()) {
        if (menu != nullptr) menu->addSeparator()->setVisible(item->Visible());
        return;
    }
    const QString text = QString::fromStdString(item->Text());
    if (item->Count() > 0 || menu == nullptr) {
        QMenu* sub = menu != nullptr ? menu->addMenu(text) : bar.addMenu(text);
        sub->menuAction()->setVisible(item->Visible());
        for (std::size_t i = 0; i < item->Count(); ++i) Add(bar, sub, item->Item(i), chosen);
        return;
    }
    QAction* action = menu->addAction(text);
    action->setVisible(item->Visible());
    if (item->Shortcut() && !item->Shortcut()->empty()) {
        action->setShortcut(KeySequenceFor(*item->Shortcut()));
    }
    action->setMenuRole(RoleOf(*item));
    QObject::connect(action, &QAction::triggered, action, [chosen, item] { chosen(item); });
}

}  // namespace

void MenuBarView::Render(QMenuBar& bar, const Ref<MenuBar>& model, const Chosen& chosen) {
    bar.clear();
    if (model.IsNil()) return;
    for (std::size_t i = 0; i < model->Count(); ++i) Add(bar, nullptr, model->Item(i), chosen);
}
