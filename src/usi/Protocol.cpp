// The protocol's own commands: the handshake, options, the position and its moves, the text
// board, the maps and mate tests of the game's procedures, and `go` at the game's own levels.
// `go` at the searching levels is in Go.cpp, `perft` in Perft.cpp, `match` in Match.cpp,
// `bench` in Bench.cpp and the kifu commands in Kifu.cpp and Analyse.cpp.
#include "Protocol.h"

#include "engine/Snapshot.h"
#include "notation/Usi.h"
#include "rules/TrialMove.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <sstream>

namespace kelvore::usi {

using namespace piece;

namespace {

// A line quoted back to the sender: valid UTF-8, control bytes shown as '?', cut at a sane
// length between characters.
std::string echoed(std::string_view line) {
    return text::printable(line);
}

const char* const kMapNames[] = {
    "NegAttackCount", "NegGuardValue",  "NegThreatValue", "NegThreatX",   "NegThreatY",
    "NegCheckLine",   "PosAttackCount", "PosGuardValue",  "PosGuardX",    "PosGuardY",
    "PosThreatValue", "PosThreatX",     "PosThreatY",     "PosCheckLine", "NegImmovable"};

// A score in tenths with one decimal: -125 is "-12.5".
std::string tenths(int score) {
    const int a = std::abs(score);
    return (score < 0 ? "-" : "") + std::to_string(a / 10) + "." + std::to_string(a % 10);
}

// A move found on the turned board, turned back for the side that really moves.
Move turnBack(const Move& m) {
    Move r = m;
    r.moved = -m.moved;
    r.placed = -m.placed;
    r.toX = 10 - m.toX;
    r.toY = 10 - m.toY;
    if (m.isDrop()) return Move::drop(-1, m.moved, r.toX, r.toY); // the same piece, lower hand
    r.fromX = 10 - m.fromX;
    r.fromY = 10 - m.fromY;
    return r;
}

struct CandidateSink {
    std::vector<Protocol::Candidate>* list;
    static void add(void* self, int fx, int fy, int tx, int ty, int moved, int placed, int score) {
        static_cast<CandidateSink*>(self)->list->push_back(
            {{fx, fy, tx, ty, moved, placed}, score});
    }
};

} // namespace

Protocol::Protocol() : form_(null_.platform) {
    form_.Form_Load();
    std::string error;
    notation::place(form_, *notation::parseSfen(notation::kStartSfen, error));
    resetMaps();
}

bool Protocol::handle(const std::string& rawLine, std::ostream& out) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> w = notation::words(line);
    if (w.empty()) return true;
    const std::string& cmd = w[0];
    if (cmd == "quit") return false;
    if (cmd == "usi") {
        out << "id name Kelvore\n"
            << "id author Kelvore developers\n"
            << "option name Level type spin default 3 min 1 max 5\n"
            << "option name MoveTime type spin default " << engine::kWindowBaseMoveTimeMs
            << " min 1 max " << kMaxMoveTimeMs << "\n"
            << "option name MultiPV type spin default 1 min 1 max " << engine::kMaxMultiPV << "\n"
            << "option name SkillLevel type spin default " << engine::kSkillMax << " min "
            << engine::kSkillMin << " max " << engine::kSkillMax << "\n"
            << "usiok\n";
    } else if (cmd == "isready") {
        out << "readyok\n";
    } else if (cmd == "usinewgame") {
        // A new game: what the search learnt in the last one is forgotten, and its first
        // moves are drawn anew.
        if (searcher_) searcher_->newGame();
        gameSeed_ = engine::newGameSeed();
    } else if (cmd == "stop" || cmd == "ponderhit" || cmd == "gameover") {
        // Heard by the command loop, which stops what runs or passes the ponderhit on.
    } else if (cmd == "setoption") {
        setOption(w, out);
    } else if (cmd == "position") {
        position(w, line, out);
    } else if (cmd == "moves" && w.size() == 1) {
        listMoves(out);
    } else if (cmd == "survey" && w.size() == 1) {
        survey(out);
    } else if (cmd == "mate" && w.size() == 1) {
        mate(out);
    } else if (cmd == "d" && w.size() == 1) {
        display(out);
    } else if (cmd == "perft") {
        runPerft(w, out);
    } else if (cmd == "go") {
        if (form_.ComLevel >= 4)
            goSearching(w, out);
        else
            go(out, false);
    } else if (cmd == "eval" && w.size() == 1) {
        go(out, true);
    } else if (cmd == "match") {
        match(w, out);
    } else if (cmd == "bench" && w.size() == 1) {
        bench(out);
    } else if (cmd == "kifu") {
        kifu(w, line, out);
    } else {
        out << "info string unknown command: " << echoed(line) << "\n";
    }
    return true;
}

