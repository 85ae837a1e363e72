#include "support/process_probe.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

namespace korrelin::support {
namespace {

std::uint64_t FromFileTime(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

struct WindowCount {
    DWORD processId;
    std::uint32_t count;
};

BOOL CALLBACK CountChild(HWND, LPARAM context) {
    ++reinterpret_cast<WindowCount*>(context)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
    auto* count = reinterpret_cast<WindowCount*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != count->processId) return TRUE;
    ++count->count;
    EnumChildWindows(window, CountChild, context);  // all descendants, not only children
    return TRUE;
}

// The process's entries in the system-wide handle list, or none when the list
// cannot be had.
std::optional<std::uint32_t> HandlesInSystemList(DWORD processId) {
    using QuerySystemInformation = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) return std::nullopt;
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<unsigned char> buffer(256 * 1024);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const NTSTATUS status =
            query(static_cast<SYSTEM_INFORMATION_CLASS>(kSystemHandleInformation), buffer.data(),
                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status < 0) return std::nullopt;
        const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
        std::uint32_t count = 0;
        for (ULONG i = 0; i < list->Count; ++i) {
            if (list->Handle[i].OwnerPid == processId) ++count;
        }
        return count;
    }
    return std::nullopt;
}

}  // namespace

ProcessProbe::ProcessProbe(DWORD processId) : processId_(processId) {
    process_.reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
}

std::optional<std::uint64_t> ProcessProbe::ProcessTimes() const {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process_ || !GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) {
        return std::nullopt;
    }
    return FromFileTime(kernel) + FromFileTime(user);
}

ProcessResources ProcessProbe::Sample() const {
    ProcessResources resources;
    if (!process_) return resources;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        resources.privateBytes =
            memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
        resources.workingSetBytes = memory.WorkingSetSize;
    }
    DWORD handles = 0;
    if (GetProcessHandleCount(process_.get(), &handles) && handles != 0) {
        resources.handles = handles;
    } else {
        resources.handles = HandlesInSystemList(processId_).value_or(0);
    }
    SetLastError(ERROR_SUCCESS);
    resources.userObjects = GetGuiResources(process_.get(), GR_USEROBJECTS);
    resources.guiObjectsCounted = GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
    resources.gdiObjects = GetGuiResources(process_.get(), GR_GDIOBJECTS);
    resources.windows = CountWindowsOf(processId_);
    return resources;
}

std::uint32_t CountWindowsOf(DWORD processId) {
    WindowCount count{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count.count;
}

}  // namespace korrelin::support
