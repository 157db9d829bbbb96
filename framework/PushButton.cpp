#include "PushButton.h"

#include <QPushButton>

#include "Runtime.h"

const ClassInfo& PushButton::Class() {
    static const ClassInfo info(
        "PushButton", &RectControl::Class(),
        {DeclareProperty("Caption", PropertyType::String, &PushButton::SetCaption),
         DeclareProperty("FontName", PropertyType::String, &PushButton::SetFontName),
         DeclareProperty("FontSize", PropertyType::Single, &PushButton::SetFontSize),
         DeclareProperty("FontUnit", PropertyType::FontUnits, &PushButton::SetFontUnit),
         DeclareProperty("Bold", PropertyType::Boolean, &PushButton::SetBold),
         DeclareProperty("Italic", PropertyType::Boolean, &PushButton::SetItalic),
         DeclareProperty("Underline", PropertyType::Boolean, &PushButton::SetUnderline),
         DeclareProperty("Cancel", PropertyType::Boolean, &PushButton::SetCancel),
         DeclareProperty("Default", PropertyType::Boolean, &PushButton::SetDefault),
         DeclareProperty("MacButtonStyle", PropertyType::Enumeration,
                         &PushButton::SetMacButtonStyle)},
        {}, [] { return Ref<Object>(MakeRef<PushButton>()); });
    return info;
}

void PushButton::SetCaption(const std::string& v) {
    caption_ = v;
    ApplyToView();
}
void PushButton::SetFontName(const std::string& v) {
    font_.name = v;
    ApplyToView();
}
void PushButton::SetFontSize(float v) {
    font_.size = v;
    ApplyToView();
}
void PushButton::SetFontUnit(std::int64_t v) {
    font_.unit = v;
}
void PushButton::SetBold(bool v) {
    font_.bold = v;
    ApplyToView();
}
void PushButton::SetItalic(bool v) {
    font_.italic = v;
    ApplyToView();
}
void PushButton::SetUnderline(bool v) {
    font_.underline = v;
    ApplyToView();
}
void PushButton::SetDefault(bool v) {
    default_ = v;
    ApplyToView();
}

void PushButton::_BindEvent(int eventNumber, const Ref<Object>& handler) {
    if (eventNumber != kActionEvent) return RectControl::_BindEvent(eventNumber, handler);
    action_ = RuntimeCheckCast<ActionHandler>(handler);
}

bool PushButton::HasEventHandler(int eventNumber) const {
    return eventNumber == kActionEvent && !action_.IsNil();
}

void PushButton::FireAction() {
    if (action_.IsNil()) return;
    Ref<ActionHandler> handler = action_;
    Ref<PushButton> self = Self<PushButton>();
    RuntimeDispatch([&] { handler->Invoke(self); });
}

QWidget* PushButton::CreateView(QWidget* parent) {
    auto* button = new QPushButton(parent);
    std::weak_ptr<Object> owner = weak_from_this();
    QObject::connect(button, &QPushButton::clicked, button, [owner] {
        if (auto self = std::dynamic_pointer_cast<PushButton>(owner.lock())) self->FireAction();
    });
    return button;
}

void PushButton::ApplyToView() {
    RectControl::ApplyToView();
    auto* view = static_cast<QPushButton*>(View());
    if (view == nullptr) return;
    view->setText(QString::fromStdString(caption_));
    view->setDefault(default_);
    font_.ApplyTo(*view);
}
