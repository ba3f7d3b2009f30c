#include "engine/Evaluate.h"

#include "engine/EvalTerms.h"
#include "engine/EvalWeights.generated.h"

namespace kelvore::engine {

namespace {

// Adds up the weights of the features, for each side.
struct WeightSum {
    static constexpr bool kAttackMaps = eval::weightsNeedAttackMaps(eval::kWeights);
    int sum[2] = {0, 0};
    void add(Color c, int feature, int n) { sum[c] += n * eval::kWeights[feature]; }
};

// The material sum with the second royal piece, from the lower side's view.
int materialOf(const Position& pos) {
    int score = pos.material();
    if (pos.royalCount(LOWER) >= 2) score += eval::kWeights[eval::feature::TwoRoyals];
    if (pos.royalCount(UPPER) >= 2) score -= eval::kWeights[eval::feature::TwoRoyals];
    return score;
}

int forSideToMove(const Position& pos, int lowerView) {
    return (pos.sideToMove() == LOWER ? lowerView : -lowerView) +
           eval::kWeights[eval::feature::Tempo];
}

} // namespace

int materialScore(const Position& pos) {
    return forSideToMove(pos, materialOf(pos));
}

int evaluate(const Position& pos) {
    WeightSum terms;
    eval::addPositionalTerms(pos, terms);
    return forSideToMove(pos, materialOf(pos) + terms.sum[LOWER] - terms.sum[UPPER]);
}

} // namespace kelvore::engine
