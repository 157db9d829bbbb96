#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "runtime/Object.h"

class Random : public Object {
  public:
    using Source = std::function<std::int64_t(std::int64_t low, std::int64_t high)>;

    Random();

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    // Uniform over [low, high], both bounds included.
    std::int64_t InRange(std::int64_t low, std::int64_t high);

    // Replaces where the values come from, so tests can script them; nil restores the generator.
    static void SetSource(Source source);

  private:
    std::mt19937_64 engine_;
};
