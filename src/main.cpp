#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "Quenmark Search", "Quenmark Search   1.0", MB_OK);
    return 0;
}
