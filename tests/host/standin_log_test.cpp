#include "standin/standin_log.h"

#include <gtest/gtest.h>

namespace korrelin {
namespace {

TEST(StandinLog, MessageLineKeepsTheParametersAsTheyCame) {
    EXPECT_EQ(FormatMessageLine(1234, "popup", 0x0201, 1, 0x00C80028),
              "t=1234 window=popup msg=0x0201 wparam=0x00000001 lparam=0x00C80028\n");
    EXPECT_EQ(FormatMessageLine(0, "channel", 0x020A, 0xFF880010, 0xFFFFFFFF),
              "t=0 window=channel msg=0x020A wparam=0xFF880010 lparam=0xFFFFFFFF\n");
    EXPECT_EQ(FormatMessageLine(18446744073709551615u, "extra", 0x7B, 0x000206AE, 0x01930253),
              "t=18446744073709551615 window=extra msg=0x007B wparam=0x000206AE "
              "lparam=0x01930253\n");
}

TEST(StandinLog, EventLineListsItsFieldsInOrder) {
    EXPECT_EQ(FormatEventLine(7, "menus-closed"), "t=7 event=menus-closed\n");
    EXPECT_EQ(FormatEventLine(12, "role-applied", {{"member", "1"}, {"role", "2"}}),
              "t=12 event=role-applied member=1 role=2\n");
    EXPECT_EQ(FormatEventLine(3, "ready", {{"channel", HexField(0x2003E)}, {"pid", "32"}}),
              "t=3 event=ready channel=0x0002003E pid=32\n");
}

}  // namespace
}  // namespace korrelin
