#include "runtime/Runtime.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QWindow>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <map>

#include "runtime/DisplayDiagnosis.h"
#include "runtime/MainThreadStack.h"

namespace {

struct RuntimeState {
    ProgramIdentity identity;
    std::unique_ptr<QApplication> qtApp;
    ExceptionHelper exceptionHelper;
    Ref<Object> appObject;
    std::map<std::string, Ref<Object>, std::less<>> implicitInstances;
    std::vector<ModuleInitializer> modules;
    std::vector<std::function<void()>> frameworkFinalizers;
    double toolchainVersion = 0.0;
    bool loopRunning = false;
    bool loopHasRun = false;
    bool quitRequested = false;
    int exitCode = 0;
    int unhandledCount = 0;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

// QApplication keeps references to these for its whole life.
int gArgc = 1;
std::string gProgramName;
char* gArgv[] = {nullptr, nullptr};

void CallStdFunction(void* function) {
    (*static_cast<const std::function<void()>*>(function))();
}

// While Qt connects to the display it can only complain and give up: a fatal message, an abort,
// and advice to reinstall. Its messages are held back until the connection stands; a fatal one
// ends the program with one line that says what is wrong.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};
std::vector<HeldMessage> gHeldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        RuntimeReport(DisplayDiagnosis::Explain());
        std::_Exit(1);
    }
    gHeldMessages.push_back(
        {type, context.file, context.line, context.function, context.category, text});
}

// Qt ends the process with exit() when it loses the display (X's connection breaking, the window
// killed). The clean-up that exit() runs would then tear down windows after their display, and
// their application, are gone: a run that ends so ends here instead, at once, as a failed run.
void EndRunWithoutTeardown() {
    if (State().qtApp) std::_Exit(1);
}

void CreateQtApplication(RuntimeState& s) {
    gProgramName = s.identity.executableName;
    gArgv[0] = gProgramName.data();
    const QtMessageHandler previous = qInstallMessageHandler(&HoldMessage);
    s.qtApp = std::make_unique<QApplication>(gArgc, gArgv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& m : gHeldMessages) {
        const QMessageLogContext context(m.file, m.line, m.function, m.category);
        if (previous != nullptr) previous(m.type, context, m.text);
    }
    gHeldMessages.clear();
    // Registered after the state it guards was made, so that it runs before the state is torn
    // down. Statics made later are destroyed before it runs, after the display has gone: they may
    // hold plain data such as decoded pictures, but nothing that runs threads or talks to
    // devices, as the sound and speech engines do.
    std::atexit(&EndRunWithoutTeardown);
}

std::string& StartedAs() {
    static std::string name;
    return name;
}

// A signal that is caught, unlike one that is ignored, comes back to its default in the programs
// this one starts: the browser is not started with its broken pipes ignored.
void BrokenPipe(int /*signal*/) {}

// The length of the printable UTF-8 character that text starts with; 0 when its first byte is
// not part of one: not UTF-8, a control character (C0, DEL, C1), a line or paragraph separator,
// or a mark that reorders the text shown around it.
std::size_t PrintableCharacter(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead >= 0x20 && lead < 0x7f) return 1;
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xe0) == 0xc0) {
        length = 2, code = lead & 0x1f, least = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3, code = lead & 0x0f, least = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xc0) != 0x80) return 0;
        code = code << 6 | (next & 0x3f);
    }
    const bool invalid = code < least || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff);
    const bool control = code <= 0x9f || code == 0x2028 || code == 0x2029;
    const bool reordering = code == 0x061c || code == 0x200e || code == 0x200f ||
                            (code >= 0x202a && code <= 0x202e) ||
                            (code >= 0x2066 && code <= 0x2069);
    return invalid || control || reordering ? 0 : length;
}

// Writes it all, or as much as stderr takes: a closed pipe, a full disk or a closed stderr
// drops the rest.
void WriteToStderr(std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Whether the user still has a window of the program in front of them.
bool AnyWindowShown() {
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible()) return true;
    }
    return false;
}

}  // namespace

void RuntimeSetProgramIdentity(ProgramIdentity identity) {
    State().identity = std::move(identity);
}

const ProgramIdentity& RuntimeProgramIdentity() {
    return State().identity;
}

void RuntimeStartProcess(int argc, char** argv) {
    // open() takes the lowest free number: each closed one of 0 to 2 in turn.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", O_RDWR);
    }
    struct sigaction action {};
    action.sa_handler = &BrokenPipe;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGPIPE, &action, nullptr);
    if (argc > 0 && argv[0] != nullptr) StartedAs() = argv[0];
    MainThreadStack::MarkBase(argv);
}

const std::string& RuntimeStartedAs() {
    return StartedAs();
}

void RuntimeReport(std::string_view text) {
    std::string line = State().identity.name + ": ";
    while (!text.empty()) {
        const std::size_t length = PrintableCharacter(text);
        if (length > 0) {
            line += text.substr(0, length);
            text.remove_prefix(length);
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[0]);
        text.remove_prefix(1);
        if (byte == '\n') {
            line += "\\n";
        } else if (byte == '\t') {
            line += "\\t";
        } else {
            constexpr char kHex[] = "0123456789abcdef";
            line += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
        }
    }
    line += '\n';
    WriteToStderr(line);
}

