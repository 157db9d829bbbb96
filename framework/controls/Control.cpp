#include "controls/Control.h"

const ClassInfo& Control::Class() {
    static const ClassInfo info(
        "Control", &Object::Class(),
        {DeclareProperty("Name", PropertyType::String, &Control::SetName),
         DeclareProperty("Index", PropertyType::Integer, &Control::SetIndex),
         DeclareProperty("TabPanelIndex", PropertyType::Integer, &Control::SetTabPanelIndex)});
    return info;
}
