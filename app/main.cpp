#include "app/Startup.h"

int main(int argc, char** argv) {
    RuntimeStartProcess(argc, argv);
    return RunProgram(&_Main);
}
