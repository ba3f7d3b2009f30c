// The judgement of a whole game: the engine's verdict on every position, and from each two
// neighbouring verdicts the judgement of the move between them (what it cost the side that
// played it, the engine's better move, a mark on the moves that lost much and a line that says
// why). Filled one verdict at a time, in any order, as the searches end.
#pragma once

#include "analysis/Verdict.h"
#include "notation/MoveText.h"
#include "record/GameRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvore::analysis {

// How a move is marked.
enum class Grade { None, Dubious, Bad };

// "疑問手", "悪手", or empty.
std::string_view gradeName(Grade grade);

// From which loss a move is marked. The loss is read first as the winning chance the mover
// gave away, in percentage points of winningPercent: 10 points (50 % to 40 %, or 85 % to 75 %)
// is a move a player should know of, 20 points usually turns the game. Where the game is
// already decided the curve hardly moves any more, so a loss in centipawns marks a move too: a
// silver or a gold given away (800) is dubious, a rook (2000) bad. A forced win given up, and a
// mate allowed where there was none, are always bad.
struct Thresholds {
    double dubiousPoints = 10;
    double badPoints = 20;
    int dubiousCentipawns = 800;
    int badCentipawns = 2000;
};

// The judgement of one move, from the view of the side that played it.
struct MoveReview {
    std::size_t index = 0; // 0-based: the move numbered index + 1
    notation::Mark side = notation::Mark::None;
    Move played;
    std::string text;        // the move in notation
    Score before, after;     // the best the mover could get, and what the move got
    double chanceBefore = 0; // the mover's winning chance in percent, with the best move
    double chanceAfter = 0;  // and after the move played
    double chanceLoss = 0;   // chanceBefore - chanceAfter in points, never negative
    int loss = 0;            // units(before) - units(after), never negative
    bool playedBest = false; // the move is the engine's own choice: no loss is counted
    std::string bestText;    // the engine's best move in notation
    std::string lineText;    // its principal line in notation, its first eight moves
    Grade grade = Grade::None;
    std::string reason; // for a marked move: why, in one line
};

// How one side played: its moves judged, how many of each mark, and the average loss.
struct SideSummary {
    int moves = 0;
    int dubious = 0;
    int bad = 0;
    int averageLoss = 0;          // centipawns, a mate counted as a rook
    double averageChanceLoss = 0; // percentage points of winning chance
};

class GameAnalysis {
public:
    explicit GameAnalysis(GameRecord game, Thresholds thresholds = {});

    const GameRecord& game() const { return game_; }
    // The positions judged: one more than the moves that fit the game's start.
    const std::vector<engine::GameSnapshot>& positions() const { return positions_; }
    std::size_t moveCount() const { return positions_.size() - 1; }

    // Takes the engine's verdict on position `index` (ignored out of range) and judges the
    // moves on either side of it where both their positions are known.
    void setVerdict(std::size_t index, Verdict verdict);
    const Verdict& verdict(std::size_t index) const { return verdicts_.at(index); }
    // The reason of move `index` as a file wrote it: used for a move whose verdicts came from
    // a file without lines to read a reason from.
    void setWrittenReason(std::size_t index, std::string reason);
    std::size_t searchedCount() const { return searched_; }
    bool complete() const { return searched_ == positions_.size(); }

    // The judgement of move `index` (0-based), once both its positions are searched.
    const std::optional<MoveReview>& review(std::size_t index) const { return reviews_.at(index); }

    // The score of position `index` from the view of the side that moved first (▲), once
    // searched.
    std::optional<Score> firstMoverScore(std::size_t index) const;

    SideSummary summary(notation::Mark side) const;

private:
    void judge(std::size_t move);

    GameRecord game_;
    Thresholds thresholds_;
    std::vector<engine::GameSnapshot> positions_;
    std::vector<Verdict> verdicts_;
    std::vector<std::optional<MoveReview>> reviews_;
    std::vector<std::string> writtenReasons_;
    std::size_t searched_ = 0;
};

} // namespace kelvore::analysis
