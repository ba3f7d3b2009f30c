// The drawing and text procedures, checked on the recording canvas in grid positions.
#include "fakes/Harness.h"
#include "notation/NotationStyle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <utility>

using namespace kelvore;
using namespace kelvore::test;

namespace {

struct Cell {
    double gx, gy;
    int value;
    bool operator<(const Cell& o) const {
        return std::tie(gx, gy, value) < std::tie(o.gx, o.gy, o.value);
    }
    bool operator==(const Cell& o) const = default;
};

std::vector<Cell> pictures(const RecordingCanvas& c) {
    std::vector<Cell> r;
    for (const auto& op : c.of(DrawOp::Picture))
        r.push_back({Game::gx(op.x), Game::gy(op.y), op.value});
    return r;
}

struct Printed {
    double gx, gy;
    std::string text;
    int colour, size;
};

std::vector<Printed> texts(const RecordingCanvas& c) {
    std::vector<Printed> r;
    for (const auto& op : c.of(DrawOp::Text))
        r.push_back({Game::gx(op.x), Game::gy(op.y), op.text, op.value, op.size});
    return r;
}

bool near(double a, double b) {
    return std::fabs(a - b) < 1e-9;
}

} // namespace

TEST(Background, TilesEveryCellOutsideTheBoardColumnByColumn) {
    Game g;
    g.fake.canvas.clear();
    g.form.描画_背景(4);
    const auto cells = pictures(g.fake.canvas);
    ASSERT_EQ(cells.size(), 24u * 18u - 81u);
    for (const Cell& c : cells) {
        EXPECT_EQ(c.value, 4);
        EXPECT_FALSE(c.gx >= 1 && c.gx <= 9 && c.gy >= 1 && c.gy <= 9) << c.gx << "," << c.gy;
    }
    EXPECT_TRUE(near(cells.front().gx, -3) && near(cells.front().gy, -2));
    EXPECT_TRUE(near(cells[1].gx, -3) && near(cells[1].gy, -1)) << "top to bottom first";
    EXPECT_TRUE(near(cells.back().gx, 20) && near(cells.back().gy, 15));
}

TEST(Rendering, UnknownPictureCodesDrawNothing) {
    Game g;
    g.fake.canvas.clear();
    for (int code : {7, -1, 111 + 1, 12, 999, -5}) g.form.描画_絵(code, 3, 3);
    EXPECT_TRUE(g.fake.canvas.ops.empty());
    g.form.描画_絵(-111, 3, 3); // the unused gold code still has its picture slot
    g.form.描画_絵(0, 3, 3);
    EXPECT_EQ(g.fake.canvas.ops.size(), 2u);
}

TEST(Rendering, OutlineCoversOneSquareInWindowUnits) {
    Game g;
    g.fake.canvas.clear();
    g.form.描画_桝輪郭(12, 1, 1);
    const auto& op = g.fake.canvas.ops.at(0);
    EXPECT_EQ(op.value, 12);
    EXPECT_DOUBLE_EQ(op.x, 1545);
    EXPECT_DOUBLE_EQ(op.y, 715);
    EXPECT_DOUBLE_EQ(op.x2, 2040);
    EXPECT_DOUBLE_EQ(op.y2, 1330);
}

TEST(Rendering, BoardPaintsEverySquareWithItsOutline) {
    Game g;
    g.fake.canvas.clear();
    g.form.描画_盤();
    const auto& ops = g.fake.canvas.ops;
    ASSERT_EQ(ops.size(), 162u);
    EXPECT_EQ(ops[0].kind, DrawOp::Picture);
    EXPECT_EQ(ops[0].value, 20); // (1, 1): the upper lance
    EXPECT_EQ(ops[1].kind, DrawOp::Outline);
    EXPECT_EQ(ops[2].value, 0);         // (1, 2) is empty: KARA_MASU
    EXPECT_EQ(ops[161 - 1].value, -20); // (9, 9)
}

