// Writing a document's file; see output_file.h.
#include "print/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zg::print {

OutputFile::~OutputFile() { discard(); }

bool OutputFile::fail(const std::string& what, int error_number) {
    if (!m_error.empty()) return false;
    m_errno = error_number;
    m_error = what + ": " + std::strerror(error_number);
    return false;
}

bool OutputFile::adopt(int fd, const std::string& path, bool owned, const std::string& target) {
    m_fd = fd;
    m_path = path;
    m_owned = owned;
    m_target = target;
    return true;
}

bool OutputFile::create(const std::string& path) {
    m_error.clear();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return fail("cannot create " + path, errno);
    return adopt(fd, path, true, {});
}

bool OutputFile::create_temporary(const std::string& pattern) {
    m_error.clear();
    std::string name = pattern;
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return fail("cannot create a file " + pattern, errno);
    return adopt(fd, name, true, {});
}

bool OutputFile::open_named(const std::string& path) {
    m_error.clear();
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return create(path);
        return fail("cannot write " + path, errno);
    }
    if (S_ISLNK(info.st_mode)) return fail("cannot write " + path + " (a symbolic link)", ELOOP);
    if (S_ISDIR(info.st_mode)) return fail("cannot write " + path, EISDIR);
    if (S_ISREG(info.st_mode)) {
        const std::string target = path;
        if (!create_temporary(path + ".zg-XXXXXX")) return false;
        m_target = target;
        return true;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return fail("cannot write " + path, errno);
    return adopt(fd, path, false, {});
}

bool OutputFile::write(const void* data, std::size_t size) {
    if (m_fd < 0 || failed()) return false;
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(m_fd, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return fail("cannot write " + path(), errno);
        if (written == 0) return fail("cannot write " + path(), EIO);
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool OutputFile::commit() {
    if (m_fd < 0) return false;
    struct stat info {};
    // Data still in the page cache can yet fail to reach the disk: a full disk or a lost network
    // share shows only here. Devices and pipes have nothing to flush.
    if (!failed() && fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode) && fsync(m_fd) != 0)
        fail("cannot write " + path(), errno);
    if (::close(m_fd) != 0) fail("cannot write " + path(), errno);
    m_fd = -1;
    if (!failed() && !m_target.empty() && std::rename(m_path.c_str(), m_target.c_str()) != 0)
        fail("cannot replace " + m_target, errno);
    if (failed()) {
        if (m_owned) ::unlink(m_path.c_str());
        return false;
    }
    m_owned = false;  // delivered: no longer ours to remove
    return true;
}

void OutputFile::discard() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (m_owned) ::unlink(m_path.c_str());
    m_owned = false;
}

}  // namespace zg::print
