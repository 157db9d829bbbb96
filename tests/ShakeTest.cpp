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
        std::int64_t modelLeft;
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
    // The left edges the window was given, one per change, whatever the platform made of them.
    std::vector<std::int64_t> ModelLefts() const {
        std::vector<std::int64_t> lefts;
        for (const Move& move : moves_) {
            if (lefts.empty() || lefts.back() != move.modelLeft) lefts.push_back(move.modelLeft);
        }
        return lefts;
    }
    int Resizes() const { return resizes_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_->NativeWindow()) {
            if (event->type() == QEvent::Move) {
                const QPoint at = static_cast<QMoveEvent*>(event)->pos();
                moves_.push_back({clock_.elapsed(), at.x(), at.y(), window_->Left()});
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

std::vector<std::int64_t> ExpectedModelLefts(std::int64_t start) {
    std::vector<std::int64_t> lefts;
    for (std::int64_t offset : kStepOffsets) lefts.push_back(start + offset);
    return lefts;
}

double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

class ShakeTest : public ProgramFixture {
  protected:
    // Puts the main window at a known left edge and lets the move reach the Qt window.
    Ref<::Window> MainWindowAt(std::int64_t left) {
        Ref<::Window> w = ::WinMain();
        w->SetLeft(left);
        EXPECT_TRUE(PumpUntil([&] { return w->NativeWindow()->x() == left; }));
        PumpUntil([] { return false; }, 50);
        return w;
    }
};

TEST_F(ShakeTest, FullShakeStepsTheLeftEdgeOnElevenTicksAndLeavesAStoppedTimer) {
    Ref<::Window> w = MainWindowAt(300);
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
    const auto& moves = watcher.Moves();
    for (const auto& move : moves) {
        EXPECT_EQ(move.modelLeft, move.x);
        EXPECT_EQ(move.y, nativeTop);
    }
    EXPECT_GE(moves.front().atMs, 70);
    EXPECT_LE(moves.front().atMs, 160);
    for (std::size_t i = 1; i < moves.size(); ++i) {
        const qint64 gap = moves[i].atMs - moves[i - 1].atMs;
        EXPECT_GE(gap, 70) << "between ticks " << i << " and " << i + 1;
        EXPECT_LE(gap, 130) << "between ticks " << i << " and " << i + 1;
    }
    EXPECT_GE(returnedMs, 1000);
    EXPECT_LE(returnedMs, 1600);
    EXPECT_LE(returnedMs - moves.back().atMs, 50) << "shake returns right after the last tick";

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
    EXPECT_EQ(timer->Iterations, 10);
    EXPECT_TRUE(timer->WindowToShake.IsNil());
    EXPECT_EQ(timer->Direction, -1);
    EXPECT_EQ(timer->StartingLeft, 300);

    // A stopped timer stays stopped: nothing moves the window afterwards.
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(watcher.Moves().size(), kStepOffsets.size());
}

TEST_F(ShakeTest, WindowAtLeftEdgeZeroIsMovedPastTheScreenEdge) {
    Ref<::Window> w = MainWindowAt(0);

    QElapsedTimer clock;
    WindowWatcher watcher(w, clock);
    clock.start();
    Shaker::shake(w);

    // The offscreen platform follows a move that puts the frame off the screen with a move of
    // its own back towards it, so only the first move of each tick is the window's own.
    EXPECT_EQ(watcher.ModelLefts(), ExpectedModelLefts(0));
    ASSERT_FALSE(watcher.Moves().empty());
    EXPECT_EQ(watcher.Moves().front().modelLeft, -10);
    EXPECT_EQ(watcher.Moves().front().x, -10) << "the Qt window was not sent to -10";
    EXPECT_EQ(w->Left(), 0);
}

TEST_F(ShakeTest, ShakeStartedDuringAShakeReplacesItAndBothReturnTogether) {
    Ref<::Window> w = MainWindowAt(300);

    QElapsedTimer clock;
    WindowWatcher watcher(w, clock);
    std::weak_ptr<Shaker::cShaker> outerTimer;
    std::int64_t innerStartLeft = 0;
    std::size_t movesBeforeInner = 0;
    qint64 innerStartMs = -1;
    qint64 innerReturnedMs = -1;
    QTimer::singleShot(250, Qt::PreciseTimer, [&] {
        outerTimer = Shaker::pShaker.Shared();
        innerStartLeft = w->Left();
        movesBeforeInner = watcher.Moves().size();
        innerStartMs = clock.elapsed();
        Shaker::shake(w);
        innerReturnedMs = clock.elapsed();
    });
    clock.start();
    Shaker::shake(w);
    const qint64 outerReturnedMs = clock.elapsed();

    ASSERT_GE(innerStartMs, 250) << "the inner shake never started";
    ASSERT_GE(innerReturnedMs, innerStartMs);
    EXPECT_LE(outerReturnedMs - innerReturnedMs, 50);
    EXPECT_GE(outerReturnedMs - innerStartMs, 1000);
    EXPECT_LE(outerReturnedMs - innerStartMs, 1600);

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
    EXPECT_EQ(watcher.Lefts(movesBeforeInner), ExpectedLefts(innerStartLeft));
    EXPECT_TRUE(outerTimer.expired()) << "the replaced timer is still alive";

    EXPECT_EQ(w->Left(), innerStartLeft);
    ASSERT_FALSE(Shaker::pShaker.IsNil());
    EXPECT_EQ(Shaker::pShaker->StartingLeft, innerStartLeft);
    EXPECT_EQ(Shaker::pShaker->RunMode(), 0);

    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(watcher.Moves().size(), movesBeforeInner + kStepOffsets.size());
}

TEST_F(ShakeTest, WaitingForTheTicksCostsLittleProcessorTime) {
    Ref<::Window> w = MainWindowAt(300);

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
