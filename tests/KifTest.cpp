// KIF files written and read: our own files read back to the same game, hand-written ones read,
// bad ones refused with their line named; positions through SFEN and the position check.
#include "kif/Kif.h"
#include "engine/Snapshot.h"
#include "kif/PositionCheck.h"
#include "notation/NotationStyle.h"
#include "notation/Sfen.h"
#include "record/RecordFile.h"

#include "fakes/Files.h"
#include "fakes/RandomGames.h"
#include "fakes/Records.h"

#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace kelvore;
using namespace kelvore::test;

namespace {

// The KIF of a game, read back.
kif::KifRead throughKif(const kif::KifGame& game, kif::Encoding encoding) {
    const auto bytes = kif::encodeKif(kif::writeKif(game, encoding), encoding);
    if (!bytes) return {};
    return kif::readKif(*bytes, encoding);
}

std::string crlf(const std::string& lines) {
    std::string s;
    for (char c : lines) s += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return s;
}

// The diagram of the starting position, as our files draw it.
constexpr const char* kStartDiagram = "  ９ ８ ７ ６ ５ ４ ３ ２ １\n"
                                      "+---------------------------+\n"
                                      "|v香v桂v銀v金v玉v金v銀v桂v香|一\n"
                                      "| ・v飛 ・ ・v象 ・ ・v角 ・|二\n"
                                      "|v歩v歩v歩v歩v歩v歩v歩v歩v歩|三\n"
                                      "| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\n"
                                      "| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\n"
                                      "| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\n"
                                      "| 歩 歩 歩 歩 歩 歩 歩 歩 歩|七\n"
                                      "| ・ 角 ・ ・ 象 ・ ・ 飛 ・|八\n"
                                      "| 香 桂 銀 金 玉 金 銀 桂 香|九\n"
                                      "+---------------------------+\n";

} // namespace

// KIF is a Japanese format: a player who reads the moves in Western notation still writes it
// in Japanese, while the move list of the same game reads in Western notation.
TEST(Kif, StaysJapaneseWithTheWesternNotationChosen) {
    Game g;
    playShortGame(g);
    const auto game = recordOfHistory(g.form);
    ASSERT_TRUE(game.has_value());
    const kif::KifGame k{*game, "", 0, {}};
    const std::string japanese = kif::writeKif(k, kif::Encoding::Utf8);
    notation::setStyle(notation::Style::Western);
    const std::string written = kif::writeKif(k, kif::Encoding::Utf8);
    const std::string listed = moveTextOf(*game, 3);
    notation::setStyle(notation::Style::Japanese);
    EXPECT_EQ(written, japanese);
    EXPECT_NE(written.find("   4 同　銀(31)"), std::string::npos);
    EXPECT_EQ(listed, "△Sx2b");
    EXPECT_EQ(moveTextOf(*game, 3), "△同　銀(31)");
}

