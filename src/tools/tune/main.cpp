// kelvore-tune: fits the evaluation's weights to the results of the engine's own games and
// writes them as the generated header the build uses.
//
//   kelvore-tune --records FILE [--records FILE]... --out FILE [--skip N] [--every N]
//                [--epochs N] [--rate R] [--regularisation L] [--max-score CP]
#include "Fit.h"
#include "Samples.h"
#include "text/Files.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace kelvore::tune;

namespace {

int fail(const std::string& message) {
    std::cerr << "kelvore-tune: " << message << "\n"
              << "usage: kelvore-tune --records FILE [--records FILE]... --out FILE [--skip N]\n"
                 "           [--every N] [--epochs N] [--rate R] [--regularisation L]\n"
                 "           [--max-score CP]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> records;
    std::string out;
    SampleOptions samples;
    FitOptions fit;
    for (int i = 1; i < argc; ++i) {
        const std::string key = argv[i];
        if (i + 1 >= argc) return fail("missing value after " + key);
        const std::string value = argv[++i];
        char* end = nullptr;
        const double number = std::strtod(value.c_str(), &end);
        const bool isNumber = !value.empty() && *end == '\0' && number >= 0;
        if (key == "--records")
            records.push_back(value);
        else if (key == "--out")
            out = value;
        else if (key == "--skip" && isNumber)
            samples.skipPlies = int(number);
        else if (key == "--every" && isNumber && number >= 1)
            samples.every = int(number);
        else if (key == "--max-score" && isNumber)
            samples.maxScore = int(number);
        else if (key == "--epochs" && isNumber)
            fit.epochs = int(number);
        else if (key == "--rate" && isNumber)
            fit.learningRate = number;
        else if (key == "--regularisation" && isNumber)
            fit.regularisation = number;
        else
            return fail("unknown or bad argument " + key + " " + value);
    }
    if (records.empty() || out.empty()) return fail("--records and --out are needed");

    Dataset data;
    SampleCount total;
    for (const std::string& path : records) {
        std::ifstream in(path);
        if (!in) return fail("cannot read " + path);
        const SampleCount n = addGames(in, samples, data);
        total.games += n.games;
        total.positions += n.positions;
        total.badLines += n.badLines;
    }
    std::cerr << "positions " << total.positions << " from " << total.games << " games";
    if (total.badLines) std::cerr << " (" << total.badLines << " lines not read)";
    std::cerr << "\n";
    if (data.size() == 0) return fail("no positions");

    const std::vector<double> start = currentWeights();
    const double k = fitScale(data, start);
    std::cerr << "scale k " << k << ", mean error " << meanError(data, start, k) << "\n";
    const FitResult r = fitWeights(data, start, tunableWeights(), k, fit);
    std::cerr << "mean error " << r.errorBefore << " -> " << r.errorAfter << " after " << fit.epochs
              << " epochs\n";

    std::vector<int> rounded;
    for (const double w : r.weights) rounded.push_back(int(std::lround(w)));
    std::ostringstream note;
    note << "Fitted on " << data.size() << " positions of " << total.games
         << " games: mean squared error " << r.errorBefore << " -> " << r.errorAfter
         << " (k = " << k << ").";
    std::ostringstream weights;
    writeWeights(weights, rounded, note.str());
    // Whole or not at all: a full disk leaves the weights the build reads as they were.
    if (const int error = kelvore::text::writeFileAtomically(out, weights.str()); error != 0) {
        std::cerr << "kelvore-tune: cannot write " << out << ": "
                  << kelvore::text::saveErrorText(error) << "\n";
        return 1;
    }
    return 0;
}
