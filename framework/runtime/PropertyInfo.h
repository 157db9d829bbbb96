#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <variant>

#include "runtime/Color.h"

class Object;

// The declared type of a property decides how a property list encodes its value.
enum class PropertyType { Integer, Enumeration, FontUnits, Boolean, String, Single, Color };

using PropertyValue = std::variant<std::int64_t, bool, std::string, float, Color>;

struct PropertyInfo {
    std::string name;
    PropertyType type;
    std::function<void(Object&, const PropertyValue&)> set;
};

// Declares a property next to the setter that an assignment in code would call.
template <class C, class V>
PropertyInfo DeclareProperty(std::string name, PropertyType type, void (C::*setter)(V)) {
    using Held = std::remove_cvref_t<V>;
    return {std::move(name), type, [setter](Object& target, const PropertyValue& value) {
                (static_cast<C&>(target).*setter)(std::get<Held>(value));
            }};
}
