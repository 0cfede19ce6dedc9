// The headless display's input script (ZG_SCRIPT): one event a line, "<ms> <event> <args>",
// '#' comments and blank lines ignored. Parsing is a pure function so the whole file is
// checked, and every error reported with its line, before any window opens.
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zg {

// Choose, Cancel and Ok are answers: each waits for the next print dialog or message box
// instead of firing at its time.
enum class ScriptAction : std::uint8_t { Move, Press, Release, Click, Key, Type, Snapshot, Close, Choose, Cancel, Ok };

constexpr bool is_answer(ScriptAction action) {
    return action == ScriptAction::Choose || action == ScriptAction::Cancel || action == ScriptAction::Ok;
}
enum class MouseSide : std::uint8_t { Left, Right };

struct ScriptKey {
    WPARAM vk = 0;
    unsigned char typed = 0;  // Windows-1252 byte the key types; 0 for none
    bool alt = false;
    bool system = false;  // sent as WM_SYSKEYDOWN (Alt combinations and F10)
};

struct ScriptEvent {
    std::uint64_t time = 0;  // virtual ms since the first window opened
    ScriptAction action = ScriptAction::Move;
    MouseSide button = MouseSide::Left;
    int x = 0, y = 0;
    ScriptKey key;
    std::string text;  // Type: Windows-1252 bytes; Snapshot: the file name; Choose: the printer
    int line = 0;
};

struct ParsedScript {
    std::vector<ScriptEvent> events;
    std::string error;  // empty when the script is good; else "NAME:LINE: what"
};

ParsedScript parse_script(const std::string& contents, const std::string& name);

// The key-down a typed Windows-1252 character makes (virtual key and character).
ScriptKey key_for_char(unsigned char c);

}  // namespace zg
