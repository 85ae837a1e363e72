#include "standin/standin_menus.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace korrelin {
namespace {

// Client sizes of the menus with their one-pixel border: the pop-up 180 × 408 and
// 180 × 407, the submenu 156 × 84 and 120 × 106.
constexpr StandinSize kPopupClient{178, 406};
constexpr StandinSize kShortPopupClient{178, 405};
constexpr StandinSize kSubmenuClient{154, 82};
constexpr StandinSize kSecondFormClient{118, 104};

struct HitCase {
    const char* name;
    StandinListLayout layout;
    StandinPoint point;
    StandinSize client;
    std::optional<int> entry;
};

class StandinEntryAtTest : public testing::TestWithParam<HitCase> {};

TEST_P(StandinEntryAtTest, FindsTheEntryUnderThePoint) {
    EXPECT_EQ(EntryAt(GetParam().layout, GetParam().point, GetParam().client), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandinEntryAtTest,
    testing::Values(
        // Where the tool clicks.
        HitCase{"tool_click_on_popup", kPopupLayout, {40, 200}, kPopupClient, kSubmenuOpenerEntry},
        HitCase{"tool_click_on_short_popup",
                kPopupLayout,
                {40, 200},
                kShortPopupClient,
                kSubmenuOpenerEntry},
        HitCase{"role_0", kSubmenuLayout, {43, 17}, kSubmenuClient, 0},
        HitCase{"role_1", kSubmenuLayout, {43, 41}, kSubmenuClient, 1},
        HitCase{"role_2", kSubmenuLayout, {43, 61}, kSubmenuClient, 2},
        HitCase{"role_2_second_form", kSubmenuLayout, {43, 61}, kSecondFormClient, 2},
        // The opener's edges: rows 196 and 219.
        HitCase{"above_opener", kPopupLayout, {40, 195}, kPopupClient, kSubmenuOpenerEntry - 1},
        HitCase{"opener_top", kPopupLayout, {40, 196}, kPopupClient, kSubmenuOpenerEntry},
        HitCase{"opener_bottom", kPopupLayout, {40, 219}, kPopupClient, kSubmenuOpenerEntry},
        // Outside every entry.
        HitCase{"above_first", kSubmenuLayout, {43, 4}, kSubmenuClient, std::nullopt},
        HitCase{"below_last", kSubmenuLayout, {43, 77}, kSubmenuClient, std::nullopt},
        HitCase{"left_of_client", kSubmenuLayout, {-1, 17}, kSubmenuClient, std::nullopt},
        HitCase{"right_of_client", kSubmenuLayout, {154, 17}, kSubmenuClient, std::nullopt},
        HitCase{"below_client", kPopupLayout, {40, 200}, StandinSize{178, 200}, std::nullopt},
        HitCase{"member_row", kMemberLayout, {30, 8 + 28 * 2 + 14}, StandinSize{344, 200}, 2}),
    [](const testing::TestParamInfo<HitCase>& info) { return std::string(info.param.name); });

TEST(StandinMenus, TheOpenerIsTheRoleEntry) {
    EXPECT_EQ(std::wstring(kPopupEntryLabels[kSubmenuOpenerEntry]), L"设置马甲 ▶");
    EXPECT_EQ(std::wstring(kSubmenuEntryLabels[0]), L"添加为临时嘉宾");
    EXPECT_EQ(std::wstring(kSubmenuEntryLabels[1]), L"添加为嘉宾");
    EXPECT_EQ(std::wstring(kSubmenuEntryLabels[2]), L"吸纳为会员");
}

TEST(StandinMenus, MemberLabelShowsTheRole) {
    EXPECT_EQ(MemberLabel({L"成员A", std::nullopt}), L"成员A（白马甲）");
    EXPECT_EQ(MemberLabel({L"成员A", 0}), L"成员A（临时嘉宾）");
    EXPECT_EQ(MemberLabel({L"成员B", 1}), L"成员B（嘉宾）");
    EXPECT_EQ(MemberLabel({L"成员C", 2}), L"成员C（会员）");
}

}  // namespace
}  // namespace korrelin
