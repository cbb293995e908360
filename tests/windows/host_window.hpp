// The host's main window for the Windows test programs: made once per program,
// hidden, with the class the sound layer looks for. Linking host_window.cpp into a
// test program registers it as a GoogleTest environment.
#pragma once

#include <windows.h>

namespace windows_test {

// The test programs' names (gau_...) give the older host's class.
constexpr const char* host_window_class = "FS98MAIN";

// The window, once the environment is set up.
HWND host_window();

} // namespace windows_test
