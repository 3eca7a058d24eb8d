// Reads and sets the common controls of another process's windows. Messages
// whose parameters point at memory (list-view items, picker times, rectangles)
// are given memory inside the target process, which this side writes and
// reads back; text messages of edit and combo boxes are carried across by the
// system itself. Every call waits at most kControlTimeoutMs for the target.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace trellimux::test {

inline constexpr DWORD kControlTimeoutMs = 10000;

// A block of memory in another process, freed with this object.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size);
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory();

  explicit operator bool() const { return address_ != nullptr; }
  // The block's address as the target process sees it.
  LPARAM Address(std::size_t offset = 0) const {
    return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
  }
  bool Write(const void* data, std::size_t size, std::size_t offset = 0);
  bool Read(void* data, std::size_t size, std::size_t offset = 0) const;

 private:
  HANDLE process_;
  void* address_ = nullptr;
};

// A message sent and waited for; nullopt when the target did not answer.
std::optional<LRESULT> SendWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The whole text of a window (edit box, static, button, top-level caption),
// read with WM_GETTEXT; nullopt when the window did not answer.
std::optional<std::string> WindowText(HWND window);
bool SetWindowTextTo(HWND window, const std::string& text);

// Drop-down lists.
int ComboItemCount(HWND combo);
std::optional<std::string> ComboItemText(HWND combo, int index);
std::vector<std::string> ComboItems(HWND combo);
// The selected item, or nullopt when none is (or the list did not answer).
std::optional<int> ComboSelection(HWND combo);

// List views. Texts are read with the wide message: the ANSI one returns
// only the first character across processes.
int ListViewRowCount(HWND list);
std::optional<std::string> ListViewText(HANDLE process, HWND list, int row, int column);
// Every row's first `columns` texts.
std::vector<std::vector<std::string>> ListViewRows(HANDLE process, HWND list, int columns);
std::optional<int> ListViewSelection(HWND list);
bool IsListViewRowChecked(HWND list, int row);
// Ticks or clears a row's check box as a click on it does; the list notifies
// its parent while this waits.
bool SetListViewRowChecked(HANDLE process, HWND list, int row, bool checked);
// The centre of a cell in the list's client coordinates.
std::optional<POINT> ListViewCellCentre(HANDLE process, HWND list, int row, int column);

// Date and time pickers: the time of day (the date part is left at
// 1 January 2000).
bool SetPickerTime(HANDLE process, HWND picker, int hour, int minute, int second);
// "HH:MM:SS" of the picker's time, or nullopt when it has none.
std::optional<std::string> PickerTimeText(HANDLE process, HWND picker);

// A left click at a point of a window's client area, as the mouse makes it:
// button down, button up, each waited for (so not for a click that opens a
// modal loop).
bool SendLeftClick(HWND window, POINT point);

}  // namespace trellimux::test
