// kifu analyse <record|file.kif|file.kifu> [<ms per position> | depth <n> | nodes <n>]
// [to <file.kif|file.kifu>]: the engine's judgement of every move of a record or a KIF, one
// line per move as each move's two positions are searched, then a summary per side, and with
// `to` the game written as KIF with the judgement in its comments. `stop` ends it with the
// moves judged so far.
#include "Protocol.h"

#include "KifuConvert.h"
#include "analysis/Analyser.h"
#include "analysis/AnalysisKif.h"
#include "analysis/GameAnalysis.h"
#include "record/GameRecord.h"

#include "text/Utf8.h"

#include <charconv>
#include <cmath>
#include <mutex>
#include <ostream>
#include <sstream>
#include <sys/stat.h>

namespace kelvore::usi {

namespace {

// The most nodes a position may be given.
constexpr long long kMaxAnalyseNodes = 1LL << 40;

// A word meant as a number: a digit first, or a sign or a point before one.
bool looksNumeric(const std::string& s) {
    std::size_t i = s.size() > 1 && (s[0] == '-' || s[0] == '+' || s[0] == '.') ? 1 : 0;
    return i < s.size() && s[i] >= '0' && s[i] <= '9';
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool wholeNumber(const std::string& s, long long most, long long& value) {
    if (s.empty() || s.size() > 12) return false;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size() && value >= 1 && value <= most;
}

// Percentage points of winning chance, to a tenth.
std::string points(double p) {
    const long tenths = std::lround(p * 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string moveLine(const analysis::GameAnalysis& a, std::size_t i) {
    const analysis::MoveReview& r = *a.review(i);
    const analysis::Verdict& before = a.verdict(i);
    std::string s =
        "ply " + std::to_string(i + 1) + " move " + notation::formatUsiMove(r.played) + " " +
        r.text + " before " + analysis::usiScoreText(r.before) + " after " +
        analysis::usiScoreText(r.after) + " loss " + std::to_string(r.loss) + " chanceloss " +
        points(r.chanceLoss) + " best " +
        (before.hasMove ? notation::formatUsiMove(before.best) + " " + r.bestText : "none") +
        " mark ";
    s += r.grade == analysis::Grade::None ? "-" : std::string(analysis::gradeName(r.grade));
    if (!r.reason.empty()) s += " reason " + r.reason;
    return s + "\n";
}

std::string summaryLine(const analysis::GameAnalysis& a, notation::Mark side) {
    const analysis::SideSummary s = a.summary(side);
    return "summary " + std::string(notation::markText(side)) + " moves " +
           std::to_string(s.moves) + " 疑問手 " + std::to_string(s.dubious) + " 悪手 " +
           std::to_string(s.bad) + " averageloss " + std::to_string(s.averageLoss) +
           " averagechanceloss " + points(s.averageChanceLoss) + "\n";
}

} // namespace

void Protocol::analyseKifu(const std::vector<std::string>& w, const std::string& line,
                           std::ostream& out) {
    // The path is the rest of the line, less `to <file.kif|file.kifu>` and a limit at its end:
    // `depth <n>`, `nodes <n>` or a number of milliseconds. A limit that cannot be taken is
    // refused by name, not read as a part of the path.
    std::vector<std::string> words(w.begin() + 2, w.end());
    std::string path = line.substr(line.find(w[2], line.find("analyse") + 7));
    // `to` and a KIF's name, blanks and all, at the end.
    std::string kifPath;
    if (const std::size_t to = path.rfind(" to "); to != std::string::npos) {
        std::string named = path.substr(to + 4);
        while (!named.empty() && (named.back() == ' ' || named.back() == '\t')) named.pop_back();
        if (kif::encodingOfPath(named)) {
            kifPath = named;
            path.resize(to);
            words.clear();
            std::istringstream rest(path);
            for (std::string word; rest >> word;) words.push_back(word);
        }
    }
    const std::size_t n = words.size();
    auto withoutLast = [&words, n](std::string p, std::size_t count) {
        auto trim = [&p] {
            while (!p.empty() && (p.back() == ' ' || p.back() == '\t')) p.pop_back();
        };
        trim();
        for (std::size_t k = 0; k < count; ++k) {
            p.resize(p.size() - words[n - 1 - k].size());
            trim();
        }
        return p;
    };
    auto refuse = [&out](const std::string& what, const std::string& wanted) {
        out << "info string kifu analyse: " << text::printable(what, 40) << " is not a limit ("
            << wanted << "); nothing analysed\n";
    };
    engine::Limits limits;
    limits.nodes = analysis::kDefaultNodesPerPosition;
    std::size_t limitWords = 0;
    long long v = 0;
    if (n >= 3 && (words[n - 2] == "depth" || words[n - 2] == "nodes")) {
        const bool depth = words[n - 2] == "depth";
        if (!wholeNumber(words[n - 1], depth ? 64 : kMaxAnalyseNodes, v))
            return refuse(words[n - 2] + " " + words[n - 1],
                          depth ? "depth 1 to 64"
                                : "nodes 1 to " + std::to_string(kMaxAnalyseNodes));
        limits = {};
        if (depth)
            limits.depth = static_cast<int>(v);
        else
            limits.nodes = static_cast<std::uint64_t>(v);
        limitWords = 2;
    } else if (n >= 2 && looksNumeric(words[n - 1])) {
        if (!wholeNumber(words[n - 1], kMaxMoveTimeMs, v))
            return refuse(words[n - 1],
                          "1 to " + std::to_string(kMaxMoveTimeMs) + " milliseconds a position");
        limits = {};
        limits.moveTimeMs = static_cast<int>(v);
        limitWords = 1;
    } else if (n >= 2 && !exists(withoutLast(path, 0)) && exists(withoutLast(path, 1))) {
        // A word after the name of a record that is no limit at all.
        return refuse(words[n - 1], "<ms> | depth <n> | nodes <n>");
    }
    path = withoutLast(path, limitWords);

    // A KIF by its name, a record file otherwise.
    kif::KifGame kif;
    if (kif::encodingOfPath(path)) {
        std::optional<kif::KifGame> read = readKifFile(path, out);
        if (!read) return;
        kif = std::move(*read);
    } else {
        const std::optional<RecordFile> read = readRecordFile(path, out);
        if (!read) return;
        const RecordFile& record = *read;
        if (record.damagedAt > 0)
            out << "info string move " << record.damagedAt << " does not fit the position ("
                << record.damage << "); the moves before it are analysed\n";
        kif.game = recordOfFile(record);
    }

    std::mutex lines; // the analyser's worker writes the move lines
    analysis::GameAnalysis judged(kif.game);
    const std::size_t positions = judged.positions().size();
    out << "info string analysing " << judged.moveCount() << " moves, "
        << (limits.depth > 0   ? "depth " + std::to_string(limits.depth)
            : limits.nodes > 0 ? std::to_string(limits.nodes) + " nodes"
                               : std::to_string(limits.moveTimeMs) + " ms")
        << " a position\n";
    bool done = false;
    analysis::Analyser analyser;
    analyser.start(judged.game(), limits,
                   {[&](std::size_t i, const analysis::Verdict& verdict) {
                        std::lock_guard lock(lines);
                        judged.setVerdict(i, verdict);
                        if (i > 0 && judged.review(i - 1)) out << moveLine(judged, i - 1);
                    },
                    [&] {
                        {
                            std::lock_guard lock(stopMutex_);
                            done = true;
                        }
                        stopped_.notify_all();
                    }});
    {
        std::unique_lock lock(stopMutex_);
        stopped_.wait(lock, [&] { return done || stop_.load(); });
    }
    analyser.cancel();
    analyser.wait();
    std::lock_guard lock(lines);
    out << summaryLine(judged, notation::Mark::Sente) << summaryLine(judged, notation::Mark::Gote);
    if (!kifPath.empty()) {
        analysis::writeJudgement(judged, kif);
        if (writeKifFile(kifPath, kif, out))
            out << "info string the judgement written to " << text::printable(kifPath) << "\n";
    }
    if (judged.complete())
        out << "analyse done\n";
    else
        out << "analyse stopped after " << judged.searchedCount() << " of " << positions
            << " positions\n";
}

} // namespace kelvore::usi
