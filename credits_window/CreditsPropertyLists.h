#pragma once

#include "runtime/SerializedProperties.h"

// Design-time property lists of the credits window and its five controls.
namespace CreditsPropertyLists {

extern const SerializedProperties::Bytes Window;

extern const SerializedProperties::Bytes lbl_Credits;
extern const SerializedProperties::Bytes Canvas1;
extern const SerializedProperties::Bytes btn_VisitOurWebsite;
extern const SerializedProperties::Bytes btn_exit;
extern const SerializedProperties::Bytes btn_contactUs;

}  // namespace CreditsPropertyLists
