#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "controls/Label.h"
#include "controls/PushButton.h"
#include "media/SpeechQueue.h"
#include "runtime/Delegate.h"
#include "runtime/IllegalCastException.h"
#include "runtime/InvalidArgumentException.h"
#include "runtime/Runtime.h"
#include "ui/Application.h"
#include "ui/GlobalMethods.h"
#include "ui/QuitMenuItem.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace {

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class CountingTimer : public Timer {
  public:
    void Event_Action() override {
        ++ticks;
        ++*shared;
    }
    int ticks = 0;
    std::shared_ptr<int> shared = std::make_shared<int>(0);  // outlives the timer
};

class Target : public Object {
  public:
    bool Handle() { return ++calls > 0; }
    int calls = 0;
};

constexpr Invoker<bool()> kBoolInvoker{"(  ) as Boolean"};

}  // namespace

TEST(ObjectRuntime, NilReferencesRaiseInsteadOfCrashing) {
    Ref<Label> nothing;
    EXPECT_THROW(nothing->SetText("x"), NilObjectException);
    EXPECT_THROW(*nothing, NilObjectException);
    EXPECT_TRUE(nothing.IsNil());
    EXPECT_FALSE(nothing);
}

TEST(ObjectRuntime, CheckedCastsPassNilAndRaiseOnAnotherClass) {
    Ref<Object> label = MakeRef<Label>();
    EXPECT_EQ(RuntimeCheckCast<RectControl>(label).Get(), label.Get());
    EXPECT_TRUE(RuntimeCheckCast<PushButton>(Ref<Object>()).IsNil());
    try {
        RuntimeCheckCast<PushButton>(label);
        FAIL() << "a Label was cast to PushButton";
    } catch (const IllegalCastException& e) {
        EXPECT_NE(std::string(e.what()).find("Label"), std::string::npos);
    }
}

TEST(ObjectRuntime, DelegatesCheckTheirSignatureTextAndTheirTarget) {
    auto target = MakeRef<Target>();
    EXPECT_THROW(RuntimeCreateDelegate(kBoolInvoker, &Target::Handle, target, "( ) as Boolean", 0),
                 InvalidArgumentException);
    auto delegate =
        RuntimeCreateDelegate(kBoolInvoker, &Target::Handle, target, "(  ) as Boolean", 0);
    EXPECT_TRUE(delegate->Invoke());
    EXPECT_EQ(target->calls, 1);
    // The delegate does not keep its target alive; calling it afterwards raises.
    target = nullptr;
    EXPECT_THROW(delegate->Invoke(), NilObjectException);
}

TEST(ObjectRuntime, EventNumbersBindOnlyDelegatesOfTheirKind) {
    auto button = MakeRef<PushButton>();
    auto target = MakeRef<Target>();
    auto wrongKind =
        RuntimeCreateDelegate(kBoolInvoker, &Target::Handle, target, "(  ) as Boolean", 1);
    EXPECT_THROW(RuntimeAddEventHandler(button, PushButton::Action.number, wrongKind),
                 IllegalCastException);
    EXPECT_THROW(RuntimeAddEventHandler(button, 16, wrongKind), InvalidArgumentException);
    EXPECT_FALSE(button->HasEventHandler(PushButton::Action.number));
}

TEST(ObjectRuntime, EventQueriesAnswerForTheClassThatImplementsTheEvent) {
    Ref<Object> window = MakeRef<Window>();
    EXPECT_FALSE(_RuntimeIsEventHandled(window, "Window", "Open", true));
    EXPECT_FALSE(_RuntimeIsEventHandled(window, "No.Such.Class", "Open", true));
    EXPECT_THROW(_RuntimeIsEventHandled(Ref<Object>(), "Window", "Open", true), NilObjectException);
}

TEST(EventBoundary, AnEscapingExceptionIsReportedAndGoesNoFurther) {
    const int before = UnhandledExceptionCount();
    testing::internal::CaptureStderr();
    RuntimeDispatch([] { throw NilObjectException("nothing here"); });
    // A line break, an escape sequence, the one-byte CSI (U+009B), a byte that is no UTF-8 and a
    // right-to-left override, around text in UTF-8 that must stay readable.
    RuntimeDispatch([] {
        throw std::logic_error("plain\nfailure\x1b[2J\xc2\x9b\xff caf\xc3\xa9 \xe2\x80\xaeok");
    });
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(UnhandledExceptionCount(), before + 2);
    EXPECT_NE(printed.find("NilObjectException: nothing here\n"), std::string::npos) << printed;
    // One line each, whatever the message holds.
    EXPECT_NE(
        printed.find(": plain\\nfailure\\x1b[2J\\xc2\\x9b\\xff caf\xc3\xa9 \\xe2\\x80\\xaeok\n"),
        std::string::npos)
        << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 2) << printed;
}

TEST(EventBoundary, TheExceptionHelperCatchesOnlyRuntimeExceptions) {
    auto raiseRuntime = [](void*) { throw InvalidArgumentException("bad"); };
    auto raiseOther = [](void*) { throw std::bad_alloc(); };
    auto fine = [](void* flag) { *static_cast<bool*>(flag) = true; };
    bool ran = false;
    EXPECT_EQ(_CallFunctionWithExceptionHandling(fine, &ran), nullptr);
    EXPECT_TRUE(ran);
    EXPECT_NE(_CallFunctionWithExceptionHandling(raiseRuntime, nullptr), nullptr);
    EXPECT_THROW(_CallFunctionWithExceptionHandling(raiseOther, nullptr), std::bad_alloc);
}

