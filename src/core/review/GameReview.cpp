#include "review/GameReview.h"

#include "Form1.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace kelvore::review {

std::vector<MoveRow> rowsOf(const GameRecord& game) {
    std::vector<MoveRow> rows;
    rows.reserve(game.moves.size());
    // A move that does not fit the board is written as played on the last position that fits.
    const std::vector<engine::GameSnapshot> positions = positionsOf(game);
    for (std::size_t i = 0; i < game.moves.size(); ++i)
        rows.push_back({static_cast<int>(i + 1),
                        moveTextOf(game, i, positions[std::min(i, positions.size() - 1)]),
                        secondsOf(game, i)});
    return rows;
}

std::string timeText(long long seconds) {
    const long long s = std::clamp(seconds, 0LL, 359999LL);
    char buf[32];
    if (s < 3600)
        std::snprintf(buf, sizeof buf, "%lld:%02lld", s / 60, s % 60);
    else
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return buf;
}

void revealMoveList(Form1& form) {
    if (!form.platform().menu.isChecked(MenuItem::MOVE_LIST)) form.onMenu(MenuItem::MOVE_LIST);
}

GameReview::GameReview(Form1& form) : form_(form) {
    form_.addListener(*this);
    follow();
}

GameReview::~GameReview() {
    form_.removeListener(*this);
}

void GameReview::follow() {
    if (std::optional<GameRecord> g = recordOfHistory(form_)) {
        game_ = std::move(*g);
        current_ = form_.KifuCursor;
    } else {
        // The board no longer fits the history: the list keeps what it showed.
        current_ = -1;
    }
    changed();
}

// The board is back at the start with no game running; the list keeps the game it showed.
void GameReview::afterReset() {
    current_ = -1;
    changed();
}

void GameReview::changed() {
    if (!stepping_ && onChanged) onChanged();
}

bool GameReview::historyIsShown() const {
    const Form1& f = form_;
    const auto& k = f.Kifu;
    const int n = static_cast<int>(game_.moves.size());
    if (f.Turn == Form1::NO_GAME || f.KifuLength != n || f.KifuCursor < 0 || f.KifuCursor > n ||
        static_cast<int>(k.MovedPiece.size()) <= n)
        return false;
    for (int i = 1; i <= n; ++i) {
        const RecordMove& m = game_.moves[i - 1];
        if (k.FromX[i] != m.FromX || k.FromY[i] != m.FromY || k.ToX[i] != m.ToX ||
            k.ToY[i] != m.ToY || k.MovedPiece[i] != m.MovedPiece ||
            k.PlacedPiece[i] != m.PlacedPiece || k.CapturedPiece[i] != m.CapturedPiece)
            return false;
    }
    const std::vector<engine::GameSnapshot> positions = positionsOf(game_);
    if (static_cast<int>(positions.size()) <= f.KifuCursor) return false;
    const engine::GameSnapshot& p = positions[f.KifuCursor];
    return std::memcmp(p.board, f.Board, sizeof p.board) == 0 &&
           std::memcmp(p.lowerHand, f.OwnHand, sizeof p.lowerHand) == 0 &&
           std::memcmp(p.upperHand, f.EnemyHand, sizeof p.upperHand) == 0;
}

bool GameReview::showMove(int ply) {
    Form1& f = form_;
    if (f.Ended || game_.moves.empty() || ply < 0 || ply > static_cast<int>(game_.moves.size()))
        return false;
    if (f.思考中()) {
        f.音_禁止();
        return false;
    }
    if (!historyIsShown()) {
        if (!isStandardStart(game_.start)) {
            f.音_禁止();
            return false;
        }
        stepping_ = true;
        const std::vector<RecordMove> moves = game_.moves; // taking them in changes game_
        f.棋譜モード_開始(moves);
    }
    stepping_ = true;
    // Each step is the game's own; one that is refused ends the walk where it stands.
    while (f.KifuCursor > ply && !f.Ended) {
        const int before = f.KifuCursor;
        f.REPLAY_Click();
        if (f.KifuCursor == before) break;
    }
    while (f.KifuCursor < ply && !f.Ended) {
        const int before = f.KifuCursor;
        f.AFTER_Click();
        if (f.KifuCursor == before) break;
    }
    stepping_ = false;
    follow();
    return f.KifuCursor == ply && historyIsShown();
}

} // namespace kelvore::review
