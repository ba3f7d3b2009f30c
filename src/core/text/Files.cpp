#include "text/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvore::text {

namespace testing {
void (*afterTemporaryWritten)() = nullptr;
void (*beforeTemporaryCreated)() = nullptr;
} // namespace testing

namespace {

// The temporary files being written now, kept where a signal handler can read them without a
// lock or an allocation. A slot is free, being named (its path being copied in), named (the
// file is being created under that name, or was found taken) or created (the file is ours).
// The name is known before the file exists, so that no file of ours is ever unknown to the
// handler, whichever thread it runs on.
enum SlotState : int { kFree, kNaming, kNamed, kCreated };
constexpr int kSlots = 8;
struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free);
Slot gSlots[kSlots];
// Set by the handler before it looks at the slots: from then on no save creates a file.
std::atomic<bool> gEnding{false};
static_assert(std::atomic<bool>::is_always_lock_free);
constexpr int kCleanedSignals[] = {SIGTERM, SIGINT};

// Removes the temporary files being written, then lets the signal do what it does by default
// (the handler was installed with SA_RESETHAND; the signal raised again waits until this
// returns). A file being created on another thread at this moment is waited for (up to a
// second) and removed too; a save that has not begun creating its file sees gEnding and never
// does. Only async-signal-safe calls.
extern "C" void removeTemporariesOnSignal(int signal) {
    const int savedErrno = errno;
    gEnding.store(true);
    for (Slot& s : gSlots) {
        int state = s.state.load();
        for (int waited = 0; state == kNamed && waited < 1000; ++waited) {
            const timespec aMillisecond{0, 1000000};
            ::nanosleep(&aMillisecond, nullptr);
            state = s.state.load();
        }
        if (state == kCreated) ::unlink(s.path);
    }
    ::raise(signal);
    errno = savedErrno;
}

// Installs the handler for the signals the program left to their default (a program that
// ignores or handles them itself keeps its own way).
void installSignalCleanup() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : kCleanedSignals) {
            struct sigaction old {};
            if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL ||
                (old.sa_flags & SA_SIGINFO) != 0)
                continue;
            struct sigaction action {};
            action.sa_handler = removeTemporariesOnSignal;
            sigemptyset(&action.sa_mask);
            for (const int other : kCleanedSignals) sigaddset(&action.sa_mask, other);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
    });
}

// A slot that names `path` for the handler (kNamed), or -1 when none is free or the path too
// long (the file is then left to the next save's sweep, should the program be ended).
int nameTemporary(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (gSlots[i].state.compare_exchange_strong(expected, kNaming)) {
            std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
            gSlots[i].state.store(kNamed);
            return i;
        }
    }
    return -1;
}

void setSlot(int slot, SlotState state) {
    if (slot >= 0) gSlots[slot].state.store(state);
}

// SIGTERM and SIGINT held back while a temporary file is made and named for the handler, so
// that none can come between the two.
class HeldSignals {
public:
    HeldSignals() {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : kCleanedSignals) sigaddset(&set, signal);
        held_ = ::pthread_sigmask(SIG_BLOCK, &set, &old_) == 0;
    }
    ~HeldSignals() {
        if (held_) ::pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t old_;
    bool held_;
};

// ".kelvore-" and eight lower-case hexadecimal digits: the names createTemporary gives.
bool isOurTemporaryName(const char* name) {
    constexpr std::string_view prefix = ".kelvore-";
    const std::string_view n(name);
    if (n.size() != prefix.size() + 8 || n.substr(0, prefix.size()) != prefix) return false;
    return std::all_of(n.begin() + prefix.size(), n.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Removes from the folder the temporary files of ours, regular files owned by us, that have
// not been written to for kStaleTemporarySeconds: leftovers of saves that were killed.
void removeStaleTemporaries(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    DIR* listing = ::fdopendir(dir);
    if (listing == nullptr) {
        ::close(dir);
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        if (!isOurTemporaryName(entry->d_name)) continue;
        struct stat st {};
        if (::fstatat(dir, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            now - st.st_mtime > kStaleTemporarySeconds)
            ::unlinkat(dir, entry->d_name, 0);
    }
    ::closedir(listing);
}

// Opens a regular file for reading, or gives -1 with errno set (0 for a file that is not a
// regular one). The type is looked at before the open, so that
// a FIFO or a device is never opened at all, and again on the open file, in case the name was
// changed in between; the open itself cannot wait, whatever it finds.
int openRegular(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    if (!S_ISREG(st.st_mode)) {
        errno = 0;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = 0;
        return -1;
    }
    return fd;
}

// Reads up to `room` bytes onto the end of `into`: the number read, 0 at the end, -1 on error.
ssize_t readSome(int fd, std::string& into, std::size_t room) {
    const std::size_t old = into.size();
    into.resize(old + room);
    ssize_t n;
    do {
        n = ::read(fd, into.data() + old, room);
    } while (n < 0 && errno == EINTR);
    const int error = errno;
    into.resize(old + (n > 0 ? static_cast<std::size_t>(n) : 0));
    errno = error;
    return n;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names: symbolic links are followed, a relative target from the
// folder of its link. A name that does not exist yet is its own target.
int finalTarget(std::string path, std::string& target) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT) return errno;
            target = path;
            return 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = path;
            return 0;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) >= link.size()) return ENAMETOOLONG;
        link.resize(static_cast<std::size_t>(n));
        if (link.empty()) return ENOENT;
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
    return ELOOP;
}