TEST(Kif, OurFileReadsByEyeAndBackToTheSameGame) {
    Game g;
    playShortGame(g);
    auto game = recordOfHistory(g.form);
    ASSERT_TRUE(game.has_value());
    game->title = "練習";
    game->lowerPlayer = "下の人";
    game->upperPlayer = "上の人";
    kif::KifGame k{*game, "2024/05/01 10:00:00", 0, {{"場所", "道場"}}};
    const std::string text = kif::writeKif(k, kif::Encoding::Utf8);
    EXPECT_EQ(text, crlf(std::string("#KIF version=2.0 encoding=UTF-8\n"
                                     "# ---- Kelvore " KELVORE_VERSION " 棋譜ファイル ----\n"
                                     "開始日時：2024/05/01 10:00:00\n"
                                     "棋戦：練習\n"
                                     "場所：道場\n"
                                     "手合割：その他\n"
                                     "先手：下の人\n"
                                     "後手：上の人\n"
                                     "後手の持駒：なし\n") +
                         kStartDiagram +
                         "先手の持駒：なし\n"
                         "手数----指手---------消費時間--\n"
                         "   1 ７六歩(77)   ( 0:05/00:00:05)\n"
                         "   2 ３四歩(33)   ( 0:05/00:00:05)\n"
                         "   3 ２二角成(88) ( 0:05/00:00:10)\n"
                         "   4 同　銀(31)   ( 0:05/00:00:10)\n"
                         "   5 ５五角打     ( 0:07/00:00:17)\n"
                         "   6 ５四角打     ( 0:03/00:00:13)\n"
                         // The upper side's drop was clicked on its hand row, which KIF
                         // cannot say: our comment keeps the record line.
                         "#記録 6 -1254 800 800   0   17   17   10   13\n"));

    for (const kif::Encoding e : {kif::Encoding::Utf8, kif::Encoding::ShiftJis}) {
        const kif::KifRead back = throughKif(k, e);
        ASSERT_TRUE(back.game.has_value()) << back.message();
        EXPECT_EQ(back.game->startedAt, k.startedAt);
        EXPECT_EQ(back.game->otherHeaders, k.otherHeaders);
        EXPECT_EQ(back.game->game.title, "練習");
        EXPECT_EQ(back.game->game.lowerPlayer, "下の人");
        EXPECT_EQ(back.game->game.upperPlayer, "上の人");
        ASSERT_EQ(back.game->game.moves.size(), 6u);
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(formatMoveLine(back.game->game.moves[i]), formatMoveLine(game->moves[i]))
                << i;
    }
    // Shift-JIS with CR LF, and the file name decides the encoding.
    const auto sjis =
        kif::encodeKif(kif::writeKif(k, kif::Encoding::ShiftJis), kif::Encoding::ShiftJis);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_EQ(text::fromShiftJis(*sjis)->substr(0, 38), "#KIF version=2.0 encoding=Shift_JIS\r\n#");
    EXPECT_EQ(kif::encodingOfPath("a/対局.KIF"), kif::Encoding::ShiftJis);
    EXPECT_EQ(kif::encodingOfPath("対局.kifu"), kif::Encoding::Utf8);
    EXPECT_FALSE(kif::encodingOfPath("対局.棋譜").has_value());
}

// A match's end and its time control: the move column and the end line as KIF programs write
// them, and back.
TEST(Kif, ResignationsLossesOnTimeAndAdjournmentsAreWrittenAndReadBack) {
    Game g;
    playShortGame(g);
    auto game = recordOfHistory(g.form);
    ASSERT_TRUE(game.has_value());
    kif::KifGame k{*game, "", 0, {{"持ち時間", "10分+30秒"}}};
    struct Case {
        GameEnd end;
        const char* lines;
    };
    const Case cases[] = {
        {{Ending::Resigned, 1, 6}, "   7 投了\nまで6手で後手の勝ち\n"},
        {{Ending::TimeUp, -1, 6}, "   7 切れ負け\nまで6手で時間切れにより先手の勝ち\n"},
        {{Ending::Adjourned, 0, 6}, "   7 中断\nまで6手で中断\n"},
    };
    for (const Case& c : cases) {
        k.game.end = c.end;
        const std::string text = kif::writeKif(k, kif::Encoding::Utf8);
        EXPECT_NE(text.find("持ち時間：10分+30秒\r\n"), std::string::npos);
        EXPECT_NE(text.find("( 0:03/00:00:13)\r\n" + crlf(c.lines)), std::string::npos) << text;
        const kif::KifRead back = throughKif(k, kif::Encoding::ShiftJis);
        ASSERT_TRUE(back.game.has_value()) << back.message();
        EXPECT_EQ(back.game->game.end.how, c.end.how);
        EXPECT_EQ(back.game->game.end.winner, c.end.winner);
        EXPECT_EQ(back.game->game.end.afterMoves, 6);
        EXPECT_EQ(back.game->winner, c.end.winner);
        EXPECT_EQ(back.game->game.moves.size(), 6u) << "the game read ends there";
        EXPECT_EQ(back.game->otherHeaders, k.otherHeaders);
    }
    // An end line alone says an adjournment too.
    k.game.end = {};
    std::string text = kif::writeKif(k, kif::Encoding::Utf8);
    text += "まで6手で中断\r\n";
    const kif::KifRead alone = kif::readKif(text, kif::Encoding::Utf8);
    ASSERT_TRUE(alone.game.has_value()) << alone.message();
    EXPECT_EQ(alone.game->game.end.how, Ending::Adjourned);
}

