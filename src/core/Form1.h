// Form1: the main window of the game and the one owner of every piece of state for the whole
// run. The procedures of every subsystem are its member functions, defined in the folder of
// their subsystem (rules/, influence/, screen/, record/, settings/), and read and write these
// members in place. Nothing here knows Qt: the outside world is reached through Platform.
#pragma once

#include "GameListener.h"
#include "match/TimeControl.h"
#include "platform/Platform.h"
#include "record/GameEnd.h"
#include "rules/Pieces.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvore {

class SearchingTurn;
struct RecordMove;
namespace match {
class MatchClocks;
}

// A square of the board or of the screen grid; x = 0 means "absent" for the royal positions.
struct Pos {
    int X = 0;
    int Y = 0;
};

// A square of the handicap table and the piece that stands there at the start.
struct HandicapSquareRef {
    int x, y, code;
};

// A 10 x 10 map indexed (x, y); row 0 and column 0 are never used.
using Map = int[10][10];

class Form1 {
public:
    explicit Form1(Platform& platform);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ------------------------------------------------------------ compile-time constants
    // The piece codes, turn values, truth values and the empty square never change; they are
    // named constants so that the hot paths compare against them directly.
    static constexpr int ON = 1, OFF = 0;
    static constexpr int KARA = piece::EMPTY;
    static constexpr int SENTE = 1, GOTE = -1, NO_GAME = 0;

    // ------------------------------------------------------------ position and turn
    Map Board{};
    int OwnHand[8]{};   // the lower side's hand, slots 1..7
    int EnemyHand[8]{}; // the upper side's hand, slots 1..7
    int OwnHandCount = 0;
    int EnemyHandCount = 0;
    int Turn = 0;     // 1, -1, or 0 when no game is running
    int ManTurn = -1; // the lower side's turn value
    int ComTurn = 1;  // the upper side's turn value
    Pos ManKingPos, ManPrincePos, ComKingPos, ComPrincePos;
    int ManPawnFile[10]{}; // 1 where the file holds a lower unpromoted pawn
    int ComPawnFile[10]{}; // 1 where the file holds an upper unpromoted pawn
    int MoveNumber = 0;
    int GameMode = 0; // GameModeCom or GameModeMan
    int KifuMode = 0; // 1 while a game record is being viewed
    int PromotedCode = 0;

    // ------------------------------------------------------------ influence maps
    Map NegAttackCount{}, NegGuardValue{}, NegThreatValue{}, NegThreatX{}, NegThreatY{},
        NegCheckLine{};
    Map PosAttackCount{}, PosGuardValue{}, PosGuardX{}, PosGuardY{}, PosThreatValue{}, PosThreatX{},
        PosThreatY{}, PosCheckLine{};
    Map NegImmovable{};
    int PosImmovableFlag = 0;

    // ------------------------------------------------------------ computer's turn
    // Scores are kept in whole tenths, so that equal sums of terms really tie.
    using Score = int;
    Map BoardBackup{};
    Map ManKingEscapeMarks{}, ManPrinceEscapeMarks{};
    int ManKingEscapesBefore = 0, ManPrinceEscapesBefore = 0;
    Map NegAttackCountBefore{}, PosAttackCountBefore{}, PosThreatXBefore{}, PosThreatYBefore{};
    Map BishopCheckSquares{};
    int KingDistanceBefore = 0;
    int MovingPiece = 0;
    Score BestScore = 0;
    int BestFromX = 0, BestFromY = 0, BestToX = 0, BestToY = 0, BestPlaced = 0, BestMoved = 0;
    bool BestFound = false;
    // Called once per candidate scored, in the order of the search (for the engine front).
    void (*OnCandidate)(void* context, int fromX, int fromY, int toX, int toY, int moved,
                        int placed, Score score) = nullptr;
    void* OnCandidateContext = nullptr;
    bool SearchOnly = false; // search and report the best move, but do not play it
    bool SkipWait = false;   // leave out the pause before the search
    // LEVEL4 and LEVEL5 think on a worker thread (computer/SearchingTurn); made at their first
    // turn. While they think, nothing may change the position.
    std::unique_ptr<SearchingTurn> Searching;
    bool 思考中() const;

    // ------------------------------------------------------------ human input
    int PickedUp = 0;
    int ResumePending = 0;
    int MoveGuidance = 0;
    // The held move: from-square (a hand cell for a hand piece), target and moving code.
    int HeldFromX = 0, HeldFromY = 0, HeldToX = 0, HeldToY = 0, HeldPiece = 0;
    // The screen cell of the held piece, whose outline is erased when another is held.
    int HeldCellX = 0, HeldCellY = 0;

