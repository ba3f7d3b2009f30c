// A game on the fake platform, started as the window's load event starts it.
#pragma once

#include "Form1.h"
#include "fakes/FakePlatform.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kelvore::test {

// A fresh folder of its own for each test, removed afterwards.
struct TempFolder {
    std::string path;
    TempFolder() {
        char pattern[] = "/tmp/kelvore-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
};

struct Game {
    TempFolder folder;
    FakePlatform fake;
    Form1 form{fake.platform};
    // The prompts of the message boxes shown so far.
    std::vector<std::string> prompts() const {
        std::vector<std::string> r;
        for (const Box& b : fake.dialogs.shown) r.push_back(b.prompt);
        return r;
    }
    explicit Game(bool load = true) {
        form.WorkFolder = folder.path;
        form.SoundFolder = folder.path; // no wave files there: every sound is silent
        if (load) form.Form_Load();
    }
    // Grid position of a window-unit point.
    static double gx(double x) { return (x - 1050) / 495; }
    static double gy(double y) { return (y - 100) / 615; }
};

// Empties the board and both hands.
inline void clearBoard(Form1& f) {
    for (auto& col : f.Board)
        for (int& sq : col) sq = 0;
    for (int i = 0; i < 8; ++i) f.OwnHand[i] = f.EnemyHand[i] = 0;
    f.OwnHandCount = f.EnemyHandCount = 0;
    f.ManKingPos = f.ManPrincePos = f.ComKingPos = f.ComPrincePos = {};
}

} // namespace kelvore::test
