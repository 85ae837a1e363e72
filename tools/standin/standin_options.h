#pragma once
// The stand-in chat client's command line. Portable: no windows.h, so the parser
// is unit-tested natively. Texts are UTF-16 on Windows (wchar_t), as everywhere in
// the stand-in.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korrelin {

struct StandinSize {
    int width = 0;
    int height = 0;
};

struct StandinPoint {
    int x = 0;
    int y = 0;
};

// A further top-level window that does nothing but log the mouse messages it gets.
struct StandinExtraWindow {
    std::wstring className;
    std::wstring title;
};

struct StandinOptions {
    std::wstring channelId = L"77385929";
    std::wstring titleText = L"大厅";
    StandinSize submenuSize{156, 84};
    int popupHeight = 408;
    std::uint32_t submenuDelayMs = 0;
    // The click on the submenu entry that opens the submenu (1: the first).
    int submenuAfterClicks = 1;
    bool noSubmenu = false;
    bool openPopup = false;
    int member = 0;  // counted from 0
    std::vector<StandinExtraWindow> extraWindows;
    std::optional<std::wstring> logPath;
    std::optional<StandinPoint> position;  // of the channel window; none: the default
    std::uint32_t hangMs = 0;
    bool showHelp = false;
};

struct StandinParseResult {
    StandinOptions options;
    std::wstring error;  // empty when the command line was understood
};

// Reads the arguments that follow the program name.
StandinParseResult ParseStandinOptions(const std::vector<std::wstring>& arguments);

// "频道 <channel ID>-<title text>": the title that the tool finds by "<ID>-".
std::wstring ChannelWindowTitle(const StandinOptions& options);

// The text that --help shows: every option with a line of explanation.
std::wstring StandinHelpText();

}  // namespace korrelin