TEST(Kif, RandomGamesGoFromRecordsToKifAndBackUnchanged) {
    std::mt19937 rng(20);
    Coverage seen;
    for (int n = 0; n < 48; ++n) {
        RandomGame spec;
        spec.mode = static_cast<RandomGame::Mode>(n % 3);
        spec.handicapSteps = n % 4 == 3 ? static_cast<int>(rng() % 7) - 3 : 0;
        spec.plies = 40 + static_cast<int>(rng() % 160);
        spec.level = 1 + n % 3;
        Game g;
        playRandomGame(g, spec, rng);
        Form1& f = g.form;
        countGame(f, spec, seen);

        // The history as KIF and back: the start, every record line and the end.
        auto game = recordOfHistory(f);
        ASSERT_TRUE(game.has_value()) << n;
        game->title = "対局 " + std::to_string(n);
        game->upperPlayer = n % 2 ? "上手" : "";
        game->lowerPlayer = "下手　さん";
        const kif::KifGame k{*game, "2024/01/02 03:04:05", 0, {}};
        for (const kif::Encoding e : {kif::Encoding::ShiftJis, kif::Encoding::Utf8}) {
            const kif::KifRead back = throughKif(k, e);
            ASSERT_TRUE(back.game.has_value()) << n << ": " << back.message();
            const GameRecord& r = back.game->game;
            EXPECT_TRUE(engine::samePosition(r.start, game->start)) << n;
            EXPECT_EQ(r.title, game->title);
            EXPECT_EQ(r.upperPlayer, game->upperPlayer);
            EXPECT_EQ(r.lowerPlayer, game->lowerPlayer);
            ASSERT_EQ(r.moves.size(), game->moves.size()) << n;
            for (std::size_t i = 0; i < r.moves.size(); ++i)
                ASSERT_EQ(formatMoveLine(r.moves[i]), formatMoveLine(game->moves[i]))
                    << n << " " << i;
            EXPECT_EQ(back.game->winner, kif::winnerByCapture(*game)) << n;
        }

        // A record file through KIF gives the very same bytes, in both encodings.
        if (f.HandicapSet == 1) continue;
        const std::string path = g.folder.path + "/a.棋譜";
        ASSERT_EQ(f.書込_棋譜ファイル(path, "対局", "上の人", "下の人"), "");
        const std::string bytes = slurp(path);
        const RecordFile record = readRecord(bytes);
        ASSERT_EQ(record.error, "");
        ASSERT_EQ(record.damagedAt, 0);
        const kif::KifGame fromFile{recordOfFile(record), "", 0, {}};
        for (const kif::Encoding e : {kif::Encoding::ShiftJis, kif::Encoding::Utf8}) {
            const kif::KifRead back = throughKif(fromFile, e);
            ASSERT_TRUE(back.game.has_value()) << n << ": " << back.message();
            EXPECT_EQ(text::toShiftJis(recordText(back.game->game)), bytes) << n;
        }
    }
    EXPECT_EQ(seen.missing(), "") << "the games held what the round trips must carry";
}

TEST(Kif, TheRecordsOfTheFuzzCorporaGoThroughKifUnchanged) {
    // Every record the fuzz targets keep: whole files for the reader, and behind six control
    // bytes for the record played on. What a record file holds of them comes back unchanged.
    int games = 0;
    for (const auto& [folder, skip] : {std::pair<const char*, std::size_t>{"record", 0},
                                       std::pair<const char*, std::size_t>{"recordplay", 6}}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::string(KELVORE_FUZZ_CORPUS) + "/" + folder)) {
            const std::string bytes = slurp(entry.path().string());
            if (bytes.size() < skip) continue;
            const RecordFile record = readRecord(std::string_view(bytes).substr(skip));
            if (!record.error.empty()) continue;
            const kif::KifGame game{recordOfFile(record), "", 0, {}};
            const std::string expected = recordText(game.game);
            for (const kif::Encoding e : {kif::Encoding::ShiftJis, kif::Encoding::Utf8}) {
                const kif::KifRead back = throughKif(game, e);
                ASSERT_TRUE(back.game.has_value()) << entry.path() << ": " << back.message();
                EXPECT_EQ(recordText(back.game->game), expected) << entry.path();
            }
            ++games;
        }
    }
    EXPECT_GT(games, 50);
}

