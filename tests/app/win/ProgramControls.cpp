#include "app/win/ProgramControls.h"

#include <commctrl.h>

namespace trellimux::test {
namespace {

constexpr int kTextCapacity = 1024;  // characters of a list-view cell read back

std::string Narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(size - 1));
  return narrow;
}

}  // namespace

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size) : process_(process) {
  address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) {
  SIZE_T written = 0;
  return address_ &&
         WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size,
                            &written) &&
         written == size;
}

bool RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
  SIZE_T read = 0;
  return address_ &&
         ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &read) &&
         read == size;
}

std::optional<LRESULT> SendWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kControlTimeoutMs,
                           &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

std::optional<std::string> WindowText(HWND window) {
  const std::optional<LRESULT> length = SendWait(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::string text(static_cast<std::size_t>(*length) + 1, '\0');
  const std::optional<LRESULT> copied =
      SendWait(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  text.resize(static_cast<std::size_t>(*copied));
  return text;
}

bool SetWindowTextTo(HWND window, const std::string& text) {
  const std::optional<LRESULT> done =
      SendWait(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return done && *done != 0;
}

int ComboItemCount(HWND combo) {
  const std::optional<LRESULT> count = SendWait(combo, CB_GETCOUNT, 0, 0);
  return count && *count > 0 ? static_cast<int>(*count) : 0;
}

std::optional<std::string> ComboItemText(HWND combo, int index) {
  // Read wide: across processes the ANSI message hands back the wide text.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kControlTimeoutMs,
                           &length) ||
      static_cast<LRESULT>(length) == CB_ERR)
    return std::nullopt;
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kControlTimeoutMs, &copied) ||
      static_cast<LRESULT>(copied) == CB_ERR)
    return std::nullopt;
  text.resize(copied);
  return Narrow(text.c_str());
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const int count = ComboItemCount(combo);
  for (int index = 0; index < count; ++index)
    items.push_back(ComboItemText(combo, index).value_or(""));
  return items;
}

std::optional<int> ComboSelection(HWND combo) {
  const std::optional<LRESULT> selection = SendWait(combo, CB_GETCURSEL, 0, 0);
  if (!selection || *selection < 0) return std::nullopt;
  return static_cast<int>(*selection);
}

int ListViewRowCount(HWND list) {
  const std::optional<LRESULT> count = SendWait(list, LVM_GETITEMCOUNT, 0, 0);
  return count && *count > 0 ? static_cast<int>(*count) : 0;
}

std::optional<std::string> ListViewText(HANDLE process, HWND list, int row, int column) {
  RemoteMemory memory(process, sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
  if (!memory) return std::nullopt;
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(memory.Address(sizeof item));
  item.cchTextMax = kTextCapacity;
  const wchar_t empty = L'\0';
  if (!memory.Write(&item, sizeof item) || !memory.Write(&empty, sizeof empty, sizeof item))
    return std::nullopt;
  if (!SendWait(list, LVM_GETITEMTEXTW, row, memory.Address())) return std::nullopt;
  wchar_t text[kTextCapacity + 1] = {};
  if (!memory.Read(text, kTextCapacity * sizeof(wchar_t), sizeof item)) return std::nullopt;
  return Narrow(text);
}

std::vector<std::vector<std::string>> ListViewRows(HANDLE process, HWND list, int columns) {
  std::vector<std::vector<std::string>> rows;
  const int count = ListViewRowCount(list);
  for (int row = 0; row < count; ++row) {
    std::vector<std::string>& texts = rows.emplace_back();
    for (int column = 0; column < columns; ++column)
      texts.push_back(ListViewText(process, list, row, column).value_or("<no answer>"));
  }
  return rows;
}

std::optional<int> ListViewSelection(HWND list) {
  const std::optional<LRESULT> row =
      SendWait(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  if (!row || *row < 0) return std::nullopt;
  return static_cast<int>(*row);
}

bool IsListViewRowChecked(HWND list, int row) {
  const std::optional<LRESULT> state = SendWait(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
  return state && ((*state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool SetListViewRowChecked(HANDLE process, HWND list, int row, bool checked) {
  RemoteMemory memory(process, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  if (!memory.Write(&item, sizeof item)) return false;
  const std::optional<LRESULT> done = SendWait(list, LVM_SETITEMSTATE, row, memory.Address());
  return done && *done != 0 && IsListViewRowChecked(list, row) == checked;
}

std::optional<POINT> ListViewCellCentre(HANDLE process, HWND list, int row, int column) {
  RemoteMemory memory(process, sizeof(RECT));
  RECT cell{};
  cell.top = column;
  cell.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  if (!memory.Write(&cell, sizeof cell)) return std::nullopt;
  const std::optional<LRESULT> done = SendWait(list, LVM_GETSUBITEMRECT, row, memory.Address());
  if (!done || *done == 0 || !memory.Read(&cell, sizeof cell)) return std::nullopt;
  return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

bool SetPickerTime(HANDLE process, HWND picker, int hour, int minute, int second) {
  SYSTEMTIME time{};
  time.wYear = 2000;
  time.wMonth = 1;
  time.wDay = 1;
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  RemoteMemory memory(process, sizeof time);
  if (!memory.Write(&time, sizeof time)) return false;
  const std::optional<LRESULT> done =
      SendWait(picker, DTM_SETSYSTEMTIME, GDT_VALID, memory.Address());
  return done && *done != 0;
}

std::optional<std::string> PickerTimeText(HANDLE process, HWND picker) {
  SYSTEMTIME time{};
  RemoteMemory memory(process, sizeof time);
  if (!memory.Write(&time, sizeof time)) return std::nullopt;
  const std::optional<LRESULT> kind = SendWait(picker, DTM_GETSYSTEMTIME, 0, memory.Address());
  if (!kind || *kind != GDT_VALID || !memory.Read(&time, sizeof time)) return std::nullopt;
  char text[16];
  wsprintfA(text, "%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
  return std::string(text);
}

bool SendLeftClick(HWND window, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  return SendWait(window, WM_LBUTTONDOWN, MK_LBUTTON, at) && SendWait(window, WM_LBUTTONUP, 0, at);
}

}  // namespace trellimux::test
