// The files the engine's tools write: the gauntlet's records, appended a pair of games at a
// time, and whole files (the opening set, the tuner's weights). Every write goes straight to
// the file and is checked, and so is the close, so that a full disk or a lost file system is
// known at once and named, never taken for success.
#pragma once

#include <string>
#include <string_view>

namespace kelvore::gauntlet {

class OutputFile {
public:
    enum class Mode { Replace, Append };

    OutputFile() = default;
    ~OutputFile(); // closes, without a word: call close() to know
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens (creating it when missing); false, with error() set, when it cannot be.
    bool open(const std::string& path, Mode mode);
    // Writes all of `text`; false, with error() set, when any of it could not be written. A
    // file that has failed takes no more writes.
    bool write(std::string_view text);
    // Closes the file; false, with error() set, when the close fails or a write failed before.
    bool close();

    bool isOpen() const { return fd_ >= 0; }
    // "cannot write FILE: the system's reason"; empty while nothing has failed.
    const std::string& error() const { return error_; }

private:
    bool failWith(int error);

    int fd_ = -1;
    std::string path_;
    std::string error_;
};

// Replaces the regular file at `path` with `text` as the game saves its records: whole or not
// at all (on a full disk the old file stays as it was). False, with `error` naming the file
// and the reason, when it could not be.
bool writeWholeFile(const std::string& path, std::string_view text, std::string& error);

} // namespace kelvore::gauntlet