// Level 1-5 (4 and 5 search, for about MoveTime and five times MoveTime a move), MoveTime, the
// base time of a move in milliseconds, MultiPV, the number of best moves the searching levels
// report a line for, and SkillLevel 0-20, the strength of levels 4 and 5.
void Protocol::setOption(const std::vector<std::string>& w, std::ostream& out) {
    if (w.size() == 5 && w[1] == "name" && w[2] == "Level" && w[3] == "value") {
        if (w[4].size() == 1 && w[4][0] >= '1' && w[4][0] <= '5') {
            form_.ComLevel = w[4][0] - '0';
            return;
        }
        out << "info string Level must be 1, 2, 3, 4 or 5\n";
        return;
    }
    if (w.size() == 5 && w[1] == "name" && w[2] == "MoveTime" && w[3] == "value") {
        const std::string& v = w[4];
        if (!v.empty() && v.size() <= 7 && v.find_first_not_of("0123456789") == std::string::npos &&
            std::stoi(v) >= 1 && std::stoi(v) <= kMaxMoveTimeMs) {
            moveTimeMs_ = std::stoi(v);
            return;
        }
        out << "info string MoveTime must be a number of milliseconds from 1 to " << kMaxMoveTimeMs
            << "\n";
        return;
    }
    if (w.size() == 5 && w[1] == "name" && w[2] == "SkillLevel" && w[3] == "value") {
        const std::string& v = w[4];
        if (!v.empty() && v.size() <= 2 && v.find_first_not_of("0123456789") == std::string::npos &&
            std::stoi(v) <= engine::kSkillMax) {
            skillLevel_ = std::stoi(v);
            return;
        }
        out << "info string SkillLevel must be a number from " << engine::kSkillMin << " to "
            << engine::kSkillMax << "\n";
        return;
    }
    if (w.size() == 5 && w[1] == "name" && w[2] == "MultiPV" && w[3] == "value") {
        const std::string& v = w[4];
        if (v.size() == 1 && v[0] >= '1' && v[0] <= '0' + engine::kMaxMultiPV) {
            multiPV_ = v[0] - '0';
            return;
        }
        out << "info string MultiPV must be a number from 1 to " << engine::kMaxMultiPV << "\n";
        return;
    }
    out << "info string unknown option\n";
}

void Protocol::resetMaps() {
    Map* maps[] = {&form_.NegAttackCount, &form_.NegGuardValue,  &form_.NegThreatValue,
                   &form_.NegThreatX,     &form_.NegThreatY,     &form_.NegCheckLine,
                   &form_.PosAttackCount, &form_.PosGuardValue,  &form_.PosGuardX,
                   &form_.PosGuardY,      &form_.PosThreatValue, &form_.PosThreatX,
                   &form_.PosThreatY,     &form_.PosCheckLine,   &form_.NegImmovable};
    for (Map* m : maps)
        for (auto& col : *m)
            for (int& v : col) v = 0;
    form_.PosImmovableFlag = 0;
    form_.ManKingPos = form_.ManPrincePos = form_.ComKingPos = form_.ComPrincePos = {};
}

