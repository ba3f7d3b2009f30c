#include "analysis/AnalyseCommand.h"

#include "Form1.h"
#include "review/GameReview.h"

namespace kelvore::analysis {

AnalyseCommand::AnalyseCommand(Form1& form, const review::GameReview& shown, Start start)
    : form_(form), shown_(shown), start_(std::move(start)) {
    form_.setOwnCommand(MenuItem::ANALYSE, [this] { run(); });
}

AnalyseCommand::~AnalyseCommand() {
    form_.setOwnCommand(MenuItem::ANALYSE, nullptr);
}

void AnalyseCommand::run() {
    if (form_.思考中() || shown_.game().moves.empty()) {
        form_.音_禁止();
        return;
    }
    if (start_) start_(shown_.game());
    review::revealMoveList(form_);
}

} // namespace kelvore::analysis
