// The file a document is written to. It is opened without following a symbolic link, and a file
// the job makes is made exclusively (O_EXCL), so printing never writes through a link planted in
// its place and never takes over a file someone else made. Every write, the flush to the disk
// and the close are checked; the first failure is kept with its errno text. Only a file the job
// itself made is ever removed, and an existing file named as the output is replaced only when the
// whole document was written (it goes to a new file beside it, renamed over it at the end).
#pragma once

#include <cstddef>
#include <string>

namespace zg::print {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Makes `path`, which must not exist yet; false (and error()) when it does or cannot be made.
    bool create(const std::string& path);
    // Makes a new file from a mkstemp pattern ("DIR/NAME-XXXXXX"); path() is the name it got.
    bool create_temporary(const std::string& pattern);
    // The output a caller named: made when missing, replaced at commit() when a regular file,
    // written into when a device or pipe; a symbolic link or a directory is refused.
    bool open_named(const std::string& path);

    bool write(const void* data, std::size_t size);
    // Flushes and closes; a regular file made to replace another is renamed over it. False (and
    // the made file removed) when any write or this failed.
    bool commit();
    // Closes and removes the file if the job made it.
    void discard();

    bool failed() const { return !m_error.empty(); }
    int error_number() const { return m_errno; }
    const std::string& error() const { return m_error; }
    // Where the document goes, as the caller named it.
    const std::string& path() const { return m_target.empty() ? m_path : m_target; }
    bool is_open() const { return m_fd >= 0; }

private:
    bool fail(const std::string& what, int error_number);
    bool adopt(int fd, const std::string& path, bool owned, const std::string& target);

    int m_fd = -1;
    std::string m_path;    // the file written
    std::string m_target;  // the file it replaces at commit(), if any
    bool m_owned = false;  // made by this job, so ours to remove
    std::string m_error;
    int m_errno = 0;
};

}  // namespace zg::print
