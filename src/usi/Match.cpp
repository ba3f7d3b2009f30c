// `match`: games between two levels from the starting position: 0 is a random player, 1-3 the
// game's own levels, 4 and 5 the search with MoveTime and five times MoveTime a move. The first
// four plies are random. A game is drawn when a position (board, hands and side to move) occurs for
// the fourth time, or after 400 plies. A side wins by taking the other's last royal piece
// or mating it as the game's own procedures judge a mate.
#include "Protocol.h"

#include "engine/Levels.h"
#include "engine/Snapshot.h"
#include "rules/TrialMove.h"

#include <iomanip>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <unordered_map>

namespace kelvore::usi {

void Protocol::match(const std::vector<std::string>& w, std::ostream& out) {
    auto number = [](const std::string& s, long long lo, long long hi, long long& v) {
        if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
            return false;
        v = std::stoll(s);
        return v >= lo && v <= hi;
    };
    long long a = 0, b = 0, games = 0, seed = 0;
    if (w.size() != 5 || !number(w[1], 0, 5, a) || !number(w[2], 0, 5, b) ||
        !number(w[3], 1, 100000, games) || !number(w[4], 0, 999999999, seed)) {
        out << "info string usage: match <levelA 0-5> <levelB 0-5> <games> <seed>\n";
        return;
    }
    const int savedLevel = form_.ComLevel;
    std::mt19937 rng(static_cast<unsigned>(seed));
    // One searcher for each searching player, so that neither reads the other's table.
    std::unique_ptr<engine::Searcher> searchers[2];
    if (a >= 4) searchers[0] = std::make_unique<engine::Searcher>();
    if (b >= 4) searchers[1] = std::make_unique<engine::Searcher>();
    int winsA = 0, winsB = 0, draws = 0, repetitions = 0;
    long long wonPlies = 0;
    for (long long g = 0; g < games; ++g) {
        // A stop or quit, before a game or during one: the games played so far are summed up.
        if (stopRequested()) {
            out << "info string match stopped after " << g << " games\n";
            break;
        }
        std::ostringstream ignored;
        handle("position startpos", ignored);
        for (auto& s : searchers)
            if (s) s->newGame();
        std::vector<std::uint64_t> keys{engine::positionKey(engine::snapshotOf(form_, side_))};
        std::unordered_map<std::uint64_t, int> seen{{keys.back(), 1}};
        bool repeated = false;
        const bool aIsLower = g % 2 == 0;
        int winner = 0; // -1 the lower side, +1 the upper side
        int plies = 0;
        bool interrupted = false;
        for (; plies < 400 && winner == 0; ++plies) {
            if (stopRequested()) {
                interrupted = true;
                break;
            }
            const int mover = side_;
            const bool aMoves = (mover < 0) == aIsLower;
            const long long level = aMoves ? a : b;
            form_.調査_2歩フラグ設定();
            MoveList list;
            generateMoves(form_, side_, list);
            Move m;
            bool found = list.size > 0;
            if (plies < 4 || level == 0) {
                if (found) m = list.moves[rng() % list.size];
            } else if (level >= 4) {
                // On the worker, so that a stop reaches it; the positions before this one
                // (history_) let it avoid repeating them when it is ahead.
                const engine::Result r =
                    searchWatched(*searchers[aMoves ? 0 : 1],
                                  engine::levelLimits(int(level), moveTimeMs_), false, {});
                if (stopRequested()) {
                    interrupted = true;
                    break;
                }
                found = r.found;
                m = r.best;
            } else {
                form_.ComLevel = static_cast<int>(level);
                int score = 0;
                found = search(m, score);
            }
            if (!found) {
                winner = -mover; // no move at all: the other side wins
                break;
            }
            playMove(m);
            form_.調査_2歩フラグ設定();
            if (hasLostAllRoyals(form_, -mover)) {
                winner = mover;
            } else {
                form_.ManKingPos.X = form_.ManPrincePos.X = 0;
                form_.ComKingPos.X = form_.ComPrincePos.X = 0;
                form_.勢力調査();
                const int lowerMated = form_.詰めかMAN();
                if (mover > 0 && lowerMated == 1) winner = mover;
                if (mover < 0 && form_.詰めかCOM() == 1) winner = mover;
            }
            if (winner == 0) {
                keys.push_back(engine::positionKey(engine::snapshotOf(form_, side_)));
                if (++seen[keys.back()] >= 4) {
                    repeated = true;
                    ++plies;
                    break;
                }
            }
        }
        if (interrupted) { // the game in play is not counted
            out << "info string match stopped after " << g << " games\n";
            break;
        }
        if (winner != 0) ++plies;
        std::string result = "draw";
        if (winner != 0) {
            const bool aWon = (winner < 0) == aIsLower;
            (aWon ? winsA : winsB) += 1;
            result = aWon ? "A" : "B";
            wonPlies += plies;
        } else {
            ++draws;
            repetitions += repeated;
        }
        out << "game " << g + 1 << " A " << (aIsLower ? "lower" : "upper") << " winner " << result
            << " plies " << plies << (repeated ? " repetition" : "") << "\n";
    }
    form_.ComLevel = savedLevel;
    out << "match A " << winsA << " B " << winsB << " draws " << draws << " repetitions "
        << repetitions << "\n";
    if (winsA + winsB > 0)
        out << "info string average plies of won games " << std::fixed << std::setprecision(1)
            << static_cast<double>(wonPlies) / (winsA + winsB) << "\n";
}

} // namespace kelvore::usi
