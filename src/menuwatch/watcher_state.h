#pragma once
// What the panel remembers about the menu watcher between events. The commands and
// the watcher cycle share it; the panel's controls hold everything else.

namespace korrelin {

struct WatcherState {
    // A Start succeeded and no Stop, failed Start or unusable period came after it.
    // Only while it holds does a cycle click anything or arm 时钟1 again.
    bool switchedOn = false;
    // A cycle is under way, possibly paused with the panel's messages flowing.
    bool cycleRunning = false;
};

}  // namespace korrelin
