#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/BundleResources.h"
#include "app/MainMenuBar.h"
#include "credits_window/Credits.h"
#include "dice_window/WinMain.h"
#include "platform/QtServices.h"
#include "runtime/Runtime.h"

namespace {

using MainWindow = dice_window::WinMain;
using Call = RecordingServices::Call;

const std::string kAppName = "Dice Shaker 1.0.0";
const std::string kCopyright = "Copyright 2026 Quorvane. All rights reserved.";
const std::string kWebsite = "https://www.quorvane.com/freeforfun";
const std::string kContact = "https://www.quorvane.com/write-us-now";
const std::string kPlaceholderName = "App Name Here";

Ref<Window> ExistingCreditsWindow() {
    return _GetImplicitWindow(credits_window::Credits::kClassName);
}

TEST(WinMainConstruction, HoldsPlaceholderTextsUntilOpened) {
    const Ref<MainWindow> unopened = MakeRef<MainWindow>();
    EXPECT_EQ(unopened->AppName, kPlaceholderName);
    EXPECT_EQ(unopened->WebsiteURL, "");
    EXPECT_EQ(unopened->ContactURL, "");
}

using WinMainTest = ProgramFixture;

TEST_F(WinMainTest, StartsWithOnlyTheFiveBoundControlsShowing) {
    const struct {
        const char* name;
        bool visible;
    } kControls[] = {
        {"lbl_Copyright", true}, {"btn_VisitWebsite", true}, {"btn_quit", true}, {"DiceLogo", true},
        {"Roll", true},          {"LDice1", false},          {"LDice2", false},  {"LDice3", false},
        {"LDice5", false},       {"LDice6", false},          {"RDice1", false},  {"RDice2", false},
        {"RDice3", false},       {"RDice4", false},          {"RDice5", false},  {"RDice6", false},
        {"LDice4", false},       {"lbl_shake_shake", false},
    };
    const Ref<MainWindow> w = ::WinMain();
    EXPECT_TRUE(w->Visible());
    EXPECT_TRUE(w->NativeWindow()->isVisible());
    ASSERT_EQ(w->ControlCount(), std::size(kControls));
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        SCOPED_TRACE(kControls[i].name);
        const Ref<RectControl> control = w->Control(i);
        EXPECT_EQ(control->Name(), kControls[i].name);
        EXPECT_EQ(control->Visible(), kControls[i].visible);
        ASSERT_NE(control->View(), nullptr);
        EXPECT_EQ(control->View()->isVisible(), kControls[i].visible);
        EXPECT_EQ(control->View()->isHidden(), !kControls[i].visible);
    }
}

TEST_F(WinMainTest, EveryCanvasHasItsBackdropAndBothDiceShareEachFace) {
    const Ref<MainWindow> w = ::WinMain();
    ASSERT_FALSE(dicesSmall2().IsNil());
    EXPECT_EQ(w->DiceLogo()->Backdrop().Get(), dicesSmall2().Get());
    const struct {
        Ref<Canvas> left, right;
        Ref<Picture> face;
    } kFaces[] = {
        {w->LDice1(), w->RDice1(), DDice1()}, {w->LDice2(), w->RDice2(), DDice2()},
        {w->LDice3(), w->RDice3(), DDice3()}, {w->LDice4(), w->RDice4(), DDice4()},
        {w->LDice5(), w->RDice5(), DDice5()}, {w->LDice6(), w->RDice6(), DDice6()},
    };
    for (std::size_t n = 0; n < std::size(kFaces); ++n) {
        SCOPED_TRACE("face " + std::to_string(n + 1));
        ASSERT_FALSE(kFaces[n].face.IsNil());
        EXPECT_EQ(kFaces[n].left->Backdrop().Get(), kFaces[n].face.Get());
        EXPECT_EQ(kFaces[n].right->Backdrop().Get(), kFaces[n].face.Get());
    }
    // One picture, two places and sizes.
    EXPECT_NE(w->LDice1()->Left(), w->RDice1()->Left());
    EXPECT_NE(w->LDice1()->Width(), w->RDice1()->Width());
}

