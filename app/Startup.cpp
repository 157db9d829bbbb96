#include "app/Startup.h"

#include <exception>
#include <string>

#include "app/App.h"
#include "app/BundleResources.h"
#include "app/MainMenuBar.h"
#include "credits_window/Credits.h"
#include "dice_window/Shaker.h"
#include "dice_window/WinMain.h"
#include "platform/QtServices.h"
#include "ui/Application.h"

int gExitCode = 0;

namespace {

constexpr Invoker<std::exception_ptr(void (*)(void*), void*)> kExceptionHelperInvoker{
    "( Ptr, Ptr ) as Object"};
constexpr Invoker<void()> kLateStartupInvoker{"(  )"};

void ClassTable(const ClassInfo& (*describe)()) {
    describe();
}

}  // namespace

std::vector<ModuleInitializer> ProgramInitializers() {
    return {
        {[] { ClassTable(&app::App::Class); }, {}},
        {[] { ClassTable(&dice_window::WinMain::Class); }, {}},
        {[] { app::MainMenuBar::_implicitInstance = nullptr; },
         [] { app::MainMenuBar::_implicitInstance = nullptr; }},
        {[] { ClassTable(&app::MainMenuBar::Class); }, {}},
        {[] { ClassTable(&credits_window::Credits::Class); }, {}},
        {[] { ClassTable(&Shaker::cShaker::Class); }, {}},
        // The timer must be gone before the event system it ticks on.
        {[] { Shaker::pShaker = nullptr; }, [] { Shaker::pShaker = nullptr; }},
        {[] { app::diceshake::loaded = false; }, {}},
        {[] { app::diceshake::permaSound = nullptr; },
         [] { app::diceshake::permaSound = nullptr; }},
    };
}

ProgramIdentity Identity() {
    // The shake moves the window, which Wayland does not let a program do.
    return {.name = "Dice Shaker", .executableName = "DiceShaker", .placesOwnWindows = true};
}

int RunProgram(void (*programMain)()) {
    RuntimeSetProgramIdentity(Identity());
    RuntimeInit();
    RuntimePerformInitializers(ProgramInitializers());
    bool escaped = false;
    try {
        programMain();
    } catch (const std::exception& e) {
        // Only when the unhandled-exception report itself failed: say what is known, plainly.
        escaped = true;
        RuntimeReport(e.what());
    } catch (...) {
        escaped = true;
        RuntimeReport("unknown failure");
    }
    RuntimePerformFinalizers();
    gExitCode = RuntimeExit();
    if (escaped && gExitCode == 0) gExitCode = 1;
    return gExitCode;
}

void _Main() {
    Ref<Delegate<std::exception_ptr(void (*)(void*), void*)>> helper;
    Ref<Delegate<void()>> lateStartup;
    try {
        helper = RuntimeCreateDelegate(kExceptionHelperInvoker, &_CallFunctionWithExceptionHandling,
                                       nullptr, "( Ptr, Ptr ) as Object", 0);
        _RuntimeSetExceptionHelper(helper->Address());
        helper = nullptr;
        RuntimeSetToolchainVersion(2021.021);
        _EarlyStartup();
        lateStartup = RuntimeCreateDelegate(kLateStartupInvoker, &_LateStartup, nullptr, "(  )", 0);
        _RunFrameworkInitialization(lateStartup->Address());
        lateStartup = nullptr;
        _RuntimeRun();
    } catch (...) {
        helper = nullptr;
        lateStartup = nullptr;
        _UnhandledException(std::current_exception());
    }
}

void _EarlyStartup() {
    Application::_SetSupportsHiDPI(true);
    _RuntimeInitExternalClasses();
    _InitPluginEntrypoints();
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
}

void _InitFileTypes() {}

void _NewAppInstance() {
    Ref<app::App> app = RuntimeCheckCast<app::App>(RuntimeNewObject(app::App::Class()));
    app->Constructor();
    app->_x_SetVersionData(1, 0, 0, 0, 0, std::nullopt, std::nullopt, std::nullopt);
    app->_SanityCheckWDDM();
    app->SetMenuBar(::MainMenuBar());
    _RuntimeRegisterAppObject(app);
    // No colour panel is ever opened, so there is none to close.
}

void _ApplicationAddMenuHandlers() {}

void _LateStartup() {
    _MakeDefaultView();
}

void _MakeDefaultView() {
    ::WinMain();
}
