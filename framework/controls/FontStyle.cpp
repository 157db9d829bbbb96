#include "controls/FontStyle.h"

#include <QApplication>
#include <QFont>
#include <QWidget>
#include <algorithm>

namespace {
constexpr float kMaxPixelSize = 1000.0F;
}  // namespace

void FontStyle::ApplyTo(QWidget& widget) const {
    QFont font = QApplication::font();
    if (!name.empty() && name != "System") font.setFamily(QString::fromStdString(name));
    // Layouts are measured in points of 1/72 inch at 72 dots per inch, one point to one pixel,
    // so text sizes are pixel sizes too; a screen's own dots per inch would make text outgrow
    // the controls laid out for it. A list may hold any number: none at or below zero (nor NaN)
    // and none absurdly large reaches Qt.
    if (size > 0.0F) font.setPixelSize(static_cast<int>(std::min(size, kMaxPixelSize) + 0.5F));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    widget.setFont(font);
}
