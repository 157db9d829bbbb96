#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/ControlEvent.h"
#include "controls/RectControl.h"
#include "runtime/Color.h"
#include "runtime/Invoker.h"
#include "runtime/Object.h"
#include "runtime/Runtime.h"
#include "runtime/SerializedProperties.h"
#include "ui/MenuBar.h"

class Picture;
class QMainWindow;
class QWidget;

// A top-level window. Constructor builds the Qt window, fires Layout, CreateControls,
// AddMenuHandlers and Open in that order, and keeps the window as the one instance of its class.
// Closing it fires Close and hides it; the object stays.
class Window : public Object {
  public:
    Window();
    ~Window() override;

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    virtual void Constructor();

    // Construction hooks and window events.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers(Ref<Window> /*w*/) {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}

    // Left and Top are the window's position in points, its frame's top-left corner. Once the
    // window is on screen its place belongs to the desktop: the user or the window manager may
    // move it, so they read where it is now, and a write moves it from there.
    std::int64_t Left() const;
    void SetLeft(std::int64_t v);
    std::int64_t Top() const;
    void SetTop(std::int64_t v);
    std::int64_t Width() const { return width_; }
    void SetWidth(std::int64_t v);
    std::int64_t Height() const { return height_; }
    void SetHeight(std::int64_t v);
    std::int64_t MinimumWidth() const { return minimumWidth_; }
    void SetMinimumWidth(std::int64_t v);
    std::int64_t MinimumHeight() const { return minimumHeight_; }
    void SetMinimumHeight(std::int64_t v);
    std::int64_t MaximumWidth() const { return maximumWidth_; }
    void SetMaximumWidth(std::int64_t v);
    std::int64_t MaximumHeight() const { return maximumHeight_; }
    void SetMaximumHeight(std::int64_t v);
    std::int64_t Type() const { return type_; }
    void SetType(std::int64_t v) { type_ = v; }
    std::int64_t MacProcId() const { return macProcId_; }
    void SetMacProcId(std::int64_t v) { macProcId_ = v; }
    // 2 centres the window on the main screen when it is first shown.
    std::int64_t DefaultLocation() const { return defaultLocation_; }
    void SetDefaultLocation(std::int64_t v) { defaultLocation_ = v; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v);
    bool HasCloseButton() const { return hasCloseButton_; }
    void SetHasCloseButton(bool v);
    bool HasMaximizeButton() const { return hasMaximizeButton_; }
    void SetHasMaximizeButton(bool v);
    bool HasMinimizeButton() const { return hasMinimizeButton_; }
    void SetHasMinimizeButton(bool v);
    bool HasFullScreenButton() const { return hasFullScreenButton_; }
    void SetHasFullScreenButton(bool v) { hasFullScreenButton_ = v; }
    bool Resizeable() const { return resizeable_; }
    void SetResizeable(bool v);
    bool Composite() const { return composite_; }
    void SetComposite(bool v) { composite_ = v; }
    bool FullScreen() const { return fullScreen_; }
    void SetFullScreen(bool v) { fullScreen_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool HasBackgroundColor() const { return hasBackgroundColor_; }
    void SetHasBackgroundColor(bool v);
    ::Color BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(::Color v);
    bool MenuBarVisible() const { return menuBarVisible_; }
    void SetMenuBarVisible(bool v);
    Ref<::MenuBar> MenuBar() const;
    void SetMenuBar(const Ref<::MenuBar>& bar);
    // The item of that name in this window's menu bar, cast to its kind.
    template <class Kind>
    Ref<Kind> MenuItemByName(std::string_view name) const {
        return RuntimeCheckCast<Kind>(MenuBar()->_Lookup(name));
    }

    // Redraws the window; with true at once rather than at the next pass of the event loop.
    void Refresh(bool immediately = false);
    // What the close button does: fires Close, then hides the window, unless the window has no
    // close button, in which case the request is ignored.
    void HandleCloseRequest();

    // Controls, owned by the window and found by name.
    Ref<RectControl> __New(const ClassInfo& kind);
    void _AddControl(const std::string& name, const Ref<RectControl>& control);
    Ref<RectControl> _ControlByName(std::string_view name) const;
    std::size_t ControlCount() const { return controls_.size(); }
    Ref<RectControl> Control(std::size_t index) const;

    // Menu handlers, kept per window by menu item name, in the order registered.
    void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    std::vector<std::string> MenuHandlerNames() const;
    // Runs the handler registered for the item; without one, or when it declines, the item's
    // own default. Reports whether a handler of the window took the command.
    bool HandleMenuCommand(const Ref<MenuItem>& item);

    // The Qt window and the widget that holds the controls, once constructed.
    QMainWindow* NativeWindow() const;
    QWidget* ContentArea() const;

    // Whether this window's class has a handler of its own for the window event of that name.
    bool IsEventImplemented(std::string_view eventName);

    static constexpr Invoker<bool()> kMenuHandlerInvoker{"(  ) as Boolean"};

  protected:
    // Makes a control of the kind for this window, registers it under name, gives a canvas its
    // backdrop, then applies the control's property list. Each step finds the control again by
    // name.
    template <class Kind>
    void CreateControl(const std::string& name, SerializedProperties::Bytes list,
                       Ref<Picture> (*backdrop)() = nullptr) {
        Ref<Kind> created = RuntimeCheckCast<Kind>(__New(Kind::Class()));
        created->Constructor();
        _AddControl(name, created);
        if constexpr (requires(Kind & k, Ref<Picture> p) { k.SetBackdrop(p); }) {
            if (backdrop != nullptr)
                RuntimeCheckCast<Kind>(_ControlByName(name))->SetBackdrop(backdrop());
        }
        _SetProperties(RuntimeCheckCast<Kind>(_ControlByName(name)), list);
    }

    // Binds a handler method of this window to the event of the control registered under name.
    // The compiler holds the handler to the event's parameters; the signature text that the
    // window's binding names must be the event's own, or the binding raises.
    template <class Kind, class W, class R, class... Args>
    void BindControlEvent(std::string_view name, const ControlEvent<Kind, R(Args...)>& event,
                          R (W::*handler)(Ref<Kind>, Args...), std::string_view signature) {
        Ref<Kind> control = RuntimeCheckCast<Kind>(_ControlByName(name));
        auto delegate =
            RuntimeCreateDelegate(event.invoker, handler, this->Self<W>(), signature, 1);
        RuntimeAddEventHandler(control, event.number, delegate);
    }

    // Registers on this window a menu handler: a method of w, bound by menu item name, under the
    // signature text that a menu handler has ("(  ) as Boolean"), or the binding raises.
    template <class W>
    void BindMenuHandler(const std::string& itemName, bool (W::*handler)(), const Ref<W>& w,
                         std::string_view signature) {
        auto delegate = RuntimeCreateDelegate(kMenuHandlerInvoker, handler, w, signature, 0);
        _AddMenuHandler(itemName, delegate ? delegate->Address() : std::function<bool()>());
    }

  private:
    class View;

    void ApplyGeometry();
    void ApplyFlags();
    void ApplyFrameHints();
    void ApplyBackground();
    void RenderMenuBar();
    void ShowView();
    void ApplyTabOrder();
    // Placed on the desktop at least once: from then on the native window knows its place.
    bool OnScreen() const { return view_ && shownOnce_; }

    std::int64_t left_ = 0, top_ = 0, width_ = 300, height_ = 300;
    std::int64_t minimumWidth_ = 64, minimumHeight_ = 64;
    std::int64_t maximumWidth_ = 32000, maximumHeight_ = 32000;
    std::int64_t type_ = 0, macProcId_ = 0, defaultLocation_ = 0;
    std::string title_;
    bool hasCloseButton_ = true, hasMaximizeButton_ = true, hasMinimizeButton_ = true;
    bool hasFullScreenButton_ = false, resizeable_ = true, composite_ = false;
    bool fullScreen_ = false, visible_ = false, hasBackgroundColor_ = false;
    bool menuBarVisible_ = true;
    ::Color backgroundColor_{255, 255, 255};
    bool placed_ = false;
    bool constructing_ = false;
    bool shownOnce_ = false;
    std::shared_ptr<::MenuBar> menuBar_;
    std::vector<std::pair<std::string, Ref<RectControl>>> controls_;
    std::vector<std::pair<std::string, std::function<bool()>>> menuHandlers_;
    std::unique_ptr<View> view_;
};

// The window kept for that class name, or nil.
Ref<Window> _GetImplicitWindow(std::string_view className);

// The one window of class W (named W::kClassName), made with its design-time values on first use.
template <class W>
Ref<W> ImplicitWindow() {
    Ref<Window> window = _GetImplicitWindow(W::kClassName);
    if (window.IsNil()) {
        window = RuntimeCheckCast<Window>(RuntimeNewObject(W::Class()));
        window->Constructor();
    }
    return RuntimeCheckCast<W>(window);
}
