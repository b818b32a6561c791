// The entry point of Sonvale-Brackwen.exe. The program takes no command line.
#include "app/main_window_win32.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
    return main_startup();
}
