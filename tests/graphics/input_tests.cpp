// Message pumping and the input queues: one message per call, clicks queued on release, the key
// table and character translation, the waits (also on a window that is gone), and an exception
// raised while recording that PumpMessages rethrows.
#include "test_support.h"

using namespace graphics_test;

namespace {

// Key-down as the platform queues it: repeat count 1 and the key's scan code.
void PostKeyDown(const window& w, WPARAM virtualKey, unsigned int scanCode) {
    Post(w, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1u | (scanCode << 16)));
}

struct Key {
    KeyType type;
    int code;
    bool operator==(const Key&) const = default;
};

Key NextKey(window& w) {
    char code = 'x';
    const KeyType type = w.PollKeyPress(code);
    return Key{type, static_cast<unsigned char>(code)};
}

}  // namespace

TEST(InputQueues, EmptyQueuesPollAsNothing) {
    auto w = OpenWindow();
    int x = 0;
    int y = 0;
    EXPECT_EQ(w->PollMouseClick(x, y), NO_CLICK);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
    char key = 'x';
    EXPECT_EQ(w->PollKeyPress(key), NO_KEY);
    EXPECT_EQ(key, '\0');
}

TEST(InputQueues, EachCallPumpsExactlyOneMessage) {
    auto w = OpenWindow();
    Post(*w, WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
    Post(*w, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    int x = 0;
    int y = 0;
    w->GetMousePosition(x, y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    w->GetMousePosition(x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
}

// Two clicks at one place are what a double click gives, the class asking for no double clicks.
TEST(InputQueues, ClicksComeOutInArrivalOrderWithTheirButtons) {
    auto w = OpenWindow();
    PostClick(*w, LEFT_BUTTON, 10, 11);
    PostClick(*w, RIGHT_BUTTON, 20, 21);
    PostClick(*w, LEFT_BUTTON, 30, 31);
    PostClick(*w, LEFT_BUTTON, 30, 31);
    int x = 0;
    int y = 0;
    for (int i = 0; i < 8; ++i) {
        w->GetMousePosition(x, y);
    }
    EXPECT_EQ(w->PollMouseClick(x, y), LEFT_CLICK);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(w->PollMouseClick(x, y), RIGHT_CLICK);
    EXPECT_EQ(y, 21);
    EXPECT_EQ(w->PollMouseClick(x, y), LEFT_CLICK);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(w->PollMouseClick(x, y), LEFT_CLICK);
    EXPECT_EQ(w->PollMouseClick(x, y), NO_CLICK);
}

TEST(InputQueues, ADragQueuesOneClickAtTheReleaseAndHoldsTheButtonMeanwhile) {
    auto w = OpenWindow();
    Post(*w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    Post(*w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 30));
    Post(*w, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    int x = 0;
    int y = 0;
    EXPECT_EQ(w->GetButtonState(LEFT_BUTTON, x, y), BUTTON_DOWN);
    EXPECT_EQ(GetCapture(), WindowInspector::Handle(*w));
    EXPECT_EQ(w->GetButtonState(LEFT_BUTTON, x, y), BUTTON_DOWN);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(w->GetButtonState(RIGHT_BUTTON, x, y), BUTTON_UP);
    EXPECT_EQ(w->GetButtonState(LEFT_BUTTON, x, y), BUTTON_UP);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(w->PollMouseClick(x, y), LEFT_CLICK);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(w->PollMouseClick(x, y), NO_CLICK);
}

TEST(InputQueues, PositionsLeftOfOrAboveTheWindowReadAsLargeUnsignedNumbers) {
    auto w = OpenWindow();
    Post(*w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1, -3));
    int x = 0;
    int y = 0;
    w->GetMousePosition(x, y);
    EXPECT_EQ(x, 65535);
    EXPECT_EQ(y, 65533);
}

TEST(InputQueues, OnlyThisWindowsMessagesArePumped) {
    auto mine = OpenWindow();
    auto other = OpenWindow();
    PostClick(*other, LEFT_BUTTON, 3, 4);
    int x = 0;
    int y = 0;
    EXPECT_EQ(mine->PollMouseClick(x, y), NO_CLICK);
    EXPECT_EQ(mine->PollMouseClick(x, y), NO_CLICK);
    EXPECT_EQ(other->PollMouseClick(x, y), NO_CLICK);
    EXPECT_EQ(other->PollMouseClick(x, y), LEFT_CLICK);
}

TEST(KeyQueue, EscapeGivesItsKeyAndThenItsCharacter) {
    auto w = OpenWindow();
    PostKeyDown(*w, VK_ESCAPE, 0x01);
    EXPECT_EQ(NextKey(*w), (Key{ESCAPE_KEY, 1}));
    EXPECT_EQ(NextKey(*w), (Key{ASCII_KEY, 27}));
    EXPECT_EQ(NextKey(*w), (Key{NO_KEY, 0}));
}

TEST(KeyQueue, ControlCharactersComeFromTranslation) {
    auto w = OpenWindow();
    // Translation posts each character behind the messages already queued, so wait for them.
    PostKeyDown(*w, VK_RETURN, 0x1C);
    PostKeyDown(*w, VK_BACK, 0x0E);
    PostKeyDown(*w, VK_TAB, 0x0F);
    for (int expected : {13, 8, 9}) {
        char key = 0;
        EXPECT_EQ(w->WaitForKeyPress(key), ASCII_KEY);
        EXPECT_EQ(key, static_cast<char>(expected));
    }
}

TEST(KeyQueue, NavigationKeysGiveKeypadDigitsFunctionKeysTheirNumberAndOthersNothing) {
    auto w = OpenWindow();
    for (WPARAM ignored : {VK_DELETE, VK_INSERT, VK_SHIFT, VK_CONTROL}) {
        Post(*w, WM_KEYDOWN, ignored, 1);
    }
    const WPARAM keys[] = {VK_HOME, VK_UP, VK_PRIOR, VK_LEFT, VK_RIGHT, VK_END, VK_DOWN, VK_NEXT, VK_F1, VK_F12};
    const Key expected[] = {{ARROW_KEY, 7}, {ARROW_KEY, 8}, {ARROW_KEY, 9}, {ARROW_KEY, 4},    {ARROW_KEY, 6},
                            {ARROW_KEY, 1}, {ARROW_KEY, 2}, {ARROW_KEY, 3}, {FUNCTION_KEY, 1}, {FUNCTION_KEY, 12}};
    for (WPARAM key : keys) {
        Post(*w, WM_KEYDOWN, key, 1);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(NextKey(*w), (Key{NO_KEY, 0}));
    }
    for (const Key& key : expected) {
        EXPECT_EQ(NextKey(*w), key);
    }
}

TEST(KeyQueue, CharactersKeepTheirLowByteAndRepeatsQueueAgain) {
    auto w = OpenWindow();
    Post(*w, WM_CHAR, 0x1E9, 1);
    Post(*w, WM_CHAR, 'a', 1);
    Post(*w, WM_CHAR, 'a', 1);
    EXPECT_EQ(NextKey(*w), (Key{ASCII_KEY, 0xE9}));
    EXPECT_EQ(NextKey(*w), (Key{ASCII_KEY, 'a'}));
    EXPECT_EQ(NextKey(*w), (Key{ASCII_KEY, 'a'}));
}

TEST(InputQueues, ClearingOneQueueLeavesTheOther) {
    auto w = OpenWindow();
    PostClick(*w, LEFT_BUTTON, 1, 1);
    Post(*w, WM_CHAR, 'k', 1);
    int x = 0;
    int y = 0;
    for (int i = 0; i < 3; ++i) {
        w->GetMousePosition(x, y);
    }
    w->ClearMouseQueue();
    EXPECT_EQ(w->PollMouseClick(x, y), NO_CLICK);
    EXPECT_EQ(NextKey(*w), (Key{ASCII_KEY, 'k'}));

    Post(*w, WM_CHAR, 'q', 1);
    PostClick(*w, RIGHT_BUTTON, 2, 2);
    for (int i = 0; i < 3; ++i) {
        w->GetMousePosition(x, y);
    }
    w->ClearKeyQueue();
    EXPECT_EQ(NextKey(*w), (Key{NO_KEY, 0}));
    EXPECT_EQ(w->PollMouseClick(x, y), RIGHT_CLICK);
}

TEST(InputWaits, AWaitPumpsPastOtherMessagesUntilAClickArrives) {
    auto w = OpenWindow();
    Post(*w, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    Post(*w, WM_CHAR, 'z', 1);
    PostClick(*w, RIGHT_BUTTON, 9, 10);
    int x = 0;
    int y = 0;
    EXPECT_EQ(w->WaitForMouseClick(x, y), RIGHT_CLICK);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(y, 10);
    char key = 0;
    EXPECT_EQ(w->WaitForKeyPress(key), ASCII_KEY);
    EXPECT_EQ(key, 'z');
}

TEST(InputWaits, WaitsOnAWindowThatIsGoneReturnNothing) {
    auto w = OpenWindow();
    Post(*w, WM_CLOSE, 0, 0);
    int x = 0;
    int y = 0;
    EXPECT_EQ(w->WaitForMouseClick(x, y), NO_CLICK);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
    char key = 'x';
    EXPECT_EQ(w->WaitForKeyPress(key), NO_KEY);
    EXPECT_EQ(key, '\0');
    EXPECT_FALSE(IsWindow(WindowInspector::Handle(*w)));
}

TEST(InputErrors, AnExceptionWhileRecordingIsRethrownByThePumpAndTheCaptureReleased) {
    auto w = OpenWindow();
    PostClick(*w, LEFT_BUTTON, 4, 5);
    int x = 0;
    int y = 0;
    w->GetMousePosition(x, y);
    ArmAllocationFailure(true);
    EXPECT_THROW(w->PumpMessages(), error);
    ArmAllocationFailure(false);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(w->PollMouseClick(x, y), NO_CLICK);
    PostClick(*w, LEFT_BUTTON, 6, 7);
    EXPECT_EQ(w->WaitForMouseClick(x, y), LEFT_CLICK);
    EXPECT_EQ(x, 6);
}
