// The settings file, the options, the handicap steps and the sound calls.
#include "fakes/Files.h"
#include "fakes/Positions.h"
#include "text/ShiftJis.h"

#include <cstdio>
#include <cstring>
#include <fstream>

using namespace kelvore;
using namespace kelvore::test;

namespace {

void spit(const std::string& path, std::string_view utf8) {
    std::ofstream out(path, std::ios::binary);
    out << *text::toShiftJis(utf8);
}

std::string ini(const Game& g) {
    return *text::fromShiftJis(slurp(g.folder.path + "/Kelvore.ini"));
}

const char* kDefaults = "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n";

} // namespace

TEST(Settings, FirstStartWritesTheDefaults) {
    Game g;
    EXPECT_EQ(ini(g), kDefaults);
    EXPECT_EQ(slurp(g.folder.path + "/Kelvore.ini"), *text::toShiftJis(kDefaults))
        << "Shift-JIS with CR LF";
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::MIDORI));
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::SIDOU));
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::KEIKA));
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::BGM));
    EXPECT_EQ(g.form.CurrentBackground, 2);
    for (const auto& c : g.fake.sound.calls)
        EXPECT_NE(c.rfind("dsPlayLooping", 0), 0u)
            << "the music is not started on the default path";
}

TEST(Settings, AFileIsReadLineByLine) {
    Game g(false);
    spit(g.folder.path + "/Kelvore.ini",
         "背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n");
    g.form.Form_Load();
    EXPECT_EQ(g.form.CurrentBackground, 5);
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::UCHU));
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::TATAMI));
    EXPECT_EQ(g.form.MoveGuidance, 1);
    EXPECT_EQ(g.form.HighlightColor, 15);
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::KEIKA));
    EXPECT_EQ(g.fake.sound.calls.back().rfind("dsPlayLooping", 0), 0u) << "BGM=ON starts the music";
}

TEST(Settings, AWrongFirstLineKeepsTheDesignsMarkAndNoBackground) {
    Game g(false);
    spit(g.folder.path + "/Kelvore.ini", "背景画=赤\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n");
    g.form.Form_Load();
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::TATAMI));
    EXPECT_EQ(g.form.CurrentBackground, 0) << "the window is tiled with the empty square";
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::BGM));
}

TEST(Settings, ATwoLineFileIsReplacedByTheDefaults) {
    Game g(false);
    spit(g.folder.path + "/Kelvore.ini", "背景画=竹\r\n移動指導=ON\r\n");
    g.form.Form_Load();
    EXPECT_EQ(ini(g), kDefaults);
    EXPECT_EQ(g.form.CurrentBackground, 2);
    EXPECT_EQ(g.form.MoveGuidance, 0);
}

TEST(Settings, EveryOptionChangeRewritesTheFile) {
    Game g;
    g.form.onMenu(MenuItem::TAKE);
    EXPECT_EQ(ini(g), "背景画=竹\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n");
    EXPECT_EQ(g.form.CurrentBackground, 4);
    g.form.onMenu(MenuItem::SIDOU);
    g.form.onMenu(MenuItem::KEIKA);
    g.form.Form_KeyDown(Form1::Key::F1);
    EXPECT_EQ(ini(g), "背景画=竹\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n");
    EXPECT_EQ(g.form.HighlightColor, 15);
    // Choosing the marked background again still rewrites the file and redraws.
    std::remove((g.folder.path + "/Kelvore.ini").c_str());
    g.fake.canvas.clear();
    g.form.onMenu(MenuItem::TAKE);
    EXPECT_EQ(ini(g), "背景画=竹\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n");
    EXPECT_GT(g.fake.canvas.of(DrawOp::Picture).size(), 300u);
    // A restart brings the same options back.
    Game again(false);
    again.form.WorkFolder = g.folder.path;
    again.form.Form_Load();
    EXPECT_EQ(again.form.CurrentBackground, 4);
    EXPECT_EQ(again.form.MoveGuidance, 1);
    EXPECT_FALSE(again.fake.menu.isChecked(MenuItem::BGM));
}

TEST(Settings, AFolderThatCannotBeWrittenKeepsTheRunningOptions) {
    Game g;
    g.form.WorkFolder = "/sys/kelvore-nowhere";
    g.form.onMenu(MenuItem::RENGA);
    g.form.onMenu(MenuItem::SIDOU);
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::RENGA));
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::SIDOU));
    EXPECT_EQ(g.form.CurrentBackground, 6);
    EXPECT_EQ(g.form.MoveGuidance, 1);
}

