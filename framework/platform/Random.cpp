#include "platform/Random.h"

#include "runtime/InvalidArgumentException.h"

namespace {
Random::Source& ScriptedSource() {
    static Random::Source source;
    return source;
}
}  // namespace

Random::Random() : engine_(std::random_device{}()) {}

const ClassInfo& Random::Class() {
    static const ClassInfo info("Random", &Object::Class());
    return info;
}

std::int64_t Random::InRange(std::int64_t low, std::int64_t high) {
    if (low > high) throw InvalidArgumentException("InRange: low is greater than high");
    if (ScriptedSource()) return ScriptedSource()(low, high);
    return std::uniform_int_distribution<std::int64_t>(low, high)(engine_);
}

void Random::SetSource(Source source) {
    ScriptedSource() = std::move(source);
}
