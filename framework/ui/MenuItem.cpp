#include "ui/MenuItem.h"

#include "runtime/InvalidArgumentException.h"

const ClassInfo& MenuItem::Class() {
    static const ClassInfo info("MenuItem", &Object::Class(), {}, {},
                                [] { return Ref<Object>(MakeRef<MenuItem>()); });
    return info;
}

void MenuItem::AddMenu(const Ref<MenuItem>& item) {
    if (item.IsNil()) RaiseNilObjectException();
    children_.push_back(item);
}

Ref<MenuItem> MenuItem::Item(std::size_t index) const {
    if (index >= children_.size()) throw InvalidArgumentException("Menu item index out of range");
    return children_[index];
}

Ref<MenuItem> MenuItem::Child(std::string_view name) const {
    for (const Ref<MenuItem>& child : children_) {
        if (child->Name() == name) return child;
    }
    return nullptr;
}

Ref<MenuItem> MenuItem::_Lookup(std::string_view name) const {
    for (const Ref<MenuItem>& child : children_) {
        if (child->Name() == name) return child;
        if (Ref<MenuItem> found = child->_Lookup(name)) return found;
    }
    return nullptr;
}