    // ------------------------------------------------------------ history
    // One entry per move, indexed 1..KifuLength (index 0 unused). The record layout was drawn
    // for 500 moves; the history grows past that, so no move of a long game is lost.
    struct MoveRecord {
        std::vector<int> FromX, FromY, ToX, ToY, MovedPiece, PlacedPiece, CapturedPiece;
        std::vector<double> ManTimeBefore, ManTimeAfter, ComTimeBefore, ComTimeAfter;
    } Kifu;
    static constexpr int kHistoryLayoutSize = 500;
    int KifuCursor = 0; // entries applied to the board
    int KifuLength = 0; // entries recorded

    // ------------------------------------------------------------ replay
    int Reversed = 0;

    // ------------------------------------------------------------ clocks
    double ComTime = 0, ManTime = 0;
    double MoveStartTime = 0;
    double MoveSeconds = 0;
    long long LastShownSecond = 0;

    // ------------------------------------------------------------ match (ours)
    // The time control of the game: with none the clocks count up as designed, and the room
    // that counts them down (match/MatchClocks.h, made by the window) is not asked anything.
    match::TimeControl TimeLimit;
    match::MatchClocks* Countdown = nullptr;
    bool 持ち時間制() const { return Countdown != nullptr && TimeLimit.timed(); }
    // How the game in the history ended beyond its moves (resigned, lost on time, adjourned);
    // none again with every reset and every move.
    GameEnd End;
    // A left click on a move that may promote but need not asks whether to; off, the mouse
    // button decides, as the game was designed.
    bool AskPromotion = false;

    // ------------------------------------------------------------ level and handicap
    int ComLevel = 3;
    // The strength of LEVEL4 and LEVEL5 (ours): SkillLevel 0 to 20 (engine/Skill.h), 20 full.
    int ComSkill = 20;
    int HandicapLevel = 0;
    int HandicapSet = 0;

    // ------------------------------------------------------------ options
    int CurrentBackground = 0;

    // ------------------------------------------------------------ sound
    int SoundDevice = 0; // the sound library's device handle; 0 when there is no device
    int OtherSound = 0, ForbiddenSound = 0, PieceSound = 0, MusicSound = 0; // buffer handles

    // ------------------------------------------------------------ screen constants
    // Set by the start-up sequence.
    int BoardLeft = 0, BoardTop = 0, SquareWidth = 0, SquareHeight = 0, BoardSize = 0;
    int ColorWhite = 0, ColorGreen = 0, ColorLightRed = 0, ColorBlack = 0, ColorYellow = 0;
    int OutlineColor = 0, BoardLineColor = 0, HighlightColor = 0, ResultColor = 0;
    int EmptyPicture = 0, TitlePicture = 0, BackgroundMidori = 0, BackgroundTatami = 0,
        BackgroundTake = 0, BackgroundUchu = 0, BackgroundRenga = 0;
    int MouseLeft = 0, MouseRight = 0;
    int GameModeCom = 0, GameModeMan = 0;
    // The window's text state, as the print primitives leave it.
    int FontSize = 9;
    bool FontBold = false;

    // ------------------------------------------------------------ start-up and new game
    void Form_Load();
    void 初期設定();
    void 消去_棋譜読込み部分();
    void START_Click();
    void SENTE_Click();
    void GOTE_Click();

    // ------------------------------------------------------------ move legality
    int 移動チェック(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 駒) const;
    int 移動チェック飛車(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) const;
    int 移動チェック角(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) const;
    void 調査_2歩フラグ設定();

    // ------------------------------------------------------------ move execution
    int 移動後チェック(int 移動先Y, int 駒) const;
    int 調査_駒成(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 駒);
    void 駒移動(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 駒);
    void 駒取得(int 駒);

    // ------------------------------------------------------------ check and mate
    int 詰めかMAN();
    int 詰めかMAN_王();
    int 詰めかMAN_子();
    int 詰めかMAN_COM王移動() const;
    int 詰めかMAN_COM子移動() const;
    int 詰めかCOM();
    int 詰めかCOM_王();
    int 詰めかCOM_子();
    void 終了(std::string_view 勝者);
    // The same with a line above the winner that says how the game was won (a resignation, a
    // loss on time).
    void 終了(std::string_view 勝者, std::string_view 理由);

