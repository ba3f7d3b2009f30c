#include "text/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvore::text {

namespace {

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

// A new, empty file of a short name of its own in the folder, with the mode the umask gives.
// The name's length does not depend on the target's, so a target with the longest name the
// folder allows still gets one.
int createTemporary(const std::string& folder, std::string& name) {
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
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
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
    for (;;) {
        const ssize_t n = readSome(fd, r.bytes, 65536);
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

int writeFileAtomically(const std::string& path, std::string_view contents) {
    if (path.empty()) return ENOENT;
    std::string target;
    if (const int error = finalTarget(path, target)) return error;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return EISDIR;

    const std::string folder = folderOf(target);
    std::string temp;
    const int fd = createTemporary(folder, temp);
    if (fd < 0) return errno;
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
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
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
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
