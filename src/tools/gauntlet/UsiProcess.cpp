#include "UsiProcess.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kelvore::gauntlet {

UsiProcess::~UsiProcess() {
    stop();
}

bool UsiProcess::start(const std::string& command, std::string& error) {
    stop();
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty()) {
        error = "empty engine command";
        return false;
    }
    int toChild[2], fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        close(toChild[0]);
        close(toChild[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    if (rc != 0) {
        error = "cannot run " + words[0] + ": " + std::strerror(rc);
        close(toChild[1]);
        close(fromChild[0]);
        return false;
    }
    pid_ = pid;
    in_ = toChild[1];
    out_ = fromChild[0];
    buffer_.clear();
    return true;
}

bool UsiProcess::send(const std::string& line) {
    if (in_ < 0) return false;
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(in_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

bool UsiProcess::readLine(int timeoutMs, std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            line = buffer_.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            buffer_.erase(0, end + 1);
            return true;
        }
        if (out_ < 0) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) return false;
        pollfd p{out_, POLLIN, 0};
        const int r = poll(&p, 1, int(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        char chunk[4096];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(out_);
            out_ = -1;
            continue; // what is buffered may still hold a line
        }
        buffer_.append(chunk, std::size_t(n));
    }
}

bool UsiProcess::waitFor(const std::string& word, int timeoutMs, std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (!readLine(int(std::max<long long>(left, 0)), line)) return false;
        if (line.compare(0, word.size(), word) == 0 &&
            (line.size() == word.size() || line[word.size()] == ' '))
            return true;
    }
}

void UsiProcess::stop() {
    if (pid_ <= 0) return;
    send("quit");
    if (in_ >= 0) close(in_);
    in_ = -1;
    int status = 0;
    bool gone = false;
    for (int i = 0; i < 100 && !gone; ++i) {
        gone = waitpid(pid_, &status, WNOHANG) == pid_;
        if (!gone) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!gone) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    if (out_ >= 0) close(out_);
    out_ = -1;
    pid_ = -1;
    buffer_.clear();
}

} // namespace kelvore::gauntlet
