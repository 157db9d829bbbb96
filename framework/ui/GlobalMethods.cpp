#include "ui/GlobalMethods.h"

#include "platform/Services.h"
#include "runtime/Runtime.h"
#include "ui/Application.h"

void ShowURL(const std::string& address) {
    Services::Current().ShowURL(address);
}

void MessageBox(const std::string& text) {
    Services::Current().MessageBox(text);
}

void Quit(int code) {
    if (RuntimeQuitRequested()) return;
    if (Ref<Application> app = RuntimeCheckCast<Application>(_GetAppObject())) {
        RuntimeDispatch([&app] { app->Event_Close(); });
    }
    RuntimeRequestQuit(code);
}