void RuntimeInit() {
    RuntimeState& s = State();
    if (QCoreApplication::instance() != nullptr) return;
#ifdef Q_OS_LINUX
    // Wayland does not let a client place its own window: such a program takes X whenever an X
    // display is there, unless the user chose a platform.
    if (s.identity.placesOwnWindows && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
#endif
    CreateQtApplication(s);
    // Hiding the main window to show the credits window must never end the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

void RuntimePerformInitializers(const std::vector<ModuleInitializer>& initializers) {
    Object::Class();  // the framework's own class tables come first
    State().modules = initializers;
    for (const ModuleInitializer& m : initializers) {
        if (m.initialize) m.initialize();
    }
}

void RuntimeSetToolchainVersion(double version) {
    State().toolchainVersion = version;
}
double RuntimeToolchainVersion() {
    return State().toolchainVersion;
}

void _RuntimeSetExceptionHelper(ExceptionHelper helper) {
    State().exceptionHelper = std::move(helper);
}

std::exception_ptr _CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
    try {
        function(argument);
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

void _RuntimeInitExternalClasses() {}

void _RuntimeRegisterAppObject(const Ref<Object>& app) {
    State().appObject = app;
}
Ref<Object> _GetAppObject() {
    return State().appObject;
}

void RuntimeAddFinalizer(std::function<void()> finalize) {
    State().frameworkFinalizers.push_back(std::move(finalize));
}

void RuntimeKeepImplicitInstance(std::string_view className, const Ref<Object>& instance) {
    State().implicitInstances.insert_or_assign(std::string(className), instance);
}

void RuntimeDropImplicitInstance(std::string_view className) {
    auto& instances = State().implicitInstances;
    if (auto it = instances.find(className); it != instances.end()) instances.erase(it);
}

Ref<Object> RuntimeImplicitInstance(std::string_view className) {
    const auto& instances = State().implicitInstances;
    auto it = instances.find(className);
    return it == instances.end() ? nullptr : it->second;
}

void _RunFrameworkInitialization(const std::function<void()>& callback) {
    if (callback) callback();
}

int _RuntimeRun() {
    RuntimeState& s = State();
    // A quit requested before the loop (during start-up) must not be lost: exit() is ignored by
    // a loop that has not started yet.
    if (s.quitRequested) return s.exitCode;
    s.loopRunning = true;
    s.loopHasRun = true;
    const int code = QCoreApplication::exec();
    s.loopRunning = false;
    if (!s.quitRequested) s.exitCode = code;
    return s.exitCode;
}

bool RuntimeLoopIsRunning() {
    return State().loopRunning;
}

void RuntimePerformFinalizers() {
    RuntimeState& s = State();
    for (auto it = s.modules.rbegin(); it != s.modules.rend(); ++it) {
        if (it->finalize) it->finalize();
    }
    s.modules.clear();
    s.implicitInstances.clear();
    s.appObject = nullptr;
    for (auto it = s.frameworkFinalizers.rbegin(); it != s.frameworkFinalizers.rend(); ++it) {
        (*it)();
    }
}

int RuntimeExit() {
    RuntimeState& s = State();
    s.qtApp.reset();
    return RuntimeExitCode();
}

void _UnhandledException(std::exception_ptr exception) {
    RuntimeState& s = State();
    ++s.unhandledCount;
    std::string kind = "exception";
    std::string message;
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        kind = e.ClassName();
        message = e.what();
    } catch (const std::exception& e) {
        kind = "std::exception";
        message = e.what();
    } catch (...) {
        message = "unknown";
    }
    RuntimeReport("unhandled " + kind + ": " + message);
}

int UnhandledExceptionCount() {
    return State().unhandledCount;
}

void RuntimeDispatch(const std::function<void()>& handler) noexcept {
    bool failed = false;
    try {
        const ExceptionHelper& helper = State().exceptionHelper;
        if (helper) {
            void* argument = const_cast<void*>(static_cast<const void*>(&handler));
            if (std::exception_ptr raised = helper(&CallStdFunction, argument)) {
                failed = true;
                _UnhandledException(raised);
            }
        } else {
            handler();
        }
    } catch (...) {
        failed = true;
        _UnhandledException(std::current_exception());
    }
    // A failure that took the last window away would leave a process with nothing to click.
    if (failed && State().loopRunning && !RuntimeQuitRequested() && !AnyWindowShown()) {
        RuntimeReport("no window is left after that failure; quitting");
        RuntimeRequestQuit(1);
    }
}

void RuntimeBackgroundTask() {
    // The program runs on one thread; there is nothing to yield to.
}

void RuntimeRequestQuit(int code) {
    RuntimeState& s = State();
    s.quitRequested = true;
    s.exitCode = code;
    QCoreApplication::exit(code);
}

bool RuntimeQuitRequested() {
    return State().quitRequested;
}
int RuntimeExitCode() {
    const RuntimeState& s = State();
    // A run whose loop never started and that nobody asked to quit is a start-up that failed,
    // and must not report success.
    if (!s.loopHasRun && !s.quitRequested) return 1;
    return s.exitCode;
}

Ref<Object> RuntimeNewObject(const ClassInfo& cls) {
    return cls.NewObject();
}

bool _RuntimeIsEventHandled(const Ref<Object>& object, std::string_view className,
                            std::string_view eventName, bool /*inherited*/) {
    if (object.IsNil()) RaiseNilObjectException();
    const ClassInfo* cls = ClassInfo::Find(className);
    return cls != nullptr && object->GetClassInfo().IsA(*cls) && cls->ImplementsEvent(eventName);
}
