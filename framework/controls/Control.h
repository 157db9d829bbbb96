#pragma once

#include <cstdint>
#include <string>

#include "runtime/Object.h"

class Control : public Object {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    std::int64_t Index() const { return index_; }
    void SetIndex(std::int64_t index) { index_ = index; }
    std::int64_t TabPanelIndex() const { return tabPanelIndex_; }
    void SetTabPanelIndex(std::int64_t index) { tabPanelIndex_ = index; }

  private:
    std::string name_;
    std::int64_t index_ = 0;
    std::int64_t tabPanelIndex_ = 0;
};
