#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/ControlEvent.h"
#include "controls/FontStyle.h"
#include "controls/RectControl.h"

class PushButton : public RectControl {
  public:
    // A click: pressed and let go on the button.
    static constexpr ControlEvent<PushButton, void()> Action{15, {"( PushButton )"}};

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    const FontStyle& Font() const { return font_; }
    void EditFont(const std::function<void(FontStyle&)>& edit);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    bool Default() const { return default_; }
    void SetDefault(bool v);
    std::int64_t MacButtonStyle() const { return macButtonStyle_; }
    void SetMacButtonStyle(std::int64_t v) { macButtonStyle_ = v; }

    void FireAction() { Fire(Action); }

  protected:
    std::vector<OfferedEvent> OfferedEvents() const override { return {Offer(Action)}; }
    QWidget* CreateView(QWidget* parent) override;
    void ApplyToView() override;

  private:
    std::string caption_;
    FontStyle font_;
    bool cancel_ = false;
    bool default_ = false;
    std::int64_t macButtonStyle_ = 0;
};
