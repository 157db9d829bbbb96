#pragma once

#include <cstdint>

#include "ui/Timer.h"
#include "ui/Window.h"

namespace Shaker {

// The shake's timer: each tick moves the window's left edge by a shrinking step, alternating
// sides, and the last tick puts it back and switches the timer off.
class cShaker : public ::Timer {
  public:
    ~cShaker() override { WindowToShake = nullptr; }

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    void Event_Action() override;

    std::int64_t Direction = 1;
    std::int64_t Iterations = 10;
    Ref<::Window> WindowToShake;
    std::int64_t StartingLeft = 0;
};

}  // namespace Shaker
