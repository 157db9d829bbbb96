#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/MainMenuItems.h"
#include "controls/Canvas.h"
#include "controls/Label.h"
#include "controls/PushButton.h"
#include "runtime/SerializedProperties.h"
#include "ui/Window.h"

namespace dice_window {

// The game's main window: two dice of six face canvases each, the roll button, the dice logo, the
// shake label, the copyright line and the website and quit buttons.
class WinMain : public ::Window, public app::MainMenuItems<WinMain> {
  public:
    static constexpr std::string_view kClassName = "WinMain.WinMain";

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    // Texts and addresses; Event_Open gives them their values.
    std::string Copyright = "Copyright Message Here";
    std::string AppName = "App Name Here";
    std::string WebsiteURL;
    std::string ContactURL;

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();

    virtual Ref<Label> lbl_Copyright();
    virtual Ref<PushButton> btn_VisitWebsite();
    virtual Ref<PushButton> btn_quit();
    virtual Ref<Canvas> DiceLogo();
    virtual Ref<PushButton> Roll();
    virtual Ref<Canvas> LDice1();
    virtual Ref<Canvas> LDice2();
    virtual Ref<Canvas> LDice3();
    virtual Ref<Canvas> LDice5();
    virtual Ref<Canvas> LDice6();
    virtual Ref<Canvas> RDice1();
    virtual Ref<Canvas> RDice2();
    virtual Ref<Canvas> RDice3();
    virtual Ref<Canvas> RDice4();
    virtual Ref<Canvas> RDice5();
    virtual Ref<Canvas> RDice6();
    virtual Ref<Canvas> LDice4();
    virtual Ref<Label> lbl_shake_shake();

    virtual bool lbl_Copyright_MouseDown(Ref<Label> sender, std::int64_t x, std::int64_t y);
    virtual void btn_VisitWebsite_Action(Ref<PushButton> sender);
    virtual void btn_quit_Action(Ref<PushButton> sender);
    virtual bool DiceLogo_MouseDown(Ref<Canvas> sender, std::int64_t x, std::int64_t y);
    virtual void Roll_Action(Ref<PushButton> sender);

    void AddMenuHandlers(Ref<::Window> w) override;
    void Event_Open() override;
    void Event_Close() override;

    virtual bool _AboutMenu_Action();
    virtual bool _FileQuit_Action();
    virtual bool _VisitWebsite_Action();

    // One roll: hide the dice, shake the window, throw two dice, show their faces, call out
    // two ones and two sixes. A press during the shake starts a roll inside the running one, which
    // waits on the stack until the presses stop. A roll holds about 4 kB of stack; rolls nest
    // while the stack has room for it (MainThreadStack::HasRoomToNest), so that no auto-clicker
    // can crash the game, and a press past that is ignored while the running shake finishes. With
    // the usual 8 MiB limit that is about a thousand rolls, well over a minute of clicking at
    // ten a second without a pause of a second; a smaller limit gives fewer.
    virtual void RollEm();

  private:
    using FaceAccessor = Ref<Canvas> (WinMain::*)();

    void SetCopyright(const std::string& v) { Copyright = v; }
    void SetAppName(const std::string& v) { AppName = v; }
    void SetWebsiteURL(const std::string& v) { WebsiteURL = v; }
    void SetContactURL(const std::string& v) { ContactURL = v; }

    void ShowFace(std::int64_t value, const std::array<FaceAccessor, 6>& faces);
};

}  // namespace dice_window

// The one main window, created with its design-time values on first use.
Ref<dice_window::WinMain> WinMain();
