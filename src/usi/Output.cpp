#include "Output.h"

#include <cerrno>
#include <unistd.h>

namespace kelvore::usi {

void FdSink::write(std::string_view lines) {
    std::unique_lock lock(mutex_);
    if (failed_) return;
    while (!lines.empty()) {
        const ssize_t n = ::write(fd_, lines.data(), lines.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            failed_ = true;
            lock.unlock();
            if (onFailure) onFailure();
            return;
        }
        lines.remove_prefix(static_cast<std::size_t>(n));
    }
}

LineStream::Buffer::int_type LineStream::Buffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    if (traits_type::to_char_type(c) == '\n') handOnWholeLines();
    return c;
}

std::streamsize LineStream::Buffer::xsputn(const char* s, std::streamsize n) {
    const std::string_view text(s, static_cast<std::size_t>(n));
    pending_ += text;
    if (text.find('\n') != std::string_view::npos) handOnWholeLines();
    return n;
}

int LineStream::Buffer::sync() {
    if (!pending_.empty()) {
        sink_.write(pending_);
        pending_.clear();
    }
    return 0;
}

void LineStream::Buffer::handOnWholeLines() {
    const std::size_t end = pending_.rfind('\n') + 1;
    sink_.write(std::string_view(pending_).substr(0, end));
    pending_.erase(0, end);
}

} // namespace kelvore::usi
