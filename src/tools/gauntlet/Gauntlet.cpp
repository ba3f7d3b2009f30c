#include "Gauntlet.h"

#include "OutputFile.h"
#include "UsiProcess.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iomanip>
#include <istream>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>

namespace kelvore::gauntlet {

namespace {

// A clock may run over by this much before the game is lost on it: the time the answer takes to
// travel, on a machine that others share.
constexpr int kClockToleranceMs = 100;

bool wholeNumber(const std::string& s, long long& v) {
    if (s.empty()) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && end == s.data() + s.size() && v >= 0;
}

// "A+B" as two whole numbers.
bool numberPair(const std::string& s, long long& first, long long& second) {
    const std::size_t plus = s.find('+');
    if (plus == std::string::npos) return false;
    return wholeNumber(s.substr(0, plus), first) && wholeNumber(s.substr(plus + 1), second);
}

// One engine program of a worker, started and made ready on first use and after a failure.
struct Player {
    const EngineProgram* program = nullptr;
    UsiProcess process;
    bool ready = false;

    bool prepare(std::string& error) {
        if (ready && process.running()) return true;
        if (!process.start(program->command, error)) return false;
        std::string line;
        if (!process.send("usi") || !process.waitFor("usiok", 10000, line)) {
            error = program->name + " did not answer usi";
            process.stop();
            return false;
        }
        for (const auto& [name, value] : program->options)
            process.send("setoption name " + name + " value " + value);
        if (!process.send("isready") || !process.waitFor("readyok", 30000, line)) {
            error = program->name + " did not answer isready";
            process.stop();
            return false;
        }
        ready = true;
        return true;
    }
};

// The `go` command of a move and how long to wait for its answer. `clocks` are the time left
// to the lower and the upper side.
std::string goCommand(const TimeControl& tc, const long long clocks[2], int& waitMs) {
    switch (tc.kind) {
    case TimeControl::Nodes: waitMs = 120000; return "go nodes " + std::to_string(tc.nodes);
    case TimeControl::MoveTime:
        waitMs = tc.moveTimeMs * 4 + 10000;
        return "go movetime " + std::to_string(tc.moveTimeMs);
    case TimeControl::Level: waitMs = 600000; return "go";
    case TimeControl::Clock: break;
    }
    waitMs = int(std::min<long long>(
        std::max(clocks[0], clocks[1]) + tc.byoyomiMs + tc.incMs + 10000, 1 << 30));
    std::string s = "go btime " + std::to_string(clocks[0]) + " wtime " + std::to_string(clocks[1]);
    if (tc.byoyomiMs > 0)
        s += " byoyomi " + std::to_string(tc.byoyomiMs);
    else
        s += " binc " + std::to_string(tc.incMs) + " winc " + std::to_string(tc.incMs);
    return s;
}

// Plays one game: players[0] is the engine under test. Returns its half points (0, 1 or 2), or
// -1 when the game could not be played at all (an opening that cannot be read, a program that
// cannot be started).
int playGame(Player players[2], const Config& config, const std::string& opening, bool aIsLower,
             Referee& referee, std::string& error) {
    if (!referee.start(opening, error, config.plyLimit)) return -1;
    for (int i = 0; i < 2; ++i) {
        if (!players[i].prepare(error)) return -1;
        players[i].process.send("usinewgame");
    }
    // The time left to each side, from the time control of the player on that side.
    long long clocks[2];
    for (int side = 0; side < 2; ++side)
        clocks[side] = ((side == 0) == aIsLower ? config.tcA : config.tcB).baseMs;
    while (referee.outcome() == Outcome::Running) {
        const engine::Color mover = referee.sideToMove();
        const int side = mover == engine::LOWER ? 0 : 1;
        const int p = (side == 0) == aIsLower ? 0 : 1;
        const TimeControl& tc = p == 0 ? config.tcA : config.tcB;
        Player& player = players[p];
        int waitMs = 0;
        const std::string go = goCommand(tc, clocks, waitMs);
        const auto start = std::chrono::steady_clock::now();
        std::string line;
        const bool answered = player.process.send(referee.positionCommand()) &&
                              player.process.send(go) &&
                              player.process.waitFor("bestmove", waitMs, line);
        const long long elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now() - start)
                                      .count();
        if (!answered) {
            // A program that does not answer is restarted for the next game.
            player.process.stop();
            player.ready = false;
            referee.forfeit(Reason::NoAnswer);
            break;
        }
        if (tc.kind == TimeControl::Clock) {
            if (elapsed > clocks[side] + tc.byoyomiMs + kClockToleranceMs) {
                referee.forfeit(Reason::LostOnTime);
                break;
            }
            clocks[side] =
                std::max(0LL, clocks[side] - elapsed) + (tc.byoyomiMs > 0 ? 0 : tc.incMs);
        }
        std::istringstream words(line);
        std::string word, move;
        words >> word >> move;
        if (move.empty() || move == "resign" || move == "win") {
            referee.forfeit(Reason::NoAnswer);
            break;
        }
        referee.play(move);
    }
    const Outcome o = referee.outcome();
    if (o == Outcome::Draw) return 1;
    const bool lowerWon = o == Outcome::LowerWins;
    return lowerWon == aIsLower ? 2 : 0;
}

std::string percent(double v) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(1) << v * 100 << "%";
    return s.str();
}

