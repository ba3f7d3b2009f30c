// The fit of the evaluation's weights to game results: the evaluation of each position is a sum
// of weighted features (EvalFeatures.h), and the game's result is predicted from it by a
// logistic curve, 1 / (1 + 10^(-k * eval / 400)). The scale k is fitted first with the weights
// as they are; then the weights are moved by gradient descent (Adam) to lower the mean squared
// difference between prediction and result, each pulled lightly back toward its starting value
// so that features seldom seen keep theirs.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvore::tune {

// Positions as sparse feature counts from the lower side's view, with the result of their game
// from the same view (1 a win of the lower side, 0.5 a draw, 0 a loss).
struct Dataset {
    std::vector<std::uint32_t> begin{0}; // position i: entries begin[i] .. begin[i + 1]
    std::vector<std::uint16_t> feature;
    std::vector<std::int16_t> count;
    std::vector<float> result;

    std::size_t size() const { return result.size(); }
    // Adds a position: `counts` holds one count per feature (zero for most).
    void add(const std::vector<int>& counts, double gameResult);
};

// The evaluation of position i under `weights`.
double evaluationOf(const Dataset& data, std::size_t i, const std::vector<double>& weights);

// The mean squared difference between results and predictions.
double meanError(const Dataset& data, const std::vector<double>& weights, double k);

// The scale k that fits the weights as they are best (a golden-section search on 0.05..5).
double fitScale(const Dataset& data, const std::vector<double>& weights);

struct FitOptions {
    int epochs = 300;
    double learningRate = 1.0;    // centipawns a step, at most, for Adam
    double regularisation = 1e-7; // the pull of each weight toward its starting value
};

struct FitResult {
    std::vector<double> weights;
    double errorBefore = 0, errorAfter = 0;
};

// Moves the weights marked in `tunable`, starting from `start`, with the scale k fixed.
FitResult fitWeights(const Dataset& data, const std::vector<double>& start,
                     const std::vector<bool>& tunable, double k, const FitOptions& options);

} // namespace kelvore::tune
