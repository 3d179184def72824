// Start-up, the window procedure, the information panel's paint and the shut-down.
#include "app/main_window_win32.h"

#include <iterator>

#include "app/about_box_win32.h"
#include "app/chart_window_win32.h"
#include "app/command_dispatch.h"
#include "app/info_panel.h"
#include "app/window_ui_win32.h"
#include "link/configuration_write.h"
#include "link/download.h"
#include "link/serial_comm_win32.h"
#include "link/serial_win32.h"
#include "link/session.h"
#include "picture/picture_gdi_win32.h"
#include "samples/export_samples.h"

namespace zv {

namespace {

constexpr wchar_t kClassName[] = L"Zorvant_2";
constexpr wchar_t kTitle[] = L"Zorvant_2";
constexpr int kOuterWidth = 510;
constexpr int kOuterHeight = 371;

// The whole program state, in static storage: nothing is allocated while it runs.
MainWindow g_window;
PortChoices g_ports;
Win32Port g_port;
LoggerSession g_session(g_port);
SampleStore g_store;
WindowUi g_ui(g_window, g_ports);
PanelPicture g_panel;

// The port numbers of the machine's serial port map.
class PresentPorts final : public SerialCommVisitor {
 public:
  void Port(const char*, const char* name) override { numbers.AddName(name); }
  ComNumbers numbers;
};

class WindowOperations final : public ShellOperations {
 public:
  void ConnectOrDisconnect() override { zv::ConnectOrDisconnect(g_session, g_ui); }
  void RunDownload() override { zv::RunDownload(g_session, g_store, g_ui); }
  void ExportSamples() override { zv::ExportSamples(g_session.info, g_store.loaded, g_ui); }
  void ShowChart() override {
    zv::ShowChart(g_window.instance, g_window.window, g_store.loaded, g_session.info.channelMode);
  }
  void WriteConfiguration() override { zv::WriteConfiguration(g_session, g_ui); }
  void ShowAboutBox() override { zv::ShowAboutBox(g_window.instance, g_window.window); }
};
WindowOperations g_operations;

void OnCreate(HWND window) {
  g_window.window = window;
  g_window.disconnectedPicture = LoadIconW(g_window.instance, L"icon2");
  g_window.connectedPicture = LoadIconW(g_window.instance, L"icon3");
  g_window.arial = CreateScreenFont(kPanelArial);
  g_window.tahoma = CreateScreenFont(kPanelTahoma);
}

// The window keeps 510 x 371 wherever a size change leaves it. A minimised window is left
// alone, and the request's own size message does not start another.
bool g_keepingSize = false;

void KeepFixedSize(HWND window, WPARAM kind) {
  if (g_keepingSize || kind == SIZE_MINIMIZED) return;
  g_keepingSize = true;
  RECT at{};
  GetWindowRect(window, &at);
  if (kind == SIZE_MAXIMIZED) {
    // Back to a normal window where the maximise put it, so it can be moved and maximised again.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = {at.left, at.top, at.left + kOuterWidth, at.top + kOuterHeight};
    SetWindowPlacement(window, &placement);
  }
  SetWindowPos(window, HWND_TOP, 0, 0, kOuterWidth, kOuterHeight, SWP_NOMOVE | SWP_SHOWWINDOW);
  g_keepingSize = false;
}

void PaintPanel(HWND window) {
  BuildInfoPanel(g_session.info, g_panel);
  const GdiFont fonts[] = {{kPanelArial, g_window.arial}, {kPanelTahoma, g_window.tahoma}};
  GdiTools tools;
  tools.fonts = fonts;
  tools.fontCount = std::size(fonts);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  PlayPicture(dc, g_panel.View(), tools);
  EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      KeepFixedSize(window, wParam);
      return 0;
    case WM_PAINT:
      PaintPanel(window);
      return 0;
    case WM_DESTROY:
      CloseAtExit(g_session);
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      if (DispatchCommand(LOWORD(wParam), g_operations) == Dispatched::Handled) {
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMainClass(HINSTANCE instance) {
  WNDCLASSW cls{};
  cls.style = 0;
  cls.lpfnWndProc = MainWindowProc;
  cls.hInstance = instance;
  cls.hIcon = LoadIconW(instance, L"icon1");
  cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
  cls.lpszClassName = kClassName;
  return RegisterClassW(&cls) != 0;
}

// Without its window the program cannot be used: say so, rather than wait unseen for ever.
int FailStart() {
  MessageBoxW(nullptr, L"Nie można utworzyć okna programu.", kTitle, MB_OK | MB_ICONHAND);
  return kExitNoWindow;
}

}  // namespace

int RunMainWindow(HINSTANCE instance) {
  g_window.instance = instance;
  // The port list as the machine has it when the window opens.
  PresentPorts present;
  VisitSerialCommMap(present);
  g_ports.Build(present.numbers);
  if (!RegisterMainClass(instance)) return FailStart();
  // The creation message runs inside this call, so both fonts exist before any control.
  const HWND window = CreateWindowExW(
      WS_EX_CLIENTEDGE, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
      CW_USEDEFAULT, kOuterWidth, kOuterHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return FailStart();
  CreateControls(g_window, g_ports);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  g_session.connected = false;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }

  DeleteObject(g_window.arial);
  DeleteObject(g_window.tahoma);
  return 0;
}

}  // namespace zv
