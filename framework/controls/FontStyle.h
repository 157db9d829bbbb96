#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/PropertyInfo.h"

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

    // A class's own properties followed by FontName, FontSize, FontUnit, Bold, Italic and
    // Underline, for a class C that changes its style through C::EditFont(edit).
    template <class C>
    static std::vector<PropertyInfo> WithProperties(std::vector<PropertyInfo> own) {
        std::vector<PropertyInfo> style = {
            Declare<C, std::string>("FontName", PropertyType::String,
                                    [](FontStyle& f, const std::string& v) { f.name = v; }),
            Declare<C, float>("FontSize", PropertyType::Single,
                              [](FontStyle& f, const float& v) { f.size = v; }),
            Declare<C, std::int64_t>("FontUnit", PropertyType::FontUnits,
                                     [](FontStyle& f, const std::int64_t& v) { f.unit = v; }),
            Declare<C, bool>("Bold", PropertyType::Boolean,
                             [](FontStyle& f, const bool& v) { f.bold = v; }),
            Declare<C, bool>("Italic", PropertyType::Boolean,
                             [](FontStyle& f, const bool& v) { f.italic = v; }),
            Declare<C, bool>("Underline", PropertyType::Boolean,
                             [](FontStyle& f, const bool& v) { f.underline = v; }),
        };
        own.insert(own.end(), style.begin(), style.end());
        return own;
    }

  private:
    template <class C, class V>
    static PropertyInfo Declare(std::string name, PropertyType type,
                                void (*assign)(FontStyle&, const V&)) {
        return {std::move(name), type, [assign](Object& target, const PropertyValue& value) {
                    static_cast<C&>(target).EditFont(
                        [&](FontStyle& style) { assign(style, std::get<V>(value)); });
                }};
    }
};
