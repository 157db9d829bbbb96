#pragma once

#include "runtime/SerializedProperties.h"

// Design-time property lists of the main window and its eighteen controls.
namespace WinMainPropertyLists {

extern const SerializedProperties::Bytes Window;

extern const SerializedProperties::Bytes lbl_Copyright;
extern const SerializedProperties::Bytes btn_VisitWebsite;
extern const SerializedProperties::Bytes btn_quit;
extern const SerializedProperties::Bytes DiceLogo;
extern const SerializedProperties::Bytes Roll;
extern const SerializedProperties::Bytes LDice1;
extern const SerializedProperties::Bytes LDice2;
extern const SerializedProperties::Bytes LDice3;
extern const SerializedProperties::Bytes LDice5;
extern const SerializedProperties::Bytes LDice6;
extern const SerializedProperties::Bytes RDice1;
extern const SerializedProperties::Bytes RDice2;
extern const SerializedProperties::Bytes RDice3;
extern const SerializedProperties::Bytes RDice4;
extern const SerializedProperties::Bytes RDice5;
extern const SerializedProperties::Bytes RDice6;
extern const SerializedProperties::Bytes LDice4;
extern const SerializedProperties::Bytes lbl_shake_shake;

}  // namespace WinMainPropertyLists
