#pragma once
// Looking at another process's use of the machine from outside, as a task manager
// does: its processor time, memory, handles and window-system objects.
//
// Wine answers some of these questions only for the asking process itself; where it
// gives 0 for another process, the probe asks in another way that Windows answers
// alike (noted at each figure).

#include <windows.h>

#include <cstdint>
#include <optional>

#include "support/child_process.h"

namespace korrelin::support {

struct ProcessResources {
    // PrivateUsage; where that reads 0 (Wine), PagefileUsage, which is the same
    // commit charge on Windows (and anonymous plus swapped memory under Wine).
    std::uint64_t privateBytes = 0;
    std::uint64_t workingSetBytes = 0;
    // GetProcessHandleCount; where that reads 0 (Wine), the process's entries in the
    // system's handle list.
    std::uint32_t handles = 0;
    // GetGuiResources, where the system implements it (Wine does not).
    bool guiObjectsCounted = false;
    std::uint32_t userObjects = 0;
    std::uint32_t gdiObjects = 0;
    // Its top-level windows and all their descendants: a share of its USER objects
    // that every system can count.
    std::uint32_t windows = 0;
};

class ProcessProbe {
  public:
    // Opens the process for querying; IsOpen() tells whether that worked.
    explicit ProcessProbe(DWORD processId);

    bool IsOpen() const { return process_ != nullptr; }
    // User and kernel time together, in 100 ns units, as GetProcessTimes reports it.
    std::optional<std::uint64_t> ProcessTimes() const;
    ProcessResources Sample() const;

  private:
    DWORD processId_;
    UniqueHandle process_;
};

// The number of top-level windows of the process and of all their descendants.
std::uint32_t CountWindowsOf(DWORD processId);

}  // namespace korrelin::support
