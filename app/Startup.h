#pragma once

#include <vector>

#include "runtime/Runtime.h"

// The program's spine, from the entry point to the exit code.
extern int gExitCode;

// The class tables and module variables of the program, in the order the runtime sets them up.
std::vector<ModuleInitializer> ProgramInitializers();

// Who the program is: its name, the name of its executable, and that it moves its own window.
ProgramIdentity Identity();

// The entry point's five steps around programMain (_Main in the program): the finalisers run and
// the exit code is non-zero whatever programMain lets escape.
int RunProgram(void (*programMain)());

void _Main();
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();
void _MakeDefaultView();
