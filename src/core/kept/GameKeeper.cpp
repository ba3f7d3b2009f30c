#include "kept/GameKeeper.h"
#include "platform/Translate.h"

#include "Form1.h"
#include "kif/Kif.h"
#include "match/TimeControl.h"
#include "text/Files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kelvore::kept {

namespace {

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

std::string twoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

std::string dateText(const std::tm& t) {
    return std::to_string(t.tm_year + 1900) + "-" + twoDigits(t.tm_mon + 1) + "-" +
           twoDigits(t.tm_mday);
}

} // namespace

Format formatOf(const GameRecord& game) {
    return isStandardStart(game.start) ? Format::Record : Format::Kif;
}

// A game from another start than the standard one, as KIF in UTF-8, as safely as a record.
// A game won names its winner: the side that made the last move.
std::string writeKifFile(const std::string& path, const GameRecord& game, const std::tm& when,
                         std::string_view winner) {
    kif::KifGame k;
    k.game = game;
    char started[64];
    std::snprintf(started, sizeof started, "%04d/%02d/%02d %02d:%02d:00", when.tm_year + 1900,
                  when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min);
    k.startedAt = started;
    if (!winner.empty()) k.winner = game.moves.back().MovedPiece > 0 ? 1 : -1;
    const auto bytes = kif::encodeKif(kif::writeKif(k, kif::Encoding::Utf8), kif::Encoding::Utf8);
    if (!bytes) return translate("Kept", "KIFに書けない文字があります");
    const int error = text::writeFileAtomically(path, *bytes);
    return error == 0 ? std::string() : recordWriteError(error);
}

std::string baseName(const std::tm& when, const std::string& opponent) {
    return dateText(when) + "_" + twoDigits(when.tm_hour) + twoDigits(when.tm_min) + "_" + opponent;
}

namespace {

constexpr std::string_view kResignedBy = "（投了で", kTimeUpBy = "（時間切れで", kWon = "の勝ち）",
                           kAdjourned = "（中断）";

} // namespace

std::string titleOf(const std::tm& when, const std::string& timeControl, const GameEnd& end,
                    std::string_view winner) {
    std::string title =
        "対局 " + dateText(when) + " " + twoDigits(when.tm_hour) + ":" + twoDigits(when.tm_min);
    if (!timeControl.empty()) title += "［" + timeControl + "］";
    if (end.how == Ending::Adjourned) return title + std::string(kAdjourned);
    if (winner.empty()) return title;
    const std::string_view how = end.how == Ending::Resigned ? kResignedBy
                                 : end.how == Ending::TimeUp ? kTimeUpBy
                                                             : "（";
    return title + std::string(how) + std::string(winner) + std::string(kWon);
}

GameEnd endOfTitle(std::string_view title) {
    GameEnd end;
    if (title.ends_with(kAdjourned)) {
        end.how = Ending::Adjourned;
        return end;
    }
    if (!title.ends_with(kWon)) return end;
    title.remove_suffix(kWon.size());
    for (const auto& [mark, how] :
         {std::pair{kResignedBy, Ending::Resigned}, std::pair{kTimeUpBy, Ending::TimeUp}}) {
        const std::size_t at = title.rfind(mark);
        if (at == std::string_view::npos) continue;
        const std::string_view winner = title.substr(at + mark.size());
        if (winner == "あなた" || winner == "先手") end.winner = -1;
        if (winner == "ｺﾝﾋﾟｭｰﾀ" || winner == "後手") end.winner = 1;
        if (end.winner != 0) end.how = how;
        return end;
    }
    return end;
}

GameKeeper::GameKeeper(Form1& form)
    : now(localNow), form_(form), self_(std::make_shared<GameKeeper*>(this)) {
    form_.addListener(*this);
}

GameKeeper::~GameKeeper() {
    form_.removeListener(*this);
}

std::string GameKeeper::folder() const {
    if (form_.WorkFolder.empty()) return {};
    const std::string& w = form_.WorkFolder;
    return (w.back() == '/' ? w : w + "/") + kFolderName;
}

std::optional<GameKeeper::Unkept> GameKeeper::current() const {
    const Form1& f = form_;
    std::optional<GameRecord> g = recordOfHistory(f);
    if (!g || g->moves.empty()) return std::nullopt;
    Unkept u{std::move(*g), {}, f.TimeLimit.timed() ? match::kifText(f.TimeLimit) : ""};
    if (f.GameMode == f.GameModeCom) {
        u.opponent = "LEVEL" + std::to_string(f.ComLevel);
        u.game.upperPlayer = u.opponent;
        u.game.lowerPlayer = "あなた";
    } else {
        // Between two people the side that moved first is 先手.
        const bool upperFirst = u.game.start.sideToMove > 0;
        u.opponent = "人間";
        u.game.upperPlayer = upperFirst ? "先手" : "後手";
        u.game.lowerPlayer = upperFirst ? "後手" : "先手";
    }
    return u;
}

