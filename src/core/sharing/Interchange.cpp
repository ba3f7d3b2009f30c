#include "sharing/Interchange.h"
#include "platform/Translate.h"

#include "engine/Skill.h"
#include "kept/GameKeeper.h"
#include "kif/PositionCheck.h"
#include "match/TimeControl.h"
#include "notation/Sfen.h"
#include "notation/Usi.h"
#include "record/RecordJudge.h"
#include "rules/TrialMove.h"
#include "text/Files.h"
#include "text/Utf8.h"

#include <cstring>
#include <ctime>

namespace kelvore::sharing {

using namespace kif;
using namespace piece;

namespace {

constexpr const char* kExportTitle = KELVORE_TRANSLATE_NOOP("Sharing", "KIF書出");
constexpr const char* kImportTitle = KELVORE_TRANSLATE_NOOP("Sharing", "KIF読込");
constexpr const char* kPasteTitle = KELVORE_TRANSLATE_NOOP("Sharing", "SFEN貼付");
constexpr std::string_view kTimeControlKey = "持ち時間";

bool samePlacement(const engine::GameSnapshot& a, const engine::GameSnapshot& b) {
    return std::memcmp(a.board, b.board, sizeof a.board) == 0 &&
           std::memcmp(a.lowerHand, b.lowerHand, sizeof a.lowerHand) == 0 &&
           std::memcmp(a.upperHand, b.upperHand, sizeof a.upperHand) == 0;
}

bool onBoardNow(const Form1& f, const engine::GameSnapshot& p) {
    return std::memcmp(f.Board, p.board, sizeof p.board) == 0 &&
           std::memcmp(f.OwnHand, p.lowerHand, sizeof p.lowerHand) == 0 &&
           std::memcmp(f.EnemyHand, p.upperHand, sizeof p.upperHand) == 0;
}

std::string localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

// Whose move it is, and how a game against the computer starts from there.
std::string turnText(int side) {
    return side < 0
               ? translate("Sharing", "先手（下）の番です\r二人で指すときは盤をクリックして下さい。"
                                      "\rｺﾝﾋﾟｭｰﾀと指すときは「先手」で始めて下さい。")
               : translate("Sharing", "後手（上）の番です\r二人で指すときは盤をクリックして下さい。"
                                      "\rｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい。");
}

} // namespace

Interchange::Interchange(Form1& form, Outside outside) : f_(form), outside_(std::move(outside)) {
    f_.addListener(*this);
    f_.addCommandGuard(this, [this](MenuItem item) { return guard(item); });
    f_.setOwnCommand(MenuItem::KIF_EXPORT, [this] { exportCommand(); });
    f_.setOwnCommand(MenuItem::KIF_IMPORT, [this] { importCommand(); });
    f_.setOwnCommand(MenuItem::SFEN_COPY,
                     [this] { copy(positionSfen(), translate("Sharing", "局面をSFENで")); });
    f_.setOwnCommand(MenuItem::GAME_COPY,
                     [this] { copy(gameCommand(), translate("Sharing", "棋譜をUSIの形で")); });
    f_.setOwnCommand(MenuItem::SFEN_PASTE, [this] {
        if (mayChangePosition()) paste(outside_.clipboard ? outside_.clipboard() : "");
    });
}

Interchange::~Interchange() {
    for (MenuItem item : {MenuItem::KIF_EXPORT, MenuItem::KIF_IMPORT, MenuItem::SFEN_COPY,
                          MenuItem::GAME_COPY, MenuItem::SFEN_PASTE})
        f_.setOwnCommand(item, nullptr);
    f_.removeCommandGuard(this);
    f_.removeListener(*this);
}

std::string Interchange::now() const {
    return outside_.now ? outside_.now() : localNow();
}

bool Interchange::mayChangePosition() {
    if (!f_.思考中()) return true;
    f_.音_禁止();
    return false;
}

// ---------------------------------------------------------------- following the game

void Interchange::beforeReset() {
    if (auto game = historyGame()) left_ = std::move(game);
}

void Interchange::movePlayed() {
    // The time control of a game played here, as it stands (it holds from the first move).
    if (f_.KifuCursor != 1) return noteTimeControl();
    // The first move of a game: when it started, and who plays it.
    const auto game = recordOfHistory(f_);
    if (!game || game->moves.empty()) return;
    Notes n{game->start, {game->moves.front()}, {}};
    n.info.startedAt = now();
    if (f_.GameMode == f_.GameModeCom) {
        n.info.game.lowerPlayer = "あなた";
        n.info.game.upperPlayer =
            "ｺﾝﾋﾟｭｰﾀ（LEVEL" + std::to_string(f_.ComLevel) +
            (f_.ComLevel >= 4 ? "・" + engine::strengthName(f_.ComSkill) : "") + "）";
    }
    notes_ = std::move(n);
    noteTimeControl();
}

void Interchange::noteTimeControl() {
    if (!notes_ || f_.KifuMode == 1) return;
    auto& headers = notes_->info.otherHeaders;
    std::erase_if(headers, [](const auto& h) { return h.first == kTimeControlKey; });
    if (f_.TimeLimit.timed()) headers.emplace_back(kTimeControlKey, match::kifText(f_.TimeLimit));
}

void Interchange::historyChanged() {
    // A record just read with 読込: its name and players go with its moves.
    if (f_.KifuMode != 1) return;
    const auto game = recordOfHistory(f_);
    if (!game ||
        (notes_ && samePlacement(notes_->start, game->start) && notes_->moves == game->moves))
        return;
    notes_ = Notes{game->start, game->moves, {}};
    notes_->info.game.title = f_.RecordHeader[0];
    notes_->info.game.upperPlayer = f_.RecordHeader[1];
    notes_->info.game.lowerPlayer = f_.RecordHeader[2];
    // A kept game says in its title how it ended.
    notes_->info.game.end = kept::endOfTitle(f_.RecordHeader[0]);
    notes_->info.game.end.afterMoves = static_cast<int>(game->moves.size());
}

void Interchange::gameWon(std::string_view) {
    const auto game = recordOfHistory(f_);
    if (!game || f_.KifuCursor < 1) return;
    if (!notes_ || !samePlacement(notes_->start, game->start)) notes_ = Notes{game->start, {}, {}};
    notes_->moves.assign(game->moves.begin(), game->moves.begin() + f_.KifuCursor);
    // The side that made the last move has won, unless the other side's resignation or loss on
    // time says otherwise.
    notes_->info.winner = f_.End.how != Ending::None              ? f_.End.winner
                          : f_.Kifu.MovedPiece[f_.KifuCursor] > 0 ? 1
                                                                  : -1;
    noteTimeControl();
}

std::optional<KifGame> Interchange::historyGame() const {
    const auto game = recordOfHistory(f_);
    if (!game || positionsOf(*game).size() != game->moves.size() + 1) return std::nullopt;
    if (game->moves.empty() && isStandardStart(game->start)) return std::nullopt;
    KifGame k;
    if (notes_ && samePlacement(notes_->start, game->start) &&
        (notes_->moves.empty() || game->moves.empty() ||
         notes_->moves.front() == game->moves.front())) {
        k = notes_->info;
        if (k.winner != 0 && notes_->moves != game->moves) k.winner = 0;
    }
    const std::string title = k.game.title, upper = k.game.upperPlayer, lower = k.game.lowerPlayer;
    const GameEnd noted = k.game.end;
    k.game = *game;
    if (k.game.end.how == Ending::None && noted.afterMoves == static_cast<int>(game->moves.size()))
        k.game.end = noted;
    k.game.title = title;
    k.game.upperPlayer = upper;
    k.game.lowerPlayer = lower;
    return k;
}

std::optional<KifGame> Interchange::gameToExport() const {
    // No game on the board: the one just left, rather than a history that no longer fits it.
    if (f_.Turn == Form1::NO_GAME && f_.KifuMode == 0 && left_) return left_;
    if (auto game = historyGame()) return game;
    return left_;
}

// ---------------------------------------------------------------- KIF out and in

std::string Interchange::suggestedName(Encoding encoding) const {
    const auto game = gameToExport();
    std::string title =
        game && !game->game.title.empty() ? game->game.title : translate("Sharing", "対局");
    for (char& c : title)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
    std::string digits;
    for (char c : game && !game->startedAt.empty() ? game->startedAt : now())
        if (c >= '0' && c <= '9') digits += c;
    if (digits.size() >= 14) digits = digits.substr(0, 8) + "_" + digits.substr(8, 6);
    return title + "_" + digits + (encoding == Encoding::Utf8 ? ".kifu" : ".kif");
}

void Interchange::exportCommand() {
    if (!mayChangePosition()) return;
    if (!gameToExport()) {
        f_.platform().dialogs.messageBox(translate("Sharing", "書き出す対局がありません"),
                                         translate("Sharing", kExportTitle), Buttons::OK);
        return;
    }
    std::string folder = f_.platform().panel.folder();
    if (folder.empty()) folder = f_.WorkFolder;
    if (!outside_.chooseFile) return;
    const std::string path = outside_.chooseFile(true, folder, suggestedName(Encoding::ShiftJis));
    if (!path.empty()) exportTo(path);
}

bool Interchange::exportTo(std::string path) {
    Dialogs& dialogs = f_.platform().dialogs;
    if (!encodingOfPath(path)) path += ".kif";
    const Encoding encoding = *encodingOfPath(path);
    auto game = gameToExport();
    if (!game) {
        dialogs.messageBox(translate("Sharing", "書き出す対局がありません"),
                           translate("Sharing", kExportTitle), Buttons::OK);
        return false;
    }
    if (outside_.annotate) outside_.annotate(*game);
    const auto bytes = encodeKif(writeKif(*game, encoding), encoding);
    if (!bytes) {
        dialogs.messageBox(
            translate("Sharing",
                      "Shift-JISで書けない文字があります\r.kifu（UTF-8）で書き出して下さい"),
            translate("Sharing", kExportTitle), Buttons::OK, Icon::Warning);
        return false;
    }
    if (const int error = text::writeFileAtomically(path, *bytes); error != 0) {
        dialogs.messageBox(translate("Sharing", "KIFを書き出せませんでした\r") +
                               recordWriteError(error) + "\r" + text::printable(path),
                           translate("Sharing", kExportTitle), Buttons::OK, Icon::Warning);
        return false;
    }
    // Done as asked: said in the status line, with no box to close.
    f_.platform().status.show(translate("Sharing", "KIFを書き出しました：") +
                              text::printable(path));
    return true;
}

void Interchange::importCommand() {
    if (!mayChangePosition() || !outside_.chooseFile) return;
    std::string folder = f_.platform().panel.folder();
    if (folder.empty()) folder = f_.WorkFolder;
    const std::string path = outside_.chooseFile(false, folder, "");
    if (!path.empty()) importFrom(path);
}

bool Interchange::importFrom(const std::string& path) {
    if (!mayChangePosition()) return false;
    Dialogs& dialogs = f_.platform().dialogs;
    const std::optional<Encoding> encoding = encodingOfPath(path);
    if (!encoding) {
        dialogs.messageBox(translate("Sharing", "KIFファイル（.kif か .kifu）を選んで下さい"),
                           translate("Sharing", kImportTitle), Buttons::OK);
        return false;
    }
    const text::ReadResult file = text::readFile(path, kKifFileLimit);
    if (file.status == text::ReadStatus::TooLarge) {
        dialogs.messageBox(translate("Sharing", "KIFファイルが大きすぎます"),
                           translate("Sharing", kImportTitle), Buttons::OK);
        return false;
    }
    if (!file.ok()) {
        dialogs.messageBox(translate("Sharing", "KIFファイルを開けません\r") +
                               text::printable(path),
                           translate("Sharing", kImportTitle), Buttons::OK);
        return false;
    }
    const KifRead read = readKif(file.bytes, *encoding);
    if (!read.game) {
        f_.音_禁止();
        std::string why = translate("Sharing", "KIFファイルを読み込めません\r") + read.message();
        if (!read.lineText.empty()) why += "\r「" + read.lineText + "」";
        dialogs.messageBox(why, translate("Sharing", kImportTitle), Buttons::OK, Icon::Warning);
        return false;
    }
    const KifGame& kif = *read.game;
    const GameRecord& game = kif.game;
    if (game.moves.empty()) {
        // A position to play from.
        setUp(game, true);
        moveNumberBase_ = 0;
        notes_ = Notes{game.start, {}, kif};
        dialogs.messageBox(translate("Sharing", "KIFの局面を読み込みました\r") +
                               turnText(game.start.sideToMove),
                           translate("Sharing", kImportTitle), Buttons::OK);
        return true;
    }
    setUp(game, false);
    moveNumberBase_ = 0;
    notes_ = Notes{game.start, game.moves, kif};
    // The names over and under the board, as a record read with 読込 shows them.
    f_.FontSize = 12;
    Canvas& canvas = f_.platform().canvas;
    canvas.drawText(game.title, Form1::取得_棋譜のX座標(game.title) - 3000, 6350, f_.ColorLightRed,
                    12, f_.FontBold);
    canvas.drawText(game.upperPlayer, Form1::取得_棋譜のX座標(game.upperPlayer), 100, f_.ColorWhite,
                    12, f_.FontBold);
    canvas.drawText(game.lowerPlayer, Form1::取得_棋譜のX座標(game.lowerPlayer), 6350,
                    f_.ColorWhite, 12, f_.FontBold);
    if (outside_.imported) outside_.imported(kif);
    dialogs.messageBox(
        args(translate("Sharing", "KIFを読み込みました（%1手）\r棋譜を '進 'で進めて下さい"),
             {std::to_string(game.moves.size())}),
        translate("Sharing", kImportTitle), Buttons::OK);
    return true;
}

void Interchange::setUp(const GameRecord& game, bool play) {
    Form1& f = f_;
    f.描画_可視(false, false, false);
    f.描画_棋譜_IO(1);
    f.初期設定();
    std::memcpy(f.Board, game.start.board, sizeof f.Board);
    std::memcpy(f.OwnHand, game.start.lowerHand, sizeof f.OwnHand);
    std::memcpy(f.EnemyHand, game.start.upperHand, sizeof f.EnemyHand);
    f.OwnHandCount = f.EnemyHandCount = 0;
    for (int slot = 1; slot <= 7; ++slot) {
        f.OwnHandCount += f.OwnHand[slot];
        f.EnemyHandCount += f.EnemyHand[slot];
    }
    f.KifuCursor = f.KifuLength = f.MoveNumber = 0;
    for (const RecordMove& m : game.moves) {
        f.手順保存(m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece, m.PlacedPiece, m.ManTimeBefore,
                   m.ManTimeAfter, m.ComTimeBefore, m.ComTimeAfter);
        f.Kifu.CapturedPiece[f.KifuCursor] = m.CapturedPiece;
        if (play) {
            makeMove(f, moveOf(m));
            f.MoveNumber += 1;
        }
    }
    if (!play) {
        // A record to step through with 進, as 読込 leaves one.
        f.KifuCursor = 0;
        f.KifuMode = 1;
        const bool upperFirst = game.moves.front().MovedPiece > 0;
        f.GameMode = upperFirst ? f.GameModeCom : f.GameModeMan;
        f.ComTurn = upperFirst ? Form1::SENTE : Form1::GOTE;
        f.ManTurn = -f.ComTurn;
        f.Turn = Form1::SENTE;
    } else {
        // A game between two people from the position: the side that moves first holds 先手.
        f.ManTurn = game.start.sideToMove < 0 ? Form1::SENTE : Form1::GOTE;
        f.ComTurn = -f.ManTurn;
        const int side = game.moves.empty() ? game.start.sideToMove
                                            : (game.moves.back().MovedPiece > 0 ? -1 : 1);
        f.Turn = side < 0 ? f.ManTurn : f.ComTurn;
        f.GameMode = f.GameModeMan;
        f.KifuMode = 0;
        f.MoveStartTime = f.platform().clock.secondsSinceMidnight();
        f.時計_開始();
    }
    f.PickedUp = 0;
    f.ResumePending = 0;
    f.ManKingPos.X = f.ManPrincePos.X = f.ComKingPos.X = f.ComPrincePos.X = 0;
    f.勢力調査();
    f.調査_2歩フラグ設定();
    f.画面_再描画();
    f.描画_手数(f.MoveNumber);
    placed_ = game.start;
    f.notifyHistoryChanged();
}

// ---------------------------------------------------------------- SFEN

const engine::GameSnapshot* Interchange::placedOnBoard() const {
    if (!placed_ || f_.MoveNumber != 0 || f_.KifuCursor != 0 || f_.Reversed == 1) return nullptr;
    return onBoardNow(f_, *placed_) ? &*placed_ : nullptr;
}

std::string Interchange::positionSfen() const {
    const int side = f_.Turn == Form1::NO_GAME || f_.Turn == f_.ManTurn ? -1 : 1;
    int base = 0;
    if (const auto game = recordOfHistory(f_);
        game && placed_ && samePlacement(game->start, *placed_))
        base = moveNumberBase_;
    return notation::formatSfen(f_, side, base + f_.MoveNumber + 1);
}

std::string Interchange::gameCommand() const {
    const auto game = recordOfHistory(f_);
    if (!game) return "position sfen " + positionSfen();
    engine::GameSnapshot start = game->start;
    int base = 0;
    if (placed_ && samePlacement(start, *placed_)) base = moveNumberBase_;
    if (f_.KifuCursor == 0) start.sideToMove = f_.Turn == 0 || f_.Turn == f_.ManTurn ? -1 : 1;
    std::string s = "position sfen " + notation::formatSfen(start, base + 1);
    for (int i = 0; i < f_.KifuCursor && i < static_cast<int>(game->moves.size()); ++i)
        s += (i == 0 ? " moves " : " ") + notation::formatUsiMove(moveOf(game->moves[i]));
    return s;
}

// Said in the status line: a copy needs no answer.
void Interchange::copy(const std::string& text, std::string_view what) {
    if (outside_.setClipboard) outside_.setClipboard(text);
    f_.platform().status.show(args(translate("Sharing", "%1クリップボードにコピーしました：%2"),
                                   {what, text::printable(text, 80)}));
}

bool Interchange::paste(std::string_view text) {
    if (!mayChangePosition()) return false;
    Dialogs& dialogs = f_.platform().dialogs;
    auto refuse = [&](const std::string& why) {
        f_.音_禁止();
        dialogs.messageBox(why, translate("Sharing", kPasteTitle), Buttons::OK);
        return false;
    };
    const std::vector<std::string> w = notation::words(text);
    if (w.empty()) return refuse(translate("Sharing", "クリップボードに局面（SFEN）がありません"));
    const notation::PositionText position = notation::readPosition(w);
    if (position.fault == notation::PositionText::Fault::NoStart)
        return refuse(translate(
            "Sharing", "局面を読めません\r（position の後には sfen か startpos が要ります）"));
    if (position.fault == notation::PositionText::Fault::NotMoves)
        return refuse(
            translate("Sharing", "局面を読めません\r（startpos の後には moves しか書けません）"));
    std::string error;
    const auto parsed = notation::parseSfen(position.sfen, error,
                                            translated() ? notation::Language::English
                                                         : notation::Language::Japanese);
    if (!parsed) return refuse(args(translate("Sharing", "SFENとして読めません\r（%1）"), {error}));
    GameRecord game;
    game.start = notation::snapshotOf(*parsed);
    if (const std::string why = positionError(game.start); !why.empty())
        return refuse(args(translate("Sharing", "この局面では対局できません\r（%1）"), {why}));

    RecordJudge judge(game.start);
    int side = game.start.sideToMove;
    for (const std::string& written : position.moves) {
        const std::string number =
            args(translate("Sharing", "%1手目の「%2」"),
                 {std::to_string(game.moves.size() + 1), text::printable(written, 20)});
        const auto usi = notation::parseUsiMove(written);
        if (!usi) return refuse(args(translate("Sharing", "%1は指し手として読めません"), {number}));
        const Form1& board = judge.form();
        const auto move = notation::moveOn(*usi, board.Board, side);
        if (!move)
            return refuse(
                args(translate("Sharing", "%1は指せません\r（動かす駒がありません）"), {number}));
        const RecordMove played = recordMoveOf(*move, board.Board[move->toX][move->toY]);
        if (const std::string why = judge.play(played); !why.empty())
            return refuse(args(translate("Sharing", "%1は指せません\r（%2）"), {number, why}));
        game.moves.push_back(played);
        side = -side;
    }
    setUp(game, true);
    moveNumberBase_ = parsed->moveNumber - 1;
    notes_ = Notes{game.start, game.moves, {}};
    dialogs.messageBox(translate("Sharing", "局面を貼り付けました\r") + turnText(side),
                       translate("Sharing", kPasteTitle), Buttons::OK);
    return true;
}

// ---------------------------------------------------------------- the game's commands

bool Interchange::guard(MenuItem item) {
    Dialogs& dialogs = f_.platform().dialogs;
    auto refuse = [&](std::string_view why, std::string_view title) {
        f_.音_禁止();
        dialogs.messageBox(why, title, Buttons::OK);
        return true;
    };
    if (item == MenuItem::KIFU_WRITE) {
        // The game's own refusals come first.
        if (f_.Reversed == 1 || f_.HandicapSet == 1) return false;
        const auto game = recordOfHistory(f_);
        if (game && !isStandardStart(game->start))
            return refuse(translate("Sharing", "この局面から始めた対局は書き込みできません\r"
                                               "（「KIF書出…」で書き出せます）"),
                          translate("Sharing", "棋譜書込"));
        return false;
    }
    const engine::GameSnapshot* placed = placedOnBoard();
    if (placed == nullptr) return false;
    const int side = placed->sideToMove;
    switch (item) {
    case MenuItem::START:
        if (side < 0) return false;
        // スタート gives the first move to the lower side; here the upper side has it.
        f_.START_Click();
        f_.ManTurn = Form1::GOTE;
        f_.ComTurn = Form1::SENTE;
        f_.Turn = Form1::SENTE;
        return true;
    case MenuItem::SENTE:
        if (side < 0) return false;
        return refuse(
            translate("Sharing",
                      "この局面は後手（上）の番です\rｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい"),
            translate("Sharing", "対局"));
    case MenuItem::GOTE:
        if (side > 0) return false;
        return refuse(
            translate("Sharing",
                      "この局面は先手（下）の番です\rｺﾝﾋﾟｭｰﾀと指すときは「先手」で始めて下さい"),
            translate("Sharing", "対局"));
    case MenuItem::LBEL_UP:
    case MenuItem::LEBEL_DOWN:
        // In record mode the game refuses by itself.
        if (f_.KifuMode == 1 || isStandardStart(*placed)) return false;
        return refuse(translate("Sharing", "この局面にはﾊﾝﾃﾞｷｬｯﾌﾟを付けられません"),
                      translate("Sharing", "ﾊﾝﾃﾞｷｬｯﾌﾟ"));
    default: return false;
    }
}

} // namespace kelvore::sharing
