#include "Openings.h"

#include "Notation.h"
#include "Referee.h"
#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "engine/Searcher.h"

#include <cstring>
#include <ostream>
#include <random>
#include <unordered_set>

namespace kelvore::gauntlet {

using namespace engine;

namespace {

GameSnapshot snapshotOfSfen(const std::string& sfen) {
    std::string error;
    const std::optional<usi::Position> p = usi::parseSfen(sfen, error);
    GameSnapshot s;
    std::memcpy(s.board, p->board, sizeof s.board);
    std::memcpy(s.lowerHand, p->lowerHand, sizeof s.lowerHand);
    std::memcpy(s.upperHand, p->upperHand, sizeof s.upperHand);
    s.sideToMove = p->sideToMove;
    return s;
}

} // namespace

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
            s += usi::pieceLetters(gameCodeOf(p));
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
            hands += usi::pieceLetters(gameCodeOf(makePiece(c, kind)));
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
        setFromSfen(pos, usi::kStartSfen, error);
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
        const Result r = searcher.search(snapshotOfSfen(sfen), {}, limits);
        if (!r.found || r.mate || r.score > o.balanceCp || r.score < -o.balanceCp) continue;
        kept.push_back(sfen);
        if (progress)
            *progress << "opening " << kept.size() << " score " << r.score << " " << sfen
                      << std::endl;
    }
    return kept;
}

} // namespace kelvore::gauntlet