    // ------------------------------------------------------------ influence
    void 勢力調査();
    void 勢力確定上直進(int 駒, int x, int y);
    void 勢力確定下直進(int 駒, int x, int y);
    void 勢力確定右直進(int 駒, int x, int y);
    void 勢力確定左直進(int 駒, int x, int y);
    void 勢力確定自角(int x, int y);
    void 勢力確定敵角(int 駒, int x, int y);
    void 勢力確定自金(int 駒, int x, int y);
    void 勢力確定敵金(int x, int y);
    void 調査_移動不可駒();

    // ------------------------------------------------------------ computer player
    void com_ban();
    void 処理_COM思考開始();
    void 描画_思考中();
    void 消去_思考中();
    void 処理_COM着手(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒, int 置駒);
    void 処理_COM投了();
    void 待ち時間(double IN_思考時間);
    void 人間勝利判定_COM(int 取得駒);
    Score 盤評価(int 取得駒, int 移動駒, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y);
    Score 盤評価_戦略(Score S, int 取得駒, int 移動駒, int 移動元X, int 移動元Y, int 移動先X,
                      int 移動先Y);
    Score 盤評価_COM危険座標(int 移動駒, int 移動先X, int 移動先Y);
    int 盤評価_自角注意_COM(int 移動先X, int 移動先Y, int 移動駒);
    int 調査_移動可場所数(int x, int y, int 駒);
    int 調査_桂狙い(int x, int y);
    int 調査_香狙い(int x, int y);
    int 調査_自守駒MAN_直進駒(int x, int y);
    void 調査_持角狙座標();
    int 調査_周辺状況(int x, int y);
    int 調査_自王逃道();
    int 調査_自子逃道();

    // ------------------------------------------------------------ game records
    void KIFU_READ_Click();
    void KIFU_WRITE_Click();
    void Command1_Click();
    void File1_Click(const std::string& path);
    // The header of the record read with 読込 (game name, upper player, lower player), for the
    // rooms beside the game; emptied by every reset, so it names the history only after 読込.
    std::string RecordHeader[3];
    void Dir1_Change();
    void Drive1_Change(const std::string& drive);
    static double 取得_棋譜のX座標(std::string_view 文字);
    // The record of the applied moves as text (UTF-8, CR LF), header lines first.
    std::string 棋譜_本文(std::string_view 対局名, std::string_view 上手,
                          std::string_view 下手) const;
    // Writes it as Shift-JIS through a temporary file; empty on success, else why not.
    std::string 書込_棋譜ファイル(const std::string& path, std::string_view 対局名,
                                  std::string_view 上手, std::string_view 下手) const;
    // Takes a game into record mode as choosing a record file does, without its header and
    // messages: the position reset, the moves waiting to be stepped with 進.
    void 棋譜モード_開始(const std::vector<RecordMove>& 手順);

    // ------------------------------------------------------------ replay and reversal
    void AFTER_Click();
    void REPLAY_Click();
    void CANCEL_Click();
    void REVERSE_Click();
    // Turns the position by half a turn with the sides exchanged: board, hand slots and their
    // totals. Nothing is drawn.
    void 処理_盤反転();
    // A hand's slots with its total, for the stepping commands.
    struct HandOf {
        int* slots;
        int* total;
    };
    HandOf handOf(bool upper);

    // ------------------------------------------------------------ human input
    void Form_MouseDown(int Button, int Shift, double X, double Y);
    void 描画_移動可能桝色(int 移動元X, int 移動元Y, int 色, int 駒);

    // ------------------------------------------------------------ history
    void 手順保存(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒, int 置駒,
                  double MAN前, double MAN後, double COM前, double COM後);

    // ------------------------------------------------------------ board rendering
    void 描画_絵(int 絵, double gx, double gy);
    void 描画_桝輪郭(int 色, double gx, double gy);
    void 描画_盤();
    void 描画_将棋盤桝();
    void 描画_自持盤();
    void 描画_敵持盤();
    void 描画_桝_数値();
    void 描画_背景(int 絵);
    void 画面_再描画();

    // ------------------------------------------------------------ text
    void 描画_数値(double gx, double gy, long long 値, int 色, int モード, int 大きさ);
    void 描画_文字列(double gx, double gy, int コード, int 色, int 大きさ);
    void 描画_移動駒種類(double gx, double gy, std::string_view 文字, int 色);
    static std::string 文字列変換(int コード);
    void 描画_移動結果(int 手番, int x, int y, int 駒, int 色);
    void 消去_移動結果(int 手番);
    void 描画_手数(int 手数);
    static std::string 変換_数字から文字(long long 値);
    void 描画_可視(bool ドライブ, bool フォルダ, bool ファイル);
    void 描画_メッセージ(int 番号);
    void 描画_棋譜_IO(int モード);

