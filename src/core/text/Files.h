// Whole files in and out for the settings file and the game records. A file is read only when
// it is a regular file: a FIFO, a folder or a device is refused at once, never waited on. A
// file is replaced only by a complete, flushed copy that keeps the old one's mode.
#pragma once

#include <cerrno>
#include <cstddef>
#include <string>
#include <string_view>

namespace kelvore::text {

enum class ReadStatus {
    Ok,
    CannotOpen, // missing, not permitted, or not a regular file
    TooLarge,   // more bytes than the reader allows
    ReadError,  // the file opened but could not be read to its end
};

struct ReadResult {
    ReadStatus status = ReadStatus::CannotOpen;
    std::string bytes;
    int error = 0; // the system's error number when it could not open or read; 0 otherwise
    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads a whole regular file of at most `limit` bytes.
ReadResult readFile(const std::string& path, std::size_t limit);

// Reads a regular file up to the end of its line `count` (or its end, if sooner), and no
// further: whatever follows those lines is never read. TooLarge when the lines run past
// `limit` bytes before they end.
ReadResult readLeadingLines(const std::string& path, int count, std::size_t limit);

// What a save answers when its name is held by something that is not a regular file (a FIFO, a
// device, a socket); a folder answers EISDIR. No step of a save gives this number otherwise.
inline constexpr int kNotARegularFile = EMEDIUMTYPE;

// Why a save failed, in English for the command-line programs: the system's words for its error
// number, or "not a regular file (a FIFO, a device or a socket)".
std::string saveErrorText(int error);

// Replaces the file at `path` with `contents`. Only a regular file is replaced: when the name
// (after its symbolic links) holds a folder, a FIFO, a device or a socket, nothing is written
// and it is left as it was (EISDIR or kNotARegularFile); a name that does not exist yet is
// created. The new contents go to a temporary file beside
// the file (beside the final target when `path` is a symbolic link, which stays a link); that
// file gets the old file's mode, or what the umask gives a new file, is flushed to disk,
// renamed over the old one, and the folder is flushed too. On any failure before the rename the
// old file is left as it was and the temporary file removed. Returns 0 on success, else the
// system's error number.
//
// A save ended by SIGTERM or SIGINT removes its temporary file before the signal ends the
// program as it would have (where the program left those signals to their default), on
// whichever thread the signal is handled, even while the file is being created. A save
// that could not clean up (SIGKILL, a power cut) leaves a temporary file of ours behind: such
// files, older than kStaleTemporarySeconds, are removed from the folder by the next save there.
int writeFileAtomically(const std::string& path, std::string_view contents);

inline constexpr int kStaleTemporarySeconds = 5 * 60;

namespace testing {
// Called, when set, once the contents are on disk and before the rename: a test's chance to end
// a save half-way.
extern void (*afterTemporaryWritten)();
// Called, when set, just before the temporary file is created, its name already known to the
// signal handler and SIGTERM and SIGINT held back on the saving thread.
extern void (*beforeTemporaryCreated)();
} // namespace testing

} // namespace kelvore::text
