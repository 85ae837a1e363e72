#include "standin/standin_options.h"

#include <array>
#include <climits>
#include <cstddef>
#include <string_view>

#include "standin/standin_menus.h"

namespace korrelin {
namespace {

// Applies an option's value; returns an error text, empty when the value is good.
using ApplyOption = std::wstring (*)(std::wstring_view value, StandinOptions& options);

struct OptionRule {
    const wchar_t* name;
    const wchar_t* valueName;  // nullptr: a flag without a value
    const wchar_t* help;
    ApplyOption apply;
};

// Decimal digits with an optional leading minus; none when anything else is there
// or the number leaves [minimum, maximum].
std::optional<int> ParseInteger(std::wstring_view text, long long minimum, long long maximum) {
    bool negative = false;
    if (!text.empty() && text.front() == L'-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (negative) value = -value;
    if (value < minimum || value > maximum) return std::nullopt;
    return static_cast<int>(value);
}

// "A<separator>B" with both parts integers in [minimum, maximum].
std::optional<std::pair<int, int>> ParsePair(std::wstring_view text, std::wstring_view separators,
                                             long long minimum) {
    const std::size_t split = text.find_first_of(separators);
    if (split == std::wstring_view::npos) return std::nullopt;
    const auto first = ParseInteger(text.substr(0, split), minimum, INT_MAX);
    const auto second = ParseInteger(text.substr(split + 1), minimum, INT_MAX);
    if (!first || !second) return std::nullopt;
    return std::make_pair(*first, *second);
}

std::wstring Invalid(std::wstring_view option, std::wstring_view value, std::wstring_view wanted) {
    return L"--" + std::wstring(option) + L": \"" + std::wstring(value) + L"\" is not " +
           std::wstring(wanted);
}

std::wstring ApplyChannel(std::wstring_view value, StandinOptions& options) {
    options.channelId = value;
    return {};
}

std::wstring ApplyTitle(std::wstring_view value, StandinOptions& options) {
    options.titleText = value;
    return {};
}

std::wstring ApplySubmenuSize(std::wstring_view value, StandinOptions& options) {
    const auto size = ParsePair(value, L"xX", 1);
    if (!size) return Invalid(L"submenu-size", value, L"WIDTHxHEIGHT, e.g. 156x84");
    options.submenuSize = {size->first, size->second};
    return {};
}

std::wstring ApplySubmenuDelay(std::wstring_view value, StandinOptions& options) {
    const auto ms = ParseInteger(value, 0, INT_MAX);
    if (!ms) return Invalid(L"submenu-delay", value, L"a number of milliseconds");
    options.submenuDelayMs = static_cast<std::uint32_t>(*ms);
    return {};
}

std::wstring ApplySubmenuAfterClicks(std::wstring_view value, StandinOptions& options) {
    const auto clicks = ParseInteger(value, 1, INT_MAX);
    if (!clicks) return Invalid(L"submenu-after-clicks", value, L"a number of clicks from 1");
    options.submenuAfterClicks = *clicks;
    return {};
}

std::wstring ApplyNoSubmenu(std::wstring_view, StandinOptions& options) {
    options.noSubmenu = true;
    return {};
}

std::wstring ApplyPopupHeight(std::wstring_view value, StandinOptions& options) {
    const auto height = ParseInteger(value, 1, INT_MAX);
    if (!height) return Invalid(L"popup-height", value, L"a height in pixels from 1");
    options.popupHeight = *height;
    return {};
}

std::wstring ApplyOpenPopup(std::wstring_view, StandinOptions& options) {
    options.openPopup = true;
    return {};
}

std::wstring ApplyMember(std::wstring_view value, StandinOptions& options) {
    const auto member = ParseInteger(value, 0, kMemberCount - 1);
    if (!member) {
        return Invalid(L"member", value,
                       L"a member from 0 to " + std::to_wstring(kMemberCount - 1));
    }
    options.member = *member;
    return {};
}

std::wstring ApplyExtraWindow(std::wstring_view value, StandinOptions& options) {
    const std::size_t colon = value.find(L':');
    if (colon == std::wstring_view::npos || colon == 0) {
        return Invalid(L"extra-window", value, L"CLASS:TITLE with a class name");
    }
    options.extraWindows.push_back(
        {std::wstring(value.substr(0, colon)), std::wstring(value.substr(colon + 1))});
    return {};
}

std::wstring ApplyLog(std::wstring_view value, StandinOptions& options) {
    if (value.empty()) return Invalid(L"log", value, L"a file name");
    options.logPath = std::wstring(value);
    return {};
}

std::wstring ApplyPosition(std::wstring_view value, StandinOptions& options) {
    const auto point = ParsePair(value, L",", INT_MIN);
    if (!point) return Invalid(L"position", value, L"X,Y, e.g. -50,-20");
    options.position = StandinPoint{point->first, point->second};
    return {};
}

std::wstring ApplyHang(std::wstring_view value, StandinOptions& options) {
    const auto ms = ParseInteger(value, 0, INT_MAX);
    if (!ms) return Invalid(L"hang-ms", value, L"a number of milliseconds");
    options.hangMs = static_cast<std::uint32_t>(*ms);
    return {};
}

std::wstring ApplyHelp(std::wstring_view, StandinOptions& options) {
    options.showHelp = true;
    return {};
}

constexpr std::array<OptionRule, 15> kOptionRules{{
    {L"channel", L"ID", L"the channel ID in the channel window's title (77385929)", ApplyChannel},
    {L"title", L"TEXT", L"the text after the ID and \"-\" in that title (大厅)", ApplyTitle},
    {L"submenu-size", L"WxH", L"the submenu's outer size in pixels (156x84)", ApplySubmenuSize},
    {L"submenu-delay", L"MS", L"the submenu appears MS milliseconds after the click (0)",
     ApplySubmenuDelay},
    {L"submenu-after-clicks", L"N", L"only the Nth click on the entry opens the submenu (1)",
     ApplySubmenuAfterClicks},
    {L"no-submenu", nullptr, L"the submenu never opens", ApplyNoSubmenu},
    {L"popup-height", L"H", L"the pop-up's outer height in pixels (408)", ApplyPopupHeight},
    {L"open-popup", nullptr, L"open the pop-up at start, for the member of --member",
     ApplyOpenPopup},
    {L"member", L"N", L"the member for --open-popup, counted from 0 (0)", ApplyMember},
    {L"extra-window", L"CLASS:TITLE",
     L"one more top-level window of that class and title (repeatable)", ApplyExtraWindow},
    {L"log", L"FILE", L"log the mouse messages and events to FILE", ApplyLog},
    {L"position", L"X,Y", L"the channel window's upper left corner on the screen", ApplyPosition},
    {L"hang-ms", L"MS", L"after the first click on the pop-up, stop responding for MS ms",
     ApplyHang},
    {L"help", nullptr, L"show this text", ApplyHelp},
    {L"?", nullptr, L"the same as --help", ApplyHelp},
}};

const OptionRule* FindRule(std::wstring_view argument) {
    if (argument == L"/?") argument = L"--?";
    if (argument.substr(0, 2) != L"--") return nullptr;
    argument.remove_prefix(2);
    for (const OptionRule& rule : kOptionRules) {
        if (argument == rule.name) return &rule;
    }
    return nullptr;
}

}  // namespace

StandinParseResult ParseStandinOptions(const std::vector<std::wstring>& arguments) {
    StandinParseResult result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const OptionRule* rule = FindRule(arguments[i]);
        if (rule == nullptr) {
            result.error = L"unknown option \"" + arguments[i] + L"\"";
            return result;
        }
        std::wstring_view value;
        if (rule->valueName != nullptr) {
            if (i + 1 == arguments.size()) {
                result.error =
                    L"--" + std::wstring(rule->name) + L" needs a value, " + rule->valueName;
                return result;
            }
            value = arguments[++i];
        }
        result.error = rule->apply(value, result.options);
        if (!result.error.empty()) return result;
    }
    return result;
}

std::wstring ChannelWindowTitle(const StandinOptions& options) {
    return L"频道 " + options.channelId + L"-" + options.titleText;
}

std::wstring StandinHelpText() {
    std::wstring text =
        L"korrelin-standin: a stand-in for the chat client, for trying Korrelin out.\n"
        L"Right-click a member, then pick 设置马甲 ▶ and a role.\n\n";
    for (const OptionRule& rule : kOptionRules) {
        text += L"--";
        text += rule.name;
        if (rule.valueName != nullptr) {
            text += L' ';
            text += rule.valueName;
        }
        text += L"\n      ";
        text += rule.help;
        text += L'\n';
    }
    return text;
}

}  // namespace korrelin
