// Whole files in and out, for tests that check what the game wrote.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace kelvore::test {

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void spitBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace kelvore::test
