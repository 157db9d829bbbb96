#include "dice_window/Shaker.h"

#include "app/App.h"
#include "runtime/Runtime.h"

namespace Shaker {

Ref<cShaker> pShaker;

void shake(const Ref<::Window>& w) {
    Ref<cShaker> replaced = pShaker;
    pShaker = RuntimeCheckCast<cShaker>(RuntimeNewObject(cShaker::Class()));
    pShaker->WindowToShake = w;
    // A shake started while this window still shakes begins where the running one began, not at
    // the displaced edge: the running timer is dropped here and will never bring the window back,
    // so every overlapping roll would otherwise leave it a few points further off.
    const bool overlaps =
        !replaced.IsNil() && replaced->RunMode() != 0 && replaced->WindowToShake == w;
    pShaker->StartingLeft = overlaps ? replaced->StartingLeft : w->Left();
    replaced = nullptr;
    pShaker->SetPeriod(100);
    pShaker->SetRunMode(2);
    // pShaker is read afresh on every pass and never held across DoEvents: a nested shake
    // replaces it, and the replaced timer must be released there so that it stops.
    while (pShaker->RunMode() != 0) {
        ::App()->DoEvents(-1);
        RuntimeBackgroundTask();
    }
}

}  // namespace Shaker
