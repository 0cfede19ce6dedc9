// Sessions run through the shell so that the environment, the redirections and the time-out
// are set for the child alone.
#include "session.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr int SESSION_TIMEOUT_S = 60;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int ExitStatusOf(int waitStatus) {
    if (waitStatus == -1 || !WIFEXITED(waitStatus)) return -1;
    const int status = WEXITSTATUS(waitStatus);
    return status == 124 ? -1 : status;  // 124: timeout ended it
}

}  // namespace

HeadlessSession::HeadlessSession(const std::string& name)
    : m_dir(std::filesystem::temp_directory_path() / ("zg_app_" + name + "_" + std::to_string(getpid()))) {
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
}

HeadlessSession::~HeadlessSession() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string HeadlessSession::Path(const std::string& file) const { return (m_dir / file).string(); }

SessionResult HeadlessSession::Run(const std::string& program, const std::string& script) const {
    const std::filesystem::path scriptPath = m_dir / "session.script";
    const std::filesystem::path outputPath = m_dir / "stdout.txt";
    std::ofstream(scriptPath) << script;
    const std::string command = "cd '" + m_dir.string() + "' && ZG_DISPLAY=headless ZG_SCRIPT='" + scriptPath.string() +
                                "' timeout " + std::to_string(SESSION_TIMEOUT_S) + " '" + program + "' > '" +
                                outputPath.string() + "' 2> '" + (m_dir / "stderr.txt").string() + "'";
    SessionResult result;
    result.exitStatus = ExitStatusOf(std::system(command.c_str()));
    result.output = ReadFile(outputPath);
    return result;
}
