// <windows.h> for every Windows file of the program, without the macros that rename its own names.
#pragma once

#include <windows.h>

// <windows.h> turns GetUserName into GetUserNameA. In a file that sees the macro, a call of the
// connection list's accessor would ask for a method that the list does not have (or, declared
// after the macro, one that the portable library never defines). The system call remains
// callable as GetUserNameA, the form this ANSI program uses for every call anyway.
#undef GetUserName
