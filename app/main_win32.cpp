// Zorvant_2: the program that operates the Kvar_2 temperature logger.
#include "app/main_window_win32.h"
#include "app/win32_api.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return zv::RunMainWindow(instance);
}
