#include "app/win/ProcessHandles.h"

#include <winternl.h>

namespace trellimux {
namespace {

// One row of the system's handle table (SystemHandleInformation).
struct HandleRow {
  ULONG processId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
struct HandleTable {
  ULONG count;
  HandleRow rows[1];
};

constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

}  // namespace

std::optional<std::vector<HANDLE>> HandlesOfProcess(DWORD processId) {
  // Looked up rather than linked: ntdll's import library is not among the
  // program's libraries.
  const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return std::nullopt;
  std::vector<char> buffer(256 * 1024);
  for (;;) {
    ULONG length = 0;
    const NTSTATUS status =
        query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length);
    if (status == kInfoLengthMismatch && buffer.size() < (256u << 20)) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != 0) return std::nullopt;
    break;
  }
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  std::vector<HANDLE> handles;
  for (ULONG i = 0; i < table->count; ++i) {
    const HandleRow& row = table->rows[i];
    if (row.processId == processId)
      handles.push_back(reinterpret_cast<HANDLE>(ULONG_PTR{row.handle}));
  }
  return handles;
}

}  // namespace trellimux
