#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QElapsedTimer>
#include <QPoint>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "TestSupport.h"
#include "app/BundleResources.h"
#include "controls/Canvas.h"
#include "controls/Label.h"
#include "dice_window/Shaker.h"
#include "dice_window/WinMain.h"
#include "platform/Random.h"
#include "runtime/Runtime.h"

namespace {

constexpr char kShakeSound[] = "529816__tumvik__dice-shake.wav";

const std::vector<std::string> kFaceNames = {"LDice1", "LDice2", "LDice3", "LDice4",
                                             "LDice5", "LDice6", "RDice1", "RDice2",
                                             "RDice3", "RDice4", "RDice5", "RDice6"};

class RollTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        unhandledBefore = UnhandledExceptionCount();
    }
    void TearDown() override {
        Random::SetSource(nullptr);
        recorded->onCall = nullptr;
        EXPECT_EQ(UnhandledExceptionCount(), unhandledBefore) << "an exception escaped a handler";
    }

    // The values drawn from here on, in order; every draw must ask for a die's range.
    void ScriptDraws(std::vector<std::int64_t> values) {
        script.assign(values.begin(), values.end());
        Random::SetSource([this](std::int64_t low, std::int64_t high) -> std::int64_t {
            EXPECT_EQ(low, 0);
            EXPECT_EQ(high, 5);
            if (script.empty()) {
                ADD_FAILURE() << "more draws than scripted";
                return low;
            }
            const std::int64_t value = script.front();
            script.pop_front();
            return value;
        });
    }

    // The face canvases shown, by name; the model and the Qt widget must agree on each.
    static std::vector<std::string> VisibleFaces() {
        std::vector<std::string> shown;
        for (const std::string& name : kFaceNames) {
            Ref<Canvas> face = RuntimeCheckCast<Canvas>(::WinMain()->_ControlByName(name));
            EXPECT_EQ(face->Visible(), !face->View()->isHidden()) << name;
            if (face->Visible()) shown.push_back(name);
        }
        return shown;
    }

    static bool ShakeLabelShown() {
        Ref<Label> label = ::WinMain()->lbl_shake_shake();
        EXPECT_EQ(label->Visible(), !label->View()->isHidden());
        return label->Visible();
    }

    // Clicks the roll button; the click returns once the roll is over.
    static void ClickRoll() { Click(::WinMain()->Roll()); }

    std::vector<std::string> SoundsPlayed() const { return recorded->TextsOf("PlaySound"); }

    std::deque<std::int64_t> script;
    int unhandledBefore = 0;
};

TEST_F(RollTest, FirstValueDrawnIsTheLeftDie) {
    EXPECT_TRUE(VisibleFaces().empty()) << "faces shown before the first roll";
    EXPECT_FALSE(ShakeLabelShown());
    ScriptDraws({2, 4});

    // A press that the user takes back by moving off the button before letting go is no roll.
    QWidget* button = ::WinMain()->Roll()->View();
    const QPoint outside(button->width() + 20, button->height() / 2);
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseMove(button, outside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(SoundsPlayed().empty()) << "the button rolled on a press it did not get back";
    EXPECT_EQ(script.size(), 2U);

    ClickRoll();
    EXPECT_EQ(SoundsPlayed().size(), 1U);

    EXPECT_EQ(VisibleFaces(), (std::vector<std::string>{"LDice3", "RDice5"}));
    EXPECT_FALSE(ShakeLabelShown());
    EXPECT_TRUE(script.empty()) << "the roll did not draw two values";
    EXPECT_TRUE(recorded->TextsOf("Speak").empty());
}

TEST_F(RollTest, TwoOnesAndTwoSixesAreCalledOutOnceEachAfterTheFacesAreShown) {
    struct Case {
        std::int64_t left, right;
        std::vector<std::string> faces;
        std::vector<std::string> spoken;
    };
    const std::vector<Case> cases = {
        {0, 0, {"LDice1", "RDice1"}, {"Snake Eyes"}},
        {5, 5, {"LDice6", "RDice6"}, {"Box Cars"}},
        {0, 5, {"LDice1", "RDice6"}, {}},
        {5, 0, {"LDice6", "RDice1"}, {}},
        {3, 3, {"LDice4", "RDice4"}, {}},
    };
    std::vector<std::string> facesWhenSpoken;
    bool labelShownWhenSpoken = true;
    recorded->onCall = [&](const RecordingServices::Call& call) {
        if (call.kind != "Speak") return;
        facesWhenSpoken = VisibleFaces();
        labelShownWhenSpoken = ShakeLabelShown();
    };

    std::size_t rolls = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "values " << c.left << " and " << c.right);
        const std::size_t spokenBefore = recorded->TextsOf("Speak").size();
        facesWhenSpoken.clear();
        ScriptDraws({c.left, c.right});

        ClickRoll();
        ++rolls;

        EXPECT_EQ(VisibleFaces(), c.faces);
        EXPECT_FALSE(ShakeLabelShown());
        const std::vector<std::string> spoken = recorded->TextsOf("Speak");
        EXPECT_EQ(std::vector<std::string>(spoken.begin() + static_cast<long>(spokenBefore),
                                           spoken.end()),
                  c.spoken);
        if (!c.spoken.empty()) {
            EXPECT_EQ(facesWhenSpoken, c.faces) << "spoken before both faces were shown";
            EXPECT_FALSE(labelShownWhenSpoken);
        }
        // One start of the shake sound per roll, and nothing else leaves the process.
        const std::vector<std::string> sounds = SoundsPlayed();
        ASSERT_EQ(sounds.size(), rolls);
        // The player gets the checked file by its descriptor: it must be the bundle's sound.
        EXPECT_EQ(std::filesystem::canonical(sounds.back()).filename(), kShakeSound);
        EXPECT_EQ(recorded->Calls().size(), rolls + spoken.size());
    }
}

