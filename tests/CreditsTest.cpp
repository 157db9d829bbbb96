#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/BundleResources.h"
#include "app/MainMenuBar.h"
#include "credits_window/Credits.h"
#include "dice_window/WinMain.h"
#include "runtime/Runtime.h"

namespace {

using CreditsWindow = credits_window::Credits;
using Call = RecordingServices::Call;

const std::string kAppName = "Dice Shaker 1.0.0";
const std::string kWebsite = "https://www.quorvane.com/freeforfun";
const std::string kContact = "https://www.quorvane.com/write-us-now";

const std::string kThanks =
    "Thank you for using free software from Quorvane\r\r"
    "If you enjoy this software, please share  it with others. If you would like to see more "
    "software like this, please let us know if you enjoyed it and suggest other topics of "
    "interest. \r\r"
    "\r\r"
    "If you would like to support the author, contributions of any size are welcome.";

// The credits window in front, as the main window's quit leaves it.
Ref<CreditsWindow> CreditsInFront() {
    ::App()->QuitApp();
    return ::Credits();
}

using CreditsTest = ProgramFixture;

TEST_F(CreditsTest, OneWindowBuiltHiddenOnFirstUse) {
    ASSERT_TRUE(_GetImplicitWindow(CreditsWindow::kClassName).IsNil());
    const Ref<CreditsWindow> first = ::Credits();
    EXPECT_FALSE(_GetImplicitWindow(CreditsWindow::kClassName).IsNil());
    EXPECT_FALSE(first->Visible());
    EXPECT_FALSE(first->NativeWindow()->isVisible());
    EXPECT_TRUE(::WinMain()->NativeWindow()->isVisible());

    const Ref<CreditsWindow> second = ::Credits();
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(second->ControlCount(), 5u);
    EXPECT_EQ(second->ContentArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 5);

    EXPECT_EQ(CreditsInFront().Get(), first.Get());
    EXPECT_TRUE(first->NativeWindow()->isVisible());
}

TEST_F(CreditsTest, FixedSizeTitledWindowWithoutCloseButton) {
    const Ref<CreditsWindow> c = CreditsInFront();
    EXPECT_EQ(c->Title(), "Credits");
    EXPECT_EQ(c->NativeWindow()->windowTitle(), "Credits");
    EXPECT_EQ(c->Width(), 830);
    EXPECT_EQ(c->Height(), 618);
    EXPECT_FALSE(c->Resizeable());
    EXPECT_FALSE(c->HasCloseButton());
    EXPECT_EQ(c->MenuBar().Get(), ::MainMenuBar().Get());
    const Qt::WindowFlags flags = c->NativeWindow()->windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));

    QWidget* content = c->ContentArea();
    EXPECT_EQ(content->size(), QSize(830, 618));
    c->NativeWindow()->resize(1200, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(content->size(), QSize(830, 618));
    EXPECT_EQ(content->minimumSize(), content->maximumSize());
}

TEST_F(CreditsTest, ControlsStandInCreationAndTabOrder) {
    const struct {
        const char* name;
        const char* caption;  // null for the label and the canvas
    } kControls[] = {{"lbl_Credits", nullptr},
                     {"Canvas1", nullptr},
                     {"btn_VisitOurWebsite", "Visit Our Website"},
                     {"btn_exit", "Exit"},
                     {"btn_contactUs", "Contact Us Now"}};
    const Ref<CreditsWindow> c = ::Credits();
    ASSERT_EQ(c->ControlCount(), std::size(kControls));
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        SCOPED_TRACE(kControls[i].name);
        const Ref<RectControl> control = c->Control(i);
        EXPECT_EQ(control->Name(), kControls[i].name);
        EXPECT_EQ(control->TabIndex(), static_cast<std::int64_t>(i));
        EXPECT_TRUE(control->Visible());
        if (kControls[i].caption == nullptr) continue;
        EXPECT_EQ(RuntimeCheckCast<PushButton>(control)->Caption(), kControls[i].caption);
        const auto* button = qobject_cast<QPushButton*>(control->View());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), kControls[i].caption);
    }
}

