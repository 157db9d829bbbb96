#include "controls/PushButton.h"

#include <QPushButton>

#include "runtime/Runtime.h"

const ClassInfo& PushButton::Class() {
    static const ClassInfo info(
        "PushButton", &RectControl::Class(),
        FontStyle::WithProperties<PushButton>(
            {DeclareProperty("Caption", PropertyType::String, &PushButton::SetCaption),
             DeclareProperty("Cancel", PropertyType::Boolean, &PushButton::SetCancel),
             DeclareProperty("Default", PropertyType::Boolean, &PushButton::SetDefault),
             DeclareProperty("MacButtonStyle", PropertyType::Enumeration,
                             &PushButton::SetMacButtonStyle)}),
        {}, [] { return Ref<Object>(MakeRef<PushButton>()); });
    return info;
}

void PushButton::SetCaption(const std::string& v) {
    caption_ = v;
    SyncView();
}
void PushButton::SetDefault(bool v) {
    default_ = v;
    SyncView();
}

void PushButton::EditFont(const std::function<void(FontStyle&)>& edit) {
    edit(font_);
    SyncView();
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
