#include "Openings.h"

#include "engine/GameEnd.h"
#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "engine/Searcher.h"
#include "notation/Sfen.h"

#include <ostream>
#include <random>
#include <unordered_set>

namespace kelvore::gauntlet {

using namespace engine;

std::string sfenOf(const Position& pos, int moveNumber) {
    std::string s;
    for (int y = 1; y <= 9; ++y) {
        int empty = 0;
        for (int x = 1; x <= 9; ++x) {
            const Piece p = pos.at(square(x, y));
            if (p == NO_PIECE) {
                ++empty;
                continue;
            }
            if (empty) s += char('0' + empty);
            empty = 0;
            s += notation::pieceLetters(gameCodeOf(p));
        }
        if (empty) s += char('0' + empty);
        if (y < 9) s += '/';
    }
    s += pos.sideToMove() == LOWER ? " b " : " w ";
    std::string hands;
    for (Color c : {LOWER, UPPER})
        for (int kind = ROOK; kind >= PAWN; --kind) {
            const int n = pos.hand(c, kind);
            if (n == 0) continue;
            if (n > 1) hands += std::to_string(n);
            hands += notation::pieceLetters(gameCodeOf(makePiece(c, kind)));
        }
    s += hands.empty() ? "-" : hands;
    return s + " " + std::to_string(moveNumber);
}

std::vector<std::string> generateOpenings(const OpeningOptions& o, std::ostream* progress) {
    std::mt19937 rng(o.seed);
    std::vector<std::string> kept;
    std::unordered_set<std::uint64_t> seen;
    Searcher searcher(16);
    Limits limits;
    limits.nodes = o.nodes;
    Position pos;
    std::string error;
    while (int(kept.size()) < o.count) {
        notation::setFromSfen(pos, notation::kStartSfen, error);
        const int plies = o.minPlies + int(rng() % unsigned(o.maxPlies - o.minPlies + 1));
        bool ok = true;
        for (int ply = 0; ply < plies && ok; ++ply) {
            // A random move among those that do not leave the last royal piece to be taken.
            MvList list, safe;
            generate(pos, list);
            const Color us = pos.sideToMove();
            for (const Mv m : list) {
                pos.make(m);
                if (!pos.lastRoyalAttacked(us) && !isMated(pos)) safe.push(m);
                pos.unmake(m);
            }
            if (safe.size == 0) {
                ok = false;
                break;
            }
            pos.make(safe.moves[rng() % unsigned(safe.size)]);
        }
        if (!ok || !seen.insert(pos.key()).second) continue;
        const std::string sfen = sfenOf(pos, plies + 1);
        searcher.newGame();
        const Result r =
            searcher.search(notation::snapshotOf(*notation::parseSfen(sfen, error)), {}, limits);
        if (!r.found || r.mate || r.score > o.balanceCp || r.score < -o.balanceCp) continue;
        kept.push_back(sfen);
        if (progress)
            *progress << "opening " << kept.size() << " score " << r.score << " " << sfen
                      << std::endl;
    }
    return kept;
}

} // namespace kelvore::gauntlet
