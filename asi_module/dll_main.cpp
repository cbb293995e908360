// The library entry routine of the Windows airspeed module: it answers success for
// every reason it is called with and does nothing else.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
