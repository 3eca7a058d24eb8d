#include "app/win/AccessibleControls.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>

#include "app/AccessibleNames.h"
#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/win/AppState.h"
#include "app/win/TrimPreview.h"
#include "app/win/WideText.h"

namespace trellimux {
namespace {

constexpr UINT_PTR kSubclassId = 0xACC0;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT AnswerText(const std::string& text, BSTR* answer) {
  if (answer == nullptr) return E_INVALIDARG;
  const std::wstring wide = WideText(text);
  *answer = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerNumber(long number, VARIANT* answer) {
  if (answer == nullptr) return E_INVALIDARG;
  VariantInit(answer);
  answer->vt = VT_I4;
  answer->lVal = number;
  return S_OK;
}

std::string ShownText(const ControlEntry& control, HWND window) {
  if (control.kind == ControlKind::DropDownList || control.kind == ControlKind::EasyModeList)
    return ListItemText(control.id, 0);
  return WindowTextOf(window);
}

std::string NameOf(const ControlEntry& control, HWND window) {
  if (control.id == kTrimPlaceholder) {
    const std::optional<std::string> time = ShownPreviewTime();
    return PreviewPictureName(time ? std::optional<std::string_view>(*time) : std::nullopt);
  }
  return AccessibleNameOf(control, ShownText(control, window));
}

// The role where the system has none of its own for the control.
long RoleOf(const ControlEntry& control) {
  switch (control.kind) {
    case ControlKind::TitleLine:
    case ControlKind::MillisecondLabel:
      return ROLE_SYSTEM_STATICTEXT;
    case ControlKind::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::GroupBox:
      return ROLE_SYSTEM_GROUPING;
    case ControlKind::PageLamp:
      return ROLE_SYSTEM_RADIOBUTTON;
    case ControlKind::ToggleLamp:
      return ROLE_SYSTEM_CHECKBUTTON;
    case ControlKind::AboutBox:
    case ControlKind::PathBox:
    case ControlKind::BorderedPathBox:
    case ControlKind::CommandBox:
    case ControlKind::WideCommandBox:
      return ROLE_SYSTEM_TEXT;
    case ControlKind::FileList:
    case ControlKind::SourceTable:
    case ControlKind::ParameterTable:
    case ControlKind::TrimSourceTable:
    case ControlKind::TrimParameterTable:
    case ControlKind::CutList:
      return ROLE_SYSTEM_LIST;
    case ControlKind::DropDownList:
    case ControlKind::EasyModeList:
      return ROLE_SYSTEM_COMBOBOX;
    case ControlKind::ProgressBar:
      return ROLE_SYSTEM_PROGRESSBAR;
    case ControlKind::TimePicker:
    case ControlKind::OptionalTimePicker:
      return ROLE_SYSTEM_CLOCK;
    case ControlKind::MillisecondSpinner:
      return ROLE_SYSTEM_SPINBUTTON;
    case ControlKind::Placeholder:
      return ROLE_SYSTEM_GRAPHIC;
    case ControlKind::Trackbar:
      return ROLE_SYSTEM_SLIDER;
  }
  return ROLE_SYSTEM_CLIENT;
}

long StateOf(HWND window) {
  long state = STATE_SYSTEM_FOCUSABLE;
  if (!IsWindowVisible(window)) state |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(window)) state |= STATE_SYSTEM_UNAVAILABLE;
  if (GetFocus() == window) state |= STATE_SYSTEM_FOCUSED;
  return state;
}

// The system's object for the control with our name; every other question
// goes to the system's object where there is one.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(HWND window, const ControlEntry& control) : window_(window), control_(control) {
    CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                              reinterpret_cast<void**>(&system_));
  }
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The list items' enumerator and the window behind the object.
    return system_ != nullptr ? system_->QueryInterface(id, object) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: screen readers call the methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: what is ours.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child)) return AnswerText(NameOf(control_, window_), name);
    return system_ != nullptr ? system_->get_accName(child, name) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (IsSelf(child) && control_.kind == ControlKind::ProgressBar) {
      const auto percent = static_cast<int>(SendMessageW(window_, PBM_GETPOS, 0, 0));
      return AnswerText(ProgressShareText(percent), value);
    }
    return system_ != nullptr ? system_->get_accValue(child, value) : DISP_E_MEMBERNOTFOUND;
  }

  // IAccessible: the system's, or the plain answers without it.
  // A system that knows the control only as a window (Wine says "client"
  // for buttons and lists) is told its role.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (system_ != nullptr) {
      const HRESULT answer = system_->get_accRole(child, role);
      const bool plain = SUCCEEDED(answer) && role->vt == VT_I4 && role->lVal == ROLE_SYSTEM_CLIENT;
      if (!IsSelf(child) || !plain) return answer;
    }
    return IsSelf(child) ? AnswerNumber(RoleOf(control_), role) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (system_ != nullptr) return system_->get_accState(child, state);
    return IsSelf(child) ? AnswerNumber(StateOf(window_), state) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (system_ != nullptr) return system_->accLocation(left, top, width, height, child);
    if (!IsSelf(child) || !left || !top || !width || !height) return E_INVALIDARG;
    RECT place;
    GetWindowRect(window_, &place);
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (system_ != nullptr) return system_->get_accParent(parent);
    return AccessibleObjectFromWindow(GetParent(window_), static_cast<DWORD>(OBJID_CLIENT),
                                      IID_IDispatch, reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (system_ != nullptr) return system_->get_accChildCount(count);
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** answer) override {
    if (system_ != nullptr) return system_->get_accChild(child, answer);
    if (answer != nullptr) *answer = nullptr;
    return E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* answer) override {
    return Ask(&IAccessible::get_accDescription, child, answer);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* answer) override {
    return Ask(&IAccessible::get_accHelp, child, answer);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* answer) override {
    return Ask(&IAccessible::get_accKeyboardShortcut, child, answer);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* answer) override {
    return Ask(&IAccessible::get_accDefaultAction, child, answer);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return system_ != nullptr ? system_->get_accHelpTopic(file, child, topic)
                              : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* answer) override {
    if (system_ != nullptr) return system_->get_accFocus(answer);
    if (answer == nullptr) return E_POINTER;
    VariantInit(answer);
    if (GetFocus() != window_) return S_FALSE;
    return AnswerNumber(CHILDID_SELF, answer);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* answer) override {
    if (system_ != nullptr) return system_->get_accSelection(answer);
    if (answer != nullptr) VariantInit(answer);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return system_ != nullptr ? system_->accSelect(flags, child) : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return system_ != nullptr ? system_->accNavigate(direction, start, end) : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* answer) override {
    if (system_ != nullptr) return system_->accHitTest(x, y, answer);
    if (answer == nullptr) return E_POINTER;
    RECT place;
    GetWindowRect(window_, &place);
    const POINT point{x, y};
    if (!PtInRect(&place, point)) {
      VariantInit(answer);
      return S_FALSE;
    }
    return AnswerNumber(CHILDID_SELF, answer);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return system_ != nullptr ? system_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return system_ != nullptr ? system_->put_accValue(child, value) : E_NOTIMPL;
  }

 private:
  ~NamedAccessible() {
    if (system_ != nullptr) system_->Release();
  }

  using TextQuestion = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
  HRESULT Ask(TextQuestion question, VARIANT child, BSTR* answer) {
    if (system_ != nullptr) return (system_->*question)(child, answer);
    if (answer != nullptr) *answer = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }

  LONG references_ = 1;
  HWND window_;
  const ControlEntry& control_;
  IAccessible* system_ = nullptr;
};

LRESULT CALLBACK NamingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR entry) {
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
    auto* accessible = new NamedAccessible(window, *reinterpret_cast<const ControlEntry*>(entry));
    const LRESULT answer = LresultFromObject(IID_IAccessible, wParam, accessible);
    accessible->Release();
    return answer;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &NamingProcedure, kSubclassId);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void NameControlsForScreenReaders() {
  for (const ControlEntry& control : MainWindowControls()) {
    const HWND window = Control(control.id);
    if (window != nullptr)
      SetWindowSubclass(window, &NamingProcedure, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(&control));
  }
}

}  // namespace trellimux