void Protocol::position(const std::vector<std::string>& w, const std::string& line,
                        std::ostream& out) {
    const notation::PositionText text = notation::readPosition(w);
    if (text.fault == notation::PositionText::Fault::NoStart) {
        out << "info string bad position: expected startpos or sfen in '" << echoed(line) << "'\n";
        return;
    }
    if (text.fault == notation::PositionText::Fault::NotMoves) {
        out << "info string bad position: expected moves after startpos\n";
        return;
    }
    std::string error;
    const std::optional<notation::SfenPosition> p = notation::parseSfen(text.sfen, error);
    if (!p) {
        out << "info string bad position: " << error << "\n";
        return;
    }
    notation::place(form_, *p);
    side_ = p->sideToMove;
    moveNumber_ = p->moveNumber;
    fromStart_ = text.startpos;
    // The lower side always holds turn value 1 here; the side to move decides Turn.
    form_.ManTurn = 1;
    form_.ComTurn = -1;
    form_.Turn = side_ < 0 ? form_.ManTurn : form_.ComTurn;
    form_.MoveNumber = moveNumber_ - 1;
    form_.KifuCursor = 0;
    form_.KifuLength = 0;
    resetMaps();
    moves_.clear();
    history_.clear();
    for (const std::string& move : text.moves) {
        if (!play(move)) {
            out << "info string illegal move " << echoed(move) << "\n";
            break;
        }
        moves_.push_back(move);
    }
    form_.調査_2歩フラグ設定();
}

bool Protocol::gameOver() const {
    return hasLostAllRoyals(form_, -1) || hasLostAllRoyals(form_, 1);
}

bool Protocol::play(const std::string& text) {
    if (gameOver()) return false;
    const std::optional<Move> m = notation::playedMove(form_, side_, text);
    if (m) playMove(*m);
    return m.has_value();
}

void Protocol::listMoves(std::ostream& out) {
    std::vector<std::string> list;
    if (!gameOver()) {
        form_.調査_2歩フラグ設定();
        MoveList moves;
        generateMoves(form_, side_, moves);
        for (const Move& m : moves) list.push_back(notation::formatUsiMove(m));
        std::sort(list.begin(), list.end());
    }
    out << "moves";
    for (const std::string& m : list) out << ' ' << m;
    out << "\n";
}

void Protocol::survey(std::ostream& out) {
    Form1& f = form_;
    f.ManKingPos.X = f.ManPrincePos.X = f.ComKingPos.X = f.ComPrincePos.X = 0;
    f.勢力調査();
    f.調査_移動不可駒();
    const Map* maps[] = {&f.NegAttackCount, &f.NegGuardValue, &f.NegThreatValue, &f.NegThreatX,
                         &f.NegThreatY,     &f.NegCheckLine,  &f.PosAttackCount, &f.PosGuardValue,
                         &f.PosGuardX,      &f.PosGuardY,     &f.PosThreatValue, &f.PosThreatX,
                         &f.PosThreatY,     &f.PosCheckLine,  &f.NegImmovable};
    for (int i = 0; i < 15; ++i) {
        out << kMapNames[i];
        for (int y = 1; y <= 9; ++y)
            for (int x = 1; x <= 9; ++x) out << ' ' << (*maps[i])[x][y];
        out << "\n";
    }
    out << "PosImmovableFlag " << f.PosImmovableFlag << "\n";
    out << "Royals " << f.ManKingPos.X << ' ' << f.ManKingPos.Y << ' ' << f.ManPrincePos.X << ' '
        << f.ManPrincePos.Y << ' ' << f.ComKingPos.X << ' ' << f.ComKingPos.Y << ' '
        << f.ComPrincePos.X << ' ' << f.ComPrincePos.Y << "\n";
}