TEST(Hands, LowerHandShowsPiecesAndCountsButNoZero) {
    Game g;
    Form1& f = g.form;
    f.OwnHand[1] = 2;
    f.OwnHand[7] = 12;
    g.fake.canvas.clear();
    f.描画_自持盤();
    std::set<Cell> pieces;
    for (const Cell& c : pictures(g.fake.canvas))
        if (c.value != 0 && c.value != f.CurrentBackground) pieces.insert(c);
    EXPECT_EQ(pieces, (std::set<Cell>{{11, 3, -10}, {11, 9, -900}}));
    // Every slot's square is cleared and its count cell tiled, counts or not.
    int cleared = 0, tiled = 0;
    for (const Cell& c : pictures(g.fake.canvas)) {
        cleared += c.value == 0 && near(c.gx, 11);
        tiled += c.value == f.CurrentBackground && near(c.gx, 12);
    }
    EXPECT_EQ(cleared, 7);
    EXPECT_EQ(tiled, 7);
    const auto printed = texts(g.fake.canvas);
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_TRUE(near(printed[0].gx, 12.1) && near(printed[0].gy, 3.3));
    EXPECT_EQ(printed[0].text, " 2");
    EXPECT_EQ(printed[0].colour, 0);
    EXPECT_EQ(printed[0].size, 14);
    EXPECT_TRUE(near(printed[1].gx, 12) && near(printed[1].gy, 3.2));
    EXPECT_EQ(printed[1].colour, 12);
    EXPECT_EQ(printed[3].text, " 12") << "two-digit counts print in the same cell";
    EXPECT_TRUE(near(printed[3].gy, 9.2));
}

TEST(Hands, UpperHandRunsFromRookAtTheTopToPawn) {
    Game g;
    Form1& f = g.form;
    f.EnemyHand[7] = 1;
    f.EnemyHand[1] = 3;
    g.fake.canvas.clear();
    f.描画_敵持盤();
    std::set<Cell> pieces;
    for (const Cell& c : pictures(g.fake.canvas))
        if (c.value != 0 && c.value != f.CurrentBackground) pieces.insert(c);
    EXPECT_EQ(pieces, (std::set<Cell>{{-1, 1, 900}, {-1, 7, 10}}));
    const auto printed = texts(g.fake.canvas);
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_TRUE(near(printed[0].gx, 0.1) && near(printed[0].gy, 1.3));
    EXPECT_TRUE(near(printed[3].gx, 0) && near(printed[3].gy, 7.2));
    EXPECT_EQ(printed[3].text, " 3");
    // The neighbouring board square's outline is restored on every row.
    int restored = 0;
    for (const auto& op : g.fake.canvas.of(DrawOp::Outline)) restored += near(Game::gx(op.x), 1);
    EXPECT_EQ(restored, 7);
}

TEST(Labels, FilesReadNineToOneAndRanksInKanji) {
    Game g;
    g.fake.canvas.clear();
    g.form.描画_桝_数値();
    std::vector<std::string> files, ranks;
    for (const Printed& p : texts(g.fake.canvas)) {
        if (p.colour != 14) continue;
        if (p.size == 16) {
            files.push_back(p.text);
            EXPECT_TRUE(near(p.gy, 0.4));
        } else {
            ranks.push_back(p.text);
            EXPECT_TRUE(near(p.gx, 10.1));
            EXPECT_EQ(p.size, 12);
        }
    }
    EXPECT_EQ(files,
              (std::vector<std::string>{" 9", " 8", " 7", " 6", " 5", " 4", " 3", " 2", " 1"}));
    EXPECT_EQ(ranks,
              (std::vector<std::string>{"一", "二", "三", "四", "五", "六", "七", "八", "九"}));
    for (const auto& op : g.fake.canvas.of(DrawOp::Text)) EXPECT_TRUE(op.bold);
}

TEST(Redraw, NoBoardSquareShowsBackgroundAfterABackgroundChange) {
    Game g;
    Form1& f = g.form;
    f.CurrentBackground = 6;
    g.fake.canvas.clear();
    f.画面_再描画();
    std::map<std::pair<double, double>, int> last;
    for (const Cell& c : pictures(g.fake.canvas)) last[{c.gx, c.gy}] = c.value;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(last.at({x, y}), f.Board[x][y]);
}

