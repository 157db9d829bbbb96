#pragma once

#include <cstdint>
#include <string>

#include "Control.h"
#include "Runtime.h"

class QWidget;

// A control with a place on its window. The model holds every property; the Qt view, made by
// Constructor inside the window's content area, follows it.
class RectControl : public Control {
  public:
    RectControl() = default;
    ~RectControl() override;

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    virtual void Constructor();

    std::int64_t Left() const { return left_; }
    void SetLeft(std::int64_t v);
    std::int64_t Top() const { return top_; }
    void SetTop(std::int64_t v);
    std::int64_t Width() const { return width_; }
    void SetWidth(std::int64_t v);
    std::int64_t Height() const { return height_; }
    void SetHeight(std::int64_t v);
    std::int64_t TabIndex() const { return tabIndex_; }
    void SetTabIndex(std::int64_t v) { tabIndex_ = v; }
    bool LockLeft() const { return lockLeft_; }
    void SetLockLeft(bool v) { lockLeft_ = v; }
    bool LockTop() const { return lockTop_; }
    void SetLockTop(bool v) { lockTop_ = v; }
    bool LockRight() const { return lockRight_; }
    void SetLockRight(bool v) { lockRight_ = v; }
    bool LockBottom() const { return lockBottom_; }
    void SetLockBottom(bool v) { lockBottom_ = v; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);
    bool AllowAutoDeactivate() const { return allowAutoDeactivate_; }
    void SetAllowAutoDeactivate(bool v) { allowAutoDeactivate_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    const std::string& Tooltip() const { return tooltip_; }
    void SetTooltip(const std::string& v);
    const std::string& InitialParent() const { return initialParent_; }
    void SetInitialParent(const std::string& v) { initialParent_ = v; }

    // Binds a delegate to the control's event of that number; an event the control does not have,
    // or a delegate of the wrong kind for it, raises.
    virtual void _BindEvent(int eventNumber, const Ref<Object>& handler);
    virtual bool HasEventHandler(int eventNumber) const;

    // The Qt widget, once constructed.
    QWidget* View() const { return view_; }
    // Brings the widget up to date with the model.
    void SyncView();

  protected:
    // Runs a bound handler, if any, through the event boundary; the control goes first.
    template <class Kind, class Handler, class... Args>
    void FireEvent(const Ref<Handler>& handler, Args... args) {
        if (handler.IsNil()) return;
        Ref<Handler> running = handler;  // the handler may be rebound while it runs
        Ref<Kind> self = Self<Kind>();
        RuntimeDispatch([&] { running->Invoke(self, args...); });
    }

    virtual QWidget* CreateView(QWidget* parent) = 0;
    // Pushes the whole model to the view; kinds extend it with their own properties.
    virtual void ApplyToView();
    virtual bool AcceptsFocus() const { return tabStop_; }

  private:
    std::int64_t left_ = 0, top_ = 0, width_ = 0, height_ = 0, tabIndex_ = 0;
    bool lockLeft_ = true, lockTop_ = true, lockRight_ = false, lockBottom_ = false;
    bool tabStop_ = true, allowAutoDeactivate_ = true, enabled_ = true, transparent_ = false;
    bool visible_ = true;
    std::string tooltip_;
    std::string initialParent_;
    QWidget* view_ = nullptr;
};
