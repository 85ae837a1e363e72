#include "panel/text_conversions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace korrelin {
namespace {

struct IntegerCase {
    const char* name;
    std::optional<std::string> text;
    std::int32_t expected;
};

class TextToIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(TextToIntegerTest, ReadsTheNumberTheTextBeginsWith) {
    EXPECT_EQ(TextToInteger(GetParam().text), GetParam().expected);
}

// Code page 936 bytes: full-width digits are A3 B0..A3 B9, the ideographic space
// A1 A1, full-width plus and minus A3 AB and A3 AD.
INSTANTIATE_TEST_SUITE_P(
    Cases, TextToIntegerTest,
    testing::Values(IntegerCase{"plain", "100", 100}, IntegerCase{"after_space", " 100", 100},
                    IntegerCase{"trailing_letters", "100ms", 100},
                    IntegerCase{"space_inside", "1 00", 1},
                    IntegerCase{"hex_is_not_read", "0x10", 0}, IntegerCase{"empty", "", 0},
                    IntegerCase{"missing", std::nullopt, 0}, IntegerCase{"letters", "abc", 0},
                    IntegerCase{"minus", "-5", -5}, IntegerCase{"plus", "+7", 7},
                    IntegerCase{"two_signs", "+-7", 0}, IntegerCase{"sign_then_space", "- 7", 0},
                    IntegerCase{"control_white_space", "\t\n\v\f\r42", 42},
                    IntegerCase{"fullwidth_digits", "\xA3\xB1\xA3\xB0\xA3\xB0", 100},
                    IntegerCase{"ideographic_space_then_fullwidth",
                                "\xA1\xA1\xA3\xB1\xA3\xB0\xA3\xB0", 100},
                    IntegerCase{"fullwidth_minus", "\xA3\xAD\xA3\xB5", -5},
                    IntegerCase{"fullwidth_plus",
                                "\xA3\xAB"
                                "7",
                                7},
                    IntegerCase{"mixed_widths",
                                "1\xA3\xB2"
                                "3",
                                123},
                    IntegerCase{"other_chinese_ends_number",
                                "12\xC3\xEB"
                                "3",
                                12},  // 秒
                    IntegerCase{"chinese_before_number",
                                "\xC3\xEB"
                                "12",
                                0},
                    IntegerCase{"star_is_not_a_digit",
                                "\xA1\xEE"
                                "5",
                                0},
                    IntegerCase{"tilde_is_not_a_digit",
                                "\xA1\xAB"
                                "5",
                                0},
                    IntegerCase{"lone_lead_byte_at_end", "42\xA3", 42},
                    IntegerCase{"trail_byte_that_looks_like_digit",
                                "\x81\x35"
                                "9",
                                0},
                    IntegerCase{"wraps_2_pow_32_plus_1", "4294967297", 1},
                    IntegerCase{"int_max", "2147483647", 2147483647},
                    IntegerCase{"int_max_plus_one_wraps", "2147483648", -2147483647 - 1},
                    IntegerCase{"negative_int_min", "-2147483648", -2147483647 - 1},
                    IntegerCase{"long_number_wraps", "99999999999", 1215752191},
                    IntegerCase{"zero_byte_ends_text",
                                std::string("7\0"
                                            "5",
                                            3),
                                7}),
    [](const testing::TestParamInfo<IntegerCase>& info) { return std::string(info.param.name); });

struct JoinCase {
    const char* name;
    std::optional<std::string> first;
    std::optional<std::string> second;
    std::string expected;
};

class JoinTextsTest : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinTextsTest, JoinsInOrderWithMissingTextsAsEmpty) {
    EXPECT_EQ(JoinTexts({GetParam().first, GetParam().second}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinTextsTest,
    testing::Values(JoinCase{"channel_fragment", "77385929", "-", "77385929-"},
                    JoinCase{"missing_then_hyphen", std::nullopt, "-", "-"},
                    JoinCase{"both_missing", std::nullopt, std::nullopt, ""},
                    JoinCase{"chinese_bytes_kept", "\xB2\xCB", "\xB5\xA5", "\xB2\xCB\xB5\xA5"}),
    [](const testing::TestParamInfo<JoinCase>& info) { return std::string(info.param.name); });

TEST(JoinTextsTest, OneMissingTextGivesANewEmptyText) {
    const std::string joined = JoinTexts({std::nullopt});
    EXPECT_TRUE(joined.empty());
}

}  // namespace
}  // namespace korrelin
