#include "match/Ending.h"
#include "platform/Translate.h"

#include "Form1.h"
#include "computer/SearchingTurn.h"
#include "rules/TrialMove.h"

namespace kelvore::match {

int sideToMove(const Form1& f) {
    return f.Turn == f.ManTurn ? -1 : 1;
}

std::string sideName(const Form1& f, int side) {
    if (f.GameMode == f.GameModeCom) return side < 0 ? "あなた" : "ｺﾝﾋﾟｭｰﾀ";
    return side < 0 ? "先手" : "後手";
}

bool inPlay(const Form1& f) {
    return !f.Ended && f.Turn != Form1::NO_GAME && f.KifuMode == 0 && !hasLostAllRoyals(f, -1) &&
           !hasLostAllRoyals(f, 1);
}

void stopPlay(Form1& f) {
    f.platform().timer.setEnabled(false);
    if (f.思考中()) f.Searching->cancel();
    // The computer's turn ends here, also when its move came too late: "思考中" goes.
    if (f.GameMode == f.GameModeCom && f.Turn == f.ComTurn) f.消去_思考中();
    if (f.PickedUp != 0) {
        f.PickedUp = 0;
        f.描画_将棋盤桝();
    }
}

void endWithLoss(Form1& f, int loser, Ending how) {
    stopPlay(f);
    f.End = {how, -loser, f.KifuLength};
    const std::string loserName = translate("Game", sideName(f, loser).c_str());
    const std::string why = args(how == Ending::Resigned ? translate("Match", "%1が投了しました")
                                                         : translate("Match", "%1の時間切れです"),
                                 {loserName});
    f.終了(sideName(f, -loser), why);
}

} // namespace kelvore::match
