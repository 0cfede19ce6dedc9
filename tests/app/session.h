// Runs a program of the build as a scripted headless session and collects what it left behind:
// exit status, standard output, and the snapshots named in the script.
#pragma once

#include <filesystem>
#include <string>

struct SessionResult {
    int exitStatus = -1;  // -1 when the program did not end normally (signal, time-out)
    std::string output;   // standard output
};

class HeadlessSession {
public:
    // name keeps the session's files apart from other tests' in the temporary directory.
    explicit HeadlessSession(const std::string& name);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    // Absolute path for a snapshot file named in a script.
    std::string Path(const std::string& file) const;
    // Writes the script (one event a line) and runs the program under ZG_DISPLAY=headless in the
    // session's directory, where the script's snapshots land, with a time-out so that a hanging
    // program fails the test instead of blocking it.
    SessionResult Run(const std::string& program, const std::string& script) const;

private:
    std::filesystem::path m_dir;
};
