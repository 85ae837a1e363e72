#include <windows.h>

#include "panel/panel_window_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return korrelin::StartProgram(instance);
}
