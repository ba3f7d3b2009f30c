#include "Stats.h"

#include <algorithm>
#include <cmath>

namespace kelvore::gauntlet {

namespace {

// The mean and variance of one sample unit (a game or a pair), in points per game.
struct Moments {
    double mean = 0.5, variance = 0;
    double units = 0;
};

Moments momentsOf(const Tally& t) {
    Moments m;
    const std::int64_t pairs = t.pairCount();
    if (pairs > 0) {
        double sum = 0, squares = 0;
        for (int k = 0; k < 5; ++k) {
            const double x = k / 4.0; // the pair's points per game
            sum += double(t.pairs[std::size_t(k)]) * x;
            squares += double(t.pairs[std::size_t(k)]) * x * x;
        }
        m.units = double(pairs);
        m.mean = sum / m.units;
        m.variance = std::max(0.0, squares / m.units - m.mean * m.mean);
        return m;
    }
    const std::int64_t games = t.games();
    if (games == 0) return m;
    m.units = double(games);
    m.mean = (double(t.wins) + 0.5 * double(t.draws)) / m.units;
    const double squares = (double(t.wins) + 0.25 * double(t.draws)) / m.units;
    m.variance = std::max(0.0, squares - m.mean * m.mean);
    return m;
}

} // namespace

std::int64_t Tally::pairCount() const {
    std::int64_t n = 0;
    for (const std::int64_t p : pairs) n += p;
    return n;
}

double Tally::score() const {
    const std::int64_t n = games();
    return n == 0 ? 0.5 : (double(wins) + 0.5 * double(draws)) / double(n);
}

void Tally::addGame(int halfPoints) {
    if (halfPoints >= 2)
        ++wins;
    else if (halfPoints == 1)
        ++draws;
    else
        ++losses;
}

void Tally::addPair(int firstHalf, int secondHalf) {
    addGame(firstHalf);
    addGame(secondHalf);
    ++pairs[std::size_t(std::clamp(firstHalf, 0, 2) + std::clamp(secondHalf, 0, 2))];
}

double scoreOfElo(double elo) {
    return 1.0 / (1.0 + std::pow(10.0, -elo / 400.0));
}

double eloOfScore(double score) {
    const double s = std::clamp(score, 1e-6, 1 - 1e-6);
    return -400.0 * std::log10(1.0 / s - 1.0);
}

EloEstimate estimateElo(const Tally& t) {
    const Moments m = momentsOf(t);
    EloEstimate e;
    e.elo = eloOfScore(m.mean);
    if (m.units < 1) return e;
    const double margin = 1.959964 * std::sqrt(m.variance / m.units);
    e.low = eloOfScore(m.mean - margin);
    e.high = eloOfScore(m.mean + margin);
    return e;
}

double logLikelihoodRatio(const Tally& t, double elo0, double elo1) {
    const Moments m = momentsOf(t);
    if (m.units < 1 || m.variance <= 0) return 0;
    const double s0 = scoreOfElo(elo0), s1 = scoreOfElo(elo1);
    // The log-likelihood ratio of two normal distributions of the mean score with the
    // sample's variance: N (s1 - s0)(2 mean - s0 - s1) / (2 variance).
    return m.units * (s1 - s0) * (2 * m.mean - s0 - s1) / (2 * m.variance);
}

SprtBounds sprtBounds(double alpha, double beta) {
    return {std::log(beta / (1 - alpha)), std::log((1 - beta) / alpha)};
}

} // namespace kelvore::gauntlet
