#include "Engine.h"

#include "BenchPositions.h"
#include "KifuConvert.h"
#include "engine/Searcher.h"
#include "engine/Snapshot.h"
#include "notation/Usi.h"
#include "record/RecordFile.h"
#include "rules/TrialMove.h"
#include "text/Files.h"
#include "text/Utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <unordered_map>

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
    if (m.fromX == -1) return Move::drop(-1, m.moved, r.toX, r.toY); // the upper hand's slot
    r.fromX = 10 - m.fromX;
    r.fromY = 10 - m.fromY;
    return r;
}

struct CandidateSink {
    std::vector<Engine::Candidate>* list;
    static void add(void* self, int fx, int fy, int tx, int ty, int moved, int placed, int score) {
        static_cast<CandidateSink*>(self)->list->push_back(
            {{fx, fy, tx, ty, moved, placed}, score});
    }
};

} // namespace

Engine::Engine() : form_(null_.platform) {
    form_.Form_Load();
    std::string error;
    notation::place(form_, *notation::parseSfen(notation::kStartSfen, error));
    resetMaps();
}

bool Engine::handle(const std::string& rawLine, std::ostream& out) {
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
            << "usiok\n";
    } else if (cmd == "isready") {
        out << "readyok\n";
    } else if (cmd == "usinewgame") {
        // A new game: what the search learnt in the last one is forgotten.
        if (searcher_) searcher_->newGame();
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

// Level 1-5 (4 and 5 search, for about MoveTime and five times MoveTime a move) and MoveTime,
// the base time of a move in milliseconds.
void Engine::setOption(const std::vector<std::string>& w, std::ostream& out) {
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
    out << "info string unknown option\n";
}

void Engine::resetMaps() {
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

void Engine::position(const std::vector<std::string>& w, const std::string& line,
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

bool Engine::gameOver() const {
    return hasLostAllRoyals(form_, -1) || hasLostAllRoyals(form_, 1);
}

bool Engine::play(const std::string& text) {
    if (gameOver()) return false;
    const std::optional<Move> m = notation::playedMove(form_, side_, text);
    if (m) playMove(*m);
    return m.has_value();
}

void Engine::listMoves(std::ostream& out) {
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

void Engine::survey(std::ostream& out) {
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

void Engine::mate(std::ostream& out) {
    Form1& f = form_;
    f.ManKingPos.X = f.ManPrincePos.X = f.ComKingPos.X = f.ComPrincePos.X = 0;
    f.勢力調査();
    const int man = f.詰めかMAN();
    const int com = f.詰めかCOM();
    out << "mate man " << man << " com " << com << "\n";
}

void Engine::display(std::ostream& out) {
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

bool Engine::search(Move& best, int& score, std::vector<Candidate>* each) {
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

void Engine::playMove(const Move& m) {
    history_.push_back(engine::positionKey(engine::snapshotOf(form_, side_)));
    // Recorded as the game records a move, with no thinking time.
    form_.手順保存(m.fromX, m.fromY, m.toX, m.toY, m.moved, m.placed, 0, 0, 0, 0);
    form_.駒移動(m.fromX, m.fromY, m.toX, m.toY, m.placed);
    form_.MoveNumber += 1;
    form_.Turn = -form_.Turn;
    side_ = -side_;
    ++moveNumber_;
}

void Engine::go(std::ostream& out, bool listCandidates) {
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

// Games between two levels from the starting position: 0 is a random player, 1-3 the game's
// own levels, 4 and 5 the search with MoveTime and five times MoveTime a move. The first four
// plies are random. A game is drawn when a position (board, hands and side to move) occurs for
// the fourth time, or after 400 plies.
void Engine::match(const std::vector<std::string>& w, std::ostream& out) {
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

// The search at every level on the fixed positions, hashed into one signature; then the
// engine's search at a fixed depth on the same positions, each from an empty table, hashed
// with its node counts into a second one.
void Engine::bench(std::ostream& out) {
    const int savedLevel = form_.ComLevel;
    std::uint64_t signature = 1469598103934665603ull;
    auto mix = [&](long long v) {
        signature ^= static_cast<std::uint64_t>(v);
        signature *= 1099511628211ull;
    };
    int positions = 0;
    auto start = std::chrono::steady_clock::now();
    auto elapsedMs = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    };
    for (int level : {3, 1, 2}) {
        form_.ComLevel = level;
        for (const char* sfen : kBenchPositions) {
            std::ostringstream ignored;
            handle(std::string("position sfen ") + sfen, ignored);
            Move m;
            int score = 0;
            if (search(m, score)) {
                for (int v : {m.fromX, m.fromY, m.toX, m.toY, m.placed, score}) mix(v);
            } else {
                mix(-1);
            }
            ++positions;
        }
    }
    form_.ComLevel = savedLevel;
    out << "bench positions " << positions << " signature " << signature << " time " << elapsedMs()
        << "\n";

    signature = 1469598103934665603ull;
    positions = 0;
    std::uint64_t nodes = 0;
    start = std::chrono::steady_clock::now();
    engine::Searcher searcher(kBenchHashMegabytes);
    engine::Limits limits;
    limits.depth = kBenchDepth;
    for (const char* sfen : kBenchPositions) {
        std::ostringstream ignored;
        handle(std::string("position sfen ") + sfen, ignored);
        searcher.newGame();
        std::uint64_t searched = 0;
        const engine::Result r =
            searcher.search(engine::snapshotOf(form_, side_), {}, limits,
                            [&](const engine::Info& info) { searched = info.nodes; });
        if (r.found) {
            for (int v : {r.best.fromX, r.best.fromY, r.best.toX, r.best.toY, r.best.placed,
                          r.score, int(r.mate)})
                mix(v);
        } else {
            mix(-1);
        }
        mix(static_cast<long long>(searched));
        nodes += searched;
        ++positions;
    }
    const auto ms = elapsedMs();
    out << "bench search positions " << positions << " depth " << kBenchDepth << " signature "
        << signature << " nodes " << nodes << " time " << ms << " nps "
        << (ms > 0 ? nodes * 1000 / static_cast<std::uint64_t>(ms) : nodes) << "\n";
}

std::optional<RecordFile> readRecordFile(const std::string& path, std::ostream& out) {
    // A FIFO, a folder or a device is refused at once, like a file that cannot be read.
    const text::ReadResult file = text::readFile(path, kRecordFileLimit);
    if (file.status == text::ReadStatus::TooLarge) {
        out << "info string " << kRecordTooLarge << "\n";
        return std::nullopt;
    }
    if (!file.ok()) {
        out << "info string cannot open " << echoed(path) << "\n";
        return std::nullopt;
    }
    RecordFile record = readRecord(file.bytes);
    if (!record.error.empty()) {
        out << "info string " << echoed(record.error) << "\n";
        return std::nullopt;
    }
    return record;
}

// kifu read <path> | kifu write <path> <game name>|<upper player>|<lower player> |
// kifu analyse <path> [<ms> | depth <n> | nodes <n>] (in Analyse.cpp) |
// kifu export <record> <file.kif|file.kifu> | kifu import <file.kif|file.kifu> <record>
void Engine::kifu(const std::vector<std::string>& w, const std::string& line, std::ostream& out) {
    if (convertKifu(w, out)) return;
    if (w.size() >= 3 && w[1] == "analyse") {
        analyseKifu(w, line, out);
        return;
    }
    if (w.size() >= 3 && w[1] == "read") {
        const std::string path = line.substr(line.find(w[2], line.find("read") + 4));
        const std::optional<RecordFile> read = readRecordFile(path, out);
        if (!read) return;
        const RecordFile& record = *read;
        if (stopRequested()) {
            out << "info string kifu read stopped; the position is as it was\n";
            return;
        }
        std::ostringstream ignored;
        handle("position startpos", ignored);
        if (!record.moves.empty()) side_ = record.moves[0].MovedPiece < 0 ? -1 : 1;
        form_.Turn = side_ < 0 ? form_.ManTurn : form_.ComTurn;
        std::string list;
        std::size_t played = 0;
        for (const RecordMove& r : record.moves) {
            if (stopRequested()) break; // the position stays after the moves played so far
            ++played;
            const Move m = moveOf(r);
            const std::string text = notation::formatUsiMove(m);
            list += " " + text;
            moves_.push_back(text);
            playMove(m);
        }
        form_.調査_2歩フラグ設定();
        out << "kifu name " << record.header[0] << "\n"
            << "kifu upper " << record.header[1] << "\n"
            << "kifu lower " << record.header[2] << "\n"
            << "kifu moves" << list << "\n";
        if (played < record.moves.size())
            out << "info string kifu read stopped after " << played << " of " << record.moves.size()
                << " moves\n";
        else if (record.damagedAt > 0)
            out << "info string move " << record.damagedAt << " does not fit the position ("
                << record.damage << "); " << record.moves.size() << " moves read\n";
        return;
    }
    if (w.size() >= 3 && w[1] == "write") {
        if (!fromStart_) {
            out << "info string kifu write needs a position from startpos: a record always "
                   "starts from the starting position\n";
            return;
        }
        const std::size_t at = line.find(w[2], line.find("write") + 5);
        const std::string path = w[2];
        std::string rest = line.substr(at + path.size());
        while (!rest.empty() && rest.front() == ' ') rest.erase(rest.begin());
        std::string part[3];
        int n = 0;
        for (char c : rest) {
            if (c == '|' && n < 2)
                ++n;
            else
                part[n] += c;
        }
        const std::string error = form_.書込_棋譜ファイル(path, part[0], part[1], part[2]);
        if (!error.empty()) {
            out << "info string cannot write the record: " << echoed(error) << "\n";
            return;
        }
        out << "kifu written " << echoed(path) << "\n";
        return;
    }
    out << "info string usage: kifu read <path> | kifu write <path> <name>|<upper>|<lower> | "
           "kifu export <record> <file.kif|file.kifu> | kifu import <file.kif|file.kifu> "
           "<record>\n";
}

void Engine::requestStop() {
    {
        std::lock_guard lock(stopMutex_);
        stop_ = true;
    }
    stopped_.notify_all();
}

void Engine::requestPonderhit() {
    {
        std::lock_guard lock(stopMutex_);
        ponderhit_ = true;
    }
    stopped_.notify_all();
}

void Engine::clearStop() {
    std::lock_guard lock(stopMutex_);
    stop_ = false;
    ponderhit_ = false;
}

} // namespace kelvore::usi
