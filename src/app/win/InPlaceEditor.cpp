#include "app/win/InPlaceEditor.h"

#include <commctrl.h>

#include <string>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/SharedResources.h"
#include "app/win/StreamTableView.h"
#include "app/win/TableCommands.h"

namespace trellimux {
namespace {

struct EditorState {
  HWND window = nullptr;
  WNDPROC editProcedure = nullptr;
  Page page = Page::Convert;
  int row = 0;
  int column = 0;
};

EditorState editor;

// Stores the typed text in the recorded cell, then shows and rebuilds.
void StoreAndClose() {
  const std::optional<PageTableLists> lists = TablesOfPage(editor.page);
  const std::string text = WindowTextOf(editor.window);
  const std::size_t row = static_cast<std::size_t>(editor.row);
  CloseInPlaceEditor();
  if (!lists) return;
  StreamTable& parameters = lists->tables.ParameterTable();
  if (row >= parameters.RowCount()) return;
  parameters.SetCell(row, editor.column, text);  // keeps at most 1,023 characters
  ShowStreamRow(Control(lists->parameterList), parameters, row);
  RebuildTablePageCommand(editor.page);
}

LRESULT CALLBACK EditorKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC editProcedure = editor.editProcedure;
  if (message == WM_CHAR && wParam == VK_ESCAPE) {
    CloseInPlaceEditor();
    return 0;
  }
  if (message == WM_CHAR && wParam == VK_RETURN &&
      (App().currentPage == Page::Convert || App().currentPage == Page::Trim)) {
    StoreAndClose();
    return 0;
  }
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    CloseInPlaceEditor();
    return 0;
  }
  return CallWindowProcA(editProcedure, window, message, wParam, lParam);
}

// The cell's rectangle in the main window's client coordinates.
RECT CellRectangle(HWND list, int row, int column) {
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  MapWindowPoints(list, App().mainWindow, reinterpret_cast<POINT*>(&cell), 2);
  return cell;
}

}  // namespace

void OpenInPlaceEditor(Page page, int row, int column) {
  if (editor.window) {
    CloseInPlaceEditor();
    return;
  }
  const std::optional<PageTableLists> lists = TablesOfPage(page);
  if (!lists) return;
  const StreamTable& parameters = lists->tables.ParameterTable();
  if (!parameters.Selection()) return;
  if (column < 2 || column >= kParameterColumnCount || row < 0 ||
      static_cast<std::size_t>(row) >= parameters.RowCount()) {
    return;
  }
  HWND list = Control(lists->parameterList);
  const RECT cell = CellRectangle(list, row, column);
  const std::string text(parameters.GetCell(static_cast<std::size_t>(row), column));
  HWND window = CreateWindowExA(
      0, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left,
      cell.top, cell.right - cell.left, cell.bottom - cell.top, App().mainWindow,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInPlaceEditor)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(App().mainWindow, GWLP_HINSTANCE)), nullptr);
  if (!window) return;
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Resources().guiFont), TRUE);
  SendMessageA(window, EM_SETSEL, 0, -1);
  editor = {window, nullptr, page, row, column};
  editor.editProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditorKeys)));
  SetFocus(window);
}

void CloseInPlaceEditor() {
  // Forgotten before it is destroyed: the destruction takes the focus away,
  // and the focus-loss notification closes the editor again.
  HWND window = editor.window;
  editor.window = nullptr;
  if (window) DestroyWindow(window);
}

HWND InPlaceEditorWindow() { return editor.window; }

}  // namespace trellimux
