#include "Samples.h"

#include "engine/EvalTerms.h"
#include "engine/EvalWeights.generated.h"
#include "engine/GameEnd.h"
#include "engine/Search.h"
#include "engine/TranspositionTable.h"
#include "notation/UsiGame.h"

#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>

namespace kelvore::tune {

using namespace engine;
namespace feature = eval::feature;

namespace {

// Counts features from the lower side's view.
struct Counter {
    static constexpr bool kAttackMaps = true; // every feature is counted, weighted or not
    std::vector<int>& counts;
    void add(Color c, int f, int n) { counts[std::size_t(f)] += c == LOWER ? n : -n; }
};

const char* const kKindNames[KIND_NB] = {"none",
                                         "pawn",
                                         "lance",
                                         "knight",
                                         "silver",
                                         "gold",
                                         "bishop",
                                         "rook",
                                         "elephant",
                                         "tokin",
                                         "promoted lance",
                                         "promoted knight",
                                         "promoted silver",
                                         "king",
                                         "horse",
                                         "dragon",
                                         "prince"};

struct Group {
    int first, size;
    std::string title;
};

std::vector<Group> groups() {
    std::vector<Group> g;
    g.push_back({feature::Material, KIND_NB, "Material: the worth of each kind on the board"});
    for (int kind = 0; kind < KIND_NB; ++kind)
        g.push_back({feature::PieceSquare + kind * eval::kHalfBoard, eval::kHalfBoard,
                     std::string("PieceSquare: ") + kKindNames[kind] +
                         ", rows 1-9 from its own side, files 1-5 (mirrored for 6-9)"});
    for (int kind = 0; kind < kHandKinds; ++kind)
        g.push_back({feature::Hand + kind * eval::kHandSlots, eval::kHandSlots,
                     std::string("Hand: the n-th ") + kKindNames[kind] + " in hand, n = 0-18"});
    g.push_back({feature::TwoRoyals, 1, "TwoRoyals"});
    g.push_back({feature::Tempo, 1, "Tempo"});
    g.push_back(
        {feature::Mobility, KIND_NB, "Mobility: per square a long-range piece reaches, less 4"});
    g.push_back({feature::PromotionThreat, KIND_NB,
                 "PromotionThreat: an unpromoted long-range piece with a line into the zone"});
    g.push_back({feature::Danger, eval::kDangerNb,
                 "Danger: a royal piece's danger 0-26, the last royal piece"});
    g.push_back({feature::Danger + eval::kDangerNb, eval::kDangerNb,
                 "Danger: a royal piece's danger 0-26, with a second royal piece"});
    g.push_back({feature::Threatened, KIND_NB,
                 "Threatened: attacked by a less valuable piece, its side not to move, by kind"});
    g.push_back({feature::Threatened + KIND_NB, KIND_NB,
                 "Threatened: attacked by a less valuable piece, its side to move, by kind"});
    g.push_back({feature::Hanging, KIND_NB,
                 "Hanging: attacked and not defended, its side not to move, by kind"});
    g.push_back({feature::Hanging + KIND_NB, KIND_NB,
                 "Hanging: attacked and not defended, its side to move, by kind"});
    g.push_back({feature::RoyalZone, 4,
                 "RoyalZone: attacked, weak, open to a drop, open to a strong drop; the last "
                 "royal piece"});
    g.push_back({feature::RoyalZone + 4, 4, "RoyalZone: the same with a second royal piece"});
    return g;
}

// The game's result from the lower side's view, or a negative number.
double resultOf(const std::string& word) {
    if (word == "1-0") return 1;
    if (word == "0-1") return 0;
    if (word == "1/2-1/2") return 0.5;
    return -1;
}

} // namespace

std::vector<int> featuresOf(const Position& pos) {
    std::vector<int> counts(feature::Count, 0);
    Counter counter{counts};
    eval::addMaterialTerms(pos, counter);
    eval::addPositionalTerms(pos, counter);
    counter.add(pos.sideToMove(), feature::Tempo, 1);
    return counts;
}

SampleCount addGames(std::istream& in, const SampleOptions& options, Dataset& data) {
    SampleCount n;
    TranspositionTable tt(16);
    Search search(tt);
    notation::UsiGame game; // each move judged as the game judges it
    Position& pos = game.position();
    std::vector<Mv> line;
    for (std::string text; std::getline(in, text);) {
        std::istringstream words(text);
        std::string result, reason, plies, sfenWord;
        words >> result >> reason >> plies >> sfenWord;
        std::string sfen, w;
        for (int i = 0; i < 4 && words >> w; ++i) sfen += (i ? " " : "") + w;
        std::string error;
        const double r = resultOf(result);
        if (r < 0 || sfenWord != "sfen" || !game.start(sfen, error)) {
            ++n.badLines;
            continue;
        }
        std::vector<Mv> moves;
        words >> w; // "moves", or nothing
        int ply = 0;
        tt.clear();
        for (;;) {
            if (royalTaken(pos)) break;
            if (ply >= options.skipPlies && ply % std::max(1, options.every) == 0) {
                const int score = search.quiescence(pos, line);
                if (std::abs(score) <= options.maxScore) {
                    for (const Mv m : line) pos.make(m);
                    data.add(featuresOf(pos), r);
                    for (auto m = line.rbegin(); m != line.rend(); ++m) pos.unmake(*m);
                    ++n.positions;
                }
            }
            if (!(words >> w)) break;
            const Mv m = game.move(w);
            if (m.isNone() || pos.gamePly() + 1 >= Position::kStackSize - MAX_PLY) break;
            game.play(m);
            ++ply;
        }
        ++n.games;
    }
    return n;
}

std::vector<double> currentWeights() {
    return std::vector<double>(std::begin(eval::kWeights), std::end(eval::kWeights));
}

std::vector<bool> tunableWeights() {
    std::vector<bool> t(feature::Count, false);
    for (int kind = 1; kind < KIND_NB; ++kind) {
        t[std::size_t(feature::Material + kind)] = kind != KING;
        for (int s = 0; s < eval::kHalfBoard; ++s)
            t[std::size_t(feature::PieceSquare + kind * eval::kHalfBoard + s)] = true;
        t[std::size_t(feature::Mobility + kind)] = eval::detail::kReaches[kind];
        t[std::size_t(feature::PromotionThreat + kind)] = eval::detail::kPromotes[kind];
    }
    for (int kind = 1; kind < kHandKinds; ++kind)
        for (int n = 1; n <= eval::handLimit(kind); ++n)
            t[std::size_t(feature::Hand + kind * eval::kHandSlots + n)] = true;
    t[feature::TwoRoyals] = t[feature::Tempo] = true;
    for (int two = 0; two < 2; ++two) {
        for (int d = 1; d < eval::kDangerNb; ++d)
            t[std::size_t(feature::Danger + two * eval::kDangerNb + d)] = true;
        for (int i = 0; i < 4; ++i) t[std::size_t(feature::RoyalZone + two * 4 + i)] = true;
    }
    for (int toMove = 0; toMove < 2; ++toMove)
        for (int kind = 1; kind < KIND_NB; ++kind)
            if (!isRoyal(kind)) {
                t[std::size_t(feature::Threatened + toMove * KIND_NB + kind)] = true;
                t[std::size_t(feature::Hanging + toMove * KIND_NB + kind)] = true;
            }
    return t;
}

void writeWeights(std::ostream& out, const std::vector<int>& weights, const std::string& note) {
    out << "// The evaluation's weights. Generated by kelvore-tune (src/tools/tune/): do not edit "
           "by hand,\n// run scripts/tune. The layout of the array is in EvalFeatures.h.\n";
    if (!note.empty()) out << "// " << note << "\n";
    out << "#pragma once\n\n#include \"engine/EvalFeatures.h\"\n\n"
           "namespace kelvore::engine::eval {\n\n"
           "// clang-format off\n"
           "inline constexpr int kWeights[feature::Count] = {\n";
    for (const Group& g : groups()) {
        out << "    // " << g.title << "\n";
        std::string line = "   ";
        for (int i = 0; i < g.size; ++i) {
            const std::string item = " " + std::to_string(weights[std::size_t(g.first + i)]) + ",";
            if (line.size() + item.size() > 100) {
                out << line << "\n";
                line = "   ";
            }
            line += item;
        }
        out << line << "\n";
    }
    out << "};\n// clang-format on\n\n} // namespace kelvore::engine::eval\n";
}

} // namespace kelvore::tune
