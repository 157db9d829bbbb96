#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "controls/Control.h"
#include "controls/ControlEvent.h"
#include "runtime/Runtime.h"

// A control with a place on its window. The model holds every property; the Qt view, made by
// Constructor inside the area that its window gave it, follows it.
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

    // Binds a delegate to the control's event of that number (nil unbinds); an event the control
    // does not have, or a delegate of the wrong kind for it, raises.
    void BindEvent(int eventNumber, const Ref<Object>& handler);
    bool HasEventHandler(int eventNumber) const;

    // Places the control in its window's content area. While updates are held the view does not
    // follow each property as it is set; ReleaseViewUpdates brings it up to date once.
    void AttachTo(QWidget* area, bool holdViewUpdates);
    void ReleaseViewUpdates();

    // The Qt widget, once constructed.
    QWidget* View() const { return view_; }
    // Brings the widget up to date with the model.
    void SyncView();

  protected:
    // The events that this kind of control has, each with whether a delegate is a handler of it.
    struct OfferedEvent {
        int number;
        bool (*takes)(const Object& handler);
    };
    template <class Kind, class Signature>
    static OfferedEvent Offer(const ControlEvent<Kind, Signature>& event) {
        using Handler = typename ControlEvent<Kind, Signature>::Handler;
        return {event.number, [](const Object& handler) {
                    return dynamic_cast<const Handler*>(&handler) != nullptr;
                }};
    }
    virtual std::vector<OfferedEvent> OfferedEvents() const { return {}; }

    // Runs the handler bound to the event, if any, through the event boundary; the control goes
    // first.
    template <class Kind, class R, class... Args>
    void Fire(const ControlEvent<Kind, R(Args...)>& event, std::type_identity_t<Args>... args) {
        auto bound = handlers_.find(event.number);
        if (bound == handlers_.end()) return;
        // Kept: the handler may be rebound while it runs. Its kind was checked when it was bound.
        const std::shared_ptr<Object> running = bound->second.Shared();
        const auto& handler =
            static_cast<const typename ControlEvent<Kind, R(Args...)>::Handler&>(*running);
        Ref<Kind> self = Self<Kind>();
        RuntimeDispatch([&] { handler.Invoke(self, args...); });
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
    QPointer<QWidget> area_;
    bool viewUpdatesHeld_ = false;
    QWidget* view_ = nullptr;
    std::map<int, Ref<Object>> handlers_;
};

// Binds the handler to the control's event of that number (RectControl::BindEvent).
void RuntimeAddEventHandler(const Ref<RectControl>& control, int eventNumber,
                            const Ref<Object>& handler);
