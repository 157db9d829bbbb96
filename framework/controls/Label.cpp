#include "controls/Label.h"

#include <QLabel>
#include <QMouseEvent>

#include "runtime/Runtime.h"

namespace {

class LabelView : public QLabel {
  public:
    LabelView(QWidget* parent, std::weak_ptr<Object> owner) : QLabel(parent), owner_(owner) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (auto label = std::dynamic_pointer_cast<Label>(owner_.lock())) {
            const QPoint at = event->position().toPoint();
            label->FireMouseDown(at.x(), at.y());
        }
        QLabel::mousePressEvent(event);
    }

  private:
    std::weak_ptr<Object> owner_;
};

}  // namespace

const ClassInfo& Label::Class() {
    static const ClassInfo info(
        "Label", &RectControl::Class(),
        FontStyle::WithProperties<Label>(
            {DeclareProperty("Text", PropertyType::String, &Label::SetText),
             DeclareProperty("Value", PropertyType::String, &Label::SetValue),
             DeclareProperty("MultiLine", PropertyType::Boolean, &Label::SetMultiLine),
             DeclareProperty("Selectable", PropertyType::Boolean, &Label::SetSelectable),
             DeclareProperty("TextAlignment", PropertyType::Enumeration, &Label::SetTextAlignment),
             DeclareProperty("TextColor", PropertyType::Color, &Label::SetTextColor),
             DeclareProperty("DataSource", PropertyType::String, &Label::SetDataSource),
             DeclareProperty("DataField", PropertyType::String, &Label::SetDataField)}),
        {}, [] { return Ref<Object>(MakeRef<Label>()); });
    return info;
}

void Label::SetText(const std::string& text) {
    text_ = text;
    SyncView();
}
void Label::SetMultiLine(bool v) {
    multiLine_ = v;
    SyncView();
}
void Label::SetSelectable(bool v) {
    selectable_ = v;
    SyncView();
}
void Label::SetTextAlignment(std::int64_t v) {
    textAlignment_ = v;
    SyncView();
}
void Label::SetTextColor(::Color v) {
    textColor_ = v;
    SyncView();
}

void Label::EditFont(const std::function<void(FontStyle&)>& edit) {
    edit(font_);
    SyncView();
}

QWidget* Label::CreateView(QWidget* parent) {
    return new LabelView(parent, weak_from_this());
}

void Label::ApplyToView() {
    RectControl::ApplyToView();
    auto* view = static_cast<QLabel*>(View());
    if (view == nullptr) return;
    // The model keeps carriage returns; Qt breaks lines at line feeds.
    view->setText(QString::fromStdString(text_).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    view->setTextFormat(Qt::PlainText);
    view->setWordWrap(multiLine_);
    view->setTextInteractionFlags(selectable_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (textAlignment_ == 2) horizontal = Qt::AlignHCenter;
    if (textAlignment_ == 3) horizontal = Qt::AlignRight;
    view->setAlignment(horizontal | Qt::AlignTop);
    font_.ApplyTo(*view);
    QPalette palette = view->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(textColor_.Red(), textColor_.Green(), textColor_.Blue()));
    view->setPalette(palette);
}
