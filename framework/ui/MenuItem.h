#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Object.h"

// A menu, a menu item or a separator (caption "-"). Menus are models; each window renders the
// bar into its own native menu bar.
class MenuItem : public Object {
  public:
    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    virtual void Constructor() {}

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { text_ = text; }
    // Unset and empty are kept apart: an item may never have been given a shortcut.
    const std::optional<std::string>& Shortcut() const { return shortcut_; }
    void SetShortcut(const std::string& shortcut) { shortcut_ = shortcut; }
    bool AutoEnabled() const { return autoEnabled_; }
    void SetAutoEnabled(bool value) { autoEnabled_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool IsSeparator() const { return text_ == "-"; }

    void AddMenu(const Ref<MenuItem>& item);
    std::size_t Count() const { return children_.size(); }
    Ref<MenuItem> Item(std::size_t index) const;
    // The direct child of that name, or nil.
    Ref<MenuItem> Child(std::string_view name) const;
    // The item of that name anywhere below this one, or nil.
    Ref<MenuItem> _Lookup(std::string_view name) const;

    // What the item does when chosen and no window handler took the command.
    virtual void DefaultAction() {}

  private:
    std::string name_;
    std::string text_;
    std::optional<std::string> shortcut_;
    bool autoEnabled_ = true;
    bool visible_ = true;
    std::vector<Ref<MenuItem>> children_;
};