TEST(Handicap, TenStepsUpLeaveTheUpperSideKingElephantAndPawns) {
    Game g;
    Form1& f = g.form;
    for (int i = 0; i < 10; ++i) f.onMenu(MenuItem::LBEL_UP);
    EXPECT_EQ(f.HandicapLevel, 10);
    for (int x = 1; x <= 9; ++x) {
        EXPECT_EQ(f.Board[x][1], x == 5 ? 950 : 0) << x;
        EXPECT_EQ(f.Board[x][2], x == 5 ? 910 : 0) << x;
        EXPECT_EQ(f.Board[x][3], 10);
    }
    std::string caption;
    for (const auto& op : g.fake.canvas.of(DrawOp::Text)) caption = op.text;
    EXPECT_EQ(caption, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級");
    f.HandicapSet = 0;
    g.fake.canvas.clear();
    f.onMenu(MenuItem::LBEL_UP); // an eleventh step changes nothing but the flag
    EXPECT_EQ(f.HandicapLevel, 10);
    EXPECT_EQ(f.HandicapSet, 1);
    EXPECT_TRUE(g.fake.canvas.of(DrawOp::Picture).empty());
}

TEST(Handicap, UpThenDownRestoresTheStartAndEveryCaptionShows) {
    Game g;
    Form1& f = g.form;
    Game fresh;
    f.onMenu(MenuItem::LBEL_UP);
    EXPECT_EQ(f.Board[8][2], 0);
    f.onMenu(MenuItem::LEBEL_DOWN);
    EXPECT_EQ(std::memcmp(f.Board, fresh.form.Board, sizeof(Map)), 0);
    std::vector<std::string> captions;
    for (const auto& op : g.fake.canvas.of(DrawOp::Text))
        if (op.value == 15) captions.push_back(op.text);
    EXPECT_EQ(captions.back(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
    // Down to the bottom: the lower side loses bishop, rook, lances, knights, silvers, golds.
    for (int i = 0; i < 10; ++i) f.onMenu(MenuItem::LEBEL_DOWN);
    EXPECT_EQ(f.HandicapLevel, -10);
    for (int x = 1; x <= 9; ++x) EXPECT_EQ(f.Board[x][9], x == 5 ? -950 : 0);
    EXPECT_EQ(f.Board[2][8], 0);
    EXPECT_EQ(f.Board[8][8], 0);
    for (int i = 0; i < 10; ++i) f.onMenu(MenuItem::LBEL_UP);
    EXPECT_EQ(std::memcmp(f.Board, fresh.form.Board, sizeof(Map)), 0);
}

TEST(Handicap, RefusedAfterAMoveInRecordModeAndAfterReversal) {
    Game g;
    Form1& f = g.form;
    f.onMenu(MenuItem::START);
    f.Form_MouseDown(1, 0, 1050 + 3 * 495 + 200, 100 + 7 * 615 + 300);
    f.Form_MouseDown(1, 0, 1050 + 3 * 495 + 200, 100 + 6 * 615 + 300);
    ASSERT_EQ(f.KifuCursor, 1);
    g.fake.dialogs.shown.clear();
    f.onMenu(MenuItem::LBEL_UP);
    EXPECT_EQ(f.HandicapLevel, 0);
    EXPECT_EQ(g.fake.dialogs.shown.at(0).prompt, "対局途中ではできません\r\r局面→最初にして下さい");
    f.KifuMode = 1;
    f.onMenu(MenuItem::LEBEL_DOWN);
    EXPECT_EQ(g.fake.dialogs.shown.at(1).prompt, "棋譜ﾓｰﾄﾞではできません\r\r局面→最初にして下さい");
    f.KifuMode = 0;
    f.KifuCursor = 0;
    f.Reversed = 1;
    f.onMenu(MenuItem::LBEL_UP);
    EXPECT_EQ(g.fake.dialogs.shown.at(2).prompt, "反転後ではできません\r\r局面→最初にして下さい");
    EXPECT_EQ(f.HandicapSet, 0);
}

TEST(Sound, BuffersArePlayedForTheirEventsAndFreedInOrder) {
    Game g(false);
    // Four wave files in the sound folder: each gets a buffer.
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"}) {
        std::ofstream(g.folder.path + "/" + name) << "RIFF....WAVE";
    }
    g.form.Form_Load();
    Form1& f = g.form;
    EXPECT_EQ(g.fake.sound.calls.at(0), "dsInitialize");
    EXPECT_EQ(g.fake.sound.calls.at(1), "dsCreateDSB 3");
    EXPECT_EQ(g.fake.sound.calls.at(4), "dsCreateDSB 1") << "the music is loaded to loop";
    EXPECT_TRUE(f.OtherSound && f.ForbiddenSound && f.PieceSound && f.MusicSound);
    g.fake.sound.calls.clear();
    f.onMenu(MenuItem::VER);
    f.onMenu(MenuItem::REPLAY);  // refused: the forbidden sound
    f.onMenu(MenuItem::LBEL_UP); // a handicap step: the piece sound
    f.onMenu(MenuItem::BGM);
    f.onMenu(MenuItem::BGM);
    EXPECT_EQ(g.fake.sound.calls,
              (std::vector<std::string>{"dsPlay " + std::to_string(f.OtherSound),
                                        "dsPlay " + std::to_string(f.ForbiddenSound),
                                        "dsPlay " + std::to_string(f.PieceSound),
                                        "dsStop " + std::to_string(f.MusicSound),
                                        "dsPlayLooping " + std::to_string(f.MusicSound)}));
    g.fake.sound.calls.clear();
    f.onMenu(MenuItem::OWARI);
    EXPECT_EQ(g.fake.sound.calls, (std::vector<std::string>{
                                      "dsFree " + std::to_string(f.OtherSound),
                                      "dsFree " + std::to_string(f.ForbiddenSound),
                                      "dsFree " + std::to_string(f.PieceSound),
                                      "dsFree " + std::to_string(f.MusicSound), "dsTerminate 7"}));
}

TEST(Sound, MissingFilesAndNoDeviceAreSilent) {
    Game g; // no wave files: no buffers, no message
    EXPECT_EQ(g.form.MusicSound, 0);
    EXPECT_TRUE(g.fake.dialogs.shown.empty());
    g.fake.sound.calls.clear();
    g.form.onMenu(MenuItem::BGM);
    EXPECT_EQ(g.fake.sound.calls, (std::vector<std::string>{"dsStop 0"}));
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::BGM));
    EXPECT_NE(ini(g).find("BGM=OFF"), std::string::npos);
}