std::string fixed(double v, int digits) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(digits) << v;
    return s.str();
}

std::string statusLine(const Tally& t, const Config& c, double llr) {
    const EloEstimate e = estimateElo(t);
    std::string s = "games " + std::to_string(t.games()) + " (+" + std::to_string(t.wins) + " -" +
                    std::to_string(t.losses) + " =" + std::to_string(t.draws) + ") score " +
                    percent(t.score()) + " elo " + fixed(e.elo, 1) + " [" + fixed(e.low, 1) + ", " +
                    fixed(e.high, 1) + "]";
    if (c.sprt) {
        const SprtBounds b = sprtBounds(c.alpha, c.beta);
        s += " llr " + fixed(llr, 2) + " [" + fixed(b.lower, 2) + ", " + fixed(b.upper, 2) + "]";
    }
    return s;
}

} // namespace

bool parseTimeControl(const std::string& text, TimeControl& tc, std::string& error) {
    tc = TimeControl{};
    long long a = 0, b = 0;
    const std::size_t eq = text.find('=');
    const std::string key = text.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : text.substr(eq + 1);
    if (text == "level") {
        tc.kind = TimeControl::Level;
        return true;
    }
    if (key == "nodes" && wholeNumber(value, a) && a > 0) {
        tc.kind = TimeControl::Nodes;
        tc.nodes = std::uint64_t(a);
        return true;
    }
    if (key == "movetime" && wholeNumber(value, a) && a > 0 && a <= 3600000) {
        tc.kind = TimeControl::MoveTime;
        tc.moveTimeMs = int(a);
        return true;
    }
    if ((key == "clock" || key == "byoyomi") && numberPair(value, a, b) && a <= 36000000 &&
        b <= 3600000 && a + b > 0) {
        tc.kind = TimeControl::Clock;
        tc.baseMs = int(a);
        (key == "clock" ? tc.incMs : tc.byoyomiMs) = int(b);
        return true;
    }
    error = "time control must be nodes=N, movetime=MS, level, clock=BASE+INC or "
            "byoyomi=BASE+BYOYOMI (ms), not '" +
            text + "'";
    return false;
}

std::string describe(const TimeControl& tc) {
    switch (tc.kind) {
    case TimeControl::Nodes: return std::to_string(tc.nodes) + " nodes a move";
    case TimeControl::MoveTime: return std::to_string(tc.moveTimeMs) + " ms a move";
    case TimeControl::Level: return "the level's own time";
    case TimeControl::Clock:
        return std::to_string(tc.baseMs) + " ms + " +
               (tc.byoyomiMs > 0 ? std::to_string(tc.byoyomiMs) + " ms byoyomi"
                                 : std::to_string(tc.incMs) + " ms a move");
    }
    return "?";
}

std::vector<std::string> readOpenings(std::istream& in) {
    std::vector<std::string> list;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#') continue;
        list.push_back(line.substr(first));
    }
    return list;
}

std::string recordLine(const Referee& r) {
    const Outcome o = r.outcome();
    std::string s = o == Outcome::LowerWins ? "1-0" : o == Outcome::UpperWins ? "0-1" : "1/2-1/2";
    std::string reason = reasonName(r.reason());
    std::replace(reason.begin(), reason.end(), ' ', '-');
    s += " " + reason + " " + std::to_string(r.plies()) + " " + r.positionCommand().substr(9);
    return s;
}

