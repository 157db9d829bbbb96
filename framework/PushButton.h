#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "Delegate.h"
#include "FontStyle.h"
#include "Invoker.h"
#include "RectControl.h"

class PushButton : public RectControl {
  public:
    static constexpr int kActionEvent = 15;
    using ActionHandler = Delegate<void(Ref<PushButton>)>;
    static constexpr Invoker<void(Ref<PushButton>)> kActionInvoker{"( PushButton )"};

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

    void _BindEvent(int eventNumber, const Ref<Object>& handler) override;
    bool HasEventHandler(int eventNumber) const override;
    void FireAction();

  protected:
    QWidget* CreateView(QWidget* parent) override;
    void ApplyToView() override;

  private:
    std::string caption_;
    FontStyle font_;
    bool cancel_ = false;
    bool default_ = false;
    std::int64_t macButtonStyle_ = 0;
    Ref<ActionHandler> action_;
};
