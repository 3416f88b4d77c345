// State of the win32 backend shared by its units and the program entry.
#pragma once

#include <windows.h>

/// The program's instance, saved at entry; resources and the window class come from it.
extern HINSTANCE hInst;
