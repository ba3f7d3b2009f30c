// kelvore-usi's kifu export and kifu import: records to KIF and back, for scripts.
#include "fakes/Files.h"
#include "fakes/Harness.h"
#include "fakes/Talk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace kelvore;
using namespace kelvore::test;

TEST(KifuConvert, ARecordGoesToKifAndBackByteForByte) {
    TempFolder dir;
    usi::Protocol e;
    say(e, "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*5e 5c5d 5e3c+ 2b3c");
    const std::string record = dir.path + "/対局.棋譜";
    ASSERT_EQ(say(e, "kifu write " + record + " 練習|上の人|下の人"),
              "kifu written " + record + "\n");
    for (const char* name : {"/a.kif", "/a.kifu", "/b.KIF"}) {
        const std::string kif = dir.path + name;
        EXPECT_EQ(say(e, "kifu export " + record + " " + kif),
                  "kifu exported " + kif + " moves 8\n");
        const std::string back = dir.path + "/back.棋譜";
        EXPECT_EQ(say(e, "kifu import " + kif + " " + back),
                  "kifu imported " + back + " moves 8\n");
        EXPECT_EQ(slurp(back), slurp(record)) << name;
    }
    // The KIF reads by eye: the eighth move takes back on the same square.
    const std::string kifu = slurp(dir.path + "/a.kifu");
    EXPECT_NE(kifu.find("   7 ３三角成(55) ( 0:00/00:00:00)\r\n"
                        "   8 同　銀(22)   ( 0:00/00:00:00)\r\n"),
              std::string::npos)
        << kifu;
}

TEST(KifuConvert, WhatCannotBeConvertedIsRefusedAndNothingIsWritten) {
    TempFolder dir;
    usi::Protocol e;
    say(e, "position startpos moves 7g7f");
    const std::string record = dir.path + "/r.棋譜";
    ASSERT_EQ(say(e, "kifu write " + record + " a|b|c"), "kifu written " + record + "\n");
    const std::string out = dir.path + "/out.棋譜";

    EXPECT_EQ(say(e, "kifu export " + record + " " + dir.path + "/a.txt"),
              "info string kifu export writes a .kif (Shift-JIS) or .kifu (UTF-8) file\n");
    EXPECT_EQ(say(e, "kifu export " + dir.path + "/none.棋譜 " + dir.path + "/a.kif"),
              "info string cannot open " + dir.path + "/none.棋譜\n");
    EXPECT_EQ(say(e, "kifu export " + record),
              "info string usage: kifu export <record> <file.kif|file.kifu> | kifu import "
              "<file.kif|file.kifu> <record>\n");

    // A KIF from another position than the start cannot become a record file.
    const std::string kings = "手合割：その他\r\n"
                              "+---------------------------+\r\n"
                              "| ・ ・ ・ ・v玉 ・ ・ ・ ・|一\r\n"
                              "| ・ ・ ・ ・ ・ ・ ・ ・ ・|二\r\n"
                              "| ・ ・ ・ ・ ・ ・ ・ ・ ・|三\r\n"
                              "| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\r\n"
                              "| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\r\n"
                              "| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\r\n"
                              "| ・ ・ ・ ・ ・ ・ ・ ・ ・|七\r\n"
                              "| ・ ・ ・ ・ ・ ・ ・ ・ ・|八\r\n"
                              "| ・ ・ ・ ・ 玉 ・ ・ ・ ・|九\r\n"
                              "+---------------------------+\r\n";
    const std::string elsewhere = dir.path + "/elsewhere.kifu";
    spitBytes(elsewhere, kings + "   1 ５八玉(59)\r\n");
    EXPECT_EQ(say(e, "kifu import " + elsewhere + " " + out),
              "info string the KIF starts from another position than the starting position, "
              "which a record file cannot hold: nothing written\n");
    // A bad move names its line.
    const std::string bad = dir.path + "/bad.kifu";
    spitBytes(bad, kings + "   1 ５七玉(59)\r\n");
    EXPECT_EQ(say(e, "kifu import " + bad + " " + out),
              "info string 13行目：その駒はそこへ動けません\n");
    const std::string standard = dir.path + "/standard.kif";
    spitBytes(standard, "   1 ７六歩(77)\r\n");
    EXPECT_EQ(say(e, "kifu import " + standard + " " + out).rfind("info string 1行目：", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(out));
}