// Starts the program from a copy of the bundle that lacks the picture of face three.
class WinMainWithoutFaceThree : public ProgramFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::remove(bundle.Resources() / "DDice3.svg"));
        ProgramFixture::SetUp();
    }

    BundleCopy bundle{BundleCopy::AllResources()};
};

TEST_F(WinMainWithoutFaceThree, OpensWithThatFacesCanvasesBare) {
    const Ref<MainWindow> w = ::WinMain();
    EXPECT_TRUE(w->NativeWindow()->isVisible());
    EXPECT_EQ(w->Title(), kAppName);
    EXPECT_EQ(w->ControlCount(), 18u);
    EXPECT_TRUE(w->LDice3()->Backdrop().IsNil());
    EXPECT_TRUE(w->RDice3()->Backdrop().IsNil());
    for (const Ref<Canvas>& present :
         {w->LDice1(), w->LDice2(), w->LDice4(), w->LDice5(), w->LDice6(), w->RDice1(), w->RDice2(),
          w->RDice4(), w->RDice5(), w->RDice6(), w->DiceLogo()}) {
        EXPECT_FALSE(present->Backdrop().IsNil()) << present->Name();
    }
}

TEST_F(WinMainTest, OpenSetsTitleCopyrightLineAndAddresses) {
    const Ref<MainWindow> w = ::WinMain();
    EXPECT_EQ(w->AppName, kAppName);
    EXPECT_EQ(w->Copyright, kCopyright);
    EXPECT_EQ(w->WebsiteURL, kWebsite);
    EXPECT_EQ(w->ContactURL, kContact);
    EXPECT_EQ(w->Title(), kAppName);
    EXPECT_EQ(w->NativeWindow()->windowTitle().toStdString(), kAppName);
    EXPECT_EQ(w->lbl_Copyright()->Value(), kCopyright);
    const auto* line = qobject_cast<QLabel*>(w->lbl_Copyright()->View());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text().toStdString(), kCopyright);
}

