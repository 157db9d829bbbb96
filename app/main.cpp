#include "app/Startup.h"

int main() {
    RuntimeInit();
    RuntimePerformInitializers(ProgramInitializers());
    _Main();
    RuntimePerformFinalizers();
    gExitCode = RuntimeExit();
    return gExitCode;
}
