// The arithmetic of a gauntlet: scores as Elo differences with their 95 % interval, and the
// log-likelihood ratio of a sequential probability ratio test between two Elo hypotheses.
// Games come in pairs (both colours from one opening), so the counts are kept per pair as well
// as per game: the pair's total (0, 0.5, 1, 1.5 or 2 points) is one draw from a five-valued
// (pentanomial) distribution, which removes most of the noise the openings add.
#pragma once

#include <array>
#include <cstdint>

namespace kelvore::gauntlet {

// Results counted from the first engine's view.
struct Tally {
    std::int64_t wins = 0, losses = 0, draws = 0;
    // pairs[k]: the pairs in which the first engine scored k half points (0..4).
    std::array<std::int64_t, 5> pairs{};

    std::int64_t games() const { return wins + losses + draws; }
    std::int64_t pairCount() const;
    // Points per game, 0..1 (0.5 with no games).
    double score() const;
    void addGame(int halfPoints);                // 0 loss, 1 draw, 2 win
    void addPair(int firstHalf, int secondHalf); // both games of a pair, each 0..2
};

// The expected score of an Elo difference, and the difference of a score (clamped to a finite
// range for scores of 0 and 1).
double scoreOfElo(double elo);
double eloOfScore(double score);

struct EloEstimate {
    double elo = 0, low = 0, high = 0; // the estimate and its 95 % interval
};

// From the pairs when there are any, else from the single games.
EloEstimate estimateElo(const Tally& t);

// The log-likelihood ratio of "the first engine is elo1 stronger" against "it is elo0
// stronger", in the normal approximation of the generalised SPRT: from the pairs when there are
// any, else from the games as a trinomial (win, draw, loss) sample. 0 while the sample has no
// spread.
double logLikelihoodRatio(const Tally& t, double elo0, double elo1);

struct SprtBounds {
    double lower, upper; // accept H0 at or below lower, H1 at or above upper
};
SprtBounds sprtBounds(double alpha, double beta);

} // namespace kelvore::gauntlet
