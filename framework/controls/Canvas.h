#pragma once

#include <cstdint>

#include "controls/ControlEvent.h"
#include "controls/RectControl.h"
#include "pictures/Picture.h"

// A control that shows its backdrop picture at the picture's own size, from its top-left corner,
// cut off at the canvas's edges.
class Canvas : public RectControl {
  public:
    // A press at (x, y) in the canvas.
    static constexpr ControlEvent<Canvas, bool(std::int64_t, std::int64_t)> MouseDown{
        21, {"( Canvas, Integer, Integer ) as Boolean"}};

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    Ref<Picture> Backdrop() const { return backdrop_; }
    void SetBackdrop(const Ref<Picture>& picture);
    bool AllowFocus() const { return allowFocus_; }
    void SetAllowFocus(bool v);
    bool AllowFocusRing() const { return allowFocusRing_; }
    void SetAllowFocusRing(bool v) { allowFocusRing_ = v; }
    bool AllowTabs() const { return allowTabs_; }
    void SetAllowTabs(bool v) { allowTabs_ = v; }
    bool DoubleBuffer() const { return doubleBuffer_; }
    void SetDoubleBuffer(bool v) { doubleBuffer_ = v; }

    void FireMouseDown(std::int64_t x, std::int64_t y) { Fire(MouseDown, x, y); }

  protected:
    std::vector<OfferedEvent> OfferedEvents() const override { return {Offer(MouseDown)}; }
    QWidget* CreateView(QWidget* parent) override;
    void ApplyToView() override;
    bool AcceptsFocus() const override { return allowFocus_ && TabStop(); }

  private:
    Ref<Picture> backdrop_;
    bool allowFocus_ = false;
    bool allowFocusRing_ = true;
    bool allowTabs_ = false;
    bool doubleBuffer_ = false;
};
