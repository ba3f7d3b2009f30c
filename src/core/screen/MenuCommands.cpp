// Routing of menu commands and keys, the version message, and the one way out of the program.
#include "Form1.h"
#include "computer/SearchingTurn.h"
#include "platform/Translate.h"
#include "screen/MenuTree.h"

namespace kelvore {

namespace {

// The command each menu item carries. Items that only open a submenu have none here.
struct Command {
    MenuItem item;
    void (*run)(Form1&);
};

constexpr Command kCommands[] = {
    {MenuItem::TAIKYOKU, [](Form1& f) { f.TAIKYOKU_Click(); }},
    {MenuItem::STOP, [](Form1& f) { f.STOP_Click(); }},
    {MenuItem::OPTION, [](Form1& f) { f.OPTION_Click(); }},
    {MenuItem::START, [](Form1& f) { f.START_Click(); }},
    {MenuItem::SENTE, [](Form1& f) { f.SENTE_Click(); }},
    {MenuItem::GOTE, [](Form1& f) { f.GOTE_Click(); }},
    {MenuItem::LEVEL1, [](Form1& f) { f.LEVEL_Click(1); }},
    {MenuItem::LEVEL2, [](Form1& f) { f.LEVEL_Click(2); }},
    {MenuItem::LEVEL3, [](Form1& f) { f.LEVEL_Click(3); }},
    {MenuItem::LEVEL4, [](Form1& f) { f.LEVEL_Click(4); }},
    {MenuItem::LEVEL5, [](Form1& f) { f.LEVEL_Click(5); }},
    {MenuItem::OWARI, [](Form1& f) { f.OWARI_Click(); }},
    {MenuItem::CANCEL, [](Form1& f) { f.CANCEL_Click(); }},
    {MenuItem::REVERSE, [](Form1& f) { f.REVERSE_Click(); }},
    {MenuItem::REPLAY, [](Form1& f) { f.REPLAY_Click(); }},
    {MenuItem::AFTER, [](Form1& f) { f.AFTER_Click(); }},
    {MenuItem::LBEL_UP, [](Form1& f) { f.LBEL_UP_Click(); }},
    {MenuItem::LEBEL_DOWN, [](Form1& f) { f.LEBEL_DOWN_Click(); }},
    {MenuItem::KIFU_READ, [](Form1& f) { f.KIFU_READ_Click(); }},
    {MenuItem::KIFU_WRITE, [](Form1& f) { f.KIFU_WRITE_Click(); }},
    {MenuItem::MIDORI, [](Form1& f) { f.背景_Click(f.BackgroundMidori); }},
    {MenuItem::TATAMI, [](Form1& f) { f.背景_Click(f.BackgroundTatami); }},
    {MenuItem::TAKE, [](Form1& f) { f.背景_Click(f.BackgroundTake); }},
    {MenuItem::UCHU, [](Form1& f) { f.背景_Click(f.BackgroundUchu); }},
    {MenuItem::RENGA, [](Form1& f) { f.背景_Click(f.BackgroundRenga); }},
    {MenuItem::SIDOU, [](Form1& f) { f.SIDOU_Click(); }},
    {MenuItem::KEIKA, [](Form1& f) { f.処理_経過時間(); }},
    {MenuItem::BGM, [](Form1& f) { f.処理_BGM(); }},
    {MenuItem::VER, [](Form1& f) { f.VER_Click(); }},
};

// The commands that change the position or the game: refused while the computer thinks.
constexpr MenuItem kRefusedWhileThinking[] = {
    MenuItem::START,  MenuItem::SENTE, MenuItem::GOTE,    MenuItem::CANCEL,     MenuItem::REVERSE,
    MenuItem::REPLAY, MenuItem::AFTER, MenuItem::LBEL_UP, MenuItem::LEBEL_DOWN, MenuItem::KIFU_READ,
};

} // namespace

bool Form1::commandAvailable(MenuItem item) {
    for (const Command& c : kCommands)
        if (c.item == item) return true;
    for (const MenuEntry& e : kMenuTree)
        if (e.item == item) return e.ours && !hasChildren(item);
    return false;
}

void Form1::setOwnCommand(MenuItem item, std::function<void()> run) {
    for (auto& [i, r] : ownCommands_)
        if (i == item) {
            r = std::move(run);
            return;
        }
    ownCommands_.emplace_back(item, std::move(run));
}

void Form1::addCommandGuard(const void* owner, std::function<bool(MenuItem)> guard) {
    commandGuards_.emplace_back(owner, std::move(guard));
}

void Form1::removeCommandGuard(const void* owner) {
    std::erase_if(commandGuards_, [owner](const auto& g) { return g.first == owner; });
}

void Form1::notifyHistoryChanged() {
    tell([](GameListener& l) { l.historyChanged(); });
}

void Form1::notifyAdjourned() {
    tell([](GameListener& l) { l.gameAdjourned(); });
}

void Form1::onMenu(MenuItem item) {
    if (Ended) return;
    if (思考中()) {
        for (MenuItem refused : kRefusedWhileThinking)
            if (item == refused) {
                音_禁止();
                return;
            }
    }
    // A guard may remove itself while it runs: ask copies.
    const auto guards = commandGuards_;
    for (const auto& [owner, guard] : guards)
        if (guard && guard(item)) return;
    for (const Command& c : kCommands)
        if (c.item == item) {
            c.run(*this);
            return;
        }
    // A room's command may replace its own entry while it runs: run a copy.
    for (const auto& [i, run] : ownCommands_)
        if (i == item && run) {
            const std::function<void()> now = run;
            now();
            return;
        }
}

void Form1::Form_KeyDown(Key key) {
    if (Ended) return;
    switch (key) {
    case Key::Escape: 処理_終了(); break;
    case Key::F1: 処理_BGM(); break;
    case Key::F2: 処理_経過時間(); break;
    default: break;
    }
}

// Opening the menus 対局, 局面 and ｵﾌﾟｼｮﾝ closes the game-record panel.
void Form1::TAIKYOKU_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void Form1::STOP_Click() {
    TAIKYOKU_Click();
}

void Form1::OPTION_Click() {
    TAIKYOKU_Click();
}

void Form1::VER_Click() {
    p_.sound.dsPlay(OtherSound);
    // The how-to, in the language chosen; %1 is the version.
    const std::string howTo = translate(
        "HowTo",
        "Kelvore 将棋  バージョン %1\r\r酔象と太子のある将棋です。\r"
        "象は真後ろ以外の七方向に一つ進み、成ると太子になります。\r"
        "\r【遊び方】\r"
        "・動かす駒をクリックして持ち上げ、行き先の桝をクリックして置きます。\r"
        "・成るときは、行き先を右ボタンでクリックします（左ボタンでは成りません）。"
        "「対局」→「対局設定…」で、成るかどうか尋ねるようにもできます。\r"
        "・持ち駒は、盤の横の駒をクリックしてから、打つ桝をクリックします。\r"
        "・「戻」で一手ずつ戻せます。戻した局面で盤をクリックすると、そこから対局を続けます。\r"
        "・「進」は戻した手を一手ずつ進めます。読み込んだ棋譜も「進」で進めます。\r"
        "・持ち時間（切れ負け、秒読み、加算）は「対局設定…」で決めます。負けを認めるときは"
        "「投了」、やめるときは「中断」です。\r"
        "・Esc キーと閉じるボタンは、何も聞かずにすぐ終了します。対局中の対局は中断として"
        "対局記録に残ります。\r"
        "・F1 で BGM を、F2 で経過時間の表示を入り切りします。\r"
        "・王手を放っておくと王を取られることがあります。王（と太子）をすべて取られた方の"
        "負けで、対局が終わります。");
    p_.dialogs.messageBox(args(howTo, {KELVORE_VERSION}), translate("HowTo", "Kelvore について"),
                          Buttons::OK);
}

void Form1::OWARI_Click() {
    処理_終了();
}

void Form1::Form_Unload() {
    if (!Ended) 処理_終了();
}

// Releases the four sound buffers and the device, then ends the program at once. Nothing is
// asked; the rooms beside the game have their last word first (a game in play is kept).
void Form1::処理_終了() {
    if (Ended) return;
    if (Searching) Searching->cancel();
    tell([](GameListener& l) { l.beforeShutdown(); });
    p_.sound.dsFree(OtherSound);
    p_.sound.dsFree(ForbiddenSound);
    p_.sound.dsFree(PieceSound);
    p_.sound.dsFree(MusicSound);
    サウンド_終了();
    Ended = true;
    p_.window.quit();
}

} // namespace kelvore