// A new, empty file of a short name of its own in the folder, with the mode the umask gives;
// `slot` names it for the signal handler from before it exists (-1 when no slot was free).
// Called with SIGTERM and SIGINT held back on this thread. The name's length does not depend on
// the target's, so a target with the longest name the folder allows still gets one.
int createTemporary(const std::string& folder, std::string& name, int& slot) {
    static std::atomic<unsigned long long> counter{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        // splitmix64 of a counter that starts at random, with the process id mixed in
        unsigned long long v =
            counter.fetch_add(0x9E3779B97F4A7C15ull) + static_cast<unsigned long long>(::getpid());
        v = (v ^ (v >> 30)) * 0xBF58476D1CE4E5B9ull;
        v = (v ^ (v >> 27)) * 0x94D049BB133111EBull;
        v ^= v >> 31;
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%08llx", v & 0xFFFFFFFFull);
        name = folder + "/.kelvore-" + suffix;
        slot = nameTemporary(name);
        if (testing::beforeTemporaryCreated != nullptr) testing::beforeTemporaryCreated();
        // The program is being ended by a signal handled on another thread: create nothing.
        if (gEnding.load()) {
            setSlot(slot, kFree);
            slot = -1;
            errno = EINTR;
            return -1;
        }
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const int error = errno;
        setSlot(slot, fd >= 0 ? kCreated : kFree);
        if (fd >= 0) return fd;
        slot = -1;
        errno = error;
        if (error != EEXIST) return -1;
    }
    errno = EEXIST;
    return -1;
}

int writeAll(int fd, std::string_view contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

ReadResult readFile(const std::string& path, std::size_t limit) {
    ReadResult r;
    const int fd = openRegular(path);
    if (fd < 0) {
        r.error = errno;
        return r;
    }
    r.status = ReadStatus::Ok;
    // Room for the whole file at once (and the read that finds its end): the bytes are never
    // copied to a larger buffer, and no more memory is touched than the file needs.
    constexpr std::size_t kChunk = 65536;
    if (struct stat st{}; ::fstat(fd, &st) == 0 && st.st_size > 0)
        r.bytes.reserve(std::min(static_cast<std::size_t>(st.st_size), limit + 1) + kChunk);
    for (;;) {
        const ssize_t n = readSome(fd, r.bytes, kChunk);
        if (n < 0) {
            r.status = ReadStatus::ReadError;
            r.error = errno;
            break;
        }
        if (r.bytes.size() > limit) {
            r.status = ReadStatus::TooLarge;
            break;
        }
        if (n == 0) break;
    }
    ::close(fd);
    if (!r.ok()) r.bytes.clear();
    return r;
}

ReadResult readLeadingLines(const std::string& path, int count, std::size_t limit) {
    ReadResult r;
    const int fd = openRegular(path);
    if (fd < 0) {
        r.error = errno;
        return r;
    }
    r.status = ReadStatus::TooLarge;
    int ends = 0;
    std::size_t scanned = 0;
    while (r.bytes.size() <= limit) {
        const ssize_t n =
            readSome(fd, r.bytes, std::min<std::size_t>(4096, limit + 1 - r.bytes.size()));
        if (n < 0) {
            r.status = ReadStatus::ReadError;
            r.error = errno;
            break;
        }
        for (; scanned < r.bytes.size() && ends < count; ++scanned)
            if (r.bytes[scanned] == '\n') ++ends;
        if (ends == count) {
            r.bytes.resize(scanned);
            r.status = scanned <= limit ? ReadStatus::Ok : ReadStatus::TooLarge;
            break;
        }
        if (n == 0) {
            r.status = ReadStatus::Ok;
            break;
        }
    }
    ::close(fd);
    if (!r.ok()) r.bytes.clear();
    return r;
}

std::string saveErrorText(int error) {
    return error == kNotARegularFile ? "not a regular file (a FIFO, a device or a socket)"
                                     : std::strerror(error);
}

int writeFileAtomically(const std::string& path, std::string_view contents) {
    if (path.empty()) return ENOENT;
    std::string target;
    if (const int error = finalTarget(path, target)) return error;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return EISDIR;
    if (exists && !S_ISREG(old.st_mode)) return kNotARegularFile;

    const std::string folder = folderOf(target);
    removeStaleTemporaries(folder);
    installSignalCleanup();
    std::string temp;
    int fd = -1, slot = -1;
    {
        const HeldSignals held;
        fd = createTemporary(folder, temp, slot);
        if (fd < 0) return errno;
    }
    auto fail = [&](int error) {
        ::close(fd);
        const HeldSignals held;
        ::unlink(temp.c_str());
        setSlot(slot, kFree);
        return error;
    };
    if (const int error = writeAll(fd, contents)) return fail(error);
    if (exists) {
        // The owner and group only where allowed (the group alone when the owner may not
        // be given away; if neither is allowed the file stays ours); the mode always.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
                ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
                // Not allowed: keep our own owner and group.
            }
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) return fail(errno);
    }
    if (::fsync(fd) != 0) return fail(errno);
    if (testing::afterTemporaryWritten != nullptr) testing::afterTemporaryWritten();
    if (::close(fd) != 0) {
        fd = -1;
        return fail(errno);
    }
    {
        // Renamed and forgotten with the signals held back here; a handler on another thread
        // that comes in between finds the temporary name already gone.
        const HeldSignals held;
        if (std::rename(temp.c_str(), target.c_str()) != 0) {
            const int error = errno;
            ::unlink(temp.c_str());
            setSlot(slot, kFree);
            return error;
        }
        setSlot(slot, kFree);
    }
    // The rename is on disk only once the folder is; a folder that cannot be opened for
    // reading cannot be flushed by us, and a file system that cannot flush one says EINVAL.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        const int error = ::fsync(dir) == 0 || errno == EINVAL ? 0 : errno;
        ::close(dir);
        return error;
    }
    return 0;
}

} // namespace kelvore::text
