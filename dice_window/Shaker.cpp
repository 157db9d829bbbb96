#include "dice_window/Shaker.h"

#include "Runtime.h"
#include "app/App.h"

namespace Shaker {

Ref<cShaker> pShaker;

void shake(const Ref<::Window>& w) {
    pShaker = RuntimeCheckCast<cShaker>(RuntimeNewObject(cShaker::Class()));
    pShaker->WindowToShake = w;
    pShaker->StartingLeft = w->Left();
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
