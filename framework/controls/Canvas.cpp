#include "controls/Canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <memory>

#include "runtime/Runtime.h"

namespace {

class CanvasView : public QWidget {
  public:
    CanvasView(QWidget* parent, std::weak_ptr<Object> owner) : QWidget(parent), owner_(owner) {}

    void SetPicture(const Ref<Picture>& picture) {
        picture_ = picture;
        cache_ = QPixmap();
        update();
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        if (picture_.IsNil()) return;
        const qreal scale = devicePixelRatioF();
        if (cache_.isNull() || cache_.devicePixelRatio() != scale ||
            cache_.size() != size() * scale) {
            // Drawn once, at the device's scale so that vectors stay crisp, and kept: the window
            // repaints on every tick of a shake. The cache has the canvas's size, whatever size
            // the picture claims: what lies beyond the canvas is never drawn.
            cache_ = QPixmap(size() * scale);
            cache_.setDevicePixelRatio(scale);
            cache_.fill(Qt::transparent);
            QPainter painter(&cache_);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setClipRect(rect());
            picture_->Draw(painter);
        }
        QPainter painter(this);
        painter.drawPixmap(QPointF(0, 0), cache_);
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (auto canvas = std::dynamic_pointer_cast<Canvas>(owner_.lock())) {
            const QPoint at = event->position().toPoint();
            canvas->FireMouseDown(at.x(), at.y());
        }
        QWidget::mousePressEvent(event);
    }

  private:
    std::weak_ptr<Object> owner_;
    Ref<Picture> picture_;
    QPixmap cache_;
};

}  // namespace

const ClassInfo& Canvas::Class() {
    static const ClassInfo info(
        "Canvas", &RectControl::Class(),
        {DeclareProperty("AllowFocus", PropertyType::Boolean, &Canvas::SetAllowFocus),
         DeclareProperty("AllowFocusRing", PropertyType::Boolean, &Canvas::SetAllowFocusRing),
         DeclareProperty("AllowTabs", PropertyType::Boolean, &Canvas::SetAllowTabs),
         DeclareProperty("DoubleBuffer", PropertyType::Boolean, &Canvas::SetDoubleBuffer)},
        {}, [] { return Ref<Object>(MakeRef<Canvas>()); });
    return info;
}

void Canvas::SetBackdrop(const Ref<Picture>& picture) {
    backdrop_ = picture;
    if (auto* view = static_cast<CanvasView*>(View())) view->SetPicture(backdrop_);
}

void Canvas::SetAllowFocus(bool v) {
    allowFocus_ = v;
    SyncView();
}

QWidget* Canvas::CreateView(QWidget* parent) {
    auto* view = new CanvasView(parent, weak_from_this());
    view->SetPicture(backdrop_);
    return view;
}

void Canvas::ApplyToView() {
    RectControl::ApplyToView();
    if (QWidget* view = View()) view->setAutoFillBackground(!Transparent());
}