// A move played. The first move of a new history replaces the game held before it (a new game
// begun by スタート over an old one, or play resumed from its start), which is kept first.
void GameKeeper::movePlayed() {
    if (form_.KifuCursor == 1 && unkept_) {
        Unkept earlier = std::move(*unkept_);
        unkept_.reset();
        keep(std::move(earlier), {});
    }
    unkept_ = current();
}

void GameKeeper::historyChanged() {
    const Form1& f = form_;
    // A record being viewed is not a game played here.
    if (f.KifuMode == 1) {
        unkept_.reset();
        return;
    }
    // The history given up (a new game from 先手 or 後手, the board reversed, a handicap set
    // at the start): the game it held is kept.
    if (f.KifuLength == 0) {
        if (unkept_) {
            Unkept earlier = std::move(*unkept_);
            unkept_.reset();
            keep(std::move(earlier), {});
        }
        return;
    }
    if (unkept_)
        if (std::optional<Unkept> now = current()) unkept_ = std::move(now);
}

void GameKeeper::beforeReset() {
    if (!unkept_) return;
    Unkept game = std::move(*unkept_);
    unkept_.reset();
    keep(std::move(game), {});
}

void GameKeeper::gameWon(std::string_view winner) {
    std::optional<Unkept> game = current();
    if (!game) game = std::move(unkept_);
    unkept_.reset();
    if (game) keep(std::move(*game), winner);
}

void GameKeeper::gameAdjourned() {
    std::optional<Unkept> game = current();
    if (!game) game = std::move(unkept_);
    unkept_.reset();
    if (!game) return;
    game->game.end = {Ending::Adjourned, 0, static_cast<int>(game->game.moves.size())};
    keep(std::move(*game), {});
}

// A game in play when the program ends is adjourned by it, silently.
void GameKeeper::beforeShutdown() {
    if (!unkept_) return;
    Unkept game = std::move(*unkept_);
    unkept_.reset();
    game.game.end = {Ending::Adjourned, 0, static_cast<int>(game.game.moves.size())};
    keep(std::move(game), {});
}

void GameKeeper::keep(Unkept u, std::string_view winner) {
    const std::string where = folder();
    if (where.empty() || u.game.moves.empty()) return;
    const Format format = formatOf(u.game);
    const std::tm when = now();
    u.game.title = titleOf(when, u.timeControl, u.game.end, winner);

    std::error_code ec;
    std::filesystem::create_directories(where, ec);
    if (ec) {
        warnOnce(recordWriteError(ec.value()));
        return;
    }
    // A name of its own: the minute's name, then the same with _2, _3, ..., each reserved by
    // creating it empty only where nothing has that name yet (another window on the same
    // folder keeping a game in the same minute takes the next one), then written in full.
    const std::string base = where + "/" + baseName(when, u.opponent);
    const std::string extension = format == Format::Record ? ".棋譜" : ".kifu";
    std::string path = base + extension;
    for (int n = 2;; ++n) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        if (errno != EEXIST) {
            warnOnce(recordWriteError(errno));
            return;
        }
        if (n > 1000) {
            warnOnce(translate("Kept", "同じ名前の記録が多すぎます"));
            return;
        }
        path = base + "_" + std::to_string(n) + extension;
    }
    const std::string error = format == Format::Record ? writeRecordFile(path, u.game)
                                                       : writeKifFile(path, u.game, when, winner);
    if (!error.empty()) {
        ::unlink(path.c_str()); // the empty name reserved
        warnOnce(error);
        return;
    }
    written_.push_back(path);
}

// Said once a run, once the command that kept the game is done: the game goes on regardless.
void GameKeeper::warnOnce(const std::string& why) {
    if (warned_) return;
    warned_ = true;
    const std::string text =
        translate("Kept", "対局記録を保存できませんでした\r") + why + "\r" + folder();
    std::weak_ptr<GameKeeper*> self = self_;
    form_.platform().dispatcher.post([self, text] {
        if (const auto s = self.lock())
            (*s)->form_.platform().dialogs.messageBox(text, translate("Kept", "対局記録"),
                                                      Buttons::OK, Icon::Warning);
    });
}

} // namespace kelvore::kept
