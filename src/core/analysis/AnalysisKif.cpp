#include "analysis/AnalysisKif.h"

#include "analysis/Explanation.h"

#include <charconv>
#include <cstdlib>

namespace kelvore::analysis {

namespace {

constexpr std::string_view kEvaluation = "#評価値=";
constexpr std::string_view kLine = "#読み筋=";
constexpr std::string_view kCandidate = "#候補手=";
// A written evaluation this far out is a mate: kMateUnits less the plies.
constexpr int kMateFrom = kMateUnits - 1000;

// The score of position `index` from the lower side's view (▲ in KIF).
int lowerView(const GameAnalysis& a, std::size_t index) {
    const int u = units(a.verdict(index).score);
    return a.positions()[index].sideToMove < 0 ? u : -u;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// A whole number with an optional sign, and whatever follows it; nothing without digits.
std::optional<int> leadingNumber(std::string_view s) {
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    long long v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc() || end == s.data()) return std::nullopt;
    return static_cast<int>(std::clamp<long long>(v, -kMateUnits, kMateUnits));
}

Score scoreOfUnits(int u) {
    if (u >= kMateFrom) return {kMateUnits - u, true};
    if (u <= -kMateFrom) return {-(kMateUnits + u), true};
    return {u, false};
}

} // namespace

void writeJudgement(const GameAnalysis& a, kif::KifGame& kif, bool withCandidates) {
    kif.comments.assign(a.positions().size(), {});
    const int lower = -1; // ▲ in KIF, whichever side moved first
    for (std::size_t n = 0; n < a.positions().size(); ++n) {
        auto& lines = kif.comments[n];
        if (n > 0 && a.review(n - 1) && a.review(n - 1)->grade != Grade::None) {
            const MoveReview& r = *a.review(n - 1);
            lines.push_back(std::string(gradeName(r.grade)) + "　" + r.reason);
        }
        const Verdict& v = a.verdict(n);
        if (!v.searched) continue;
        lines.push_back(std::string(kEvaluation) + std::to_string(lowerView(a, n)));
        Pos previous;
        if (n > 0) previous = {a.game().moves[n - 1].ToX, a.game().moves[n - 1].ToY};
        const std::string line =
            v.line.empty() ? v.lineText
                           : lineText(a.positions()[n], v.line, previous, lower, 20, true);
        if (!line.empty()) lines.push_back(std::string(kLine) + line);
        if (!withCandidates) continue;
        const int side = a.positions()[n].sideToMove;
        for (std::size_t k = 1; k < v.candidates.size(); ++k) {
            const Candidate& c = v.candidates[k];
            const int u = side < 0 ? units(c.score) : -units(c.score);
            const std::string text =
                c.line.empty() ? c.lineText
                               : lineText(a.positions()[n], c.line, previous, lower, 20, true);
            lines.push_back(std::string(kCandidate) + std::to_string(u) + " " + text);
        }
    }
}

bool hasJudgement(const kif::KifGame& kif) {
    for (const auto& lines : kif.comments)
        for (const std::string& c : lines)
            if (startsWith(c, kEvaluation) && leadingNumber(c.substr(kEvaluation.size())))
                return true;
    return false;
}

void readJudgement(const kif::KifGame& kif, GameAnalysis& a) {
    const std::size_t positions = std::min(kif.comments.size(), a.positions().size());
    for (std::size_t n = 0; n < positions; ++n) {
        Verdict v;
        std::vector<Candidate> candidates; // the next best, after the evaluation's own
        for (const std::string& c : kif.comments[n]) {
            if (startsWith(c, kEvaluation)) {
                if (const auto u = leadingNumber(c.substr(kEvaluation.size()))) {
                    const Score lowerScore = scoreOfUnits(*u);
                    v.searched = true;
                    v.score = a.positions()[n].sideToMove < 0 ? lowerScore : -lowerScore;
                }
            } else if (startsWith(c, kLine)) {
                v.lineText = c.substr(kLine.size());
            } else if (startsWith(c, kCandidate)) {
                const std::string rest = c.substr(kCandidate.size());
                const std::size_t blank = rest.find(' ');
                if (const auto u = leadingNumber(rest); u && blank != std::string::npos) {
                    const Score lowerScore = scoreOfUnits(*u);
                    Candidate candidate;
                    candidate.score = a.positions()[n].sideToMove < 0 ? lowerScore : -lowerScore;
                    candidate.lineText = rest.substr(blank + 1);
                    candidates.push_back(std::move(candidate));
                }
            } else if (n > 0) {
                for (const Grade g : {Grade::Dubious, Grade::Bad}) {
                    const std::string mark = std::string(gradeName(g)) + "　";
                    if (startsWith(c, mark)) a.setWrittenReason(n - 1, c.substr(mark.size()));
                }
            }
        }
        if (!v.searched) continue;
        if (!candidates.empty()) {
            v.candidates.push_back({v.score, {}, v.lineText});
            v.candidates.insert(v.candidates.end(), candidates.begin(), candidates.end());
        }
        a.setVerdict(n, std::move(v));
    }
}

} // namespace kelvore::analysis
