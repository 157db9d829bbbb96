#include "dice_window/cShaker.h"

namespace Shaker {

const ClassInfo& cShaker::Class() {
    static const ClassInfo info("Shaker.cShaker", &::Timer::Class(), {}, {"Action"},
                                [] { return Ref<Object>(MakeRef<cShaker>()); });
    return info;
}

void cShaker::Event_Action() {
    WindowToShake->SetLeft(StartingLeft - Direction * Iterations);
    WindowToShake->Refresh(true);
    Direction = -Direction;
    Iterations -= 1;
    if (Iterations < 0) {
        SetRunMode(0);
        Iterations = 10;
        WindowToShake = nullptr;
    }
}

}  // namespace Shaker
