#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMoveEvent>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "ProgramFixture.h"
#include "dice_window/Shaker.h"
#include "dice_window/WinMain.h"

namespace {

// Where each of the eleven ticks puts the left edge, relative to where the shake began.
constexpr std::array<std::int64_t, 11> kStepOffsets = {-10, 9, -8, 7, -6, 5, -4, 3, -2, 1, 0};

// Watches the Qt window for moves and resizes, noting when each move arrived and where to.
class WindowWatcher : public QObject {
  public:
    struct Move {
        qint64 atMs;
        int x;
        int y;
    };

    WindowWatcher(Ref<::Window> window, const QElapsedTimer& clock)
        : window_(std::move(window)), clock_(clock) {
        window_->NativeWindow()->installEventFilter(this);
    }
    ~WindowWatcher() override { window_->NativeWindow()->removeEventFilter(this); }

    const std::vector<Move>& Moves() const { return moves_; }
    std::vector<int> Lefts(std::size_t from = 0) const {
        std::vector<int> xs;
        for (std::size_t i = from; i < moves_.size(); ++i) xs.push_back(moves_[i].x);
        return xs;
    }
    int Resizes() const { return resizes_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_->NativeWindow()) {
            if (event->type() == QEvent::Move) {
                const QPoint at = static_cast<QMoveEvent*>(event)->pos();
                moves_.push_back({clock_.elapsed(), at.x(), at.y()});
            } else if (event->type() == QEvent::Resize) {
                ++resizes_;
            }
        }
        return false;
    }

  private:
    Ref<::Window> window_;
    const QElapsedTimer& clock_;
    std::vector<Move> moves_;
    int resizes_ = 0;
};

std::vector<int> ExpectedLefts(std::int64_t start) {
    std::vector<int> xs;
    for (std::int64_t offset : kStepOffsets) xs.push_back(static_cast<int>(start + offset));
    return xs;
}

// Whether every one of wanted appears in seen, in the same order, with others between them.
bool InOrderWithin(const std::vector<int>& wanted, const std::vector<int>& seen) {
    auto at = seen.begin();
    for (int x : wanted) {
        at = std::find(at, seen.end(), x);
        if (at == seen.end()) return false;
        ++at;
    }
    return true;
}

double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

class ShakeTest : public ProgramFixture {
  protected:
    // Moves the main window behind the program's back, as the user or a window manager would,
    // and checks that the window's place follows.
    Ref<::Window> MainWindowMovedTo(int left, int top = 200) {
        Ref<::Window> w = ::WinMain();
        w->NativeWindow()->move(left, top);
        EXPECT_TRUE(PumpUntil([&] { return w->NativeWindow()->pos() == QPoint(left, top); }));
        PumpUntil([] { return false; }, 50);
        EXPECT_EQ(w->Left(), left);
        EXPECT_EQ(w->Top(), top);
        return w;
    }
};

TEST_F(ShakeTest, FullShakeStepsTheLeftEdgeOnElevenTicksAndLeavesAStoppedTimer) {
    Ref<::Window> w = MainWindowMovedTo(300);
    const std::int64_t top = w->Top();
    const int nativeTop = w->NativeWindow()->y();
    const QSize nativeSize = w->NativeWindow()->size();
    const std::int64_t width = w->Width();
    const std::int64_t height = w->Height();

    QElapsedTimer clock;
    WindowWatcher watcher(w, clock);
    clock.start();
    Shaker::shake(w);
    const qint64 returnedMs = clock.elapsed();

    ASSERT_EQ(watcher.Lefts(), ExpectedLefts(300));
    for (const auto& move : watcher.Moves()) EXPECT_EQ(move.y, nativeTop);
    // Eleven ticks 100 ms apart cannot come sooner; how close to that they come is the
    // benchmark's to measure, as a busy machine delays them.
    EXPECT_GE(returnedMs, 1000);

    EXPECT_EQ(w->Left(), 300);
    EXPECT_EQ(w->NativeWindow()->x(), 300);
    EXPECT_EQ(w->Top(), top);
    EXPECT_EQ(w->Width(), width);
    EXPECT_EQ(w->Height(), height);
    EXPECT_EQ(w->NativeWindow()->size(), nativeSize);
    EXPECT_EQ(watcher.Resizes(), 0);

    const Ref<Shaker::cShaker> timer = Shaker::pShaker;
    ASSERT_FALSE(timer.IsNil());
    EXPECT_EQ(timer->GetClassInfo().Name(), "Shaker.cShaker");
    EXPECT_EQ(timer->RunMode(), 0);
    EXPECT_EQ(timer->Period(), 100);
    ASSERT_NE(timer->View(), nullptr);
    EXPECT_EQ(timer->View()->interval(), 100);
    EXPECT_EQ(timer->View()->timerType(), Qt::PreciseTimer) << "a coarse timer ticks 5% off";
    EXPECT_EQ(timer->Iterations, 10);
    EXPECT_TRUE(timer->WindowToShake.IsNil());
    EXPECT_EQ(timer->Direction, -1);
    EXPECT_EQ(timer->StartingLeft, 300);

    // A stopped timer stays stopped: nothing moves the window afterwards.
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(watcher.Moves().size(), kStepOffsets.size());
}

