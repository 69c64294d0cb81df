/* Holds Wine's default desktop open, so that test programs do not start (and wait for) its desktop process. */
#include <windows.h>

/* NOTE: being attached to the desktop is enough; no window, so tests never see or focus anything of ours. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