TEST(Kif, AHandWrittenFileReads) {
    // Keys in another order, an unknown key, comments, ▲/△, no times, 同 without its blank, a
    // move without its origin, the upper side moving first, a resignation and the end.
    const std::string text = std::string("# 手で書いた棋譜\n"
                                         "後手：上の人\n"
                                         "場所：将棋会館\n"
                                         "先手：下の人\n"
                                         "手合割：その他\n") +
                             kStartDiagram +
                             "後手番\n"
                             "表題：練習対局\n"
                             "1 △３四歩\n"
                             "*角道を開ける\n"
                             "2 ▲７六歩(77)\n"
                             "&しおり\n"
                             "3 △８八角成(22)\n"
                             "4 ▲同銀\n"
                             "5 △５五角打\n"
                             "6 ▲投了\n"
                             "まで5手で後手の勝ち\n";
    for (const kif::Encoding e : {kif::Encoding::Utf8, kif::Encoding::ShiftJis}) {
        const std::string bytes = e == kif::Encoding::Utf8 ? text : *text::toShiftJis(text);
        const kif::KifRead r = kif::readKif(bytes, e);
        ASSERT_TRUE(r.game.has_value()) << r.message();
        const GameRecord& g = r.game->game;
        EXPECT_EQ(g.title, "練習対局");
        EXPECT_EQ(g.upperPlayer, "上の人");
        EXPECT_EQ(g.lowerPlayer, "下の人");
        EXPECT_EQ(r.game->otherHeaders,
                  (std::vector<std::pair<std::string, std::string>>{{"場所", "将棋会館"}}));
        EXPECT_TRUE(isStandardStart(g.start));
        EXPECT_EQ(g.start.sideToMove, 1);
        EXPECT_EQ(r.game->winner, 1);
        EXPECT_EQ(recordLines(g),
                  (std::vector<std::string>{" 7374  10  10   0    0    0    0    0",
                                            " 3736 -10 -10   0    0    0    0    0",
                                            " 8228 801 800-800    0    0    0    0",
                                            " 3928-100-100 801    0    0    0    0",
                                            "-1655 800 800   0    0    0    0    0"}));
    }
}

TEST(Kif, MovesFromADiagramWithTimesPromotionsAndTheirRefusal) {
    // The lower side's silver may stay unpromoted, its elephant becomes the prince; the times
    // give both sides' clocks.
    const std::string head = "手合割：その他\n"
                             "後手の持駒：歩二\n"
                             "  ９ ８ ７ ６ ５ ４ ３ ２ １\n" +
                             kifDiagram("4k4/9/9/3E1S3/9/9/9/9/4K4") +
                             "先手の持駒：金　歩\n"
                             "手数----指手---------消費時間--\n";
    const kif::KifRead r = kif::readKif(head + "   1 ４三銀不成(44)   ( 1:05/00:01:05)\n"
                                               "   2 ２二歩打   ( 0:10/00:00:10)\n"
                                               "   3 ６三象成(64)   ( 0:20/00:01:25)\n"
                                               "   4 ５二玉(51)   ( 0:01/00:00:11)\n"
                                               "   5 ５三金打   ( 0:02/00:01:27)\n",
                                        kif::Encoding::Utf8);
    ASSERT_TRUE(r.game.has_value()) << r.message();
    EXPECT_EQ(recordLines(r.game->game),
              (std::vector<std::string>{
                  " 6463-100-100   0    0   65    0    0", "-1182  10  10   0   65   65    0   10",
                  " 4443-911-910   0   65   85   10   10", " 5152 950 950   0   85   85   10   11",
                  "11753-110-110   0   85   87   11   11"}));
    EXPECT_EQ(r.game->game.start.lowerHand[5], 1);
    EXPECT_EQ(r.game->game.start.upperHand[1], 2);

    // Without its origin a move is read only when one piece alone can make it.
    const kif::KifRead two = kif::readKif(head + "   1 ４三銀\n", kif::Encoding::Utf8);
    ASSERT_TRUE(two.game.has_value()) << two.message();
    EXPECT_EQ(formatMoveLine(two.game->game.moves[0]), " 6463-100-100   0    0    0    0    0");
    const kif::KifRead noOne = kif::readKif(head + "   1 ６二銀\n", kif::Encoding::Utf8);
    EXPECT_FALSE(noOne.game.has_value());
    EXPECT_EQ(noOne.line, 17);
    EXPECT_EQ(noOne.error, "その駒はそこへ動けません");
}