TEST(Text, NotationTexts) {
    EXPECT_EQ(Form1::文字列変換(7), "７");
    EXPECT_EQ(Form1::文字列変換(1006), "六");
    EXPECT_EQ(Form1::文字列変換(-10), "歩");
    EXPECT_EQ(Form1::文字列変換(11), "と");
    EXPECT_EQ(Form1::文字列変換(-801), "角成");
    EXPECT_EQ(Form1::文字列変換(901), "飛成");
    EXPECT_EQ(Form1::文字列変換(911), "子");
    EXPECT_EQ(Form1::文字列変換(-950), "王");
    EXPECT_EQ(Form1::文字列変換(111), "");
    EXPECT_EQ(Form1::文字列変換(0), "");
    EXPECT_EQ(Form1::文字列変換(1010), "");
    EXPECT_EQ(Form1::変換_数字から文字(7), "07");
    EXPECT_EQ(Form1::変換_数字から文字(42), "42");
    EXPECT_EQ(Form1::変換_数字から文字(123), "");
    EXPECT_EQ(Form1::変換_数字から文字(0), "00");
}

TEST(Text, KanjiNumeralsOnlyForOneToNine) {
    Game g;
    g.fake.canvas.clear();
    g.form.描画_数値(1, 1, 0, 15, 1, 12);
    g.form.描画_数値(1, 1, 10, 15, 1, 12);
    EXPECT_TRUE(g.fake.canvas.ops.empty());
    g.form.描画_数値(1, 1, 9, 15, 1, 12);
    g.form.描画_数値(1, 1, -3, 15, 0, 12);
    ASSERT_EQ(g.fake.canvas.ops.size(), 2u);
    EXPECT_EQ(g.fake.canvas.ops[0].text, "九");
    EXPECT_EQ(g.fake.canvas.ops[1].text, "-3");
}

TEST(Text, MoveCounterMovesLeftAsTheNumberGrows) {
    const std::pair<int, double> cases[] = {{9, 13.2}, {10, 13.1}, {99, 13.1}, {100, 13.0}};
    for (auto [n, faceX] : cases) {
        Game g;
        g.fake.canvas.clear();
        g.form.描画_手数(n);
        const auto printed = texts(g.fake.canvas);
        ASSERT_EQ(printed.size(), 4u);
        EXPECT_TRUE(near(printed[0].gx, faceX + 0.1) && near(printed[0].gy, 3.4)) << n;
        EXPECT_TRUE(near(printed[1].gx, faceX) && near(printed[1].gy, 3.3)) << n;
        EXPECT_EQ(printed[1].text, " " + std::to_string(n));
        EXPECT_EQ(printed[1].colour, 15);
        EXPECT_EQ(printed[3].text, "手目");
        EXPECT_EQ(printed[3].size, 10);
        // The caption is inset by 120 x 160 window units from grid (13.8, 3.1).
        EXPECT_NEAR(g.fake.canvas.of(DrawOp::Text)[3].x, 1050 + 13.8 * 495 + 120, 1e-9);
        EXPECT_NEAR(g.fake.canvas.of(DrawOp::Text)[3].y, 100 + 3.1 * 615 + 160, 1e-9);
    }
}

TEST(Text, MoveResultBesideTheBoardForEachSide) {
    Game g;
    Form1& f = g.form;
    g.fake.canvas.clear();
    f.描画_移動結果(f.ManTurn, 3, 6, -10, 15);
    auto printed = texts(g.fake.canvas);
    ASSERT_EQ(printed.size(), 6u);
    EXPECT_EQ(printed[1].text + printed[3].text + printed[5].text, "７六歩");
    EXPECT_TRUE(near(printed[1].gx, 12.4) && near(printed[1].gy, 2.4));
    g.fake.canvas.clear();
    f.描画_移動結果(f.ComTurn, 9, 1, 111, 15);
    printed = texts(g.fake.canvas);
    ASSERT_EQ(printed.size(), 4u) << "a code without a name prints file and rank only";
    EXPECT_EQ(printed[1].text + printed[3].text, "１一");
    EXPECT_TRUE(near(printed[1].gx, -1.6) && near(printed[1].gy, 8.4));
    g.fake.canvas.clear();
    f.描画_移動結果(0, 3, 6, -10, 15); // neither side's turn value
    EXPECT_TRUE(g.fake.canvas.ops.empty());
}

