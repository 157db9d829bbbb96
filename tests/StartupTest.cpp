#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "ProgramFixture.h"
#include "app/App.h"
#include "app/MainMenuBar.h"
#include "credits_window/Credits.h"
#include "dice_window/Shaker.h"
#include "dice_window/WinMain.h"
#include "runtime/Runtime.h"
#include "ui/GlobalMethods.h"
#include "ui/Window.h"

namespace {

// A window that takes the main window's class name, so that the main window's accessor finds a
// window of the wrong class and start-up fails.
class Impostor : public Window {
  public:
    const ClassInfo& GetClassInfo() const override {
        static const ClassInfo borrowed("WinMain.WinMain", &Window::Class());
        return borrowed;
    }
};

void InstallRecording() {
    Services::Install(std::make_unique<RecordingServices>());
}

}  // namespace

using Startup = ProgramFixture;

TEST_F(Startup, LeavesTheProgramReadyForItsEventLoop) {
    Ref<app::App> app = App();
    ASSERT_FALSE(app.IsNil());
    EXPECT_EQ(app.Get(), _GetAppObject().Get());
    EXPECT_EQ(App().Get(), app.Get());
    EXPECT_EQ(app->MajorVersion(), 1);
    EXPECT_EQ(app->MinorVersion(), 0);
    EXPECT_EQ(app->BugVersion(), 0);
    EXPECT_EQ(app->NonReleaseVersion(), 0);
    EXPECT_EQ(app->StageCode(), 0);
    EXPECT_FALSE(app->LongVersion().has_value());
    EXPECT_FALSE(app->ShortVersion().has_value());
    EXPECT_FALSE(app->PackageInfo().has_value());
    EXPECT_EQ(app->MenuBar().Get(), MainMenuBar().Get());
    EXPECT_TRUE(Application::SupportsHiDPI());

    Ref<Window> main = _GetImplicitWindow("WinMain.WinMain");
    ASSERT_FALSE(main.IsNil());
    EXPECT_TRUE(main->Visible());
    EXPECT_TRUE(main->NativeWindow()->isVisible());
    EXPECT_EQ(main->MenuBar().Get(), MainMenuBar().Get());
    EXPECT_TRUE(_GetImplicitWindow("Credits.Credits").IsNil());
}

TEST_F(Startup, TheApplicationObjectHandlesOnlyClose) {
    EXPECT_TRUE(App()->IsEventImplemented("Close"));
    EXPECT_FALSE(App()->IsEventImplemented("Open"));
    EXPECT_FALSE(App()->IsEventImplemented("Activate"));
}

TEST_F(Startup, QuitAppSwapsTheWindowsAndMakesTheCreditsWindowOnce) {
    App()->QuitApp();
    Ref<Window> credits = _GetImplicitWindow("Credits.Credits");
    ASSERT_FALSE(credits.IsNil());
    App()->QuitApp();
    EXPECT_EQ(_GetImplicitWindow("Credits.Credits").Get(), credits.Get());
    EXPECT_FALSE(WinMain()->Visible());
    EXPECT_TRUE(credits->Visible());
    EXPECT_TRUE(credits->NativeWindow()->isVisible());
    EXPECT_FALSE(WinMain()->NativeWindow()->isVisible());
    EXPECT_FALSE(RuntimeQuitRequested());
}

TEST(StartupWithoutMainWindow, QuitAppMakesTheMainWindowOnlyToHideIt) {
    InstallRecording();
    _EarlyStartup();
    ASSERT_TRUE(_GetImplicitWindow("WinMain.WinMain").IsNil());
    App()->QuitApp();
    ASSERT_FALSE(_GetImplicitWindow("WinMain.WinMain").IsNil());
    EXPECT_FALSE(WinMain()->Visible());
    EXPECT_FALSE(WinMain()->NativeWindow()->isVisible());
    EXPECT_TRUE(Credits()->Visible());
}