TEST_F(CreditsTest, LogoCanvasIsTransparentWithTheMakersLogo) {
    const Ref<Canvas> logo = ::Credits()->Canvas1();
    EXPECT_TRUE(logo->Transparent());
    EXPECT_FALSE(logo->View()->autoFillBackground());
    ASSERT_FALSE(logo->Backdrop().IsNil());
    EXPECT_EQ(logo->Backdrop().Get(), QuorvaneUpdatedLogosmall().Get());
}

TEST_F(CreditsTest, ThankYouTextArrivesByteForByte) {
    const Ref<Label> label = ::Credits()->lbl_Credits();
    EXPECT_EQ(label->Text(), kThanks);
    EXPECT_EQ(std::count(label->Text().begin(), label->Text().end(), '\r'), 6);
    EXPECT_EQ(label->Text().find('\n'), std::string::npos);
    EXPECT_EQ(label->Font().name, "verdena");
    EXPECT_TRUE(label->Font().bold);
    EXPECT_TRUE(label->Font().italic);
    EXPECT_FLOAT_EQ(label->Font().size, 16.0F);
    EXPECT_TRUE(label->MultiLine());

    const auto* view = qobject_cast<QLabel*>(label->View());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->text(), QString::fromStdString(kThanks).replace(QChar('\r'), QChar('\n')));
    EXPECT_TRUE(view->wordWrap());
    EXPECT_TRUE(view->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(view->font().family(), "verdena");
    EXPECT_TRUE(view->font().bold());
    EXPECT_TRUE(view->font().italic());
    EXPECT_EQ(view->font().pixelSize(), 16);
}

TEST_F(CreditsTest, WebsiteRoutesOpenTheWebsiteAndOnlyContactOpensTheContactPage) {
    const Ref<CreditsWindow> c = CreditsInFront();
    const struct {
        const char* route;
        std::function<void()> run;
        std::string address;
    } kRoutes[] = {
        {"logo press, near corner", [&] { Press(c->Canvas1(), 2, 2); }, kWebsite},
        {"logo press, far corner", [&] { Press(c->Canvas1(), 285, 164); }, kWebsite},
        {"Visit Our Website button", [&] { Click(c->btn_VisitOurWebsite()); }, kWebsite},
        {"Help > Visit Our Website",
         [&] { TriggerMenu(c->NativeWindow(), "Help", "Visit Our Website"); }, kWebsite},
        {"Contact Us Now button", [&] { Click(c->btn_contactUs()); }, kContact},
    };
    for (const auto& r : kRoutes) {
        SCOPED_TRACE(r.route);
        const std::size_t before = recorded->Calls().size();
        r.run();
        ASSERT_EQ(recorded->Calls().size(), before + 1);
        EXPECT_EQ(recorded->Calls().back(), (Call{"ShowURL", r.address}));
    }
    const std::vector<std::string> opened = recorded->TextsOf("ShowURL");
    EXPECT_EQ(std::count(opened.begin(), opened.end(), kContact), 1);
    EXPECT_FALSE(c->Canvas1_MouseDown(c->Canvas1(), 0, 0));
    EXPECT_TRUE(c->_VisitWebsite_Action());
    EXPECT_FALSE(RuntimeQuitRequested());
}

TEST_F(CreditsTest, AboutShowsTheAppNameReadFromTheHiddenMainWindow) {
    CreditsInFront();
    bool mainShownDuringAbout = true;
    recorded->onCall = [&](const Call&) {
        mainShownDuringAbout = ::WinMain()->NativeWindow()->isVisible();
    };
    TriggerMenu(::Credits()->NativeWindow(), "Help", "About");
    EXPECT_EQ(recorded->Calls(), (std::vector<Call>{{"MessageBox", kAppName}}));
    EXPECT_FALSE(mainShownDuringAbout);
}

TEST_F(CreditsTest, ExitQuitsWithCodeZero) {
    const Ref<CreditsWindow> c = CreditsInFront();
    Click(c->btn_exit());
    EXPECT_TRUE(RuntimeQuitRequested());
    EXPECT_EQ(RuntimeExitCode(), 0);
    // Quitting fires the application's Close event, whose quit sequence leaves credits in front.
    EXPECT_TRUE(c->NativeWindow()->isVisible());
    EXPECT_FALSE(::WinMain()->NativeWindow()->isVisible());
    EXPECT_TRUE(recorded->Calls().empty());
}

