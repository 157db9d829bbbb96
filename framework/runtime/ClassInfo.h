#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/PropertyInfo.h"
#include "runtime/Ref.h"

class Object;

// One description per class: its run-time name, base, declared properties, the events the class
// itself implements, and how to make a new instance. Casts, event queries, implicit window
// look-ups and the property-list reader all go through it.
class ClassInfo {
  public:
    ClassInfo(std::string name, const ClassInfo* base, std::vector<PropertyInfo> properties = {},
              std::vector<std::string> events = {}, std::function<Ref<Object>()> factory = {});
    ClassInfo(const ClassInfo&) = delete;
    ClassInfo& operator=(const ClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const ClassInfo* Base() const { return base_; }

    // Looks in this class and then its bases, ignoring ASCII case.
    const PropertyInfo* FindProperty(std::string_view name) const;
    bool ImplementsEvent(std::string_view event) const;
    bool IsA(const ClassInfo& other) const;
    Ref<Object> NewObject() const;

    static const ClassInfo* Find(std::string_view name);

  private:
    std::string name_;
    const ClassInfo* base_;
    std::vector<PropertyInfo> properties_;
    std::vector<std::string> events_;
    std::function<Ref<Object>()> factory_;
};