TEST(Kif, BadFilesAreRefusedWithTheirLineNamed) {
    Game g;
    playShortGame(g);
    const kif::KifGame k{*recordOfHistory(g.form), "", 0, {}};
    const std::string good = kif::writeKif(k, kif::Encoding::Utf8);
    ASSERT_TRUE(kif::readKif(good, kif::Encoding::Utf8).game.has_value());
    // The lines of our file: 1 and 2 comments, 3 手合割, 4 先手, 5 後手, 6 後手の持駒, 7 the
    // files' numbers, 8 the frame, 9..17 the ranks, 18 the frame, 19 先手の持駒, 20 the
    // heading of the moves, 21.. the moves.
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string s = good;
        const std::size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return s.replace(at, from.size(), to);
    };
    struct Case {
        std::string bytes;
        int line;
        std::string error; // a part of the message
    };
    const Case cases[] = {
        {replaced("２二角成(88)", "２三角成(88)"), 23, "その駒はそこへ動けません"},
        {replaced("７六歩(77)", "７六金(77)"), 21, "駒の名前が盤面と合いません"},
        {replaced("| ・v飛 ・ ・v象", "| ・v飛 ・v玉v象"), 8, "後手の玉が二枚以上あります"},
        {replaced("|v香v桂", "| 歩v桂"), 9, "行き所のない駒があります（９一歩）"},
        {replaced("|v歩v歩v歩v歩v歩v歩v歩v歩v歩|三", "|v歩v歩v歩"), 11, "途中で切れています"},
        {replaced("   5 ５五角打     ( 0:07/00:00:17)", "   5 ５五"), 25,
         "指し手が途中で切れています"},
        {replaced(" ( 0:05/00:00:10)\r\n   4", " ( 0:05/00:00\r\n   4"), 23, "消費時間"},
        {replaced("   4 同　銀", "   5 同　銀"), 24, "手数が順に並んでいません"},
        {replaced("先手の持駒：なし", "先手の持駒：なし\r\n後手番"), 22, "後手の駒がありません"},
        {replaced("   1 ７六歩", "   1 △７六歩"), 21, "先手の番なのに△の指し手です"},
        {replaced("先手：", "先手：\x81\x7F"), 4, "UTF-8として読めない"},
        {"手合割：平手\r\n先手：a\r\n後手：b\r\n   1 ７六歩(77)\r\n", 1, "本将棋（手合割：平手）"},
        {"先手：a\r\n   1 ７六歩(77)\r\n", 2, "本将棋（手合割：平手）"},
        {"手合割：香落ち\r\n", 1, "本将棋の駒落ち"},
        {"これは棋譜ではありません\r\n", 1, "読めない行です"},
    };
    for (const Case& c : cases) {
        const kif::KifRead r = kif::readKif(c.bytes, kif::Encoding::Utf8);
        EXPECT_FALSE(r.game.has_value()) << c.error;
        EXPECT_EQ(r.line, c.line) << r.message();
        EXPECT_NE(r.error.find(c.error), std::string::npos) << r.message();
        EXPECT_EQ(r.message().rfind(std::to_string(c.line) + "行目：", 0), 0u) << r.message();
    }
    // Shift-JIS bytes that do not decode, on line 3 of a ".kif".
    std::string sjis = *text::toShiftJis(kif::writeKif(k, kif::Encoding::ShiftJis));
    sjis.replace(sjis.find("\r\n", sjis.find("\r\n") + 2) + 2, 0, "*\x81\x20\r\n");
    const kif::KifRead r = kif::readKif(sjis, kif::Encoding::ShiftJis);
    EXPECT_FALSE(r.game.has_value());
    EXPECT_EQ(r.line, 3);
    EXPECT_EQ(r.error, "Shift-JISとして読めない文字があります");
}