void Protocol::mate(std::ostream& out) {
    Form1& f = form_;
    f.ManKingPos.X = f.ManPrincePos.X = f.ComKingPos.X = f.ComPrincePos.X = 0;
    f.勢力調査();
    const int man = f.詰めかMAN();
    const int com = f.詰めかCOM();
    out << "mate man " << man << " com " << com << "\n";
}

void Protocol::display(std::ostream& out) {
    const Form1& f = form_;
    auto hand = [](const int* h, int sign) {
        std::string s;
        for (int slot = 7; slot >= 1; --slot)
            if (h[slot] > 0)
                s += " " + notation::pieceLetters(sign * kSlotKind[slot]) + std::to_string(h[slot]);
        return s.empty() ? std::string(" -") : s;
    };
    out << "upper hand:" << hand(f.EnemyHand, 1) << "\n";
    out << "   9  8  7  6  5  4  3  2  1\n";
    for (int y = 1; y <= 9; ++y) {
        out << ' ';
        for (int x = 1; x <= 9; ++x) {
            const int c = f.Board[x][y];
            std::string cell = c == 0 ? "." : notation::pieceLetters(c);
            out << std::string(3 - cell.size(), ' ') << cell;
        }
        out << "  " << static_cast<char>('a' + y - 1) << "\n";
    }
    out << "lower hand:" << hand(f.OwnHand, -1) << "\n";
    out << "side to move: " << (side_ < 0 ? "lower (b)" : "upper (w)") << "\n";
    out << "sfen " << notation::formatSfen(f, side_, moveNumber_) << "\n";
}

bool Protocol::search(Move& best, int& score, std::vector<Candidate>* each) {
    Form1& f = form_;
    // The computer always plays the upper side: for the lower side, search the turned board.
    const bool turned = side_ < 0;
    if (turned) f.処理_盤反転();
    CandidateSink sink{each};
    f.SearchOnly = true;
    f.OnCandidate = each ? &CandidateSink::add : nullptr;
    f.OnCandidateContext = &sink;
    f.com_ban();
    f.SearchOnly = false;
    f.OnCandidate = nullptr;
    if (turned) {
        f.処理_盤反転();
        if (each)
            for (Candidate& c : *each) c.move = turnBack(c.move);
    }
    f.調査_2歩フラグ設定();
    if (!f.BestFound) return false;
    best = {f.BestFromX, f.BestFromY, f.BestToX, f.BestToY, f.BestMoved, f.BestPlaced};
    if (turned) best = turnBack(best);
    score = f.BestScore;
    return true;
}

void Protocol::playMove(const Move& m) {
    history_.push_back(engine::positionKey(engine::snapshotOf(form_, side_)));
    // Recorded as the game records a move, with no thinking time.
    form_.手順保存(m.fromX, m.fromY, m.toX, m.toY, m.moved, m.placed, 0, 0, 0, 0);
    form_.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.placed);
    form_.MoveNumber += 1;
    form_.Turn = -form_.Turn;
    side_ = -side_;
    ++moveNumber_;
}

void Protocol::go(std::ostream& out, bool listCandidates) {
    if (gameOver()) {
        answerFinished(out, false, false);
        return;
    }
    std::vector<Candidate> each;
    Move best;
    int score = 0;
    const bool found = search(best, score, listCandidates ? &each : nullptr);
    for (const Candidate& c : each)
        out << "eval " << notation::formatUsiMove(c.move) << ' ' << tenths(c.score) << "\n";
    out << "bestmove " << (found ? notation::formatUsiMove(best) : std::string("resign")) << "\n";
}

void Protocol::requestStop() {
    {
        std::lock_guard lock(stopMutex_);
        stop_ = true;
    }
    stopped_.notify_all();
}

void Protocol::requestPonderhit() {
    {
        std::lock_guard lock(stopMutex_);
        ponderhit_ = true;
    }
    stopped_.notify_all();
}

void Protocol::clearStop() {
    std::lock_guard lock(stopMutex_);
    stop_ = false;
    ponderhit_ = false;
}

} // namespace kelvore::usi