TEST_F(RollTest, WhileTheWindowShakesTheFacesAreHiddenAndTheShakeLabelShown) {
    // Every face shown beforehand: the roll must hide each of the twelve.
    for (const std::string& name : kFaceNames) ::WinMain()->_ControlByName(name)->SetVisible(true);
    ASSERT_EQ(VisibleFaces(), kFaceNames);
    ScriptDraws({1, 2});

    struct Snapshot {
        std::vector<std::string> faces;
        bool label = false;
        std::size_t sounds = 0;
    };
    std::vector<Snapshot> during;
    for (int at : {300, 800}) {
        QTimer::singleShot(at, Qt::PreciseTimer, [&] {
            during.push_back({VisibleFaces(), ShakeLabelShown(), SoundsPlayed().size()});
        });
    }
    QElapsedTimer clock;
    clock.start();
    ClickRoll();
    const qint64 rollMs = clock.elapsed();

    ASSERT_EQ(during.size(), 2U) << "the roll did not last through the shake";
    for (const Snapshot& s : during) {
        EXPECT_TRUE(s.faces.empty());
        EXPECT_TRUE(s.label);
        EXPECT_EQ(s.sounds, 1U) << "the sound plays while the window shakes";
    }
    EXPECT_GE(rollMs, 1000);
    EXPECT_EQ(VisibleFaces(), (std::vector<std::string>{"LDice2", "RDice3"}));
    EXPECT_FALSE(ShakeLabelShown());
}

TEST_F(RollTest, PressOnTheDiceLogoRollsAndIsNotClaimed) {
    Ref<dice_window::WinMain> w = ::WinMain();
    ScriptDraws({1, 1, 4, 0});

    Press(w->DiceLogo(), 3, 3);
    EXPECT_EQ(VisibleFaces(), (std::vector<std::string>{"LDice2", "RDice2"}));
    EXPECT_FALSE(ShakeLabelShown());
    EXPECT_EQ(SoundsPlayed().size(), 1U);

    EXPECT_FALSE(w->DiceLogo_MouseDown(w->DiceLogo(), 40, 17));
    EXPECT_EQ(VisibleFaces(), (std::vector<std::string>{"LDice5", "RDice1"}));
    EXPECT_FALSE(ShakeLabelShown());
    EXPECT_EQ(SoundsPlayed().size(), 2U);
    EXPECT_TRUE(script.empty());
}

