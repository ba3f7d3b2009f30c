// kelvore-usi: the game's rules and its computer players behind the USI text protocol, for
// other programs and tests. Input is read while commands run, so that `stop`, `isready` and
// `quit` are heard during a search. Exits 1 when the answers cannot be written (a full disk, a
// closed pipe), 0 otherwise.
#include "Front.h"
#include "Output.h"
#include "Protocol.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

// Lines from a file descriptor, given up when `wake` becomes readable. A line longer than
// kLongest bytes is cut there; the rest of it is skipped.
class LineReader {
public:
    LineReader(int fd, int wake) : fd_(fd), wake_(wake) {}
    // False at the end of the input, on a read error, or when woken.
    bool next(std::string& line) {
        for (;;) {
            const std::size_t end = buffer_.find('\n', scanned_);
            if (end != std::string::npos) {
                line.assign(buffer_, 0, std::min(end, kLongest));
                buffer_.erase(0, end + 1);
                scanned_ = 0;
                if (skipping_) {
                    skipping_ = false;
                    continue;
                }
                return true;
            }
            scanned_ = buffer_.size();
            if (buffer_.size() > kLongest) {
                // Keep the cut line; drop what follows until its end.
                if (!skipping_) {
                    line.assign(buffer_, 0, kLongest);
                    skipping_ = true;
                    buffer_.clear();
                    scanned_ = 0;
                    return true;
                }
                buffer_.clear();
                scanned_ = 0;
            }
            if (eof_) {
                if (buffer_.empty() || skipping_) return false;
                line.swap(buffer_);
                buffer_.clear();
                return true;
            }
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (fds[1].revents != 0) return false;
            char chunk[65536];
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n <= 0)
                eof_ = true;
            else
                buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

private:
    static constexpr std::size_t kLongest = 1 << 20;
    int fd_, wake_;
    std::string buffer_;
    std::size_t scanned_ = 0;
    bool skipping_ = false;
    bool eof_ = false;
};

} // namespace

int main() {
    // A closed pipe is an error to report, not a signal that ends the program unseen.
    std::signal(SIGPIPE, SIG_IGN);
    int wake[2];
    if (::pipe(wake) != 0) {
        std::perror("kelvore-usi: pipe");
        return 1;
    }
    ::fcntl(wake[1], F_SETFL, O_NONBLOCK);

    kelvore::usi::FdSink out(STDOUT_FILENO);
    kelvore::usi::Protocol protocol;
    {
        kelvore::usi::Front front(protocol, out);
        out.onFailure = [&front, &wake] {
            front.abort();
            const char c = 1;
            [[maybe_unused]] const ssize_t n = ::write(wake[1], &c, 1);
        };
        LineReader reader(STDIN_FILENO, wake[0]);
        std::string line;
        while (reader.next(line) && front.take(line)) {}
        front.endOfInput();
        front.finish();
    }
    if (out.failed()) {
        std::fprintf(stderr, "kelvore-usi: cannot write the answers: %s\n",
                     std::strerror(out.error()));
        return 1;
    }
    return 0;
}
