// The process entry of a windowed program: no console, arguments ignored.
#include <windows.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app::StartUp(); }
