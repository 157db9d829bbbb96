#include "controls/RectControl.h"

#include <QWidget>
#include <algorithm>

#include "runtime/IllegalCastException.h"
#include "runtime/InvalidArgumentException.h"

RectControl::~RectControl() {
    delete view_;
}

const ClassInfo& RectControl::Class() {
    static const ClassInfo info(
        "RectControl", &Control::Class(),
        {DeclareProperty("Left", PropertyType::Integer, &RectControl::SetLeft),
         DeclareProperty("Top", PropertyType::Integer, &RectControl::SetTop),
         DeclareProperty("Width", PropertyType::Integer, &RectControl::SetWidth),
         DeclareProperty("Height", PropertyType::Integer, &RectControl::SetHeight),
         DeclareProperty("TabIndex", PropertyType::Integer, &RectControl::SetTabIndex),
         DeclareProperty("LockLeft", PropertyType::Boolean, &RectControl::SetLockLeft),
         DeclareProperty("LockTop", PropertyType::Boolean, &RectControl::SetLockTop),
         DeclareProperty("LockRight", PropertyType::Boolean, &RectControl::SetLockRight),
         DeclareProperty("LockBottom", PropertyType::Boolean, &RectControl::SetLockBottom),
         DeclareProperty("TabStop", PropertyType::Boolean, &RectControl::SetTabStop),
         DeclareProperty("AllowAutoDeactivate", PropertyType::Boolean,
                         &RectControl::SetAllowAutoDeactivate),
         DeclareProperty("Enabled", PropertyType::Boolean, &RectControl::SetEnabled),
         DeclareProperty("Transparent", PropertyType::Boolean, &RectControl::SetTransparent),
         DeclareProperty("Visible", PropertyType::Boolean, &RectControl::SetVisible),
         DeclareProperty("Tooltip", PropertyType::String, &RectControl::SetTooltip),
         DeclareProperty("InitialParent", PropertyType::String, &RectControl::SetInitialParent)});
    return info;
}

void RectControl::Constructor() {
    if (area_ == nullptr) throw InvalidArgumentException("The control's window has no view yet");
    view_ = CreateView(area_);
    QObject::connect(view_, &QObject::destroyed, [this] { view_ = nullptr; });
    SyncView();
}

void RectControl::SetLeft(std::int64_t v) {
    left_ = v;
    SyncView();
}
void RectControl::SetTop(std::int64_t v) {
    top_ = v;
    SyncView();
}
void RectControl::SetWidth(std::int64_t v) {
    width_ = v;
    SyncView();
}
void RectControl::SetHeight(std::int64_t v) {
    height_ = v;
    SyncView();
}
void RectControl::SetTabStop(bool v) {
    tabStop_ = v;
    SyncView();
}
void RectControl::SetEnabled(bool v) {
    enabled_ = v;
    SyncView();
}
void RectControl::SetTransparent(bool v) {
    transparent_ = v;
    SyncView();
}
void RectControl::SetVisible(bool v) {
    visible_ = v;
    if (view_ != nullptr) view_->setVisible(v);
}
void RectControl::SetTooltip(const std::string& v) {
    tooltip_ = v;
    SyncView();
}

void RectControl::AttachTo(QWidget* area, bool holdViewUpdates) {
    area_ = area;
    viewUpdatesHeld_ = holdViewUpdates;
}

void RectControl::ReleaseViewUpdates() {
    viewUpdatesHeld_ = false;
    SyncView();
}

void RectControl::SyncView() {
    // While its window is being built, the view catches up once at the end rather than on
    // every record of every property list.
    if (view_ == nullptr || viewUpdatesHeld_) return;
    ApplyToView();
}

void RectControl::ApplyToView() {
    if (view_ == nullptr) return;
    view_->setGeometry(static_cast<int>(left_), static_cast<int>(top_), static_cast<int>(width_),
                       static_cast<int>(height_));
    view_->setEnabled(enabled_);
    view_->setToolTip(QString::fromStdString(tooltip_));
    view_->setFocusPolicy(AcceptsFocus() ? Qt::StrongFocus : Qt::NoFocus);
    view_->setVisible(visible_);
}

void RectControl::BindEvent(int eventNumber, const Ref<Object>& handler) {
    const std::vector<OfferedEvent> offered = OfferedEvents();
    auto event = std::find_if(offered.begin(), offered.end(),
                              [&](const OfferedEvent& e) { return e.number == eventNumber; });
    if (event == offered.end()) {
        throw InvalidArgumentException(GetClassInfo().Name() + " has no event number " +
                                       std::to_string(eventNumber));
    }
    if (handler.IsNil()) {
        handlers_.erase(eventNumber);
        return;
    }
    if (!event->takes(*handler)) {
        throw IllegalCastException(handler->GetClassInfo().Name() +
                                   " is no handler of event number " + std::to_string(eventNumber) +
                                   " of " + GetClassInfo().Name());
    }
    handlers_.insert_or_assign(eventNumber, handler);
}

bool RectControl::HasEventHandler(int eventNumber) const {
    return handlers_.contains(eventNumber);
}

void RuntimeAddEventHandler(const Ref<RectControl>& control, int eventNumber,
                            const Ref<Object>& handler) {
    control->BindEvent(eventNumber, handler);
}