TEST_F(RollTest, RollStartedDuringTheShakeEndsFirstAndTheOuterRollHasTheLastWord) {
    // The nested roll draws first, the outer roll after it.
    ScriptDraws({0, 0, 5, 5});
    QElapsedTimer clock;
    qint64 nestedStartMs = -1;
    bool shakeOverAtNestedReturn = false;
    std::vector<std::string> facesAfterNested;
    QTimer::singleShot(300, Qt::PreciseTimer, [&] {
        nestedStartMs = clock.elapsed();
        ClickRoll();
        shakeOverAtNestedReturn = Shaker::pShaker->RunMode() == 0;
        facesAfterNested = VisibleFaces();
    });
    clock.start();
    ClickRoll();
    const qint64 outerReturnedMs = clock.elapsed();

    ASSERT_GE(nestedStartMs, 0) << "the nested roll never started";
    EXPECT_EQ(facesAfterNested, (std::vector<std::string>{"LDice1", "RDice1"}));
    EXPECT_TRUE(shakeOverAtNestedReturn) << "the outer shake goes on after the nested one";
    EXPECT_GE(outerReturnedMs - nestedStartMs, 1000);

    EXPECT_EQ(VisibleFaces(), (std::vector<std::string>{"LDice6", "RDice6"}));
    EXPECT_FALSE(ShakeLabelShown());
    EXPECT_EQ(recorded->TextsOf("Speak"), (std::vector<std::string>{"Snake Eyes", "Box Cars"}));
    EXPECT_EQ(SoundsPlayed().size(), 2U);
    EXPECT_TRUE(script.empty());
}

// Presses keep coming while rolls nest inside each other, each roll deeper on the stack. At the
// usual stack limit every press of ten a second for 45 seconds rolls; under a small limit fewer
// do and the rest are ignored while the shake finishes, rather than the stack overflowing. Every
// roll that did start runs all its steps.
TEST_F(RollTest, RollsNestAsDeepAsAPersonClicksAndNoDeeperThanTheStackAllows) {
    constexpr int kPresses = 450;
    Random::SetSource([](std::int64_t, std::int64_t) -> std::int64_t { return 2; });
    const std::int64_t start = ::WinMain()->Left();
    rlimit kept{};
    ASSERT_EQ(::getrlimit(RLIMIT_STACK, &kept), 0);
    for (const rlim_t limit : {rlim_t{8} << 20, rlim_t{1} << 20}) {
        SCOPED_TRACE("stack limit " + std::to_string(limit >> 10) + " KiB");
        rlimit lowered = kept;
        lowered.rlim_cur = std::min(limit, kept.rlim_max);
        ASSERT_EQ(::setrlimit(RLIMIT_STACK, &lowered), 0);
        const std::size_t soundsBefore = SoundsPlayed().size();
        // A timer is never fired again while its own handler runs, so each press sets up the next.
        int presses = 0;
        std::function<void()> press = [&] {
            if (++presses < kPresses) QTimer::singleShot(2, press);
            ClickRoll();
        };
        QTimer::singleShot(0, press);
        PumpUntil([&] { return presses == kPresses; }, 30000);
        ::setrlimit(RLIMIT_STACK, &kept);
        ASSERT_EQ(presses, kPresses);

        const std::size_t rolls = SoundsPlayed().size() - soundsBefore;
        if (lowered.rlim_cur >= rlim_t{8} << 20) {
            EXPECT_EQ(rolls, std::size_t{kPresses});
        } else {
            EXPECT_LT(rolls, std::size_t{kPresses});
            EXPECT_GE(rolls, 10U) << "rolls still nest under a small stack limit";
        }
        EXPECT_EQ(VisibleFaces(), (std::vector<std::string>{"LDice3", "RDice3"}));
        EXPECT_FALSE(ShakeLabelShown());
        EXPECT_EQ(::WinMain()->Left(), start);
    }
    const std::size_t soundsBefore = SoundsPlayed().size();
    ClickRoll();
    EXPECT_EQ(SoundsPlayed().size(), soundsBefore + 1) << "rolls start again afterwards";
}

// The program runs from a copy of its bundle that lacks the shake sound.
class RollWithoutSoundTest : public RollTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::remove(bundle.Resources() / kShakeSound));
        // The sound is opened once per process; open it afresh from the copy.
        app::diceshake::loaded = false;
        app::diceshake::permaSound = nullptr;
        RollTest::SetUp();
    }
    void TearDown() override {
        RollTest::TearDown();
        app::diceshake::loaded = false;
        app::diceshake::permaSound = nullptr;
    }

    BundleCopy bundle{BundleCopy::AllResources()};
};

TEST_F(RollWithoutSoundTest, RollStillShakesAndThrows) {
    ScriptDraws({4, 2});
    QElapsedTimer clock;
    clock.start();
    ClickRoll();
    const qint64 rollMs = clock.elapsed();

    EXPECT_EQ(VisibleFaces(), (std::vector<std::string>{"LDice5", "RDice3"}));
    EXPECT_FALSE(ShakeLabelShown());
    EXPECT_GE(rollMs, 1000) << "the window did not shake";
    EXPECT_TRUE(SoundsPlayed().empty());
    EXPECT_TRUE(diceshake().IsNil());
}

}  // namespace
