#include "match/Match.h"
#include "platform/Translate.h"

#include "Form1.h"
#include "engine/GameEnd.h"
#include "engine/Snapshot.h"
#include "match/Ending.h"

namespace kelvore::match {

namespace {

constexpr MenuItem kLevels[] = {MenuItem::LEVEL1, MenuItem::LEVEL2, MenuItem::LEVEL3,
                                MenuItem::LEVEL4, MenuItem::LEVEL5};

} // namespace

Match::Match(Form1& form, Outside outside)
    : form_(form), outside_(std::move(outside)), clocks_(form) {
    form_.addListener(*this);
    form_.addCommandGuard(this, [this](MenuItem item) { return guard(item); });
    form_.setOwnCommand(MenuItem::MATCH_SETTINGS, [this] { openSettings(); });
    form_.setOwnCommand(MenuItem::RESIGN, [this] { resign(); });
    form_.setOwnCommand(MenuItem::ADJOURN, [this] { adjourn(); });
    settings_.level = form_.ComLevel;
    settings_.skill = form_.ComSkill;
}

Match::~Match() {
    for (MenuItem item : {MenuItem::MATCH_SETTINGS, MenuItem::RESIGN, MenuItem::ADJOURN})
        form_.setOwnCommand(item, nullptr);
    form_.removeCommandGuard(this);
    form_.removeListener(*this);
}

void Match::restore(const MatchSettings& settings) {
    clocks_.loadSound();
    take(settings);
}

void Match::apply(const MatchSettings& settings) {
    take(settings);
    save();
}

void Match::take(const MatchSettings& settings) {
    Form1& f = form_;
    settings_ = settings;
    const bool strengthShown = f.ComLevel >= 4 && settings.skill != f.ComSkill;
    f.ComSkill = settings.skill;
    if (settings.level != f.ComLevel || strengthShown) f.LEVEL_Click(settings.level);
    settings_.level = f.ComLevel;
    f.AskPromotion = settings.askPromotion;
    clocks_.setTimeControl(settings.time);
}

void Match::save() {
    if (outside_.saveSettings) outside_.saveSettings(settings_);
}

bool Match::guard(MenuItem item) {
    for (int n = 1; n <= 5; ++n)
        if (item == kLevels[n - 1]) {
            form_.LEVEL_Click(n);
            settings_.level = form_.ComLevel;
            save();
            return true;
        }
    return false;
}

void Match::openSettings() {
    if (!outside_.editSettings) return;
    if (const std::optional<MatchSettings> chosen = outside_.editSettings(settings_))
        apply(*chosen);
}

bool Match::gameInPlay(std::string_view title) {
    Form1& f = form_;
    if (inPlay(f)) return true;
    f.音_禁止();
    f.platform().status.show(args(translate("Match", "%1：対局中ではありません"), {title}));
    return false;
}

void Match::resign() {
    Form1& f = form_;
    if (!gameInPlay(translate("Match", "投了"))) return;
    const int loser = f.GameMode == f.GameModeCom ? -1 : sideToMove(f);
    // On a position stepped back to, the moves after it are given up, as playing on would.
    if (f.KifuCursor < f.KifuLength) {
        f.KifuLength = f.KifuCursor;
        f.notifyHistoryChanged();
    }
    endWithLoss(f, loser, Ending::Resigned);
}

void Match::adjourn() {
    Form1& f = form_;
    if (!gameInPlay(translate("Match", "中断"))) return;
    stopPlay(f);
    if (f.KifuLength == 0) {
        // Nothing played, nothing to keep: the game is simply called off.
        f.初期設定();
        f.platform().status.show(translate("Match", "対局を中断しました"));
        return;
    }
    f.End = {Ending::Adjourned, 0, f.KifuLength};
    f.KifuMode = 1;
    f.notifyAdjourned();
    f.platform().status.show(translate("Match", "対局を中断しました（戻と進で手順を見られます）"));
}

void Match::movePlayed() {
    Form1& f = form_;
    // A move after an adjournment: the game goes on.
    f.End = {};
    // A person whose last royal piece is truly mated is told so, without a box, and may resign
    // rather than give the piece away. The game's own mate test misses a defence by the
    // elephant or the prince; the engine's sees every reply.
    const int toMove = f.Kifu.MovedPiece[f.KifuCursor] > 0 ? -1 : 1;
    if (f.GameMode == f.GameModeCom && toMove > 0) return;
    const engine::GameSnapshot s = engine::snapshotOf(f, toMove);
    engine::Position pos;
    pos.set(s.board, s.lowerHand, s.upperHand, toMove < 0 ? engine::LOWER : engine::UPPER);
    if (engine::isMated(pos)) f.platform().status.show(translate("Match", kMateNotice));
}

} // namespace kelvore::match