Summary runGauntlet(const Config& config, std::ostream& out,
                    const std::atomic<bool>* stopRequested) {
    Summary summary;
    for (int k = 0; k < 5; ++k)
        for (std::int64_t i = 0; i < config.priorPairs[std::size_t(k)]; ++i)
            summary.tally.addPair(std::min(k, 2), k - std::min(k, 2));
    if (config.openings.empty()) {
        summary.error = "no openings";
        return summary;
    }
    OutputFile records;
    if (!config.recordPath.empty() && !records.open(config.recordPath, OutputFile::Mode::Append)) {
        summary.error = records.error();
        return summary;
    }
    out << config.a.name << " against " << config.b.name << ", " << describe(config.tcA);
    if (config.tcB.kind != config.tcA.kind || describe(config.tcB) != describe(config.tcA))
        out << " against " << describe(config.tcB);
    out << ", " << config.openings.size() << " openings, up to " << config.pairs * 2 << " games, "
        << config.concurrency << " at a time";
    if (summary.tally.games() > 0)
        out << ", after " << summary.tally.games() << " games played before";
    if (config.sprt)
        out << ", SPRT elo0 " << config.elo0 << " elo1 " << config.elo1 << " alpha " << config.alpha
            << " beta " << config.beta;
    out << std::endl;

    std::mutex mutex;
    std::atomic<int> nextPair{0};
    std::atomic<bool> finished{false};
    std::string firstError;
    long long reasons[10] = {};
    const SprtBounds bounds = sprtBounds(config.alpha, config.beta);

    auto worker = [&] {
        Player players[2];
        players[0].program = &config.a;
        players[1].program = &config.b;
        Referee referee;
        for (;;) {
            if (finished.load() || (stopRequested && stopRequested->load())) return;
            const int pair = nextPair.fetch_add(1);
            if (pair >= config.pairs) return;
            const std::string& opening =
                config.openings[std::size_t(config.firstOpening + pair) % config.openings.size()];
            int half[2] = {1, 1};
            std::string lines[2];
            Reason endings[2] = {};
            for (int g = 0; g < 2; ++g) {
                std::string error;
                half[g] = playGame(players, config, opening, g == 0, referee, error);
                if (half[g] < 0) {
                    // An opening that cannot be read, or a program that will not run: the
                    // gauntlet cannot go on.
                    std::lock_guard lock(mutex);
                    if (firstError.empty()) firstError = error;
                    finished = true;
                    return;
                }
                lines[g] = recordLine(referee);
                endings[g] = referee.reason();
            }
            std::lock_guard lock(mutex);
            if (finished.load()) return; // the test has decided: later pairs do not count
            if (records.isOpen() && !records.write(lines[0] + "\n" + lines[1] + "\n")) {
                // The games cannot be kept: the gauntlet ends, this pair not counted.
                finished = true;
                return;
            }
            summary.tally.addPair(half[0], half[1]);
            for (const Reason r : endings) ++reasons[int(r)];
            if (config.sprt) {
                summary.llr = logLikelihoodRatio(summary.tally, config.elo0, config.elo1);
                if (summary.llr >= bounds.upper || summary.llr <= bounds.lower) {
                    summary.decided = true;
                    summary.acceptedH1 = summary.llr >= bounds.upper;
                    finished = true;
                }
            }
            const std::int64_t games = summary.tally.games();
            if (config.progressEvery > 0 && games % config.progressEvery < 2)
                out << statusLine(summary.tally, config, summary.llr) << std::endl;
        }
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < std::max(1, config.concurrency); ++i) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();
    if (records.isOpen()) records.close();

    if (summary.tally.games() == 0 && !firstError.empty()) {
        summary.error = firstError;
        return summary;
    }
    if (stopRequested && stopRequested->load() && !summary.decided)
        out << "stopped after " << summary.tally.games() << " games\n";
    out << "result " << statusLine(summary.tally, config, summary.llr) << "\n";
    out << "pairs";
    for (int k = 0; k < 5; ++k) out << " " << summary.tally.pairs[std::size_t(k)];
    out << " (pairs scoring 0, 0.5, 1, 1.5, 2 points for " << config.a.name << ")\n";
    out << "endings";
    for (int r = 1; r < 10; ++r)
        if (reasons[r] > 0) out << " " << reasonName(Reason(r)) << " " << reasons[r] << ";";
    out << "\n";
    if (!firstError.empty()) out << "warning " << firstError << "\n";
    if (!records.error().empty())
        out << "stopped: the games after these could not be kept (" << records.error() << ")\n";
    if (config.sprt) {
        out << "sprt elo0 " << fixed(config.elo0, 1) << " elo1 " << fixed(config.elo1, 1) << ": ";
        if (!summary.decided)
            out << "no decision\n";
        else if (summary.acceptedH1)
            out << "H1 accepted, " << config.a.name << " is stronger\n";
        else
            out << "H0 accepted, " << config.a.name << " gains nothing\n";
    }
    out.flush();
    if (!records.error().empty()) summary.error = records.error();
    return summary;
}

} // namespace kelvore::gauntlet