// Our own export saved with CR line ends (as old Mac editors write) was refused as "a
// standard-shogi KIF with no diagram" at line 1: the reader took the whole file for one comment
// line. CR LF, LF and a lone CR all end lines, in the KIF reader and the record reader alike.
TEST(Kif, CrLfLfAndCrLineEndsAllReadTheSameGame) {
    Game g;
    playShortGame(g);
    const GameRecord game = *recordOfHistory(g.form);
    auto ended = [](std::string text, std::string_view end) {
        for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;
             at += end.size())
            text.replace(at, 2, end);
        return text;
    };
    auto expectTheGame = [&](const std::vector<RecordMove>& moves, std::string_view how) {
        ASSERT_EQ(moves.size(), game.moves.size()) << how;
        for (std::size_t i = 0; i < moves.size(); ++i)
            EXPECT_EQ(formatMoveLine(moves[i]), formatMoveLine(game.moves[i])) << how << " " << i;
    };
    const kif::KifGame k{game, "2024/05/01 10:00:00", 0, {}};
    for (const kif::Encoding e : {kif::Encoding::Utf8, kif::Encoding::ShiftJis}) {
        const std::string text = kif::writeKif(k, e);
        for (const std::string_view end : {"\r\n", "\n", "\r"}) {
            const kif::KifRead r = kif::readKif(*kif::encodeKif(ended(text, end), e), e);
            ASSERT_TRUE(r.game.has_value()) << r.message();
            EXPECT_EQ(r.game->startedAt, "2024/05/01 10:00:00");
            expectTheGame(r.game->game.moves, "KIF");
        }
    }
    // The record, and a file whose lines end each way in turn.
    const std::string record = *text::toShiftJis(recordText(game));
    for (const std::string_view end : {"\n", "\r"}) {
        const RecordFile r = readRecord(ended(record, end));
        ASSERT_TRUE(r.error.empty()) << r.error;
        EXPECT_EQ(r.header[2], game.lowerPlayer);
        expectTheGame(r.moves, "record");
    }
    const std::string mixed = "a\rb\nc\r\n\rd";
    EXPECT_EQ(text::splitLines(mixed), (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(text::lineNumberAt(mixed, mixed.find('d')), 5);
}

// A 16 MiB ".kif" of line feeds alone took seconds and gigabytes to be refused: every line
// was held twice and each opened its own Shift-JIS converter. The file is now decoded once and
// refused where its first 500 lines have begun no diagram (bench/KifBench.cpp measures it).
TEST(Kif, AFileOfBlankLinesIsRefusedAfterItsLeadingLines) {
    const kif::KifRead blank =
        kif::readKif(std::string(kif::kKifFileLimit, '\n'), kif::Encoding::ShiftJis);
    EXPECT_FALSE(blank.game.has_value());
    EXPECT_EQ(blank.message(), "始めの500行に局面図も指し手もありません");
    for (const std::string& few : {std::string(), std::string(20, '\n'), std::string("*\r\n")}) {
        const kif::KifRead r = kif::readKif(few, kif::Encoding::Utf8);
        EXPECT_FALSE(r.game.has_value());
        EXPECT_EQ(r.message(), "局面図も指し手もありません") << "not a KIF of standard shogi";
    }

    // Our file's frame is its 8th line: after 492 blank lines it begins on line 500, in time;
    // after 493 it does not.
    Game g;
    playShortGame(g);
    const std::string ours =
        kif::writeKif({*recordOfHistory(g.form), "", 0, {}}, kif::Encoding::Utf8);
    ASSERT_EQ(text::splitLines(ours)[7].substr(0, 4), "+---");
    const kif::KifRead inTime = kif::readKif(std::string(492, '\n') + ours, kif::Encoding::Utf8);
    ASSERT_TRUE(inTime.game.has_value()) << inTime.message();
    EXPECT_EQ(inTime.game->game.moves.size(), 6u);
    const kif::KifRead late = kif::readKif(std::string(493, '\n') + ours, kif::Encoding::Utf8);
    EXPECT_EQ(late.message(), "496行目：手合割が「その他」なのに局面図がありません");
}

TEST(Kif, PositionsFromGamesPassTheCheckAndComeBackFromSfen) {
    std::mt19937 rng(7);
    int positions = 0;
    for (int n = 0; n < 12; ++n) {
        RandomGame spec;
        spec.handicapSteps = n % 3 == 0 ? 2 : 0;
        spec.plies = 150;
        Game g;
        playRandomGame(g, spec, rng);
        const auto game = recordOfHistory(g.form);
        ASSERT_TRUE(game.has_value());
        int moveNumber = 1;
        for (const engine::GameSnapshot& p : positionsOf(*game)) {
            // A position after the last royal piece of a side was taken ends the game: no
            // game can be played from it.
            bool royal[2] = {};
            for (const auto& column : p.board)
                for (int c : column) {
                    if (c == -950 || c == -911) royal[0] = true;
                    if (c == 950 || c == 911) royal[1] = true;
                }
            EXPECT_EQ(kif::positionError(p), !royal[0]   ? "先手に玉も太子もありません"
                                             : !royal[1] ? "後手に玉も太子もありません"
                                                         : "")
                << notation::formatSfen(p, moveNumber);
            std::string error;
            const auto parsed = notation::parseSfen(notation::formatSfen(p, moveNumber), error);
            ASSERT_TRUE(parsed.has_value()) << error;
            EXPECT_TRUE(engine::samePosition(notation::snapshotOf(*parsed), p));
            EXPECT_EQ(parsed->moveNumber, moveNumber);
            ++moveNumber;
            ++positions;
        }
    }
    EXPECT_GT(positions, 500);
}

TEST(Kif, ThePositionCheckRefusesWhatNoGameCanHold) {
    auto check = [](const char* sfen) {
        std::string error;
        const auto p = notation::parseSfen(sfen, error);
        EXPECT_TRUE(p.has_value()) << error;
        return p ? kif::positionError(notation::snapshotOf(*p)) : error;
    };
    EXPECT_EQ(check(notation::kStartSfen), "");
    EXPECT_EQ(check("4k4/9/9/9/9/9/9/9/4+E4 w - 1"), "") << "a prince alone is a royal piece";
    EXPECT_EQ(check("4k4/9/9/9/9/9/9/9/3K1K3 b - 1"), "先手の玉が二枚以上あります");
    EXPECT_EQ(check("4k4/9/9/9/9/9/9/9/4E4 b - 1"), "先手に玉も太子もありません");
    EXPECT_EQ(check("4k4/4e4/4+e4/9/9/9/9/9/4K4 b - 1"),
              "後手の象と太子が合わせて二枚以上あります");
    EXPECT_EQ(check("4k4/9/9/9/9/9/9/9/4K4 b 18Pp 1"), "歩が18枚より多くあります");
    EXPECT_EQ(check("4k4/9/9/9/9/9/9/9/4K4 b 3R 1"), "飛が2枚より多くあります");
    EXPECT_EQ(check("4k4/9/9/9/9/4P4/4P4/9/4K4 b - 1"), "先手の二歩があります（5筋）");
    EXPECT_EQ(check("N3k4/9/9/9/9/9/9/9/4K4 b - 1"), "行き所のない駒があります（９一桂）");
    EXPECT_EQ(check("4k4/N8/9/9/9/9/9/9/4K4 b - 1"), "行き所のない駒があります（９二桂）");
    EXPECT_EQ(check("4k4/9/9/9/9/9/9/9/l3K4 b - 1"), "行き所のない駒があります（９九香）");
    EXPECT_EQ(check("4k4/9/9/9/9/9/9/9/4K3+p b - 1"), "") << "a tokin may stand anywhere";
}