TEST_F(ShakeTest, WindowAtLeftEdgeZeroIsMovedPastTheScreenEdge) {
    Ref<::Window> w = MainWindowMovedTo(0);

    QElapsedTimer clock;
    WindowWatcher watcher(w, clock);
    clock.start();
    Shaker::shake(w);

    // The offscreen platform follows a move that puts the frame off the screen with a move of
    // its own back towards it, so the window's own moves come with others between them.
    EXPECT_TRUE(InOrderWithin(ExpectedLefts(0), watcher.Lefts()))
        << testing::PrintToString(watcher.Lefts());
    ASSERT_FALSE(watcher.Moves().empty());
    EXPECT_EQ(watcher.Moves().front().x, -10) << "the Qt window was not sent to -10";
    EXPECT_EQ(w->Left(), 0);
}

TEST_F(ShakeTest, ShakeStartedDuringAShakeTakesOverFromTheSameStartAndBothReturnTogether) {
    Ref<::Window> w = MainWindowMovedTo(300);

    QElapsedTimer clock;
    WindowWatcher watcher(w, clock);
    std::weak_ptr<Shaker::cShaker> outerTimer;
    std::int64_t innerStartLeft = 0;
    std::size_t movesBeforeInner = 0;
    std::size_t movesAtInnerReturn = 0;
    qint64 innerStartMs = -1;
    QTimer::singleShot(250, Qt::PreciseTimer, [&] {
        outerTimer = Shaker::pShaker.Shared();
        innerStartLeft = w->Left();
        movesBeforeInner = watcher.Moves().size();
        innerStartMs = clock.elapsed();
        Shaker::shake(w);
        movesAtInnerReturn = watcher.Moves().size();
    });
    clock.start();
    Shaker::shake(w);
    const qint64 outerReturnedMs = clock.elapsed();

    ASSERT_GE(innerStartMs, 250) << "the inner shake never started";
    EXPECT_GE(outerReturnedMs - innerStartMs, 1000);
    // Both return together: the outer shake made no move once the inner one had returned.
    EXPECT_EQ(watcher.Moves().size(), movesAtInnerReturn);

    // The outer shake moved the window until the inner one began, and not once after it.
    const std::vector<int> outerLefts = ExpectedLefts(300);
    ASSERT_GE(movesBeforeInner, 1U);
    ASSERT_LT(movesBeforeInner, outerLefts.size());
    const std::vector<int> lefts = watcher.Lefts();
    const std::vector<int> before(lefts.begin(),
                                  lefts.begin() + static_cast<long>(movesBeforeInner));
    EXPECT_EQ(before, std::vector<int>(outerLefts.begin(),
                                       outerLefts.begin() + static_cast<long>(movesBeforeInner)));
    EXPECT_EQ(innerStartLeft, before.back());
    EXPECT_NE(innerStartLeft, 300) << "the inner shake began while the window stood at its start";
    // The inner shake takes over from where the outer one began, so the window ends there.
    EXPECT_EQ(watcher.Lefts(movesBeforeInner), ExpectedLefts(300));
    EXPECT_TRUE(outerTimer.expired()) << "the replaced timer is still alive";

    EXPECT_EQ(w->Left(), 300);
    ASSERT_FALSE(Shaker::pShaker.IsNil());
    EXPECT_EQ(Shaker::pShaker->StartingLeft, 300);
    EXPECT_EQ(Shaker::pShaker->RunMode(), 0);

    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(watcher.Moves().size(), movesBeforeInner + kStepOffsets.size());
}

TEST_F(ShakeTest, WaitingForTheTicksCostsLittleProcessorTime) {
    Ref<::Window> w = MainWindowMovedTo(300);

    QElapsedTimer clock;
    const double cpuBefore = ProcessCpuMs();
    clock.start();
    Shaker::shake(w);
    const double wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const double cpuMs = ProcessCpuMs() - cpuBefore;

    EXPECT_GE(wallMs, 1000.0);
    EXPECT_LT(cpuMs, 0.25 * wallMs)
        << "the wait loop spins: " << cpuMs << " ms of processor time in " << wallMs << " ms";
}

}  // namespace
