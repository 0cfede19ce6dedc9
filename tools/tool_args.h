// Command-line words of the tools. "--help" (or "-h") prints the usage and succeeds. A tool
// that takes file names also refuses every other word starting with '-': an option typed out
// of habit must never become the name of a file the tool writes or reads.
#pragma once

#include <cstdio>
#include <cstring>
#include <optional>

namespace tools {

inline bool is_help(const char* word) { return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0; }

// For tools whose arguments may be negative numbers: the exit status 0 after printing the
// usage when help was asked for; nullopt to go on.
inline std::optional<int> answer_help(int argc, char** argv, const char* usage) {
    for (int i = 1; i < argc; ++i) {
        if (!is_help(argv[i])) continue;
        std::printf("usage: %s\n", usage);
        return 0;
    }
    return std::nullopt;
}

// For tools that take paths: as answer_help, and status 2 with a message for any other word
// starting with '-'.
inline std::optional<int> check_path_arguments(int argc, char** argv, const char* usage) {
    if (std::optional<int> help = answer_help(argc, argv, usage)) return help;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-') continue;
        std::fprintf(stderr, "%s: '%s' is not an option nor a file name this tool accepts\nusage: %s\n", argv[0],
                     argv[i], usage);
        return 2;
    }
    return std::nullopt;
}

}  // namespace tools
