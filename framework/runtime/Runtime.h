#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Delegate.h"
#include "runtime/IllegalCastException.h"
#include "runtime/InvalidArgumentException.h"
#include "runtime/Invoker.h"
#include "runtime/Object.h"

// A module's start-up and shut-down work: class tables, module variables and what they hold.
struct ModuleInitializer {
    std::function<void()> initialize;
    std::function<void()> finalize;
};

using ExceptionHelper = std::function<std::exception_ptr(void (*)(void*), void*)>;

// Who the program is, for what the framework says and shows on its behalf.
struct ProgramIdentity {
    // As its users know it: window titles the framework makes, and every line it writes.
    std::string name;
    // The name the desktop knows the process by.
    std::string executableName;
    // A program that moves its own windows needs a display system that lets it do so: on Linux,
    // X whenever an X display is there, rather than Wayland.
    bool placesOwnWindows = false;
};
// Given before RuntimeInit.
void RuntimeSetProgramIdentity(ProgramIdentity identity);
const ProgramIdentity& RuntimeProgramIdentity();

// The process as its entry point was given it, taken first thing in main, before anything opens
// a file: descriptors 0 to 2 that are closed are opened on /dev/null (or the first files opened
// would become the program's stdout and stderr), a reader of stderr that goes away no longer ends
// the process, the name the program was started by is kept, and the main thread's stack marked.
void RuntimeStartProcess(int argc, char** argv);
// argv[0] as the program was started; empty when it was not started through RuntimeStartProcess.
const std::string& RuntimeStartedAs();

// One line on stderr in the program's voice: "<name>: <text>". Everything the framework and the
// program tell the user goes through here. Every byte of text that is not printable UTF-8 is
// written as \xHH (line breaks and tabs as \n and \t), so that no report can split into two
// lines or steer the terminal. A report that cannot be written is dropped.
void RuntimeReport(std::string_view text);

// Process life cycle. Without a display to show windows on, RuntimeInit says why in one line and
// ends the process with exit code 1.
void RuntimeInit();
void RuntimePerformInitializers(const std::vector<ModuleInitializer>& initializers);
void RuntimeSetToolchainVersion(double version);
double RuntimeToolchainVersion();
void _RuntimeSetExceptionHelper(ExceptionHelper helper);
std::exception_ptr _CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);
void _RuntimeInitExternalClasses();
void _RuntimeRegisterAppObject(const Ref<Object>& app);
Ref<Object> _GetAppObject();
void _RunFrameworkInitialization(const std::function<void()>& callback);
int _RuntimeRun();
bool RuntimeLoopIsRunning();
// The program's finalisers in reverse order, then the framework's own shut-down work.
void RuntimePerformFinalizers();
int RuntimeExit();

// Shut-down work of the framework's higher layers, handed to the runtime so that it never calls
// up into them; run by RuntimePerformFinalizers, the last handed over first.
void RuntimeAddFinalizer(std::function<void()> finalize);

// The one kept instance of a class, by its class name (windows are kept so), from when it is
// kept until the finalisers release it. Nil when none is kept.
void RuntimeKeepImplicitInstance(std::string_view className, const Ref<Object>& instance);
void RuntimeDropImplicitInstance(std::string_view className);
Ref<Object> RuntimeImplicitInstance(std::string_view className);

// Reports an exception that no handler caught: one line on stderr with its class and message.
void _UnhandledException(std::exception_ptr exception);
int UnhandledExceptionCount();

// The one boundary through which control events, menu commands, window events and timer ticks
// enter the program: no exception passes it. When one leaves the running program without a
// window on screen, nothing is left for the user to act on: it quits with exit code 1.
void RuntimeDispatch(const std::function<void()>& handler) noexcept;
void RuntimeBackgroundTask();

// Exit-code bookkeeping for Quit. A run that never reached its event loop and was never asked to
// quit ends with a non-zero code.
void RuntimeRequestQuit(int code);
bool RuntimeQuitRequested();
int RuntimeExitCode();

// Objects.
Ref<Object> RuntimeNewObject(const ClassInfo& cls);
bool _RuntimeIsEventHandled(const Ref<Object>& object, std::string_view className,
                            std::string_view eventName, bool inherited);

// A nil object passes through unchanged; an object of another class raises.
template <class T, class U>
Ref<T> RuntimeCheckCast(const Ref<U>& object) {
    if (object.IsNil()) return nullptr;
    if (auto cast = std::dynamic_pointer_cast<T>(object.Shared())) return Ref<T>(cast);
    throw IllegalCastException(object->GetClassInfo().Name() + " cannot be cast to " +
                               T::Class().Name());
}

namespace runtime_detail {
inline void CheckSignature(std::string_view expected, std::string_view given) {
    if (expected != given) {
        throw InvalidArgumentException("Delegate signature \"" + std::string(given) +
                                       "\" does not match \"" + std::string(expected) + "\"");
    }
}
}  // namespace runtime_detail

// The signature text must name the invoker's own; the flag (1 for control events, 0 for menu
// handlers) makes no difference in this framework.

// A delegate over a free function, with no target.
template <class R, class... Args>
Ref<Delegate<R(Args...)>> RuntimeCreateDelegate(const Invoker<R(Args...)>& invoker,
                                                R (*function)(Args...), std::nullptr_t,
                                                std::string_view signature, int /*flag*/) {
    runtime_detail::CheckSignature(invoker.signature, signature);
    return MakeRef<Delegate<R(Args...)>>(function);
}

// A delegate over a method, called through the object's table of virtual operations.
template <class T, class Target, class R, class... Args>
Ref<Delegate<R(Args...)>> RuntimeCreateDelegate(const Invoker<R(Args...)>& invoker,
                                                R (T::*method)(Args...), const Ref<Target>& target,
                                                std::string_view signature, int /*flag*/) {
    static_assert(std::is_base_of_v<T, Target>);
    runtime_detail::CheckSignature(invoker.signature, signature);
    std::weak_ptr<Target> weak = target.Shared();
    auto call = [weak, method](Args... args) -> R {
        std::shared_ptr<Target> self = weak.lock();
        if (!self) RaiseNilObjectException();
        return (self.get()->*method)(std::forward<Args>(args)...);
    };
    return MakeRef<Delegate<R(Args...)>>(std::move(call));
}
