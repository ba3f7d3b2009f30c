#include "Fit.h"

#include "engine/WinningChance.h"

#include <algorithm>
#include <cmath>

namespace kelvore::tune {

namespace {

constexpr double kLn10 = 2.302585092994046;

double predict(double evaluation, double k) {
    return engine::winningChance(evaluation, k);
}

} // namespace

void Dataset::add(const std::vector<int>& counts, double gameResult) {
    for (std::size_t f = 0; f < counts.size(); ++f)
        if (counts[f] != 0) {
            feature.push_back(std::uint16_t(f));
            count.push_back(std::int16_t(counts[f]));
        }
    begin.push_back(std::uint32_t(feature.size()));
    result.push_back(float(gameResult));
}

double evaluationOf(const Dataset& data, std::size_t i, const std::vector<double>& weights) {
    double e = 0;
    for (std::uint32_t j = data.begin[i]; j < data.begin[i + 1]; ++j)
        e += weights[data.feature[j]] * data.count[j];
    return e;
}

double meanError(const Dataset& data, const std::vector<double>& weights, double k) {
    if (data.size() == 0) return 0;
    double sum = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const double d = data.result[i] - predict(evaluationOf(data, i, weights), k);
        sum += d * d;
    }
    return sum / double(data.size());
}

double fitScale(const Dataset& data, const std::vector<double>& weights) {
    // The evaluations do not change while k is sought: compute them once.
    std::vector<double> evaluations(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) evaluations[i] = evaluationOf(data, i, weights);
    auto error = [&](double k) {
        double sum = 0;
        for (std::size_t i = 0; i < data.size(); ++i) {
            const double d = data.result[i] - predict(evaluations[i], k);
            sum += d * d;
        }
        return sum;
    };
    const double golden = (std::sqrt(5.0) - 1) / 2;
    double a = 0.05, b = 5.0;
    double c = b - golden * (b - a), d = a + golden * (b - a);
    double fc = error(c), fd = error(d);
    for (int i = 0; i < 60; ++i) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - golden * (b - a);
            fc = error(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + golden * (b - a);
            fd = error(d);
        }
    }
    return (a + b) / 2;
}

FitResult fitWeights(const Dataset& data, const std::vector<double>& start,
                     const std::vector<bool>& tunable, double k, const FitOptions& options) {
    FitResult r;
    r.weights = start;
    r.errorBefore = meanError(data, start, k);
    const std::size_t n = start.size();
    std::vector<double> gradient(n, 0.0);
    std::vector<double> m = gradient, v = gradient;
    const double beta1 = 0.9, beta2 = 0.999, epsilon = 1e-8;
    const double scale = kLn10 * k / 400.0;
    for (int epoch = 1; epoch <= options.epochs; ++epoch) {
        std::fill(gradient.begin(), gradient.end(), 0.0);
        for (std::size_t i = 0; i < data.size(); ++i) {
            const double p = predict(evaluationOf(data, i, r.weights), k);
            // d/dw of (result - p)^2, through p = 1 / (1 + 10^(-k e / 400)).
            const double g = -2.0 * (data.result[i] - p) * p * (1.0 - p) * scale;
            for (std::uint32_t j = data.begin[i]; j < data.begin[i + 1]; ++j)
                gradient[data.feature[j]] += g * data.count[j];
        }
        const double count = double(std::max<std::size_t>(1, data.size()));
        for (std::size_t f = 0; f < n; ++f) {
            if (!tunable[f]) continue;
            const double g =
                gradient[f] / count + 2.0 * options.regularisation * (r.weights[f] - start[f]);
            m[f] = beta1 * m[f] + (1 - beta1) * g;
            v[f] = beta2 * v[f] + (1 - beta2) * g * g;
            const double mHat = m[f] / (1 - std::pow(beta1, epoch));
            const double vHat = v[f] / (1 - std::pow(beta2, epoch));
            r.weights[f] -= options.learningRate * mHat / (std::sqrt(vHat) + epsilon);
        }
    }
    r.errorAfter = meanError(data, r.weights, k);
    return r;
}

} // namespace kelvore::tune
