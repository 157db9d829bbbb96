#include "dice_window/WinMain.h"

#include "app/App.h"
#include "app/BundleResources.h"
#include "app/MainMenuBar.h"
#include "dice_window/Shaker.h"
#include "dice_window/WinMainPropertyLists.h"
#include "platform/System.h"
#include "runtime/MainThreadStack.h"
#include "runtime/Runtime.h"
#include "ui/GlobalMethods.h"

namespace dice_window {

namespace {
constexpr const char* kAppName = "Dice Shaker 1.0.0";
constexpr const char* kCopyrightNotice = "Copyright 2026 Quorvane. All rights reserved.";
constexpr const char* kWebsiteURL = "https://www.quorvane.com/freeforfun";
constexpr const char* kContactURL = "https://www.quorvane.com/write-us-now";
}  // namespace

const ClassInfo& WinMain::Class() {
    static const ClassInfo info(
        std::string(kClassName), &::Window::Class(),
        {DeclareProperty("Copyright", PropertyType::String, &WinMain::SetCopyright),
         DeclareProperty("AppName", PropertyType::String, &WinMain::SetAppName),
         DeclareProperty("WebsiteURL", PropertyType::String, &WinMain::SetWebsiteURL),
         DeclareProperty("ContactURL", PropertyType::String, &WinMain::SetContactURL)},
        {"AddMenuHandlers", "Close", "CreateControls", "Layout", "Open"},
        [] { return Ref<Object>(MakeRef<WinMain>()); });
    return info;
}

void WinMain::Layout() {
    SetMenuBar(::MainMenuBar());
    _SetProperties(Self<Object>(), WinMainPropertyLists::Window);
}

void WinMain::CreateControls() {
    _CreateControls0();
}

void WinMain::_CreateControls0() {
    namespace lists = WinMainPropertyLists;
    CreateControl<Label>("lbl_Copyright", lists::lbl_Copyright);
    BindControlEvent("lbl_Copyright", Label::MouseDown, &WinMain::lbl_Copyright_MouseDown,
                     "( Label, Integer, Integer ) as Boolean");
    CreateControl<PushButton>("btn_VisitWebsite", lists::btn_VisitWebsite);
    BindControlEvent("btn_VisitWebsite", PushButton::Action, &WinMain::btn_VisitWebsite_Action,
                     "( PushButton )");
    CreateControl<PushButton>("btn_quit", lists::btn_quit);
    BindControlEvent("btn_quit", PushButton::Action, &WinMain::btn_quit_Action, "( PushButton )");
    CreateControl<Canvas>("DiceLogo", lists::DiceLogo, &dicesSmall2);
    BindControlEvent("DiceLogo", Canvas::MouseDown, &WinMain::DiceLogo_MouseDown,
                     "( Canvas, Integer, Integer ) as Boolean");
    CreateControl<PushButton>("Roll", lists::Roll);
    BindControlEvent("Roll", PushButton::Action, &WinMain::Roll_Action, "( PushButton )");
    CreateControl<Canvas>("LDice1", lists::LDice1, &DDice1);
    CreateControl<Canvas>("LDice2", lists::LDice2, &DDice2);
    CreateControl<Canvas>("LDice3", lists::LDice3, &DDice3);
    CreateControl<Canvas>("LDice5", lists::LDice5, &DDice5);
    CreateControl<Canvas>("LDice6", lists::LDice6, &DDice6);
    CreateControl<Canvas>("RDice1", lists::RDice1, &DDice1);
    CreateControl<Canvas>("RDice2", lists::RDice2, &DDice2);
    CreateControl<Canvas>("RDice3", lists::RDice3, &DDice3);
    CreateControl<Canvas>("RDice4", lists::RDice4, &DDice4);
    CreateControl<Canvas>("RDice5", lists::RDice5, &DDice5);
    CreateControl<Canvas>("RDice6", lists::RDice6, &DDice6);
    CreateControl<Canvas>("LDice4", lists::LDice4, &DDice4);
    CreateControl<Label>("lbl_shake_shake", lists::lbl_shake_shake);
}

Ref<Label> WinMain::lbl_Copyright() {
    return RuntimeCheckCast<Label>(_ControlByName("lbl_Copyright"));
}
Ref<PushButton> WinMain::btn_VisitWebsite() {
    return RuntimeCheckCast<PushButton>(_ControlByName("btn_VisitWebsite"));
}
Ref<PushButton> WinMain::btn_quit() {
    return RuntimeCheckCast<PushButton>(_ControlByName("btn_quit"));
}
Ref<Canvas> WinMain::DiceLogo() {
    return RuntimeCheckCast<Canvas>(_ControlByName("DiceLogo"));
}
Ref<PushButton> WinMain::Roll() {
    return RuntimeCheckCast<PushButton>(_ControlByName("Roll"));
}
Ref<Canvas> WinMain::LDice1() {
    return RuntimeCheckCast<Canvas>(_ControlByName("LDice1"));
}
Ref<Canvas> WinMain::LDice2() {
    return RuntimeCheckCast<Canvas>(_ControlByName("LDice2"));
}
Ref<Canvas> WinMain::LDice3() {
    return RuntimeCheckCast<Canvas>(_ControlByName("LDice3"));
}
Ref<Canvas> WinMain::LDice5() {
    return RuntimeCheckCast<Canvas>(_ControlByName("LDice5"));
}
Ref<Canvas> WinMain::LDice6() {
    return RuntimeCheckCast<Canvas>(_ControlByName("LDice6"));
}
Ref<Canvas> WinMain::RDice1() {
    return RuntimeCheckCast<Canvas>(_ControlByName("RDice1"));
}
Ref<Canvas> WinMain::RDice2() {
    return RuntimeCheckCast<Canvas>(_ControlByName("RDice2"));
}
Ref<Canvas> WinMain::RDice3() {
    return RuntimeCheckCast<Canvas>(_ControlByName("RDice3"));
}
Ref<Canvas> WinMain::RDice4() {
    return RuntimeCheckCast<Canvas>(_ControlByName("RDice4"));
}
Ref<Canvas> WinMain::RDice5() {
    return RuntimeCheckCast<Canvas>(_ControlByName("RDice5"));
}
Ref<Canvas> WinMain::RDice6() {
    return RuntimeCheckCast<Canvas>(_ControlByName("RDice6"));
}
Ref<Canvas> WinMain::LDice4() {
    return RuntimeCheckCast<Canvas>(_ControlByName("LDice4"));
}
Ref<Label> WinMain::lbl_shake_shake() {
    return RuntimeCheckCast<Label>(_ControlByName("lbl_shake_shake"));
}

bool WinMain::lbl_Copyright_MouseDown(Ref<Label> /*sender*/, std::int64_t /*x*/,
                                      std::int64_t /*y*/) {
    ShowURL(::WinMain()->WebsiteURL);
    return false;
}

void WinMain::btn_VisitWebsite_Action(Ref<PushButton> /*sender*/) {
    ShowURL(::WinMain()->WebsiteURL);
}

void WinMain::btn_quit_Action(Ref<PushButton> /*sender*/) {
    ::App()->QuitApp();
}

bool WinMain::DiceLogo_MouseDown(Ref<Canvas> /*sender*/, std::int64_t /*x*/, std::int64_t /*y*/) {
    RollEm();
    return false;
}

void WinMain::Roll_Action(Ref<PushButton> /*sender*/) {
    RollEm();
}

void WinMain::AddMenuHandlers(Ref<::Window> w) {
    Ref<WinMain> self = RuntimeCheckCast<WinMain>(w);
    BindMenuHandler("AboutMenu", &WinMain::_AboutMenu_Action, self, "(  ) as Boolean");
    BindMenuHandler("FileQuit", &WinMain::_FileQuit_Action, self, "(  ) as Boolean");
    BindMenuHandler("VisitWebsite", &WinMain::_VisitWebsite_Action, self, "(  ) as Boolean");
}

void WinMain::Event_Open() {
    ::WinMain()->AppName = kAppName;
    ::WinMain()->Copyright = kCopyrightNotice;
    ::WinMain()->ContactURL = kContactURL;
    ::WinMain()->WebsiteURL = kWebsiteURL;
    ::WinMain()->lbl_Copyright()->SetValue(Copyright);
    ::WinMain()->SetTitle(AppName);
}

void WinMain::Event_Close() {
    ::App()->QuitApp();
}

bool WinMain::_AboutMenu_Action() {
    MessageBox(AppName);
    return true;
}

bool WinMain::_FileQuit_Action() {
    Quit(0);
    return true;
}

bool WinMain::_VisitWebsite_Action() {
    ShowURL(::WinMain()->WebsiteURL);
    return true;
}

void WinMain::ShowFace(std::int64_t value, const std::array<FaceAccessor, 6>& faces) {
    for (std::int64_t k = 0; k <= 5; ++k) {
        if (value != k) continue;
        for (std::int64_t face = 0; face <= 5; ++face) {
            (this->*faces[static_cast<std::size_t>(face)])()->SetVisible(face == k);
        }
    }
}

void WinMain::RollEm() {
    if (!MainThreadStack::HasRoomToNest()) return;
    for (FaceAccessor face :
         {&WinMain::LDice1, &WinMain::LDice2, &WinMain::LDice3, &WinMain::LDice4, &WinMain::LDice5,
          &WinMain::LDice6, &WinMain::RDice1, &WinMain::RDice2, &WinMain::RDice3, &WinMain::RDice4,
          &WinMain::RDice5, &WinMain::RDice6}) {
        (this->*face)()->SetVisible(false);
    }
    lbl_shake_shake()->SetVisible(true);
    // Without its sound the roll still shakes and throws, rather than leaving the shake label up
    // for good.
    if (Ref<Sound> sound = diceshake()) sound->Play();
    Shaker::shake(Self<::Window>());
    lbl_shake_shake()->SetVisible(false);

    const std::int64_t left = System::Random()->InRange(0, 5);
    ShowFace(left, {&WinMain::LDice1, &WinMain::LDice2, &WinMain::LDice3, &WinMain::LDice4,
                    &WinMain::LDice5, &WinMain::LDice6});
    const std::int64_t right = System::Random()->InRange(0, 5);
    ShowFace(right, {&WinMain::RDice1, &WinMain::RDice2, &WinMain::RDice3, &WinMain::RDice4,
                     &WinMain::RDice5, &WinMain::RDice6});

    if (left == 0 && right == 0) System::Speak("Snake Eyes", false);
    if (left == 5 && right == 5) System::Speak("Box Cars", false);
}

}  // namespace dice_window

Ref<dice_window::WinMain> WinMain() {
    return ImplicitWindow<dice_window::WinMain>();
}
