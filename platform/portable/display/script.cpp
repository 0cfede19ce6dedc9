// Parsing the headless input script; see script.h. Key names follow the script's own words
// (escape, enter, tab, backspace, delete, insert, home, end, pageup, pagedown, the arrows,
// f1 to f12, a printable character), with an optional "alt+" prefix.
#include "display/script.h"

#include "text/cp1252.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>
#include <filesystem>

namespace zg {
namespace {

struct NamedKey {
    const char* name;
    WPARAM vk;
    unsigned char typed;
};

constexpr std::array<NamedKey, 15> named_keys{{
    {"escape", VK_ESCAPE, 27},
    {"enter", VK_RETURN, 13},
    {"tab", VK_TAB, 9},
    {"backspace", VK_BACK, 8},
    {"space", VK_SPACE, ' '},
    {"delete", VK_DELETE, 0},
    {"insert", VK_INSERT, 0},
    {"home", VK_HOME, 0},
    {"end", VK_END, 0},
    {"pageup", VK_PRIOR, 0},
    {"pagedown", VK_NEXT, 0},
    {"left", VK_LEFT, 0},
    {"right", VK_RIGHT, 0},
    {"up", VK_UP, 0},
    {"down", VK_DOWN, 0},
}};

// Punctuation keys of a US keyboard, unshifted and shifted, with their VK_OEM codes.
constexpr std::array<std::pair<const char*, WPARAM>, 11> oem_keys{{
    {";:", 0xBA},
    {"=+", 0xBB},
    {",<", 0xBC},
    {"-_", 0xBD},
    {".>", 0xBE},
    {"/?", 0xBF},
    {"`~", 0xC0},
    {"[{", 0xDB},
    {"\\|", 0xDC},
    {"]}", 0xDD},
    {"'\"", 0xDE},
}};
constexpr const char* shifted_digits = ")!@#$%^&*(";

struct Line {
    std::vector<std::string> words;
    std::string rest;  // everything after the event word, trimmed
};

Line split(const std::string& text) {
    Line line;
    std::istringstream in(text);
    for (std::string word; in >> word;) line.words.push_back(word);
    if (line.words.size() < 2) return line;
    std::size_t at = text.find(line.words[1], text.find(line.words[0]) + line.words[0].size());
    line.rest = text.substr(at + line.words[1].size());
    line.rest.erase(0, line.rest.find_first_not_of(" \t"));
    line.rest.erase(line.rest.find_last_not_of(" \t\r") + 1);
    return line;
}

template <class Int>
bool parse_int(const std::string& word, Int& out) {
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), out);
    return error == std::errc{} && end == word.data() + word.size();
}

bool parse_named_key(const std::string& name, ScriptKey& key) {
    for (const NamedKey& named : named_keys) {
        if (name != named.name) continue;
        key.vk = named.vk;
        key.typed = named.typed;
        return true;
    }
    int number = 0;
    if (name.size() < 2 || name[0] != 'f' || !parse_int(name.substr(1), number)) return false;
    if (number < 1 || number > 12) return false;
    key.vk = static_cast<WPARAM>(VK_F1 + number - 1);
    key.system = number == 10;
    return true;
}

bool parse_key(std::string name, ScriptKey& key) {
    bool alt = name.rfind("alt+", 0) == 0 && name.size() > 4;
    if (alt) name = name.substr(4);
    std::string single = to_windows_1252(name);
    if (single.size() == 1 && static_cast<unsigned char>(single[0]) > ' ') {
        key = key_for_char(static_cast<unsigned char>(single[0]));
    } else if (!parse_named_key(name, key)) {
        return false;
    }
    key.alt = alt;
    key.system = key.system || alt;
    return true;
}

std::string parse_mouse(const Line& line, std::size_t first, ScriptEvent& event) {
    if (line.words.size() != first + 2) return "expected X Y";
    if (!parse_int(line.words[first], event.x) || !parse_int(line.words[first + 1], event.y))
        return "bad coordinates " + quote_for_message(line.words[first] + " " + line.words[first + 1]);
    return {};
}

std::string parse_button_event(const Line& line, ScriptEvent& event) {
    if (line.words.size() < 3) return "expected left|right X Y";
    const std::string& side = line.words[2];
    if (side != "left" && side != "right") return "unknown button " + quote_for_message(side);
    event.button = side == "left" ? MouseSide::Left : MouseSide::Right;
    return parse_mouse(line, 3, event);
}

std::string parse_arguments(const Line& line, ScriptEvent& event) {
    switch (event.action) {
    case ScriptAction::Move: return parse_mouse(line, 2, event);
    case ScriptAction::Press:
    case ScriptAction::Release:
    case ScriptAction::Click: return parse_button_event(line, event);
    case ScriptAction::Key:
        if (line.words.size() != 3) return "expected one key name";
        return parse_key(line.words[2], event.key) ? "" : "unknown key " + quote_for_message(line.words[2]);
    case ScriptAction::Type: event.text = to_windows_1252(line.rest); return event.text.empty() ? "missing text" : "";
    case ScriptAction::Snapshot: event.text = line.rest; return event.text.empty() ? "missing file name" : "";
    case ScriptAction::Close: return line.words.size() == 2 ? "" : "close takes no arguments";
    case ScriptAction::Choose: event.text = line.rest; return event.text.empty() ? "missing printer name" : "";
    case ScriptAction::Cancel: return line.words.size() == 2 ? "" : "cancel takes no arguments";
    case ScriptAction::Ok: return line.words.size() == 2 ? "" : "ok takes no arguments";
    }
    return "unknown event";
}

