#pragma once

#include <array>
#include <cstdint>

// A colour as the four bytes a property list holds: red, green, blue, then a fourth byte that
// this framework reads as transparency (0 is opaque).
class Color {
  public:
    constexpr Color() = default;
    constexpr Color(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 0)
        : bytes_{red, green, blue, alpha} {}

    constexpr std::uint8_t Red() const { return bytes_[0]; }
    constexpr std::uint8_t Green() const { return bytes_[1]; }
    constexpr std::uint8_t Blue() const { return bytes_[2]; }
    constexpr std::uint8_t Alpha() const { return bytes_[3]; }
    constexpr bool operator==(const Color&) const = default;

  private:
    std::array<std::uint8_t, 4> bytes_{};
};