    // ------------------------------------------------------------ clocks, level, handicap
    void Timer1_Timer();
    // The clock of the side to move starts: the timer runs while the clocks are shown, and
    // always while they count down.
    void 時計_開始();
    // With a time control, the time of the turn starts once its announcement ("MANの番です",
    // "先手の番です") has been closed, so that a box never eats a byoyomi.
    void 持ち時間_手番開始();
    void 処理_経過時間();
    void 描画_所有時間(int 手番, double 秒);
    void 消去_所有時間(int 手番);
    static std::string 調査_時間秒追加結果(double 秒);
    static double 調査_経過秒(double 開始, double 現在);
    void レベル_設定(int n);
    void LEVEL_Click(int n);
    void 描画_レベル(int レベル);
    void 描画_ハンデレベル(int レベル);

    // ------------------------------------------------------------ sound
    std::string SoundFolder; // where the four wave files are found
    void サウンド_初期化(std::intptr_t 窓);
    void サウンド_終了();
    int サウンド_読込(const std::string& ファイル名, int フラグ);
    void 警告(std::string_view 文字);
    void 処理_BGM();

    // ------------------------------------------------------------ handicap
    void LBEL_UP_Click();
    void LEBEL_DOWN_Click();
    void handicapSquare(const HandicapSquareRef& square, bool empty);

    // ------------------------------------------------------------ options
    void 背景_Click(int 絵);
    void SIDOU_Click();
    // Where the settings file and the default record folder live; empty for a game without
    // files (the engine front), which runs on the default options.
    std::string WorkFolder;
    void 読込_環境設定ファイル();
    void 書込_環境設定ファイル();
    void チェック設定(int 絵);
    void 設定_既定値();

    // ------------------------------------------------------------ menu and shutdown
    enum class Key { Escape, F1, F2, Other };
    // A menu item chosen (or, for an item with a submenu, opened).
    void onMenu(MenuItem item);
    // True when the item carries a command that this program carries out: the game's own, and
    // every item of our own (whose room sets what it does with setOwnCommand).
    static bool commandAvailable(MenuItem item);
    // What an item of our own does when chosen; set by the room beside the game that owns it.
    void setOwnCommand(MenuItem item, std::function<void()> run);
    // A room may take a command of the game before the game carries it out: to refuse it with
    // its own message where the position is one the room set up, or to carry it out in its
    // own way. The guard answers true when it took the command. Guards are asked in the order
    // they were added, after the refusals while the computer thinks; `owner` removes its own.
    void addCommandGuard(const void* owner, std::function<bool(MenuItem)> guard);
    void removeCommandGuard(const void* owner);
    void Form_KeyDown(Key key);
    void TAIKYOKU_Click();
    void STOP_Click();
    void OPTION_Click();
    void VER_Click();
    void OWARI_Click();
    void Form_Unload();
    void 処理_終了();
    bool Ended = false; // set once the program has been told to end

    Platform& platform() { return p_; }

    // ------------------------------------------------------------ listeners
    // The rooms beside the game (GameListener.h). A listener removes itself before it goes.
    void addListener(GameListener& listener);
    void removeListener(GameListener& listener);

    // The forbidden sound and the piece sound.
    void 音_禁止();
    void 音_駒();
    // Tells the listeners that a room beside the game has set up the position or the history
    // (a game read from another kind of file, a position pasted).
    void notifyHistoryChanged();
    // Tells the listeners that the game in play has been adjourned (Form1::End says so).
    void notifyAdjourned();

private:
    // Tells every listener, in the order they were added.
    template <class Call> void tell(Call call) {
        const std::vector<GameListener*> now = listeners_;
        for (GameListener* l : now) call(*l);
    }
    std::vector<GameListener*> listeners_;
    std::vector<std::pair<MenuItem, std::function<void()>>> ownCommands_;
    std::vector<std::pair<const void*, std::function<bool(MenuItem)>>> commandGuards_;

    // Prints text with its top-left corner at (x, y) in window units, in the current font.
    void 印字(std::string_view text, double x, double y, int colour);
    // Grid position to window units.
    double gridX(double gx) const { return BoardLeft + gx * SquareWidth; }
    double gridY(double gy) const { return BoardTop + gy * SquareHeight; }

    Platform& p_;
};

} // namespace kelvore
