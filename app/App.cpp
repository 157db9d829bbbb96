#include "app/App.h"

#include "credits_window/Credits.h"
#include "dice_window/WinMain.h"
#include "runtime/Runtime.h"

namespace app {

const ClassInfo& App::Class() {
    static const ClassInfo info("App", &Application::Class(), {}, {"Close"},
                                [] { return Ref<Object>(MakeRef<App>()); });
    return info;
}

void App::Event_Close() {
    QuitApp();
}

void App::QuitApp() {
    ::WinMain()->SetVisible(false);
    ::Credits()->SetVisible(true);
}

bool App::IsEventImplemented(std::string_view eventName) {
    return _RuntimeIsEventHandled(Self<Object>(), "App", eventName, true);
}

}  // namespace app

Ref<app::App> App() {
    return RuntimeCheckCast<app::App>(_GetAppObject());
}
