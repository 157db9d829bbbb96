#include "FontStyle.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

void FontStyle::ApplyTo(QWidget& widget) const {
    QFont font = QApplication::font();
    if (!name.empty() && name != "System") font.setFamily(QString::fromStdString(name));
    if (size > 0.0F) font.setPointSizeF(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    widget.setFont(font);
}
