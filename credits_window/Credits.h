#pragma once

#include <cstdint>
#include <string_view>

#include "app/MainMenuItems.h"
#include "controls/Canvas.h"
#include "controls/Label.h"
#include "controls/PushButton.h"
#include "ui/Window.h"

namespace credits_window {

// The window that quitting from the main window brings up: thanks, the maker's logo, and buttons
// to visit the website, to write to the maker and to exit. It holds no data of its own: every
// text it uses is read from the main window at the moment of use.
class Credits : public ::Window, public app::MainMenuItems<Credits> {
  public:
    static constexpr std::string_view kClassName = "Credits.Credits";

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();

    virtual Ref<Label> lbl_Credits();
    virtual Ref<Canvas> Canvas1();
    virtual Ref<PushButton> btn_VisitOurWebsite();
    virtual Ref<PushButton> btn_exit();
    virtual Ref<PushButton> btn_contactUs();

    virtual bool Canvas1_MouseDown(Ref<Canvas> sender, std::int64_t x, std::int64_t y);
    virtual void btn_VisitOurWebsite_Action(Ref<PushButton> sender);
    virtual void btn_exit_Action(Ref<PushButton> sender);
    virtual void btn_contactUs_Action(Ref<PushButton> sender);

    void AddMenuHandlers(Ref<::Window> w) override;
    virtual bool _AboutMenu_Action();
    virtual bool _VisitWebsite_Action();
};

}  // namespace credits_window

// The one credits window, created hidden with its design-time values on first use.
Ref<credits_window::Credits> Credits();
