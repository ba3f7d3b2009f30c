// Every game is kept: when a game ends with a winner, and when a game with moves is about to
// be replaced by another, the whole game is written without asking as a record into a folder
// of its own under the work folder, named by the date and time it was kept. A game resigned,
// lost on time or adjourned is kept when it ends so, and a game in play when the program ends
// is kept as adjourned. A record that is only being viewed is never kept, the same game never
// twice. No kept game ever replaces another, also when two windows keep games in one folder
// at once.
// A write that fails leaves the game alone; it is said once a run, after the command is done.
#pragma once

#include "GameListener.h"
#include "record/GameRecord.h"

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvore {

class Form1;

namespace kept {

// The folder the kept games go to, under the work folder.
inline constexpr const char* kFolderName = "対局記録";

// How a kept game is written. A game from the standard start is written in the game's own
// record format; a game from any other start (a handicap, a pasted position) as KIF in UTF-8
// (".kifu"), which carries its start as a diagram and reads back with KIF読込.
enum class Format { Record, Kif };
Format formatOf(const GameRecord& game);

// The name of a kept game without its extension and folder: the date, the time and who the
// other side was, e.g. "2026-12-08_2315_LEVEL4".
std::string baseName(const std::tm& when, const std::string& opponent);

// The title line of a kept game: "対局 2026-12-08 23:15", the time control in brackets when
// there was one ("［10分+30秒］"), and how it ended: "（あなたの勝ち）", "（投了でｺﾝﾋﾟｭｰﾀの勝ち）",
// "（時間切れで先手の勝ち）", "（中断）". `winner` is the name the end-of-game box gave.
std::string titleOf(const std::tm& when, const std::string& timeControl, const GameEnd& end,
                    std::string_view winner);

// How a game with that title ended: a resignation, a loss on time or an adjournment, with the
// winner's side (あなた and 先手 are the lower side, ｺﾝﾋﾟｭｰﾀ and 後手 the upper); none for any
// other title. `afterMoves` is left 0.
GameEnd endOfTitle(std::string_view title);

class GameKeeper : private GameListener {
public:
    explicit GameKeeper(Form1& form);
    ~GameKeeper() override;
    GameKeeper(const GameKeeper&) = delete;
    GameKeeper& operator=(const GameKeeper&) = delete;

    // <work folder>/対局記録; empty when the game has no work folder (nothing is kept then).
    std::string folder() const;
    // The files written so far in this run, oldest first.
    const std::vector<std::string>& written() const { return written_; }

    // The local time of day and date; tests set their own.
    std::function<std::tm()> now;

private:
    // The game last seen with moves not yet kept, with who played it.
    struct Unkept {
        GameRecord game;
        std::string opponent;    // "LEVEL4", or "人間" between two people
        std::string timeControl; // as KIF writes it; empty when there was none
    };

    void movePlayed() override;
    void historyChanged() override;
    void beforeReset() override;
    void gameWon(std::string_view winner) override;
    void gameAdjourned() override;
    void beforeShutdown() override;

    // The game in the history as it stands, named for the mode and level of the moment.
    std::optional<Unkept> current() const;
    void keep(Unkept game, std::string_view winner);
    void warnOnce(const std::string& why);

    Form1& form_;
    std::optional<Unkept> unkept_;
    std::vector<std::string> written_;
    bool warned_ = false;
    // Continuations waiting in the dispatcher hold this weakly: gone with this object.
    std::shared_ptr<GameKeeper*> self_;
};

} // namespace kept
} // namespace kelvore