TEST(WholeRun, QuitFromTheEventLoopRunsCloseAndExitsWithZero) {
    auto services = std::make_unique<RecordingServices>();
    RecordingServices* recorded = services.get();
    Services::Install(std::move(services));
    bool loopRan = false;
    std::string reported;
    bool shownAfterFailure = false;
    QTimer::singleShot(50, [&] {
        loopRan = RuntimeLoopIsRunning();
        // A control handler that fails, with the exception hook in place as _Main installs it:
        // one line, and the program goes on.
        recorded->onCall = [](const RecordingServices::Call&) {
            throw NilObjectException("no browser");
        };
        testing::internal::CaptureStderr();
        QTest::mouseClick(WinMain()->btn_VisitWebsite()->View(), Qt::LeftButton);
        reported = testing::internal::GetCapturedStderr();
        recorded->onCall = nullptr;
        shownAfterFailure = WinMain()->NativeWindow()->isVisible() && !RuntimeQuitRequested();
        EXPECT_TRUE(WinMain()->_FileQuit_Action());
    });
    _Main();
    EXPECT_TRUE(loopRan);
    EXPECT_EQ(reported, "Dice Shaker: unhandled NilObjectException: no browser\n");
    EXPECT_TRUE(shownAfterFailure);
    EXPECT_EQ(RuntimeExitCode(), 0);
    EXPECT_DOUBLE_EQ(RuntimeToolchainVersion(), 2021.021);
    // The application's Close event ran the quit sequence once more on the way out.
    EXPECT_FALSE(WinMain()->Visible());
    EXPECT_TRUE(Credits()->Visible());
    EXPECT_EQ(UnhandledExceptionCount(), 1);
}

TEST(WholeRun, AFailedStartUpIsReportedOnceAndNeverRunsTheLoop) {
    InstallRecording();
    // Registered under the main window's class name before start-up asks for the main window.
    auto impostor = MakeRef<Impostor>();
    impostor->Constructor();
    bool loopRan = false;
    QTimer::singleShot(0, [&] { loopRan = true; });
    testing::internal::CaptureStderr();
    _Main();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(UnhandledExceptionCount(), 1);
    EXPECT_NE(printed.find("IllegalCastException"), std::string::npos) << printed;
    EXPECT_FALSE(loopRan);
    EXPECT_NE(RuntimeExitCode(), 0);
}

// A failure that takes the last window away leaves nothing to click: the run ends, and not
// with success.
TEST(WholeRun, AFailureThatLeavesNoWindowShownEndsTheRunWithOne) {
    InstallRecording();
    QTimer::singleShot(50, [] {
        RuntimeDispatch([] {
            WinMain()->SetVisible(false);
            throw NilObjectException("gone");
        });
    });
    QTimer::singleShot(3000, [] { Quit(0); });  // the bound on a run that would go on
    testing::internal::CaptureStderr();
    _Main();
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(RuntimeExitCode(), 1);
    EXPECT_NE(printed.find("NilObjectException: gone"), std::string::npos) << printed;
    EXPECT_NE(printed.find("no window is left"), std::string::npos) << printed;
}

// Whatever escapes the program's main, the finalisers run and the run does not report success.
TEST(WholeRun, AnExceptionOutOfMainStillRunsTheFinalisersAndFailsTheRun) {
    testing::internal::CaptureStderr();
    const int code = RunProgram([] {
        Shaker::pShaker = MakeRef<Shaker::cShaker>();
        QTimer::singleShot(0, [] { Quit(0); });
        _RuntimeRun();
        throw std::runtime_error("the report itself failed");
    });
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1);
    EXPECT_EQ(gExitCode, 1);
    EXPECT_TRUE(Shaker::pShaker.IsNil()) << "the finalisers did not run";
    EXPECT_NE(printed.find("the report itself failed"), std::string::npos) << printed;
}

// Qt ends the program with exit(1) when the display goes away, from inside the event loop. That
// way out ends the run with 1 and tears nothing down: the sound and speech engines crashed when
// they were destroyed there, after the display.
TEST(WholeRun, AnExitForALostDisplayEndsTheRunWithOneAndTearsNothingDown) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct AnnouncedServices : RecordingServices {
        ~AnnouncedServices() override { std::fputs("services torn down\n", stderr); }
    };
    EXPECT_EXIT(
        {
            Services::Install(std::make_unique<AnnouncedServices>());
            QTimer::singleShot(0, [] { std::exit(1); });
            _Main();
        },
        testing::ExitedWithCode(1), testing::Not(testing::HasSubstr("torn down")));
}
