#include "credits_window/Credits.h"

#include "GlobalMethods.h"
#include "Runtime.h"
#include "app/BundleResources.h"
#include "app/MainMenuBar.h"
#include "credits_window/CreditsPropertyLists.h"
#include "dice_window/WinMain.h"

namespace credits_window {

const ClassInfo& Credits::Class() {
    static const ClassInfo info(std::string(kClassName), &::Window::Class(), {},
                                {"AddMenuHandlers", "CreateControls", "Layout"},
                                [] { return Ref<Object>(MakeRef<Credits>()); });
    return info;
}

void Credits::Layout() {
    SetMenuBar(::MainMenuBar());
    _SetProperties(Self<Object>(), CreditsPropertyLists::Window);
}

void Credits::CreateControls() {
    _CreateControls0();
}

void Credits::_CreateControls0() {
    namespace lists = CreditsPropertyLists;
    _CreateControl<Label>("lbl_Credits", lists::lbl_Credits);
    _CreateControl<Canvas>("Canvas1", lists::Canvas1, &QuorvaneUpdatedLogosmall);
    _BindControlEvent<Canvas>("Canvas1", Canvas::kMouseDownEvent, Canvas::kMouseDownInvoker,
                              &Credits::Canvas1_MouseDown,
                              "( Canvas, Integer, Integer ) as Boolean");
    _CreateControl<PushButton>("btn_VisitOurWebsite", lists::btn_VisitOurWebsite);
    _BindControlEvent<PushButton>("btn_VisitOurWebsite", PushButton::kActionEvent,
                                  PushButton::kActionInvoker, &Credits::btn_VisitOurWebsite_Action,
                                  "( PushButton )");
    _CreateControl<PushButton>("btn_exit", lists::btn_exit);
    _BindControlEvent<PushButton>("btn_exit", PushButton::kActionEvent, PushButton::kActionInvoker,
                                  &Credits::btn_exit_Action, "( PushButton )");
    _CreateControl<PushButton>("btn_contactUs", lists::btn_contactUs);
    _BindControlEvent<PushButton>("btn_contactUs", PushButton::kActionEvent,
                                  PushButton::kActionInvoker, &Credits::btn_contactUs_Action,
                                  "( PushButton )");
}

Ref<Label> Credits::lbl_Credits() {
    return RuntimeCheckCast<Label>(_ControlByName("lbl_Credits"));
}
Ref<Canvas> Credits::Canvas1() {
    return RuntimeCheckCast<Canvas>(_ControlByName("Canvas1"));
}
Ref<PushButton> Credits::btn_VisitOurWebsite() {
    return RuntimeCheckCast<PushButton>(_ControlByName("btn_VisitOurWebsite"));
}
Ref<PushButton> Credits::btn_exit() {
    return RuntimeCheckCast<PushButton>(_ControlByName("btn_exit"));
}
Ref<PushButton> Credits::btn_contactUs() {
    return RuntimeCheckCast<PushButton>(_ControlByName("btn_contactUs"));
}

Ref<MenuItem> Credits::HelpMenu() {
    return _MenuItemByName<MenuItem>("HelpMenu");
}
Ref<MenuItem> Credits::VisitWebsite() {
    return _MenuItemByName<MenuItem>("VisitWebsite");
}
Ref<ApplicationMenuItem> Credits::AboutMenu() {
    return _MenuItemByName<ApplicationMenuItem>("AboutMenu");
}
Ref<MenuItem> Credits::EditMenu() {
    return _MenuItemByName<MenuItem>("EditMenu");
}
Ref<MenuItem> Credits::EditSelectAll() {
    return _MenuItemByName<MenuItem>("EditSelectAll");
}
Ref<MenuItem> Credits::EditSeparator2() {
    return _MenuItemByName<MenuItem>("EditSeparator2");
}
Ref<MenuItem> Credits::EditClear() {
    return _MenuItemByName<MenuItem>("EditClear");
}
Ref<MenuItem> Credits::EditPaste() {
    return _MenuItemByName<MenuItem>("EditPaste");
}
Ref<MenuItem> Credits::EditCopy() {
    return _MenuItemByName<MenuItem>("EditCopy");
}
Ref<MenuItem> Credits::EditCut() {
    return _MenuItemByName<MenuItem>("EditCut");
}
Ref<MenuItem> Credits::EditSeparator1() {
    return _MenuItemByName<MenuItem>("EditSeparator1");
}
Ref<MenuItem> Credits::EditUndo() {
    return _MenuItemByName<MenuItem>("EditUndo");
}
Ref<MenuItem> Credits::FileMenu() {
    return _MenuItemByName<MenuItem>("FileMenu");
}
Ref<QuitMenuItem> Credits::FileQuit() {
    return _MenuItemByName<QuitMenuItem>("FileQuit");
}

bool Credits::Canvas1_MouseDown(Ref<Canvas> /*sender*/, std::int64_t /*x*/, std::int64_t /*y*/) {
    ShowURL(::WinMain()->WebsiteURL);
    return false;
}

void Credits::btn_VisitOurWebsite_Action(Ref<PushButton> /*sender*/) {
    ShowURL(::WinMain()->WebsiteURL);
}

void Credits::btn_exit_Action(Ref<PushButton> /*sender*/) {
    Quit(0);
}

void Credits::btn_contactUs_Action(Ref<PushButton> /*sender*/) {
    ShowURL(::WinMain()->ContactURL);
}

void Credits::AddMenuHandlers(Ref<::Window> w) {
    Ref<Credits> self = RuntimeCheckCast<Credits>(w);
    _BindMenuHandler("AboutMenu", &Credits::_AboutMenu_Action, self);
    _BindMenuHandler("VisitWebsite", &Credits::_VisitWebsite_Action, self);
}

bool Credits::_AboutMenu_Action() {
    MessageBox(::WinMain()->AppName);
    return true;
}

bool Credits::_VisitWebsite_Action() {
    ShowURL(::WinMain()->WebsiteURL);
    return true;
}

bool Credits::IsEventImplemented(std::string_view eventName) {
    return _RuntimeIsEventHandled(Self<Object>(), kClassName, eventName, true);
}

}  // namespace credits_window

Ref<credits_window::Credits> Credits() {
    using credits_window::Credits;
    Ref<::Window> window = _GetImplicitWindow(Credits::kClassName);
    if (window.IsNil()) {
        window = RuntimeCheckCast<::Window>(RuntimeNewObject(Credits::Class()));
        window->Constructor();
    }
    return RuntimeCheckCast<Credits>(window);
}
