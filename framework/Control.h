#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Object.h"

class Window;

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

    // The window the control stands on; nil once that window is gone.
    Ref<::Window> Window() const { return Ref<::Window>(window_.lock()); }
    void _SetWindow(const Ref<::Window>& window) { window_ = window.Shared(); }

  private:
    std::string name_;
    std::int64_t index_ = 0;
    std::int64_t tabPanelIndex_ = 0;
    std::weak_ptr<::Window> window_;
};
