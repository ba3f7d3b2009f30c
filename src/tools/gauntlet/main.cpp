// kelvore-gauntlet: plays two engine programs against each other over USI and says which is
// stronger, or writes the opening set.
//
//   kelvore-gauntlet play --a CMD --b CMD [options]
//   kelvore-gauntlet openings [--count N] [--seed S] [--plies MIN-MAX] [--balance CP]
//                             [--nodes N] --out FILE
#include "Gauntlet.h"
#include "Openings.h"
#include "OutputFile.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace kelvore::gauntlet;

namespace {

// Set by SIGINT or SIGTERM: the pairs under way are finished and the result so far printed.
std::atomic<bool> interrupted{false};

extern "C" void interrupt(int) {
    interrupted = true;
}

const char* const kUsage =
    "usage:\n"
    "  kelvore-gauntlet play --a CMD --b CMD [--name-a NAME] [--name-b NAME]\n"
    "      [--option-a NAME=VALUE]... [--option-b NAME=VALUE]...\n"
    "      [--tc TC] [--tc-a TC] [--tc-b TC] [--openings FILE] [--first N]\n"
    "      [--games N] [--concurrency N] [--sprt ELO0,ELO1[,ALPHA,BETA] | none]\n"
    "      [--plies N] [--records FILE] [--progress N] [--prior P0,P1,P2,P3,P4]\n"
    "    TC is nodes=N, movetime=MS, level, clock=BASE+INC or byoyomi=BASE+BYOYOMI (ms);\n"
    "    each engine gets Level 4 unless an option sets its Level.\n"
    "  kelvore-gauntlet openings --out FILE [--count N] [--seed S] [--plies MIN-MAX]\n"
    "      [--balance CP] [--nodes N]\n";

// 0 when everything printed reached the standard output, else 1 with a word on the error stream.
int standardOutputWritten() {
    std::cout.flush();
    if (std::cout) return 0;
    std::cerr << "kelvore-gauntlet: cannot write the standard output\n";
    return 1;
}

int fail(const std::string& message) {
    std::cerr << "kelvore-gauntlet: " << message << "\n" << kUsage;
    return 2;
}

bool toInt(const std::string& s, long long lo, long long hi, long long& v) {
    char* end = nullptr;
    v = std::strtoll(s.c_str(), &end, 10);
    return !s.empty() && *end == '\0' && v >= lo && v <= hi;
}

std::string baseName(const std::string& command) {
    std::string program = command.substr(0, command.find(' '));
    const std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

int play(const std::vector<std::string>& args) {
    Config c;
    std::string openings = "src/tools/gauntlet/openings.sfen";
    std::string tc = "nodes=20000", tcA, tcB;
    long long games = 200;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& key = args[i];
        if (i + 1 >= args.size()) return fail("missing value after " + key);
        const std::string& value = args[++i];
        long long n = 0;
        auto option = [&](EngineProgram& e) {
            const std::size_t eq = value.find('=');
            if (eq == std::string::npos) return false;
            e.options.emplace_back(value.substr(0, eq), value.substr(eq + 1));
            return true;
        };
        if (key == "--a") {
            c.a.command = value;
        } else if (key == "--b") {
            c.b.command = value;
        } else if (key == "--name-a") {
            c.a.name = value;
        } else if (key == "--name-b") {
            c.b.name = value;
        } else if (key == "--option-a") {
            if (!option(c.a)) return fail("an option is NAME=VALUE");
        } else if (key == "--option-b") {
            if (!option(c.b)) return fail("an option is NAME=VALUE");
        } else if (key == "--tc") {
            tc = value;
        } else if (key == "--tc-a") {
            tcA = value;
        } else if (key == "--tc-b") {
            tcB = value;
        } else if (key == "--openings") {
            openings = value;
        } else if (key == "--first" && toInt(value, 0, 1 << 30, n)) {
            c.firstOpening = int(n);
        } else if (key == "--games" && toInt(value, 2, 1 << 28, n)) {
            games = n;
        } else if (key == "--concurrency" && toInt(value, 1, 64, n)) {
            c.concurrency = int(n);
        } else if (key == "--plies" && toInt(value, 1, 500, n)) {
            c.plyLimit = int(n);
        } else if (key == "--progress" && toInt(value, 0, 1 << 28, n)) {
            c.progressEvery = int(n);
        } else if (key == "--records") {
            c.recordPath = value;
        } else if (key == "--prior") {
            std::istringstream in(value);
            int k = 0;
            for (std::string part; std::getline(in, part, ',') && k < 5; ++k)
                if (!toInt(part, 0, 1 << 28, n))
                    return fail("--prior takes five counts");
                else
                    c.priorPairs[std::size_t(k)] = n;
            if (k != 5) return fail("--prior takes five counts");
        } else if (key == "--sprt" && value == "none") {
            c.sprt = false;
        } else if (key == "--sprt") {
            std::vector<double> v;
            std::istringstream in(value);
            for (std::string part; std::getline(in, part, ',');)
                v.push_back(std::atof(part.c_str()));
            if (v.size() != 2 && v.size() != 4) return fail("--sprt takes ELO0,ELO1[,ALPHA,BETA]");
            c.sprt = true;
            c.elo0 = v[0];
            c.elo1 = v[1];
            if (v.size() == 4) c.alpha = v[2], c.beta = v[3];
            if (c.elo1 <= c.elo0 || c.alpha <= 0 || c.alpha >= 0.5 || c.beta <= 0 || c.beta >= 0.5)
                return fail("--sprt needs ELO0 < ELO1 and ALPHA, BETA between 0 and 0.5");
        } else {
            return fail("unknown or bad argument " + key + " " + value);
        }
    }
    if (c.a.command.empty() || c.b.command.empty()) return fail("both --a and --b are needed");
    std::string error;
    if (!parseTimeControl(tcA.empty() ? tc : tcA, c.tcA, error) ||
        !parseTimeControl(tcB.empty() ? tc : tcB, c.tcB, error))
        return fail(error);
    for (EngineProgram* e : {&c.a, &c.b}) {
        bool level = false;
        for (const auto& [name, value] : e->options) level |= name == "Level";
        if (!level) e->options.insert(e->options.begin(), {"Level", "4"});
    }
    if (c.a.name.empty()) c.a.name = baseName(c.a.command);
    if (c.b.name.empty()) c.b.name = baseName(c.b.command);
    if (c.a.name == c.b.name) c.a.name += " (A)", c.b.name += " (B)";
    std::ifstream in(openings);
    if (!in) return fail("cannot read the openings " + openings);
    c.openings = readOpenings(in);
    c.pairs = int((games + 1) / 2);
    std::signal(SIGINT, interrupt);
    std::signal(SIGTERM, interrupt);
    const Summary s = runGauntlet(c, std::cout, &interrupted);
    if (!s.error.empty()) {
        std::cerr << "kelvore-gauntlet: " << s.error << "\n";
        return 1;
    }
    return standardOutputWritten();
}

int openings(const std::vector<std::string>& args) {
    OpeningOptions o;
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& key = args[i];
        if (i + 1 >= args.size()) return fail("missing value after " + key);
        const std::string& value = args[++i];
        long long n = 0, m = 0;
        if (key == "--out") {
            out = value;
        } else if (key == "--count" && toInt(value, 1, 100000, n)) {
            o.count = int(n);
        } else if (key == "--seed" && toInt(value, 0, 0xFFFFFFFFll, n)) {
            o.seed = std::uint32_t(n);
        } else if (key == "--balance" && toInt(value, 0, 10000, n)) {
            o.balanceCp = int(n);
        } else if (key == "--nodes" && toInt(value, 1, 1ll << 40, n)) {
            o.nodes = std::uint64_t(n);
        } else if (key == "--plies" && value.find('-') != std::string::npos &&
                   toInt(value.substr(0, value.find('-')), 0, 100, n) &&
                   toInt(value.substr(value.find('-') + 1), n, 100, m)) {
            o.minPlies = int(n);
            o.maxPlies = int(m);
        } else {
            return fail("unknown or bad argument " + key + " " + value);
        }
    }
    if (out.empty()) return fail("openings needs --out FILE");
    const std::vector<std::string> list = generateOpenings(o, &std::cerr);
    std::ostringstream text;
    text << "# Kelvore gauntlet openings: " << list.size() << " positions after " << o.minPlies
         << "-" << o.maxPlies << " random plies from the start, kept where a search of " << o.nodes
         << " nodes scores within " << o.balanceCp << " centipawns.\n"
         << "# Made by: kelvore-gauntlet openings --count " << o.count << " --seed " << o.seed
         << " --plies " << o.minPlies << "-" << o.maxPlies << " --balance " << o.balanceCp
         << " --nodes " << o.nodes << " --out " << out << "\n";
    for (const std::string& s : list) text << s << "\n";
    std::string error;
    if (!writeWholeFile(out, text.str(), error)) {
        std::cerr << "kelvore-gauntlet: " << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN); // a program that dies mid-game is handled, not fatal
    if (argc < 2) return fail("no command");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "play") return play(args);
    if (command == "openings") return openings(args);
    return fail("unknown command " + command);
}
