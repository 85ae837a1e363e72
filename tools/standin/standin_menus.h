#pragma once
// What the stand-in chat client shows: the members of its channel with their roles,
// and the entries of its pop-up menu and submenu with the rows they occupy. Portable:
// the Win32 windows draw and hit-test with these, and host tests check them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "standin/standin_options.h"

namespace korrelin {

// Entries one below the other, each entryHeight pixels high, the first at firstTop
// (client coordinates).
struct StandinListLayout {
    int firstTop = 0;
    int entryHeight = 0;
    int count = 0;
};

// The top client row of the entry (which may lie below the client area).
int EntryTop(const StandinListLayout& layout, int index);

// The entry under a client point of a list of that client size; none outside the
// client area, above the first entry or below the last.
std::optional<int> EntryAt(const StandinListLayout& layout, StandinPoint point,
                           StandinSize clientSize);

inline constexpr std::array<const wchar_t*, 15> kPopupEntryLabels{
    L"查看资料", L"私聊",       L"@TA",      L"复制昵称",   L"赠送礼物",
    L"禁言",     L"移出频道",   L"邀请上麦", L"设置马甲 ▶", L"设为管理员",
    L"屏蔽消息", L"加入黑名单", L"复制ID",   L"举报",       L"更多…"};
// The submenu's entries; an entry's index is the role that it gives.
inline constexpr std::array<const wchar_t*, 3> kSubmenuEntryLabels{L"添加为临时嘉宾", L"添加为嘉宾",
                                                                   L"吸纳为会员"};

inline constexpr int kPopupWidth = 180;
// The pop-up's entries are 24 pixels high from row 4; the ninth (rows 196 to 219)
// opens the submenu, so the tool's click at (40, 200) lands on it.
inline constexpr StandinListLayout kPopupLayout{4, 24, static_cast<int>(kPopupEntryLabels.size())};
inline constexpr int kSubmenuOpenerEntry = 8;
// The submenu's three entries cover rows 5-28, 29-52 and 53-76: the tool clicks
// rows 17, 41 and 61.
inline constexpr StandinListLayout kSubmenuLayout{5, 24,
                                                  static_cast<int>(kSubmenuEntryLabels.size())};
inline constexpr int kMemberCount = 4;
inline constexpr StandinListLayout kMemberLayout{8, 28, kMemberCount};

struct StandinMember {
    std::wstring name;
    std::optional<int> role;  // none: the plain "白马甲"
};

std::vector<StandinMember> InitialMembers();

// "成员A（白马甲）": the name with the current role in full-width brackets.
std::wstring MemberLabel(const StandinMember& member);

}  // namespace korrelin