TEST_F(WinMainTest, AboutBoxHoldsExactlyTheAppName) {
    TriggerMenu(::WinMain()->NativeWindow(), "Help", "About");
    EXPECT_EQ(recorded->Calls(), (std::vector<Call>{{"MessageBox", kAppName}}));
    EXPECT_NE(::WinMain()->Title(), kPlaceholderName);
    EXPECT_TRUE(::WinMain()->_AboutMenu_Action());
    EXPECT_EQ(recorded->TextsOf("MessageBox"), (std::vector<std::string>{kAppName, kAppName}));

    // The desktop's own box: the name is its text, the product its title.
    Services::Install(std::make_unique<QtServices>());
    QString title, text;
    QTimer::singleShot(100, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no message box open";
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    TriggerMenu(::WinMain()->NativeWindow(), "Help", "About");
    EXPECT_EQ(text.toStdString(), kAppName);
    EXPECT_EQ(title.toStdString(), "Dice Shaker");
}

TEST_F(WinMainTest, EveryWebsiteRouteOpensTheWebsiteAndNeverTheContactPage) {
    const struct {
        const char* route;
        std::function<void()> run;
    } kRoutes[] = {
        {"copyright line press", [] { Press(::WinMain()->lbl_Copyright()); }},
        {"website button", [] { Click(::WinMain()->btn_VisitWebsite()); }},
        {"Help > Visit Our Website",
         [] { TriggerMenu(::WinMain()->NativeWindow(), "Help", "Visit Our Website"); }},
    };
    // Twice round: every press opens the address again.
    for (int round = 0; round < 2; ++round) {
        for (const auto& r : kRoutes) {
            SCOPED_TRACE(r.route);
            const std::size_t before = recorded->Calls().size();
            r.run();
            ASSERT_EQ(recorded->Calls().size(), before + 1);
            EXPECT_EQ(recorded->Calls().back(), (Call{"ShowURL", kWebsite}));
        }
    }
    const Ref<MainWindow> w = ::WinMain();
    EXPECT_FALSE(w->lbl_Copyright_MouseDown(w->lbl_Copyright(), 1, 1));
    EXPECT_TRUE(w->_VisitWebsite_Action());
    for (const std::string& address : recorded->TextsOf("ShowURL")) EXPECT_EQ(address, kWebsite);
    EXPECT_FALSE(RuntimeQuitRequested());
    EXPECT_TRUE(w->NativeWindow()->isVisible());
}

// The state that the quit button and the close button leave: still running, credits in front.
void ExpectCreditsReplacedMain(const Ref<MainWindow>& before) {
    EXPECT_FALSE(RuntimeQuitRequested());
    const Ref<MainWindow> w = ::WinMain();
    EXPECT_EQ(w.Get(), before.Get());
    EXPECT_FALSE(w->Visible());
    EXPECT_FALSE(w->NativeWindow()->isVisible());
    EXPECT_EQ(w->AppName, kAppName);
    EXPECT_EQ(w->WebsiteURL, kWebsite);
    EXPECT_EQ(w->ContactURL, kContact);
    ASSERT_FALSE(ExistingCreditsWindow().IsNil());
    EXPECT_TRUE(::Credits()->Visible());
    EXPECT_TRUE(::Credits()->NativeWindow()->isVisible());
}

TEST_F(WinMainTest, QuitButtonSwapsToCreditsAndKeepsRunning) {
    const Ref<MainWindow> before = ::WinMain();
    ASSERT_TRUE(ExistingCreditsWindow().IsNil());
    Click(before->btn_quit());
    ExpectCreditsReplacedMain(before);
}

TEST_F(WinMainTest, CloseRequestSwapsToCreditsAndKeepsRunning) {
    const Ref<MainWindow> before = ::WinMain();
    ASSERT_TRUE(ExistingCreditsWindow().IsNil());
    before->NativeWindow()->close();
    ExpectCreditsReplacedMain(before);
}

TEST_F(WinMainTest, FileQuitEndsWithCodeZeroAfterTheCloseEventRaisedCredits) {
    TriggerMenu(::WinMain()->NativeWindow(), "&File", "&Quit");
    EXPECT_TRUE(RuntimeQuitRequested());
    EXPECT_EQ(RuntimeExitCode(), 0);
    EXPECT_FALSE(::WinMain()->Visible());
    EXPECT_FALSE(::WinMain()->NativeWindow()->isVisible());
    ASSERT_FALSE(ExistingCreditsWindow().IsNil());
    EXPECT_TRUE(::Credits()->Visible());
    EXPECT_TRUE(recorded->Calls().empty());
}

TEST_F(WinMainTest, FileQuitHandlerTakesTheCommand) {
    const Ref<MainWindow> w = ::WinMain();
    EXPECT_TRUE(w->_FileQuit_Action());
    EXPECT_TRUE(RuntimeQuitRequested());
    EXPECT_EQ(RuntimeExitCode(), 0);
    EXPECT_TRUE(w->HandleMenuCommand(w->FileQuit()));
}

TEST_F(WinMainTest, RegistersExactlyThreeMenuHandlersInOrder) {
    EXPECT_EQ(::WinMain()->MenuHandlerNames(),
              (std::vector<std::string>{"AboutMenu", "FileQuit", "VisitWebsite"}));
}

TEST_F(WinMainTest, ImplementsExactlyFiveWindowEvents) {
    const std::set<std::string> implemented = {"AddMenuHandlers", "Close", "CreateControls",
                                               "Layout", "Open"};
    std::istringstream windowEvents(
        "Activate AddMenuHandlers CancelClose Close ConstructContextualMenu ContentsChanged "
        "ContextualMenuAction CreateControls Deactivate DragEnter DragExit DragOver DropObject "
        "EnableMenuItems KeyDown KeyUp Layout Maximize Minimize MouseDown MouseDrag MouseEnter "
        "MouseExit MouseMove MouseUp MouseWheel Moved Open Paint Resized Resizing Restore "
        "ScaleFactorChanged SetupBindings");
    const Ref<MainWindow> w = ::WinMain();
    int count = 0;
    for (std::string event; windowEvents >> event; ++count) {
        EXPECT_EQ(w->IsEventImplemented(event), implemented.contains(event)) << event;
    }
    EXPECT_EQ(count, 34);
}

TEST_F(WinMainTest, OnlyTheFiveBoundControlsAnswerPresses) {
    const Ref<MainWindow> w = ::WinMain();
    const struct {
        const char* name;
        int event;
    } kBound[] = {{"lbl_Copyright", Label::MouseDown.number},
                  {"btn_VisitWebsite", PushButton::Action.number},
                  {"btn_quit", PushButton::Action.number},
                  {"DiceLogo", Canvas::MouseDown.number},
                  {"Roll", PushButton::Action.number}};
    for (const auto& b : kBound) EXPECT_TRUE(w->_ControlByName(b.name)->HasEventHandler(b.event));

    std::vector<Ref<RectControl>> unbound = {w->lbl_shake_shake()};
    for (const Ref<Canvas>& face :
         {w->LDice1(), w->LDice2(), w->LDice3(), w->LDice4(), w->LDice5(), w->LDice6(), w->RDice1(),
          w->RDice2(), w->RDice3(), w->RDice4(), w->RDice5(), w->RDice6()}) {
        EXPECT_FALSE(face->HasEventHandler(Canvas::MouseDown.number)) << face->Name();
        unbound.push_back(face);
    }
    EXPECT_FALSE(w->lbl_shake_shake()->HasEventHandler(Label::MouseDown.number));
    for (const Ref<RectControl>& control : unbound) {
        control->SetVisible(true);
        Press(control, 10, 10);
    }
    EXPECT_TRUE(recorded->Calls().empty());
    EXPECT_FALSE(RuntimeQuitRequested());
    EXPECT_TRUE(ExistingCreditsWindow().IsNil());
}

TEST_F(WinMainTest, MenuItemAccessorsFindTheSharedBarsItemsByKind) {
    const Ref<MainWindow> w = ::WinMain();
    const struct {
        const char* name;
        std::function<Ref<MenuItem>()> get;
        const char* kind;
    } kItems[] = {
        {"HelpMenu", [&] { return w->HelpMenu(); }, "MenuItem"},
        {"VisitWebsite", [&] { return w->VisitWebsite(); }, "MenuItem"},
        {"AboutMenu", [&] { return w->AboutMenu(); }, "ApplicationMenuItem"},
        {"EditMenu", [&] { return w->EditMenu(); }, "MenuItem"},
        {"EditSelectAll", [&] { return w->EditSelectAll(); }, "MenuItem"},
        {"EditSeparator2", [&] { return w->EditSeparator2(); }, "MenuItem"},
        {"EditClear", [&] { return w->EditClear(); }, "MenuItem"},
        {"EditPaste", [&] { return w->EditPaste(); }, "MenuItem"},
        {"EditCopy", [&] { return w->EditCopy(); }, "MenuItem"},
        {"EditCut", [&] { return w->EditCut(); }, "MenuItem"},
        {"EditSeparator1", [&] { return w->EditSeparator1(); }, "MenuItem"},
        {"EditUndo", [&] { return w->EditUndo(); }, "MenuItem"},
        {"FileMenu", [&] { return w->FileMenu(); }, "MenuItem"},
        {"FileQuit", [&] { return w->FileQuit(); }, "QuitMenuItem"},
    };
    for (const auto& item : kItems) {
        SCOPED_TRACE(item.name);
        const Ref<MenuItem> found = item.get();
        ASSERT_FALSE(found.IsNil());
        EXPECT_EQ(found->Name(), item.name);
        EXPECT_EQ(found->GetClassInfo().Name(), item.kind);
        EXPECT_EQ(found.Get(), ::MainMenuBar()->_Lookup(item.name).Get());
    }
}

}  // namespace
