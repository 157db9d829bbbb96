#pragma once

#include <cstdint>
#include <memory>

#include "runtime/Object.h"

class QTimer;

// Fires Action once per Period while RunMode is 1 (once) or 2 (repeating); 0 is off. Timers are
// precise: a 100 ms period ticks at 99-101 ms. A timer that is released stops for good.
class Timer : public Object {
  public:
    static constexpr std::int64_t kOff = 0;
    static constexpr std::int64_t kSingle = 1;
    static constexpr std::int64_t kMultiple = 2;

    Timer();
    ~Timer() override;

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    std::int64_t Period() const { return period_; }
    void SetPeriod(std::int64_t milliseconds);
    std::int64_t RunMode() const { return runMode_; }
    void SetRunMode(std::int64_t mode);

    virtual void Event_Action() {}

    // The Qt timer behind it, from the first time it runs; null before.
    QTimer* View() const { return timer_.get(); }

  private:
    void Tick();
    void Apply();

    std::int64_t period_ = 1000;
    std::int64_t runMode_ = kOff;
    std::unique_ptr<QTimer> timer_;
};
