#include "Canvas.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>
#include <memory>

#include "Runtime.h"

namespace {

class CanvasView : public QWidget {
  public:
    CanvasView(QWidget* parent, std::weak_ptr<Object> owner) : QWidget(parent), owner_(owner) {}

    void SetPicture(const Ref<Picture>& picture) {
        picture_ = picture;
        svg_.reset();
        image_ = QImage();
        cache_ = QPixmap();
        decoded_ = false;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        // Decoded on first paint: the dice's faces stay hidden until a roll shows them.
        if (!decoded_) Decode();
        const qreal scale = devicePixelRatioF();
        if (svg_ && (cache_.isNull() || cache_.devicePixelRatio() != scale)) {
            // Drawn once as vectors at the device's scale, so the picture stays crisp, and kept:
            // the window repaints on every tick of a shake.
            const QSize size = svg_->defaultSize();
            cache_ = QPixmap(size * scale);
            cache_.setDevicePixelRatio(scale);
            cache_.fill(Qt::transparent);
            QPainter painter(&cache_);
            painter.setRenderHint(QPainter::Antialiasing);
            svg_->render(&painter, QRectF(QPointF(0, 0), size));
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!cache_.isNull()) {
            painter.drawPixmap(QPointF(0, 0), cache_);
        } else if (!image_.isNull()) {
            painter.drawImage(QPointF(0, 0), image_);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (auto canvas = std::dynamic_pointer_cast<Canvas>(owner_.lock())) {
            const QPoint at = event->position().toPoint();
            canvas->FireMouseDown(at.x(), at.y());
        }
        QWidget::mousePressEvent(event);
    }

  private:
    void Decode() {
        decoded_ = true;
        if (picture_.IsNil()) return;
        const QByteArray bytes = QByteArray::fromStdString(picture_->Bytes());
        if (picture_->GetFormat() == Picture::Format::Svg) {
            svg_ = std::make_unique<QSvgRenderer>(bytes);
            if (!svg_->isValid()) svg_.reset();
        } else {
            image_.loadFromData(bytes);
        }
    }

    std::weak_ptr<Object> owner_;
    Ref<Picture> picture_;
    bool decoded_ = false;
    std::unique_ptr<QSvgRenderer> svg_;
    QImage image_;
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

void Canvas::_BindEvent(int eventNumber, const Ref<Object>& handler) {
    if (eventNumber != kMouseDownEvent) return RectControl::_BindEvent(eventNumber, handler);
    mouseDown_ = RuntimeCheckCast<MouseDownHandler>(handler);
}

bool Canvas::HasEventHandler(int eventNumber) const {
    return eventNumber == kMouseDownEvent && !mouseDown_.IsNil();
}

void Canvas::FireMouseDown(std::int64_t x, std::int64_t y) {
    FireEvent<Canvas>(mouseDown_, x, y);
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
