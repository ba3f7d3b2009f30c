#include "OutputFile.h"

#include "text/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvore::gauntlet {

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool OutputFile::failWith(int error) {
    if (error_.empty()) error_ = "cannot write " + path_ + ": " + std::strerror(error);
    return false;
}

bool OutputFile::open(const std::string& path, Mode mode) {
    path_ = path;
    error_.clear();
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == Mode::Append ? O_APPEND : O_TRUNC);
    fd_ = ::open(path.c_str(), flags, 0666);
    return fd_ >= 0 || failWith(errno);
}

bool OutputFile::write(std::string_view text) {
    if (!error_.empty()) return false;
    if (fd_ < 0) return failWith(EBADF);
    while (!text.empty()) {
        const ssize_t n = ::write(fd_, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return failWith(n < 0 ? errno : EIO);
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool OutputFile::close() {
    if (fd_ < 0) return error_.empty() ? failWith(EBADF) : false;
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) failWith(errno);
    return error_.empty();
}

bool writeWholeFile(const std::string& path, std::string_view text, std::string& error) {
    const int code = text::writeFileAtomically(path, text);
    if (code == 0) return true;
    error = "cannot write " + path + ": " + text::saveErrorText(code);
    return false;
}

} // namespace kelvore::gauntlet
