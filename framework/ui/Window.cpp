#include "ui/Window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "runtime/InvalidArgumentException.h"
#include "ui/MenuBarView.h"
#include "ui/WindowFrameHints.h"

class Window::View : public QMainWindow {
  public:
    explicit View(Window& owner) : owner_(owner), content_(new QWidget(this)) {
        setCentralWidget(content_);
    }
    QWidget* Content() const { return content_; }

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        // Kept alive while its Close event runs.
        if (std::shared_ptr<Object> keepAlive = owner_.weak_from_this().lock()) {
            owner_.HandleCloseRequest();
        }
    }

  private:
    Window& owner_;
    QWidget* content_;
};

Window::Window() = default;
Window::~Window() = default;

const ClassInfo& Window::Class() {
    static const ClassInfo info(
        "Window", &Object::Class(),
        {DeclareProperty("Left", PropertyType::Integer, &Window::SetLeft),
         DeclareProperty("Top", PropertyType::Integer, &Window::SetTop),
         DeclareProperty("Width", PropertyType::Integer, &Window::SetWidth),
         DeclareProperty("Height", PropertyType::Integer, &Window::SetHeight),
         DeclareProperty("MinimumWidth", PropertyType::Integer, &Window::SetMinimumWidth),
         DeclareProperty("MinimumHeight", PropertyType::Integer, &Window::SetMinimumHeight),
         DeclareProperty("MaximumWidth", PropertyType::Integer, &Window::SetMaximumWidth),
         DeclareProperty("MaximumHeight", PropertyType::Integer, &Window::SetMaximumHeight),
         DeclareProperty("MacProcId", PropertyType::Integer, &Window::SetMacProcId),
         DeclareProperty("Type", PropertyType::Enumeration, &Window::SetType),
         DeclareProperty("DefaultLocation", PropertyType::Enumeration, &Window::SetDefaultLocation),
         DeclareProperty("Title", PropertyType::String, &Window::SetTitle),
         DeclareProperty("HasCloseButton", PropertyType::Boolean, &Window::SetHasCloseButton),
         DeclareProperty("HasMaximizeButton", PropertyType::Boolean, &Window::SetHasMaximizeButton),
         DeclareProperty("HasMinimizeButton", PropertyType::Boolean, &Window::SetHasMinimizeButton),
         DeclareProperty("HasFullScreenButton", PropertyType::Boolean,
                         &Window::SetHasFullScreenButton),
         DeclareProperty("Resizeable", PropertyType::Boolean, &Window::SetResizeable),
         DeclareProperty("Composite", PropertyType::Boolean, &Window::SetComposite),
         DeclareProperty("FullScreen", PropertyType::Boolean, &Window::SetFullScreen),
         DeclareProperty("Visible", PropertyType::Boolean, &Window::SetVisible),
         DeclareProperty("HasBackgroundColor", PropertyType::Boolean,
                         &Window::SetHasBackgroundColor),
         DeclareProperty("BackgroundColor", PropertyType::Color, &Window::SetBackgroundColor),
         DeclareProperty("MenuBarVisible", PropertyType::Boolean, &Window::SetMenuBarVisible)});
    return info;
}

void Window::Constructor() {
    Ref<Window> self = Self<Window>();
    const std::string& className = GetClassInfo().Name();
    view_ = std::make_unique<View>(*this);
    ApplyFlags();
    ApplyGeometry();
    ApplyBackground();
    view_->setWindowTitle(QString::fromStdString(title_));
    // Kept before the hooks run: Open reaches the window through its class's accessor.
    RuntimeKeepImplicitInstance(className, self);
    constructing_ = true;
    try {
        Layout();
        CreateControls();
        ApplyTabOrder();
        AddMenuHandlers(self);
        Event_Open();
    } catch (...) {
        constructing_ = false;
        RuntimeDropImplicitInstance(className);
        throw;
    }
    constructing_ = false;
    for (const auto& entry : controls_) entry.second->ReleaseViewUpdates();
    // Shown once complete, so the first frame on screen already has its controls.
    if (visible_) ShowView();
}

std::int64_t Window::Left() const {
    return OnScreen() ? view_->x() : left_;
}

std::int64_t Window::Top() const {
    return OnScreen() ? view_->y() : top_;
}

