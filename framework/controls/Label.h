#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/ControlEvent.h"
#include "controls/FontStyle.h"
#include "controls/RectControl.h"
#include "runtime/Color.h"

class Label : public RectControl {
  public:
    // A press at (x, y) in the label.
    static constexpr ControlEvent<Label, bool(std::int64_t, std::int64_t)> MouseDown{
        16, {"( Label, Integer, Integer ) as Boolean"}};

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    // Text and Value name the same text; line breaks are carriage returns and stay so.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const std::string& Value() const { return text_; }
    void SetValue(const std::string& text) { SetText(text); }

    const FontStyle& Font() const { return font_; }
    void EditFont(const std::function<void(FontStyle&)>& edit);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v);
    bool Selectable() const { return selectable_; }
    void SetSelectable(bool v);
    // 0 default, 1 left, 2 centre, 3 right.
    std::int64_t TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(std::int64_t v);
    ::Color TextColor() const { return textColor_; }
    void SetTextColor(::Color v);
    const std::string& DataSource() const { return dataSource_; }
    void SetDataSource(const std::string& v) { dataSource_ = v; }
    const std::string& DataField() const { return dataField_; }
    void SetDataField(const std::string& v) { dataField_ = v; }

    void FireMouseDown(std::int64_t x, std::int64_t y) { Fire(MouseDown, x, y); }

  protected:
    std::vector<OfferedEvent> OfferedEvents() const override { return {Offer(MouseDown)}; }
    QWidget* CreateView(QWidget* parent) override;
    void ApplyToView() override;

  private:
    std::string text_;
    FontStyle font_;
    bool multiLine_ = false;
    bool selectable_ = false;
    std::int64_t textAlignment_ = 0;
    ::Color textColor_;
    std::string dataSource_;
    std::string dataField_;
};
