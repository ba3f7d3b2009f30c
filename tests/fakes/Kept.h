// The kept games of a test: a keeper whose clock always says 2026-12-08 23:15, the files it
// wrote, and one of them read back as a record.
#pragma once

#include "kept/GameKeeper.h"
#include "record/RecordFile.h"
#include "text/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvore::test {

inline std::tm keptAt2315() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_hour = 23;
    t.tm_min = 15;
    return t;
}

// The names in the keeper's folder, sorted.
inline std::vector<std::string> keptFiles(const kept::GameKeeper& keeper) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(keeper.folder(), ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline RecordFile readKept(const kept::GameKeeper& keeper, const std::string& name) {
    const text::ReadResult file = text::readFile(keeper.folder() + "/" + name, 1 << 20);
    EXPECT_TRUE(file.ok()) << name;
    return readRecord(file.bytes);
}

} // namespace kelvore::test