TEST(EventLoop, DoEventsHandlesATimerTickAndReturns) {
    auto timer = MakeRef<CountingTimer>();
    timer->SetPeriod(20);
    timer->SetRunMode(Timer::kSingle);
    Application app;
    QElapsedTimer clock;
    clock.start();
    while (timer->ticks == 0 && clock.elapsed() < 2000) app.DoEvents(-1);
    EXPECT_EQ(timer->ticks, 1);
    EXPECT_EQ(timer->RunMode(), Timer::kOff);
}

// A loop of DoEvents(-1) around a 100 ms timer sleeps between ticks instead of spinning.
TEST(EventLoop, WaitingForTicksCostsLittleProcessorTime) {
    auto timer = MakeRef<CountingTimer>();
    timer->SetPeriod(100);
    timer->SetRunMode(Timer::kMultiple);
    Application app;
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    while (timer->ticks < 11) app.DoEvents(-1);
    const double wall = clock.elapsed() / 1000.0;
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    RecordProperty("cpu_ms", std::to_string(static_cast<int>(cpu * 1000)));
    std::printf("11 ticks: %.3f s wall, %.1f ms CPU (%.2f%% of a core)\n", wall, cpu * 1000,
                100 * cpu / wall);
    EXPECT_GT(wall, 1.0);
    EXPECT_LT(cpu, 0.25 * wall);
}

TEST(Timers, AReleasedTimerNeverTicksAgain) {
    auto timer = MakeRef<CountingTimer>();
    std::shared_ptr<int> ticks = timer->shared;
    timer->SetPeriod(10);
    timer->SetRunMode(Timer::kMultiple);
    QElapsedTimer clock;
    clock.start();
    while (*ticks < 2 && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    timer = nullptr;
    const int atRelease = *ticks;
    clock.restart();
    while (clock.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(*ticks, atRelease);
}

TEST(Timers, SwitchingOffStopsTheTicks) {
    auto timer = MakeRef<CountingTimer>();
    timer->SetPeriod(10);
    timer->SetRunMode(Timer::kMultiple);
    QElapsedTimer clock;
    clock.start();
    while (timer->ticks < 3 && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    timer->SetRunMode(Timer::kOff);
    const int ticks = timer->ticks;
    clock.restart();
    while (clock.elapsed() < 80) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(timer->ticks, ticks);
}

// Quit while a nested loop runs: the nested loop keeps its timer ticking to its own end, and the
// outer loop then ends with the code that Quit gave.
TEST(EventLoop, QuitDuringANestedLoopStillEndsTheProgram) {
    auto timer = MakeRef<CountingTimer>();
    Application app;
    bool nestedFinished = false;
    QTimer::singleShot(0, [&] {
        timer->SetPeriod(20);
        timer->SetRunMode(Timer::kMultiple);
        QTimer::singleShot(30, [] { Quit(0); });
        while (timer->ticks < 5) app.DoEvents(-1);
        nestedFinished = true;
    });
    EXPECT_EQ(_RuntimeRun(), 0);
    EXPECT_TRUE(nestedFinished);
    EXPECT_TRUE(RuntimeQuitRequested());
}

// A declined command falls to the item's own default; a failed handler gave no answer at all.
TEST(MenuCommands, OnlyADeclinedCommandFallsToTheItemsDefault) {
    auto window = MakeRef<Window>();
    auto quit = MakeRef<QuitMenuItem>();
    quit->SetName("FileQuit");
    window->_AddMenuHandler("FileQuit", []() -> bool { throw NilObjectException(); });
    testing::internal::CaptureStderr();
    EXPECT_FALSE(window->HandleMenuCommand(quit));
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(RuntimeQuitRequested());

    auto declining = MakeRef<Window>();
    declining->_AddMenuHandler("FileQuit", [] { return false; });
    EXPECT_FALSE(declining->HandleMenuCommand(quit));
    EXPECT_TRUE(RuntimeQuitRequested());
    EXPECT_EQ(RuntimeExitCode(), 0);
}

// Call-outs against a stand-in engine: each waits for the one before to finish and none cuts
// another off, unless it asks to.
TEST(Speech, ACallOutWaitsForTheOneBeforeAndNeverCutsItOff) {
    std::vector<std::string> said;
    SpeechQueue queue([&](const std::string& text) { said.push_back(text); });
    queue.Speak("Snake Eyes", false);
    queue.Speak("Box Cars", false);
    EXPECT_EQ(said, std::vector<std::string>{"Snake Eyes"}) << "the second cut the first off";
    queue.Finished();
    EXPECT_EQ(said, (std::vector<std::string>{"Snake Eyes", "Box Cars"}));
    queue.Finished();
    EXPECT_FALSE(queue.Speaking());
    queue.Speak("Snake Eyes", false);
    EXPECT_EQ(said.size(), 3U) << "an idle engine speaks at once";

    queue.Speak("waits", false);
    queue.Speak("now", true);
    EXPECT_EQ(said.back(), "now");
    queue.Finished();
    EXPECT_EQ(said.size(), 4U) << "what waited was dropped by the interruption";
}
