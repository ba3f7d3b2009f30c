// Reading KIF files as the window's KIF読込 and `kifu import` read them: the file read whole,
// then decoded and its lines judged. A 16 MiB ".kif" of line feeds alone, the largest file
// read, must be refused in well under a second and a hundred megabytes; "peak_MiB" is the most
// memory the program held at once while reading it, beyond what it held before (Linux only).
#include "kif/Kif.h"
#include "text/Files.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>

using namespace kelvore;

namespace {

// A figure of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when there is none.
long long statusKiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0) return std::atoll(line.c_str() + key.size() + 1);
    return -1;
}

// Starts the high-water mark of resident memory again from what is resident now.
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

void BM_ReadKifOfBlankLines(benchmark::State& state) {
    char name[] = "/tmp/kelvore-bench-XXXXXX.kif";
    const int fd = ::mkstemps(name, 4);
    {
        const std::string blank(kif::kKifFileLimit, '\n');
        if (fd < 0 ||
            ::write(fd, blank.data(), blank.size()) != static_cast<ssize_t>(blank.size())) {
            state.SkipWithError("cannot write the file");
            return;
        }
        ::close(fd);
    }
    long long peakKiB = -1;
    for (auto _ : state) {
        state.PauseTiming();
        ::malloc_trim(0); // what earlier runs freed goes back, so that it counts again
        const long long before = statusKiB("VmRSS");
        const bool measured = resetPeak();
        state.ResumeTiming();
        const text::ReadResult file = text::readFile(name, kif::kKifFileLimit);
        const kif::KifRead read = kif::readKif(file.bytes, kif::Encoding::ShiftJis);
        benchmark::DoNotOptimize(read.error.data());
        state.PauseTiming();
        if (read.game || file.bytes.size() != kif::kKifFileLimit)
            state.SkipWithError("the file was not read and refused");
        if (measured) peakKiB = std::max(peakKiB, statusKiB("VmHWM") - before);
        state.ResumeTiming();
    }
    ::unlink(name);
    if (peakKiB >= 0) state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kif::kKifFileLimit));
}
BENCHMARK(BM_ReadKifOfBlankLines)->Unit(benchmark::kMillisecond);

} // namespace