void Window::SetLeft(std::int64_t v) {
    left_ = v;
    placed_ = true;
    if (OnScreen()) view_->move(static_cast<int>(v), view_->y());
}

void Window::SetTop(std::int64_t v) {
    top_ = v;
    placed_ = true;
    if (OnScreen()) view_->move(view_->x(), static_cast<int>(v));
}

void Window::SetWidth(std::int64_t v) {
    width_ = v;
    ApplyGeometry();
}
void Window::SetHeight(std::int64_t v) {
    height_ = v;
    ApplyGeometry();
}
void Window::SetMinimumWidth(std::int64_t v) {
    minimumWidth_ = v;
    ApplyGeometry();
}
void Window::SetMinimumHeight(std::int64_t v) {
    minimumHeight_ = v;
    ApplyGeometry();
}
void Window::SetMaximumWidth(std::int64_t v) {
    maximumWidth_ = v;
    ApplyGeometry();
}
void Window::SetMaximumHeight(std::int64_t v) {
    maximumHeight_ = v;
    ApplyGeometry();
}
void Window::SetTitle(const std::string& v) {
    title_ = v;
    if (view_) view_->setWindowTitle(QString::fromStdString(title_));
}
void Window::SetHasCloseButton(bool v) {
    hasCloseButton_ = v;
    ApplyFlags();
}
void Window::SetHasMaximizeButton(bool v) {
    hasMaximizeButton_ = v;
    ApplyFlags();
}
void Window::SetHasMinimizeButton(bool v) {
    hasMinimizeButton_ = v;
    ApplyFlags();
}
void Window::SetResizeable(bool v) {
    resizeable_ = v;
    ApplyFlags();
    ApplyGeometry();
}

void Window::SetVisible(bool v) {
    visible_ = v;
    if (!view_ || constructing_) return;
    if (v) {
        ShowView();
    } else {
        view_->hide();
    }
}

void Window::SetHasBackgroundColor(bool v) {
    hasBackgroundColor_ = v;
    ApplyBackground();
}
void Window::SetBackgroundColor(::Color v) {
    backgroundColor_ = v;
    ApplyBackground();
}
void Window::SetMenuBarVisible(bool v) {
    menuBarVisible_ = v;
    if (view_) view_->menuBar()->setVisible(menuBarVisible_);
}

Ref<::MenuBar> Window::MenuBar() const {
    return Ref<::MenuBar>(menuBar_);
}

void Window::SetMenuBar(const Ref<::MenuBar>& bar) {
    menuBar_ = bar.Shared();
    RenderMenuBar();
}

void Window::Refresh(bool immediately) {
    if (!view_) return;
    if (immediately) {
        view_->repaint();
    } else {
        view_->update();
    }
}

void Window::HandleCloseRequest() {
    if (!hasCloseButton_) return;
    Ref<Window> self = Self<Window>();
    RuntimeDispatch([&self] { self->Event_Close(); });
    SetVisible(false);
}

Ref<RectControl> Window::__New(const ClassInfo& kind) {
    Ref<RectControl> control = RuntimeCheckCast<RectControl>(RuntimeNewObject(kind));
    control->AttachTo(ContentArea(), constructing_);
    return control;
}

void Window::_AddControl(const std::string& name, const Ref<RectControl>& control) {
    if (control.IsNil()) RaiseNilObjectException();
    control->SetName(name);
    controls_.emplace_back(name, control);
}

Ref<RectControl> Window::_ControlByName(std::string_view name) const {
    for (const auto& [controlName, control] : controls_) {
        if (controlName == name) return control;
    }
    return nullptr;
}

Ref<RectControl> Window::Control(std::size_t index) const {
    if (index >= controls_.size()) throw InvalidArgumentException("Control index out of range");
    return controls_[index].second;
}

void Window::_AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_.emplace_back(itemName, std::move(handler));
}

std::vector<std::string> Window::MenuHandlerNames() const {
    std::vector<std::string> names;
    for (const auto& entry : menuHandlers_) names.push_back(entry.first);
    return names;
}

