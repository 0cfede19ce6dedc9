// Fuzz target: the headless input script parser. Whatever the bytes, parsing must end with
// either events or one error, never a crash or an unbounded allocation, and the result must be
// coherent: an error names the script and a line that exists, is short, holds no raw control
// bytes, and comes with no events; events come in file order with times that never go back.
#include "display/script.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void require(bool holds) {
    if (!holds) __builtin_trap();
}

int count_lines(const std::string& text) {
    int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return text.empty() || text.back() == '\n' ? lines : lines + 1;
}

void check_error(const std::string& error, int lines) {
    const std::string prefix = "fuzz.txt:";
    require(error.rfind(prefix, 0) == 0);
    int line = std::atoi(error.c_str() + prefix.size());
    require(line >= 1 && line <= lines);
    require(error.size() < 400);
    for (char c : error) require(static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F);
}

void check_events(const std::vector<zg::ScriptEvent>& events, int lines) {
    for (std::size_t i = 0; i < events.size(); ++i) {
        require(events[i].line >= 1 && events[i].line <= lines);
        if (i == 0) continue;
        require(events[i].line > events[i - 1].line);
        require(events[i].time >= events[i - 1].time);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const zg::ParsedScript parsed = zg::parse_script(text, "fuzz.txt");
    const int lines = count_lines(text);
    if (parsed.error.empty()) {
        check_events(parsed.events, lines);
        return 0;
    }
    require(parsed.events.empty());
    check_error(parsed.error, lines);
    return 0;
}
