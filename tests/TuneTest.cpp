// The tuner: its fit recovers known weights from a small hand-made data set, its features add
// up to the engine's own evaluation, and its writer keeps every weight in its place.
#include "BenchPositions.h"
#include "Fit.h"
#include "Samples.h"
#include "engine/EvalWeights.generated.h"
#include "engine/Evaluate.h"
#include "notation/Sfen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace kelvore;
using namespace kelvore::tune;

namespace {

double logistic(double evaluation, double k) {
    return 1.0 / (1.0 + std::pow(10.0, -k * evaluation / 400.0));
}

// Positions with two features (a, b) on a grid, each with the result the true weights predict:
// the expected score, as if many games had been played from it.
Dataset gridOf(double wa, double wb, double k) {
    Dataset d;
    for (int a = -3; a <= 3; ++a)
        for (int b = -3; b <= 3; ++b) d.add({a, b, 0}, logistic(wa * a + wb * b, k));
    return d;
}

} // namespace

TEST(TuneFit, RecoversKnownWeightsAndScale) {
    const Dataset d = gridOf(120, -45, 1.0);
    ASSERT_EQ(d.size(), 49u);
    EXPECT_EQ(d.begin.back(), 2u * 42u) << "zero counts are not stored";

    // From wrong weights, with the scale known, the fit finds the true ones; the third weight
    // is held where it is.
    FitOptions o;
    o.epochs = 3000;
    o.learningRate = 2.0;
    o.regularisation = 0;
    const FitResult r = fitWeights(d, {60, 10, 7}, {true, true, false}, 1.0, o);
    EXPECT_NEAR(r.weights[0], 120, 1.0);
    EXPECT_NEAR(r.weights[1], -45, 1.0);
    EXPECT_EQ(r.weights[2], 7);
    EXPECT_LT(r.errorAfter, 1e-6);
    EXPECT_GT(r.errorBefore, 1e-3);

    // With the true weights, the scale that fits is the true one.
    EXPECT_NEAR(fitScale(d, {120, -45, 0}), 1.0, 1e-3);
    EXPECT_NEAR(fitScale(gridOf(120, -45, 0.4), {120, -45, 0}), 0.4, 1e-3);

    // A strong pull toward the start keeps the weights near it.
    o.regularisation = 1.0;
    const FitResult held = fitWeights(d, {60, 10, 7}, {true, true, false}, 1.0, o);
    EXPECT_NEAR(held.weights[0], 60, 5.0);
}

TEST(TuneFit, TheFeaturesAddUpToTheEvaluation) {
    const std::vector<double> w = currentWeights();
    ASSERT_EQ(w.size(), std::size_t(engine::eval::feature::Count));
    int checked = 0;
    for (const char* sfen : usi::kBenchPositions) {
        engine::Position pos;
        std::string error;
        ASSERT_TRUE(notation::setFromSfen(pos, sfen, error)) << error;
        const std::vector<int> f = featuresOf(pos);
        double sum = 0;
        for (std::size_t i = 0; i < f.size(); ++i) sum += w[i] * f[i];
        const int e = engine::evaluate(pos);
        const int lowerView = pos.sideToMove() == engine::LOWER ? e : -e;
        EXPECT_EQ(int(sum), lowerView) << sfen;
        ++checked;
    }
    EXPECT_EQ(checked, 35);

    // Only weights that can matter move.
    const std::vector<bool> t = tunableWeights();
    namespace feature = engine::eval::feature;
    EXPECT_FALSE(t[feature::Material + engine::KING]);
    EXPECT_TRUE(t[feature::Material + engine::PRINCE]);
    EXPECT_TRUE(t[feature::Hand + engine::PAWN * engine::eval::kHandSlots + 18]);
    EXPECT_FALSE(t[feature::Hand + engine::ROOK * engine::eval::kHandSlots + 3]);
    EXPECT_FALSE(t[feature::Danger]);
}

TEST(TuneFit, TheWriterKeepsEveryWeightInItsPlace) {
    std::vector<int> weights(engine::eval::feature::Count);
    for (std::size_t i = 0; i < weights.size(); ++i) weights[i] = int(i % 97) - 40;
    std::ostringstream out;
    writeWeights(out, weights, "a note");
    const std::string text = out.str();
    EXPECT_NE(text.find("// a note\n"), std::string::npos);
    // The numbers after the opening brace, comments left out, are the weights in order.
    std::istringstream in(text.substr(text.find("= {") + 3));
    std::vector<int> read;
    for (std::string line; std::getline(in, line) && line.rfind("};", 0) != 0;) {
        if (line.find("//") != std::string::npos) continue;
        std::istringstream numbers(line);
        for (std::string item; numbers >> item;) read.push_back(std::stoi(item));
    }
    EXPECT_EQ(read, weights);
}
