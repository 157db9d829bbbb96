#include "runtime/ClassInfo.h"

#include <algorithm>
#include <map>

#include "runtime/InvalidArgumentException.h"

namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::map<std::string, const ClassInfo*, std::less<>>& Registry() {
    static std::map<std::string, const ClassInfo*, std::less<>> registry;
    return registry;
}

}  // namespace

ClassInfo::ClassInfo(std::string name, const ClassInfo* base, std::vector<PropertyInfo> properties,
                     std::vector<std::string> events, std::function<Ref<Object>()> factory)
    : name_(std::move(name)),
      base_(base),
      properties_(std::move(properties)),
      events_(std::move(events)),
      factory_(std::move(factory)) {
    Registry()[name_] = this;
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view name) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->base_) {
        for (const PropertyInfo& p : c->properties_) {
            if (EqualsIgnoringAsciiCase(p.name, name)) return &p;
        }
    }
    return nullptr;
}

bool ClassInfo::ImplementsEvent(std::string_view event) const {
    return std::find(events_.begin(), events_.end(), event) != events_.end();
}

bool ClassInfo::IsA(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->base_) {
        if (c == &other) return true;
    }
    return false;
}

Ref<Object> ClassInfo::NewObject() const {
    if (!factory_) throw InvalidArgumentException("Class " + name_ + " cannot be instantiated");
    return factory_();
}

const ClassInfo* ClassInfo::Find(std::string_view name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}
