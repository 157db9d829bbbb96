#include "credits_window/Credits.h"

#include "app/BundleResources.h"
#include "app/MainMenuBar.h"
#include "credits_window/CreditsPropertyLists.h"
#include "dice_window/WinMain.h"
#include "runtime/Runtime.h"
#include "ui/GlobalMethods.h"

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
    CreateControl<Label>("lbl_Credits", lists::lbl_Credits);
    CreateControl<Canvas>("Canvas1", lists::Canvas1, &QuorvaneUpdatedLogosmall);
    BindControlEvent("Canvas1", Canvas::MouseDown, &Credits::Canvas1_MouseDown,
                     "( Canvas, Integer, Integer ) as Boolean");
    CreateControl<PushButton>("btn_VisitOurWebsite", lists::btn_VisitOurWebsite);
    BindControlEvent("btn_VisitOurWebsite", PushButton::Action,
                     &Credits::btn_VisitOurWebsite_Action, "( PushButton )");
    CreateControl<PushButton>("btn_exit", lists::btn_exit);
    BindControlEvent("btn_exit", PushButton::Action, &Credits::btn_exit_Action, "( PushButton )");
    CreateControl<PushButton>("btn_contactUs", lists::btn_contactUs);
    BindControlEvent("btn_contactUs", PushButton::Action, &Credits::btn_contactUs_Action,
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
    BindMenuHandler("AboutMenu", &Credits::_AboutMenu_Action, self, "(  ) as Boolean");
    BindMenuHandler("VisitWebsite", &Credits::_VisitWebsite_Action, self, "(  ) as Boolean");
}

bool Credits::_AboutMenu_Action() {
    MessageBox(::WinMain()->AppName);
    return true;
}

bool Credits::_VisitWebsite_Action() {
    ShowURL(::WinMain()->WebsiteURL);
    return true;
}

}  // namespace credits_window

Ref<credits_window::Credits> Credits() {
    return ImplicitWindow<credits_window::Credits>();
}