TEST_F(CreditsTest, OnlyTheLogoAndButtonsAnswer) {
    const Ref<CreditsWindow> c = CreditsInFront();
    EXPECT_FALSE(c->lbl_Credits()->HasEventHandler(Label::MouseDown.number));
    EXPECT_TRUE(c->Canvas1()->HasEventHandler(Canvas::MouseDown.number));
    for (const Ref<PushButton>& b : {c->btn_VisitOurWebsite(), c->btn_exit(), c->btn_contactUs()}) {
        EXPECT_TRUE(b->HasEventHandler(PushButton::Action.number)) << b->Name();
    }
    Click(c->lbl_Credits());
    EXPECT_TRUE(recorded->Calls().empty());
    EXPECT_FALSE(RuntimeQuitRequested());
}

TEST_F(CreditsTest, EditItemsReachNoHandlerOfTheProgram) {
    const Ref<CreditsWindow> c = CreditsInFront();
    EXPECT_EQ(c->MenuHandlerNames(), (std::vector<std::string>{"AboutMenu", "VisitWebsite"}));
    const struct {
        const char* caption;
        Ref<MenuItem> item;
    } kEditItems[] = {{"&Undo", c->EditUndo()},    {"Cu&t", c->EditCut()},
                      {"&Copy", c->EditCopy()},    {"&Paste", c->EditPaste()},
                      {"&Delete", c->EditClear()}, {"Select &All", c->EditSelectAll()}};
    for (const auto& e : kEditItems) {
        SCOPED_TRACE(e.caption);
        TriggerMenu(c->NativeWindow(), "&Edit", e.caption);
        EXPECT_FALSE(c->HandleMenuCommand(e.item));
    }
    EXPECT_TRUE(recorded->Calls().empty());
    EXPECT_FALSE(RuntimeQuitRequested());
    EXPECT_TRUE(c->NativeWindow()->isVisible());
}

TEST_F(CreditsTest, FileQuitFallsBackToTheQuitItemsDefault) {
    const Ref<CreditsWindow> c = CreditsInFront();
    EXPECT_EQ(c->FileQuit()->GetClassInfo().Name(), "QuitMenuItem");
    EXPECT_EQ(c->AboutMenu()->GetClassInfo().Name(), "ApplicationMenuItem");
    TriggerMenu(c->NativeWindow(), "&File", "&Quit");
    EXPECT_TRUE(RuntimeQuitRequested());
    EXPECT_EQ(RuntimeExitCode(), 0);
    EXPECT_FALSE(c->HandleMenuCommand(c->FileQuit()));
    EXPECT_TRUE(recorded->Calls().empty());
}

TEST_F(CreditsTest, IgnoresACloseRequest) {
    const Ref<CreditsWindow> c = CreditsInFront();
    c->NativeWindow()->close();
    EXPECT_TRUE(c->Visible());
    EXPECT_TRUE(c->NativeWindow()->isVisible());
    EXPECT_FALSE(::WinMain()->NativeWindow()->isVisible());
    EXPECT_FALSE(RuntimeQuitRequested());
}

TEST_F(CreditsTest, ImplementsOnlyItsThreeBuildingEvents) {
    const Ref<CreditsWindow> c = ::Credits();
    for (const char* event : {"AddMenuHandlers", "CreateControls", "Layout"}) {
        EXPECT_TRUE(c->IsEventImplemented(event)) << event;
    }
    for (const char* event : {"Open", "Close", "Paint", "MouseDown"}) {
        EXPECT_FALSE(c->IsEventImplemented(event)) << event;
    }
}

TEST_F(CreditsTest, ExitEndsTheRealEventLoopWithCodeZero) {
    CreditsInFront();
    QTimer::singleShot(0, [] { Click(::Credits()->btn_exit()); });
    // A loop that Exit failed to end stops here with a code the check rejects.
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(_RuntimeRun(), 0);
    EXPECT_TRUE(RuntimeQuitRequested());
}

}  // namespace
