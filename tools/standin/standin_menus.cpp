#include "standin/standin_menus.h"

namespace korrelin {

int EntryTop(const StandinListLayout& layout, int index) {
    return layout.firstTop + index * layout.entryHeight;
}

std::optional<int> EntryAt(const StandinListLayout& layout, StandinPoint point,
                           StandinSize clientSize) {
    if (point.x < 0 || point.x >= clientSize.width || point.y < 0 || point.y >= clientSize.height ||
        point.y < layout.firstTop || layout.entryHeight <= 0) {
        return std::nullopt;
    }
    const int index = (point.y - layout.firstTop) / layout.entryHeight;
    if (index >= layout.count) return std::nullopt;
    return index;
}

std::vector<StandinMember> InitialMembers() {
    return {{L"成员A", std::nullopt}, {L"成员B", std::nullopt}, {L"成员C", 1}, {L"成员D", 2}};
}

std::wstring MemberLabel(const StandinMember& member) {
    constexpr std::array<const wchar_t*, 3> roleNames{L"临时嘉宾", L"嘉宾", L"会员"};
    std::wstring role = L"白马甲";
    if (member.role && *member.role >= 0 &&
        static_cast<std::size_t>(*member.role) < roleNames.size()) {
        role = roleNames[static_cast<std::size_t>(*member.role)];
    }
    return member.name + L"（" + role + L"）";
}

}  // namespace korrelin
