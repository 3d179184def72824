// The controls of the main window, created in their start-up state.
#include "app/main_window_win32.h"
#include "app/wide_text_win32.h"
#include "base/text1250.h"
#include "base/value_tables.h"

namespace zv {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kListStyle = kChild | CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL;
constexpr int kClosedListHeight = 16;

constexpr auto kConnect = Cp1250(u8"Połącz");
constexpr auto kRead = Cp1250(u8"Odczytaj próbki");
constexpr auto kExport = Cp1250(u8"Eksportuj próbki");
constexpr auto kChart = Cp1250(u8"Rysuj wykres");
constexpr auto kAbout = Cp1250(u8"info");
constexpr auto kSaveConfig = Cp1250(u8"Zapisz konfigurację");

struct Placement {
  int id;
  int x, y, width, height;
};

HWND Create(const MainWindow& main, DWORD exStyle, const wchar_t* cls, const wchar_t* caption,
            DWORD style, const Placement& at) {
  return CreateWindowExW(exStyle, cls, caption, style, at.x, at.y, at.width, at.height, main.window,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(at.id)), main.instance,
                         nullptr);
}

void Hold(MainWindow& main, int id, HWND control) {
  const int slot = id - kFirstControlId;
  if (slot >= 0 && slot < kControlSlots) main.controls[slot] = control;
}

void SetFont(HWND control, HFONT font) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void CreateButton(MainWindow& main, const char* caption, bool enabled, const Placement& at) {
  const WideText<32> text(caption);
  const DWORD style = kChild | BS_PUSHBUTTON | (enabled ? 0 : WS_DISABLED);
  Hold(main, at.id, Create(main, 0, L"BUTTON", text.c_str(), style, at));
}

// An empty list with its font and closed-field height.
HWND CreateListControl(MainWindow& main, const Placement& at) {
  HWND list = Create(main, WS_EX_CLIENTEDGE, L"COMBOBOX", nullptr, kListStyle, at);
  Hold(main, at.id, list);
  SetFont(list, main.arial);
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kClosedListHeight);
  return list;
}

void AddItem(HWND list, const wchar_t* text) {
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// The table's entries in order (not its placeholder), item 0 selected.
template <typename Table>
void CreateList(MainWindow& main, const Table& table, const Placement& at) {
  HWND list = CreateListControl(main, at);
  for (std::size_t i = 0; i < Table::kCount; ++i) {
    AddItem(list, WideText<Table::kWidth + 1>(table.Entry(i), Table::kWidth).c_str());
  }
  SendMessageW(list, CB_SETCURSEL, 0, 0);
}

// The machine's ports, COM1 selected.
void CreatePortList(MainWindow& main, const PortChoices& ports, const Placement& at) {
  HWND list = CreateListControl(main, at);
  for (std::size_t i = 0; i < ports.Count(); ++i)
    AddItem(list, WideText<16>(ports.Text(i)).c_str());
  SendMessageW(list, CB_SETCURSEL, 0, 0);
}

}  // namespace

void CreateControls(MainWindow& main, const PortChoices& ports) {
  CreateButton(main, kConnect.c_str(), true, {ID_CONNECT, 100, 25, 75, 23});
  CreateButton(main, kRead.c_str(), false, {ID_READ, 25, 190, 200, 24});
  CreateButton(main, kExport.c_str(), false, {ID_EXPORT, 25, 224, 200, 24});
  CreateButton(main, kChart.c_str(), false, {ID_CHART, 25, 258, 200, 24});
  CreateButton(main, kAbout.c_str(), true, {ID_ABOUT, 25, 292, 200, 24});
  CreateButton(main, kSaveConfig.c_str(), false, {ID_SAVE_CONFIG, 273, 292, 200, 24});
  for (int id : {ID_CONNECT, ID_READ, ID_EXPORT, ID_CHART, ID_SAVE_CONFIG, ID_ABOUT}) {
    SetFont(main.Control(id), main.tahoma);
  }

  // The static loads "icon2" from the module by itself, named by its caption.
  Hold(main, ID_STATE_ICON,
       Create(main, WS_EX_CLIENTEDGE, L"STATIC", L"icon2", kChild | SS_ICON,
              {ID_STATE_ICON, 195, 20, 32, 32}));

  CreatePortList(main, ports, {ID_PORT, 20, 26, 65, 90});
  CreateList(main, StartDelayTexts, {ID_START_DELAY, 380, 25, 100, 90});
  CreateList(main, IntervalTexts, {ID_INTERVAL, 380, 69, 100, 90});
  CreateList(main, DurationTexts, {ID_DURATION, 380, 113, 100, 90});
  CreateList(main, ChannelModeTexts, {ID_CHANNELS, 380, 157, 100, 90});

  HWND edit = Create(main, WS_EX_CLIENTEDGE, L"EDIT", L"", kChild | ES_CENTER,
                     {ID_LOGGER_ID, 380, 201, 100, 21});
  Hold(main, ID_LOGGER_ID, edit);
  SetFont(edit, main.arial);

  Hold(
      main, ID_SIGNAL,
      Create(main, 0, L"BUTTON", nullptr, kChild | BS_AUTOCHECKBOX, {ID_SIGNAL, 280, 248, 13, 13}));

  const Placement groups[] = {{ID_GROUP_LINK, 8, 3, 237, 63},
                              {ID_GROUP_INFO, 8, 65, 237, 103},
                              {ID_GROUP_ACTIONS, 8, 168, 237, 162},
                              {ID_GROUP_CONFIG, 255, 3, 237, 327}};
  for (const Placement& at : groups) Create(main, 0, L"BUTTON", nullptr, kChild | BS_GROUPBOX, at);
}

}  // namespace zv
