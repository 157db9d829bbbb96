#include "ui/Timer.h"

#include <QTimer>
#include <algorithm>

#include "runtime/Runtime.h"

Timer::Timer() = default;
Timer::~Timer() = default;

const ClassInfo& Timer::Class() {
    static const ClassInfo info(
        "Timer", &Object::Class(),
        {DeclareProperty("Period", PropertyType::Integer, &Timer::SetPeriod),
         DeclareProperty("RunMode", PropertyType::Enumeration, &Timer::SetRunMode)},
        {}, [] { return Ref<Object>(MakeRef<Timer>()); });
    return info;
}

void Timer::SetPeriod(std::int64_t milliseconds) {
    period_ = milliseconds;
    Apply();
}

void Timer::SetRunMode(std::int64_t mode) {
    runMode_ = mode;
    Apply();
}

void Timer::Apply() {
    if (runMode_ == kOff) {
        if (timer_) timer_->stop();
        return;
    }
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_.get(), &QTimer::timeout, [this] { Tick(); });
    }
    timer_->setSingleShot(runMode_ == kSingle);
    const auto interval = static_cast<int>(std::max<std::int64_t>(period_, 0));
    if (!timer_->isActive() || timer_->interval() != interval) timer_->start(interval);
}

void Timer::Tick() {
    if (runMode_ == kSingle) runMode_ = kOff;
    // Keep the timer alive while its handler runs, even if the handler drops the last reference.
    std::shared_ptr<Object> keepAlive = weak_from_this().lock();
    RuntimeDispatch([this] { Event_Action(); });
}
