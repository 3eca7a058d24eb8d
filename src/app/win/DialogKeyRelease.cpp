#include "app/win/DialogKeyRelease.h"

#include <winternl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "app/win/ProcessHandles.h"

namespace trellimux {
namespace {

constexpr std::wstring_view kListKeyEnd = L"\\Explorer\\ComDlg32\\LastVisitedMRU";

constexpr ULONG kObjectNameInformation = 1;
constexpr ULONG kObjectTypeInformation = 2;

using QueryObject = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

QueryObject QueryObjectFunction() {
  static const auto query = reinterpret_cast<QueryObject>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
  return query;
}

// The object's type or name (both answers begin with the text); "" when
// it cannot be read.
std::wstring ObjectText(HANDLE handle, ULONG what) {
  const QueryObject query = QueryObjectFunction();
  alignas(UNICODE_STRING) char buffer[2048];
  ULONG length = 0;
  if (!query || query(handle, what, buffer, sizeof buffer, &length) != 0) return {};
  const auto* text = reinterpret_cast<const UNICODE_STRING*>(buffer);
  if (!text->Buffer) return {};
  return std::wstring(text->Buffer, text->Length / sizeof(wchar_t));
}

bool EndsWithIgnoringCase(std::wstring_view text, std::wstring_view end) {
  return text.size() >= end.size() &&
         CompareStringOrdinal(text.data() + text.size() - end.size(), static_cast<int>(end.size()),
                              end.data(), static_cast<int>(end.size()), TRUE) == CSTR_EQUAL;
}

// Only keys are asked for their name: asking a pipe can block.
bool IsListKey(HANDLE handle) {
  return ObjectText(handle, kObjectTypeInformation) == L"Key" &&
         EndsWithIgnoringCase(ObjectText(handle, kObjectNameInformation), kListKeyEnd);
}

std::vector<HANDLE> OpenListKeys() {
  std::vector<HANDLE> keys;
  if (const std::optional<std::vector<HANDLE>> handles = HandlesOfProcess(GetCurrentProcessId())) {
    for (HANDLE handle : *handles)
      if (IsListKey(handle)) keys.push_back(handle);
  }
  return keys;
}

}  // namespace

DialogKeyRelease::DialogKeyRelease() : openBefore_(OpenListKeys()) {}

DialogKeyRelease::~DialogKeyRelease() {
  for (HANDLE key : OpenListKeys()) {
    if (std::find(openBefore_.begin(), openBefore_.end(), key) == openBefore_.end())
      RegCloseKey(static_cast<HKEY>(key));
  }
}

}  // namespace trellimux
