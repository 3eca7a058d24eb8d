// What a screen reader hears on the real main window: each control's
// accessible object, asked for as a screen reader asks (by window, through
// the accessibility request), and its name. Each page's list is printed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cctype>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/Pages.h"
#include "app/win/WindowTestSupport.h"

namespace trellimux::test {
namespace {

using ScreenReaderTest = MainWindowTest;

std::string Narrow(BSTR text) {
  if (text == nullptr) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(std::max(length - 1, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  SysFreeString(text);
  return narrow;
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

struct Heard {
  std::string name;
  std::string value;
  long role = 0;
};

Heard Ask(HWND control) {
  IAccessible* accessible = nullptr;
  const HRESULT found =
      AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                 reinterpret_cast<void**>(&accessible));
  EXPECT_EQ(found, S_OK) << ClassNameOf(control);
  Heard heard;
  if (FAILED(found) || accessible == nullptr) return heard;
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if (SUCCEEDED(accessible->get_accName(self, &text))) heard.name = Narrow(text);
  text = nullptr;
  if (SUCCEEDED(accessible->get_accValue(self, &text))) heard.value = Narrow(text);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) heard.role = role.lVal;
  accessible->Release();
  return heard;
}

// Every control a page shows has a name that is neither empty nor its class,
// and a role of its kind; the named ones below are heard as written, the
// progress bar with its share.
TEST_F(ScreenReaderTest, EveryControlOfEachPageHasAName) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::map<int, std::string> expected = {
      {kConvertInputBox, "Input file"},
      {kConvertOutputBox, "Output file"},
      {kConvertSourceTable, "Streams of the input"},
      {kConvertParameterTable, "Streams of the output"},
      {kConvertContainerList, "Container"},
      {kConvertCommandBox, "FFmpeg command line"},
      {kConcatOutputBox, "Output file"},
      {kConcatModeList, "Concat Mode"},
      {kConcatCommandBox, "FFmpeg command line"},
      {kTrimInputBox, "Input file"},
      {kTrimCutModeList, "Cut Mode"},
      {kCutInTime, "Cut start"},
      {kCutOutTime, "Cut end"},
      {kCutInSpinner, "Cut start milliseconds"},
      {kCutOutSpinner, "Cut end milliseconds"},
      {kTrimPlaceholder, "Preview picture, none shown yet"},
      {kStartButton, "Start"},
      {EasyListId(0, 1), "Video codec"},
      {kProgressBar, "Progress"},
  };
  SendMessageA(Item(kProgressBar), PBM_SETPOS, 42, 0);
  for (const Page page : {Page::Information, Page::Concat, Page::Convert, Page::Trim}) {
    Click(PageButtonId(page));
    std::ostringstream printed;
    for (const ControlEntry& control : MainWindowControls()) {
      if (control.owner != ControlOwner::Common && !ShownWithPage(control, page)) continue;
      SCOPED_TRACE(control.id);
      const Heard heard = Ask(Item(control.id));
      EXPECT_FALSE(heard.name.empty());
      EXPECT_NE(heard.role, 0);
      EXPECT_NE(heard.role, ROLE_SYSTEM_CLIENT) << "a role that says nothing";
      EXPECT_NE(Lowered(heard.name), Lowered(ClassNameOf(Item(control.id))));
      if (const auto named = expected.find(control.id); named != expected.end())
        EXPECT_EQ(heard.name, named->second);
      if (control.id == kProgressBar) EXPECT_EQ(heard.value, "42 %");
      const std::string value =
          heard.value.size() > 40 ? heard.value.substr(0, 40) + "..." : heard.value;
      printed << "  " << heard.name << (value.empty() ? "" : " = " + value) << " (role "
              << heard.role << ")\n";
    }
    std::cout << PageTitle(page) << ":\n" << printed.str();
  }
}

}  // namespace
}  // namespace trellimux::test
