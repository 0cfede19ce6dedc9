// The open public call and the formatting of its line; see call_site.h.
#include <graphics/call_site.h>
#include <graphics/library_internal.h>

#include <cstdio>
#include <string_view>

namespace graphics_detail {
namespace {

constexpr std::size_t kLongestText = 40;

std::string_view FileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string ActiveCall::Describe() const {
    std::string line = "  in ";
    line += m_name;
    line += '(';
    AppendArguments(line);
    line += ") at ";
    line += FileName(m_where.file_name());
    line += ':';
    line += std::to_string(m_where.line());
    return line;
}

std::string CallerLine() { return ActiveCall::Open() != nullptr ? ActiveCall::Open()->Describe() : std::string(); }

// A report must never throw: without memory for the caller line, the report stands alone.
void ReportFatal(const char* text) noexcept {
    WriteLine(text);
    try {
        const std::string line = CallerLine();
        if (!line.empty()) {
            WriteLine(line.c_str());
        }
    } catch (...) {
        return;
    }
}

void AppendArgument(std::string& out, long long value) { out += std::to_string(value); }

void AppendArgument(std::string& out, unsigned long long value) { out += std::to_string(value); }

void AppendArgument(std::string& out, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    out += text;
}

void AppendArgument(std::string& out, const char* text) {
    if (text == nullptr) {
        out += "nullptr";
        return;
    }
    const std::string_view whole(text);
    out += '"';
    out += whole.substr(0, kLongestText);
    out += whole.size() > kLongestText ? "...\"" : "\"";
}

void AppendArgument(std::string& out, const std::string& text) { AppendArgument(out, text.c_str()); }

// An address means nothing to the reader; whether there is one does.
void AppendArgument(std::string& out, const void* pointer) { out += pointer == nullptr ? "nullptr" : "..."; }

void AppendArgument(std::string& out, const color& colour) {
    out += "color(" + std::to_string(colour.ucRed) + ", " + std::to_string(colour.ucGreen) + ", " +
           std::to_string(colour.ucBlue) + ")";
}

void AppendArgument(std::string& out, bool value) { out += value ? "true" : "false"; }

}  // namespace graphics_detail
