#include "winauto/window_queries.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_desktop.h"

namespace korrelin {
namespace {

struct TextCase {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(LowerTitleTextTest, LowersOnlyLatinCapitalsOutsideTwoByteCharacters) {
    const std::vector<TextCase> cases = {
        {"latin capitals", "Room 77-MAIN", "room 77-main"},
        {"letters around the capitals stay", "@AZ[`az{", "@az[`az{"},
        {"empty", "", ""},
        {"trail byte in A-Z is not lowered", "\x81\x5A", "\x81\x5A"},
        {"trail byte A after a lead, then a capital", "\xB0\x41\x42", "\xB0\x41\x62"},
        {"full-width letter stays", "\xA3\xC1", "\xA3\xC1"},
        {"lone lead byte before the terminator is kept", "AB\xB0", "ab\xB0"},
        {"the text ends at its first zero byte", std::string("AB\0CD", 5), "ab"},
        {"a zero after a lead byte ends the text", std::string("A\xB0\0C", 4), "a\xB0"},
        {"menu title", "\xB2\xCB\xB5\xA5", "\xB2\xCB\xB5\xA5"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LowerTitleText(c.input), c.expected);
    }
}

TEST(LowerTitleTextTest, LeavesItsInputUnchanged) {
    const std::string input = "ABC";
    EXPECT_EQ(LowerTitleText(input), "abc");
    EXPECT_EQ(input, "ABC");
}

struct SearchCase {
    const char* name;
    std::string title;
    std::string fragment;
    bool found;
};

TEST(ContainsTitleFragmentTest, SearchesWholeCharacterStartsByteForByte) {
    const std::vector<SearchCase> cases = {
        {"plain match", "room 77-main", "77-", true},
        {"match at the start", "abc", "ab", true},
        {"match at the very end", "abc", "bc", true},
        {"whole title", "abc", "abc", true},
        {"fragment longer than the title", "ab", "abc", false},
        {"no match", "lobby", "77-", false},
        {"byte comparison is exact", "Room", "room", false},
        {"empty fragment in a non-empty title", "x", "", true},
        {"empty fragment in an empty title", "", "", false},
        {"fragment in an empty title", "", "a", false},
        {"no match starting inside a two-byte character", "\xB0\x61\x62", "\x61\x62", false},
        {"match after the two-byte character", "\xB0\x61\x61\x62", "\x61\x62", true},
        {"two-byte character found whole", "x\xB2\xCB\xB5\xA5", "\xB2\xCB\xB5\xA5", true},
        {"match may end inside a character", "ab\xB2\xCB", "b\xB2", true},
        {"second half of a character is not a start", "\xB2\xCB\xB5\xA5", "\xCB\xB5", false},
        {"trail byte is not lowered", "\x81\x5A", "\x81\x7A", false},
        {"trail byte compared as it is", "\x81\x5A", "\x81\x5A", true},
        // After a lone lead byte before the terminator the search gives up, and a
        // fragment that would need that byte never matches.
        {"lone lead byte at the end", "a\xB0", "\xB0", true},
        {"lone lead byte, fragment beyond it", "\xB0", "\xB0x", false},
        {"fragment with a zero byte ends there", "abc", std::string("b\0z", 3), true},
        {"title with a zero byte ends there", std::string("ab\0cd", 5), "cd", false},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ContainsTitleFragment(c.title, c.fragment), c.found);
    }
}

struct FinderWindow {
    const char* className;
    std::string title;
};

struct FinderCase {
    const char* name;
    std::vector<FinderWindow> windows;  // in listing order
    std::string fragment;
    int expectedIndex;  // -1: none
};

TEST(FindWindowByTitleFragmentTest, FindsTheFirstListedWindowOfTheClassWithTheFragment) {
    const std::string longTitle = std::string(255, 'a') + "77-";  // 258 bytes
    const std::vector<FinderCase> cases = {
        {"second window matches", {{"QWidget", "Lobby"}, {"QWidget", "Room 77-Main"}}, "77-", 1},
        {"fragment capitals", {{"QWidget", "room 7-main"}}, "ROOM 7-", 0},
        {"title capitals", {{"QWidget", "ROOM 7-MAIN"}}, "room 7-", 0},
        {"other class is never returned",
         {{"Other", "Room 77-Main"}, {"QWidget", "Lobby"}},
         "77-",
         -1},
        {"first of two matches", {{"QWidget", "a 77-"}, {"QWidget", "b 77-"}}, "77-", 0},
        {"empty fragment skips empty titles", {{"QWidget", ""}, {"QWidget", "x"}}, "", 1},
        {"empty fragment, only empty titles", {{"QWidget", ""}}, "", -1},
        {"starts inside a character", {{"QWidget", "\xB0\x61\x62"}}, "ab", -1},
        {"trail byte not lowered", {{"QWidget", "\x81\x5A"}}, "\x81\x7A", -1},
        {"trail byte as it is", {{"QWidget", "\x81\x5A"}}, "\x81\x5A", 0},
        {"only the first 255 bytes count", {{"QWidget", longTitle}}, "77-", -1},
        {"within the first 255 bytes", {{"QWidget", longTitle}}, std::string(255, 'A'), 0},
        {"no windows", {}, "77-", -1},
    };
    for (const FinderCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        std::vector<WindowHandle> handles;
        for (const FinderWindow& w : c.windows)
            handles.push_back(desktop.AddWindow(w.className, w.title));
        const WindowHandle expected = c.expectedIndex < 0 ? 0 : handles[c.expectedIndex];
        EXPECT_EQ(FindWindowByTitleFragment(desktop, c.fragment, "QWidget"), expected);
    }
}

TEST(FindWindowByTitleFragmentTest, ANonPositiveHandleEndsTheWalk) {
    for (const WindowHandle odd : {INT32_MIN, -2}) {
        SCOPED_TRACE(odd);
        FakeDesktop desktop;
        desktop.AddWindow("QWidget", "Lobby");
        desktop.AddWindow("QWidget", "Room 77-Main", {}, odd);
        const WindowHandle later = desktop.AddWindow("QWidget", "Hall 77-");
        EXPECT_EQ(FindWindowByTitleFragment(desktop, "77-", "QWidget"), 0);
        desktop.RemoveWindow(odd);
        EXPECT_EQ(FindWindowByTitleFragment(desktop, "77-", "QWidget"), later);
    }
}

// Closes a window once its title has been read, as another program may at any moment.
struct ClosingDesktop : FakeDesktop {
    WindowHandle closeWhenRead = 0;
    int GetWindowTextA(WindowHandle window, char* buffer, int size) override {
        const int count = FakeDesktop::GetWindowTextA(window, buffer, size);
        if (window == closeWhenRead) RemoveWindow(window);
        return count;
    }
};

TEST(FindWindowByTitleFragmentTest, WorksWithWhatEachCallReports) {
    // A window whose buffer the system leaves untouched reads as 256 spaces.
    FakeDesktop desktop;
    const WindowHandle blank = desktop.AddWindow("QWidget", "no-spaces");
    desktop.LeaveTitleBufferUntouched(blank);
    EXPECT_EQ(FindWindowByTitleFragment(desktop, " ", "QWidget"), blank);

    // A window that closes while it is examined: the system then ends the walk.
    ClosingDesktop closing;
    closing.closeWhenRead = closing.AddWindow("QWidget", "Lobby");
    closing.AddWindow("QWidget", "Room 77-Main");
    EXPECT_EQ(FindWindowByTitleFragment(closing, "77-", "QWidget"), 0);

    // A window that appears later in the list during the walk is found.
    struct AddingDesktop : FakeDesktop {
        std::function<void()> onRead;
        int GetWindowTextA(WindowHandle window, char* buffer, int size) override {
            if (onRead) std::exchange(onRead, nullptr)();
            return FakeDesktop::GetWindowTextA(window, buffer, size);
        }
    } adding;
    adding.AddWindow("QWidget", "Lobby");
    WindowHandle room = 0;
    adding.onRead = [&] { room = adding.AddWindow("QWidget", "Room 77-Main"); };
    EXPECT_EQ(FindWindowByTitleFragment(adding, "77-", "QWidget"), room);
}

TEST(ReadWindowTitleTest, ReadsAtMost255BytesOrTheUntouchedSpaces) {
    FakeDesktop desktop;
    const WindowHandle abc = desktop.AddWindow("QWidget", "abc");
    const WindowHandle empty = desktop.AddWindow("QWidget", "");
    const WindowHandle long300 = desktop.AddWindow("QWidget", std::string(300, 'x'));
    const WindowHandle untouched = desktop.AddWindow("QWidget", "abc");
    desktop.LeaveTitleBufferUntouched(untouched);

    EXPECT_EQ(ReadWindowTitle(desktop, abc), "abc");
    EXPECT_EQ(ReadWindowTitle(desktop, empty), "");
    EXPECT_EQ(ReadWindowTitle(desktop, long300), std::string(255, 'x'));
    EXPECT_EQ(ReadWindowTitle(desktop, untouched), std::string(256, ' '));
    EXPECT_EQ(ReadWindowTitle(desktop, 0x7777), "");  // no such window: the system writes ""
}

TEST(ReadWindowTitleTest, PassesTheSizeOf256) {
    struct SizeRecorder : FakeDesktop {
        int size = 0;
        int GetWindowTextA(WindowHandle window, char* buffer, int bufferSize) override {
            size = bufferSize;
            // The buffer holds 256 spaces and a zero byte when the system gets it.
            EXPECT_EQ(std::string(buffer), std::string(256, ' '));
            return FakeDesktop::GetWindowTextA(window, buffer, bufferSize);
        }
    } desktop;
    ReadWindowTitle(desktop, desktop.AddWindow("QWidget", "abc"));
    EXPECT_EQ(desktop.size, 256);
}

struct BoundsCase {
    const char* name;
    ScreenRect rect;
    WindowBounds expected;
};

TEST(GetWindowBoundsTest, GivesPositionAndSizeModulo2To32) {
    const std::vector<BoundsCase> cases = {
        {"plain", {100, 50, 400, 250}, {100, 50, 300, 200}},
        {"negative position", {-20, -5, 100, 95}, {-20, -5, 120, 100}},
        {"empty", {7, 8, 7, 8}, {7, 8, 0, 0}},
        {"inverted", {10, 10, 0, 5}, {10, 10, -10, -5}},
        {"wraps to negative",
         {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
         {INT32_MIN, INT32_MIN, -1, -1}},
        {"wraps to positive", {INT32_MAX, 1, INT32_MIN, INT32_MIN}, {INT32_MAX, 1, 1, INT32_MAX}},
        {"largest positive", {-1, 0, INT32_MAX - 1, INT32_MAX}, {-1, 0, INT32_MAX, INT32_MAX}},
        {"smallest negative", {0, 1, INT32_MIN, INT32_MIN + 1}, {0, 1, INT32_MIN, INT32_MIN}},
    };
    for (const BoundsCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        const WindowBounds bounds =
            GetWindowBounds(desktop, desktop.AddWindow("QPopup", "", c.rect));
        EXPECT_EQ(bounds.left, c.expected.left);
        EXPECT_EQ(bounds.top, c.expected.top);
        EXPECT_EQ(bounds.width, c.expected.width);
        EXPECT_EQ(bounds.height, c.expected.height);
    }
}

TEST(GetWindowBoundsTest, AFailedMeasurementGivesZeros) {
    FakeDesktop desktop;
    const WindowHandle window = desktop.AddWindow("QPopup", "", {100, 50, 400, 250});
    desktop.FailWindowRect(window);
    for (const WindowHandle measured : {window, WindowHandle{0x7777}}) {
        const WindowBounds bounds = GetWindowBounds(desktop, measured);
        EXPECT_EQ(bounds.left, 0);
        EXPECT_EQ(bounds.top, 0);
        EXPECT_EQ(bounds.width, 0);
        EXPECT_EQ(bounds.height, 0);
    }
}

}  // namespace
}  // namespace korrelin
