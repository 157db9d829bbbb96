#pragma once

#include <cstdint>
#include <string>

class QWidget;

// The text style that labels and push buttons share. "System" (or no name) with size 0 means the
// desktop's own font at its own size. Sizes are in the layout's points, one point to a pixel.
struct FontStyle {
    std::string name = "System";
    float size = 0.0F;
    std::int64_t unit = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    void ApplyTo(QWidget& widget) const;
};
