// The headless display's input script (ZG_SCRIPT): one event a line, "<ms> <event> <args>",
// '#' comments and blank lines ignored, times never decreasing. Parsing is a pure function so
// the whole file is checked, and every error reported with its line, before any window opens.
// A script is text written by hand or by a recorder: a line is at most max_script_line bytes
// and a file at most max_script_bytes, so a wrong path (a device, a huge file) fails at once
// instead of filling memory.
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
    std::uint64_t time = 0;  // virtual ms since the script started, at most max_script_time
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

constexpr std::size_t max_script_line = 4096;
// The range of GetTickCount: about 49.7 days, and far from overflowing the clock's microseconds.
constexpr std::uint64_t max_script_time = 0xFFFFFFFF;
constexpr std::size_t max_script_bytes = std::size_t{16} << 20;

ParsedScript parse_script(const std::string& contents, const std::string& name);

// Reads and parses the script file at `path`: a directory, an unreadable file or one over
// max_script_bytes is an error naming the file.
ParsedScript load_script_file(const std::string& path);

// `text` for an error message: at most 80 characters, in single quotes, bytes outside printable
// ASCII as \xNN, and "..." after the quote when it was cut.
std::string quote_for_message(const std::string& text);

// The key-down a typed Windows-1252 character makes (virtual key and character).
ScriptKey key_for_char(unsigned char c);

}  // namespace zg
