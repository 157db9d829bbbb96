#pragma once

#include "dice_window/cShaker.h"
#include "ui/Window.h"

namespace Shaker {

// The current shake's timer; after a shake it keeps the stopped timer until the next shake.
extern Ref<cShaker> pShaker;

// Shakes the window from side to side for eleven ticks of 100 ms and returns once it is back
// where it started. Events are handled meanwhile, so a roll can start inside the shake; its
// shake replaces this one, begins from where this one began, and this one returns as soon as
// the replacement has stopped, with the window back where it started.
void shake(const Ref<::Window>& w);

}  // namespace Shaker