TEST(Text, MoveResultInWesternNotation) {
    Game g;
    Form1& f = g.form;
    notation::setStyle(notation::Style::Western);
    g.fake.canvas.clear();
    f.描画_移動結果(f.ManTurn, 3, 6, -10, 15);
    auto printed = texts(g.fake.canvas);
    g.fake.canvas.clear();
    f.描画_移動結果(f.ComTurn, 8, 2, 911, 15);
    const auto upper = texts(g.fake.canvas);
    notation::setStyle(notation::Style::Japanese);
    // The piece and the square in one text, with its shadow, where the file stood.
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].text, "P7f");
    EXPECT_EQ(printed[1].text, "P7f");
    EXPECT_TRUE(near(printed[1].gx, 12.4) && near(printed[1].gy, 2.4));
    EXPECT_TRUE(near(printed[0].gx, 12.5) && near(printed[0].gy, 2.5));
    ASSERT_EQ(upper.size(), 2u);
    EXPECT_EQ(upper[1].text, "CP2b");
    EXPECT_TRUE(near(upper[1].gx, -1.6) && near(upper[1].gy, 8.4));
}

TEST(Text, HandicapRefusalBox) {
    Game g;
    g.form.描画_メッセージ(2);
    ASSERT_EQ(g.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(g.fake.dialogs.shown[0].prompt, "対局途中ではできません\r\r局面→最初にして下さい");
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    EXPECT_EQ(g.fake.dialogs.shown[0].buttons, Buttons::OK);
    g.form.描画_メッセージ(9);
    EXPECT_EQ(g.fake.dialogs.shown[1].prompt, "\r\r局面→最初にして下さい");
}

TEST(Text, CaptionsByCode) {
    Game g;
    g.fake.canvas.clear();
    for (int code : {-10, 0, 8, 10, 99, 11, -11, 50}) g.form.描画_文字列(0, 0, code, 15, 10);
    std::vector<std::string> got;
    for (const auto& op : g.fake.canvas.ops) got.push_back(op.text);
    EXPECT_EQ(got, (std::vector<std::string>{"ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級",
                                             "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級", "手目"}));
}

TEST(Clocks, TimeTextsAndMidnight) {
    EXPECT_EQ(Form1::調査_時間秒追加結果(3725), "01:02:05");
    EXPECT_EQ(Form1::調査_時間秒追加結果(59), "00:00:59");
    EXPECT_EQ(Form1::調査_時間秒追加結果(307.9), "00:05:07");
    EXPECT_EQ(Form1::調査_時間秒追加結果(360000), ":00:00") << "100 hours leave the field empty";
    EXPECT_DOUBLE_EQ(Form1::調査_経過秒(86390, 5), 15);
    EXPECT_DOUBLE_EQ(Form1::調査_経過秒(100, 160.5), 60.5);
}

TEST(Clocks, ShownOnlyWhileTheOptionIsOn) {
    Game g;
    Form1& f = g.form;
    g.fake.canvas.clear();
    f.描画_所有時間(f.ManTurn, 3725);
    auto printed = texts(g.fake.canvas);
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[1].text, "01:02:05");
    EXPECT_TRUE(near(printed[1].gx, 13) && near(printed[1].gy, 9.2));
    g.fake.menu.setChecked(MenuItem::KEIKA, false);
    g.fake.canvas.clear();
    f.描画_所有時間(f.ComTurn, 10);
    EXPECT_TRUE(g.fake.canvas.ops.empty());
}

TEST(RecordPanel, FieldsShownOrEmptiedAndHidden) {
    Game g;
    Form1& f = g.form;
    g.fake.panel.text[2] = "名局";
    f.描画_棋譜_IO(0);
    EXPECT_TRUE(g.fake.panel.fields);
    EXPECT_EQ(g.fake.panel.text[2], "名局");
    f.描画_棋譜_IO(1);
    EXPECT_FALSE(g.fake.panel.fields);
    EXPECT_EQ(g.fake.panel.text[2], "");
    f.描画_可視(true, false, true);
    EXPECT_TRUE(g.fake.panel.driveList && !g.fake.panel.folderList && g.fake.panel.fileList);
}