bool parse_action(const std::string& word, ScriptAction& action) {
    static constexpr std::array<std::pair<const char*, ScriptAction>, 11> actions{{
        {"move", ScriptAction::Move},
        {"press", ScriptAction::Press},
        {"release", ScriptAction::Release},
        {"click", ScriptAction::Click},
        {"key", ScriptAction::Key},
        {"type", ScriptAction::Type},
        {"snapshot", ScriptAction::Snapshot},
        {"close", ScriptAction::Close},
        {"choose", ScriptAction::Choose},
        {"cancel", ScriptAction::Cancel},
        {"ok", ScriptAction::Ok},
    }};
    for (const auto& [name, value] : actions) {
        if (word != name) continue;
        action = value;
        return true;
    }
    return false;
}

std::string parse_line(const std::string& text, ScriptEvent& event) {
    Line line = split(text);
    if (line.words.size() < 2) return "expected '<ms> <event> ...'";
    if (!parse_int(line.words[0], event.time)) return "bad time " + quote_for_message(line.words[0]);
    if (event.time > max_script_time)
        return "time " + quote_for_message(line.words[0]) + " is beyond " + std::to_string(max_script_time) + " ms";
    if (!parse_action(line.words[1], event.action)) return "unknown event " + quote_for_message(line.words[1]);
    return parse_arguments(line, event);
}

std::string check_order(const ScriptEvent& event, const std::vector<ScriptEvent>& before) {
    if (before.empty() || event.time >= before.back().time) return {};
    return "time " + std::to_string(event.time) + " is earlier than line " + std::to_string(before.back().line) +
           "'s " + std::to_string(before.back().time);
}

std::string check_line(const std::string& text, const std::vector<ScriptEvent>& before, ScriptEvent& event) {
    if (text.size() > max_script_line) return "line longer than " + std::to_string(max_script_line) + " bytes";
    std::string error = parse_line(text, event);
    return error.empty() ? check_order(event, before) : error;
}

std::string read_bounded(std::istream& in, std::size_t limit) {
    std::string contents(limit + 1, '\0');
    in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
    contents.resize(static_cast<std::size_t>(in.gcount()));
    return contents;
}

bool is_blank_or_comment(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    return first == std::string::npos || text[first] == '#';
}

}  // namespace

std::string quote_for_message(const std::string& text) {
    constexpr std::size_t shown = 80;
    std::string quoted = "'";
    for (std::size_t i = 0; i < text.size() && i < shown; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            quoted += static_cast<char>(byte);
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        quoted += escaped;
    }
    quoted += "'";
    return text.size() > shown ? quoted + "..." : quoted;
}

ParsedScript load_script_file(const std::string& path) {
    ParsedScript failed;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        failed.error = path + ": is a directory, not a script";
        return failed;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        failed.error = path + ": cannot read the file";
        return failed;
    }
    std::string contents = read_bounded(in, max_script_bytes);
    if (in.bad()) {
        failed.error = path + ": cannot read the file";
        return failed;
    }
    if (contents.size() <= max_script_bytes) return parse_script(contents, path);
    contents.resize(max_script_bytes);
    ParsedScript parsed = parse_script(contents, path);
    if (parsed.error.empty()) parsed.error = path + ": longer than " + std::to_string(max_script_bytes) + " bytes";
    parsed.events.clear();
    return parsed;
}

ScriptKey key_for_char(unsigned char c) {
    ScriptKey key;
    key.typed = c;
    if (c >= 'a' && c <= 'z')
        key.vk = static_cast<WPARAM>(c - 'a' + 'A');
    else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        key.vk = c;
    else if (c == ' ')
        key.vk = VK_SPACE;
    for (int digit = 0; digit < 10 && key.vk == 0; ++digit) {
        if (shifted_digits[digit] == static_cast<char>(c)) key.vk = static_cast<WPARAM>('0' + digit);
    }
    for (const auto& [chars, vk] : oem_keys) {
        if (key.vk == 0 && (chars[0] == static_cast<char>(c) || chars[1] == static_cast<char>(c))) key.vk = vk;
    }
    if (key.vk == 0) key.vk = 0xDF;  // VK_OEM_8: a key of a national layout
    return key;
}

ParsedScript parse_script(const std::string& contents, const std::string& name) {
    ParsedScript result;
    std::istringstream in(contents);
    int number = 0;
    for (std::string text; std::getline(in, text);) {
        ++number;
        if (is_blank_or_comment(text)) continue;
        ScriptEvent event;
        event.line = number;
        std::string error = check_line(text, result.events, event);
        if (!error.empty()) {
            result.error = name + ":" + std::to_string(number) + ": " + error;
            result.events.clear();
            return result;
        }
        result.events.push_back(std::move(event));
    }
    return result;
}

}  // namespace zg
