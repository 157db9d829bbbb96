#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/Ref.h"

class Object;

// A design-time property list is a run of records "<Name> <value>" with no header and no
// terminator; the width of each value follows from the declared type of the named property.
// The lists are written in source as typed records and turned into their bytes at compile time,
// so a reader can check each value against the design tables and the compiler checks the lengths.
// The reader, below the writer, sets each record's property through the target's class.
namespace SerializedProperties {

enum class Encoding : std::uint8_t { Integer, Boolean, String, Single, Color, Byte };

struct Record {
    std::string_view name;
    Encoding encoding;
    std::int64_t integer = 0;
    std::string_view text = {};
    float single = 0.0F;
    std::array<std::uint8_t, 4> color = {};
};

constexpr Record Integer(std::string_view name, std::int64_t value) {
    return {name, Encoding::Integer, value};
}
constexpr Record Boolean(std::string_view name, bool value) {
    return {name, Encoding::Boolean, value ? 1 : 0};
}
constexpr Record String(std::string_view name, std::string_view value) {
    return {name, Encoding::String, 0, value};
}
constexpr Record Single(std::string_view name, float value) {
    return {name, Encoding::Single, 0, {}, value};
}
// Colours are given as their four bytes in list order.
constexpr Record Color(std::string_view name, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
                       std::uint8_t b3) {
    return {name, Encoding::Color, 0, {}, 0.0F, {b0, b1, b2, b3}};
}
// One-byte enumerations such as FontUnits.
constexpr Record Byte(std::string_view name, std::uint8_t value) {
    return {name, Encoding::Byte, value};
}

constexpr std::size_t ValueSize(const Record& r) {
    switch (r.encoding) {
        case Encoding::Integer:
            return 8;
        case Encoding::Boolean:
            return 1;
        case Encoding::String:
            return 4 + r.text.size();
        case Encoding::Single:
            return 4;
        case Encoding::Color:
            return 4;
        case Encoding::Byte:
            return 1;
    }
    return 0;
}

template <std::size_t N>
constexpr std::size_t EncodedSize(const std::array<Record, N>& records) {
    std::size_t size = 0;
    for (const Record& r : records) size += r.name.size() + 1 + ValueSize(r);
    return size;
}

template <const auto& Records>
constexpr auto Encode() {
    std::array<std::uint8_t, EncodedSize(Records)> out{};
    std::size_t at = 0;
    auto put = [&](std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out[at++] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    for (const Record& r : Records) {
        for (char c : r.name) out[at++] = static_cast<std::uint8_t>(c);
        out[at++] = 0x20;
        switch (r.encoding) {
            case Encoding::Integer:
                put(static_cast<std::uint64_t>(r.integer), 8);
                break;
            case Encoding::Boolean:
            case Encoding::Byte:
                put(static_cast<std::uint64_t>(r.integer), 1);
                break;
            case Encoding::String:
                put(r.text.size(), 4);
                for (char c : r.text) out[at++] = static_cast<std::uint8_t>(c);
                break;
            case Encoding::Single:
                put(std::bit_cast<std::uint32_t>(r.single), 4);
                break;
            case Encoding::Color:
                for (std::uint8_t b : r.color) out[at++] = b;
                break;
        }
    }
    return out;
}

using Bytes = std::span<const std::uint8_t>;

}  // namespace SerializedProperties

// Applies the list to the object, record by record, in order; names are matched without regard to
// ASCII case. A record that names no property of the class, or is cut short, raises an
// UnsupportedFormatException naming it and its offset; the records before it stay applied, and
// nothing past the list's end is read.
void _SetProperties(const Ref<Object>& target, SerializedProperties::Bytes list);
void RuntimeMassPropertySetter(Object& target, SerializedProperties::Bytes list);