bool Window::HandleMenuCommand(const Ref<MenuItem>& item) {
    Ref<Window> self = Self<Window>();
    bool handled = false;
    bool answered = false;
    RuntimeDispatch([&] {
        for (const auto& [name, handler] : menuHandlers_) {
            if (name == item->Name() && handler) {
                handled = handler();
                break;
            }
        }
        answered = true;
    });
    // A handler that failed gave no answer: the command is not handed on to the item's default.
    if (answered && !handled) RuntimeDispatch([&item] { item->DefaultAction(); });
    return handled;
}

QMainWindow* Window::NativeWindow() const {
    return view_.get();
}

QWidget* Window::ContentArea() const {
    return view_ ? view_->Content() : nullptr;
}

bool Window::IsEventImplemented(std::string_view eventName) {
    return _RuntimeIsEventHandled(Self<Object>(), GetClassInfo().Name(), eventName, true);
}

void Window::ApplyGeometry() {
    if (!view_) return;
    const QSize size(static_cast<int>(width_), static_cast<int>(height_));
    if (resizeable_) {
        view_->Content()->setMinimumSize(static_cast<int>(minimumWidth_),
                                         static_cast<int>(minimumHeight_));
        view_->Content()->setMaximumSize(
            static_cast<int>(std::min<std::int64_t>(maximumWidth_, QWIDGETSIZE_MAX)),
            static_cast<int>(std::min<std::int64_t>(maximumHeight_, QWIDGETSIZE_MAX)));
        view_->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        view_->resize(size.width(), size.height() + view_->menuBar()->sizeHint().height());
    } else {
        view_->Content()->setFixedSize(size);
        view_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void Window::ApplyFlags() {
    if (!view_) return;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (hasCloseButton_) flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    if (hasMinimizeButton_) flags |= Qt::WindowMinimizeButtonHint;
    if (hasMaximizeButton_ && resizeable_) flags |= Qt::WindowMaximizeButtonHint;
    if (view_->windowFlags() == flags) return;
    const bool wasVisible = view_->isVisible();
    view_->setWindowFlags(flags);  // hides a shown window
    ApplyFrameHints();
    if (wasVisible) view_->show();
}

void Window::ApplyFrameHints() {
    WindowFrameHints::Apply(*view_, {.close = hasCloseButton_,
                                     .minimize = hasMinimizeButton_,
                                     .maximize = hasMaximizeButton_,
                                     .resizable = resizeable_});
}

void Window::ApplyBackground() {
    if (!view_) return;
    QWidget* content = view_->Content();
    content->setAutoFillBackground(hasBackgroundColor_);
    if (hasBackgroundColor_) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, QColor(backgroundColor_.Red(), backgroundColor_.Green(),
                                                  backgroundColor_.Blue()));
        content->setPalette(palette);
    }
}

void Window::RenderMenuBar() {
    if (!view_) return;
    std::weak_ptr<Object> owner = weak_from_this();
    MenuBarView::Render(*view_->menuBar(), menuBar_, [owner](const Ref<MenuItem>& item) {
        if (auto window = std::dynamic_pointer_cast<Window>(owner.lock())) {
            window->HandleMenuCommand(item);
        }
    });
    view_->menuBar()->setVisible(menuBarVisible_);
}

void Window::ShowView() {
    if (!shownOnce_) {
        ApplyFlags();
        view_->adjustSize();
        if (!placed_ && defaultLocation_ == 2) {
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                const QRect available = screen->availableGeometry();
                const QSize size = view_->size();
                left_ = available.x() + (available.width() - size.width()) / 2;
                top_ = available.y() + std::max(0, (available.height() - size.height()) / 2);
            }
        }
        placed_ = true;
        shownOnce_ = true;
        view_->move(static_cast<int>(left_), static_cast<int>(top_));
        // The window manager reads the frame's buttons when the window is first mapped.
        view_->winId();
        ApplyFrameHints();
    }
    view_->show();
}

void Window::ApplyTabOrder() {
    std::vector<Ref<RectControl>> ordered;
    for (const auto& entry : controls_) {
        if (entry.second->View() != nullptr) ordered.push_back(entry.second);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < ordered.size(); ++i) {
        QWidget::setTabOrder(ordered[i - 1]->View(), ordered[i]->View());
    }
}

Ref<Window> _GetImplicitWindow(std::string_view className) {
    return RuntimeCheckCast<Window>(RuntimeImplicitInstance(className));
}
