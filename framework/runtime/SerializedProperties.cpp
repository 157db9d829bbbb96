#include "runtime/SerializedProperties.h"

#include <bit>
#include <string>

#include "runtime/ClassInfo.h"
#include "runtime/Object.h"
#include "runtime/UnsupportedFormatException.h"

void _SetProperties(const Ref<Object>& target, SerializedProperties::Bytes list) {
    RuntimeMassPropertySetter(*target, list);
}

void RuntimeMassPropertySetter(Object& target, SerializedProperties::Bytes list) {
    const ClassInfo& cls = target.GetClassInfo();
    std::size_t at = 0;
    while (at < list.size()) {
        const std::size_t recordStart = at;
        std::size_t blank = at;
        while (blank < list.size() && list[blank] != 0x20) ++blank;
        std::string name(reinterpret_cast<const char*>(list.data()) + at, blank - at);
        auto fail = [&](const std::string& why) {
            throw UnsupportedFormatException("Property list for " + cls.Name() + ": record \"" +
                                             name + "\" at offset " + std::to_string(recordStart) +
                                             " " + why);
        };
        if (blank == list.size()) fail("is cut short before its value");
        const PropertyInfo* property = cls.FindProperty(name);
        if (property == nullptr) fail("names no property of the class");
        at = blank + 1;
        auto take = [&](std::size_t n) {
            if (list.size() - at < n) fail("is cut short inside its value");
            std::uint64_t value = 0;
            for (std::size_t i = 0; i < n && i < 8; ++i) {
                value |= static_cast<std::uint64_t>(list[at + i]) << (8 * i);
            }
            at += n;
            return value;
        };
        PropertyValue value;
        switch (property->type) {
            case PropertyType::Integer:
            case PropertyType::Enumeration:
                value = static_cast<std::int64_t>(take(8));
                break;
            case PropertyType::FontUnits:
                value = static_cast<std::int64_t>(take(1));
                break;
            case PropertyType::Boolean:
                value = take(1) != 0;
                break;
            case PropertyType::String: {
                const auto length = static_cast<std::size_t>(take(4));
                if (list.size() - at < length) fail("is cut short inside its text");
                value = std::string(reinterpret_cast<const char*>(list.data()) + at, length);
                at += length;
                break;
            }
            case PropertyType::Single:
                value = std::bit_cast<float>(static_cast<std::uint32_t>(take(4)));
                break;
            case PropertyType::Color: {
                const auto bytes = static_cast<std::uint32_t>(take(4));
                value = Color(bytes & 0xFF, (bytes >> 8) & 0xFF, (bytes >> 16) & 0xFF,
                              (bytes >> 24) & 0xFF);
                break;
            }
        }
        property->set(target, value);
    }
}
