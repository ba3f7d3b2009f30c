// The game-record panel: writing the history to a ".棋譜" file and reading one back for
// stepping through it. A refused or failed file operation says why and changes nothing.
#include "Form1.h"
#include "platform/Translate.h"
#include "record/RecordFile.h"
#include "text/Files.h"
#include "text/ShiftJis.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>

namespace kelvore {

namespace {

// The game's window in twips, and the smallest size a header line is shrunk to so as to fit.
constexpr double kWindowWidth = 9000;
constexpr int kSmallestHeaderSize = 6;

std::size_t characters(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

} // namespace

std::string recordWriteError(int error) {
    switch (error) {
    case EACCES:
    case EPERM: return translate("Record", "このフォルダに書き込む許可がありません");
    case ENOSPC:
    case EDQUOT: return translate("Record", "ディスクに空きがありません");
    case ENAMETOOLONG: return translate("Record", "ファイル名が長すぎます");
    case ENOENT:
    case ENOTDIR: return translate("Record", "フォルダが見つかりません");
    case EROFS: return translate("Record", "読み取り専用のディスクです");
    case EINVAL:
    case EILSEQ: return translate("Record", "このファイル名は使えません");
    case EISDIR: return translate("Record", "同じ名前のフォルダがあります");
    case text::kNotARegularFile:
        return translate("Record",
                         "通常のファイルでないもの（FIFO、デバイスなど）には書き込めません");
    default: return translate("Record", "書き込みに失敗しました");
    }
}

namespace {

// Why a record name typed in the panel cannot be used, or nothing. Blanks alone (half- or
// full-width) name no file one could find again, and a line break or other control character
// cannot be typed back into the file list.
std::string 棋譜ファイル名の誤り(std::string_view name) {
    bool onlyBlanks = true;
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F) return translate("Record", "ﾌｧｲﾙ名に改行や制御文字は使えません");
        if (c == ' ') {
            ++i;
        } else if (name.substr(i, 3) == "　") {
            i += 3;
        } else {
            onlyBlanks = false;
            ++i;
        }
    }
    return onlyBlanks ? translate("Record", "ﾌｧｲﾙ名が空白だけです") : "";
}

// Puts recorded moves into the history to be stepped with 進: none applied yet.
void loadMoves(Form1& f, const std::vector<RecordMove>& moves) {
    f.KifuCursor = 0;
    for (const RecordMove& m : moves)
        f.手順保存(m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece, m.PlacedPiece, m.ManTimeBefore,
                   m.ManTimeAfter, m.ComTimeBefore, m.ComTimeAfter);
    for (int i = 1; i <= f.KifuCursor; ++i) f.Kifu.CapturedPiece[i] = moves[i - 1].CapturedPiece;
    const int count = f.KifuCursor;
    f.KifuCursor = 0;
    f.MoveNumber = 0;
    f.KifuLength = count;
}

// A record whose first move is the upper side's is stepped as a game against the computer,
// one the lower side began as a game between two people; the first mover is to move.
void takeSidesOfRecord(Form1& f) {
    if (f.Kifu.MovedPiece[1] >= piece::HU) {
        f.GameMode = f.GameModeCom;
        f.ComTurn = Form1::SENTE;
        f.ManTurn = Form1::GOTE;
    } else {
        f.GameMode = f.GameModeMan;
        f.ComTurn = Form1::GOTE;
        f.ManTurn = Form1::SENTE;
    }
    f.Turn = Form1::SENTE;
}

} // namespace

double Form1::取得_棋譜のX座標(std::string_view 文字) {
    const double L = static_cast<double>(characters(文字));
    return 1050 + ((13 - L) / 5 + 3) * 495;
}

void Form1::KIFU_READ_Click() {
    描画_可視(true, true, true);
    描画_棋譜_IO(1);
}

void Form1::KIFU_WRITE_Click() {
    if (Reversed == 1) {
        p_.dialogs.messageBox(translate("Record", "反転後は書き込みできません"),
                              translate("Record", "棋譜書込"), Buttons::OK);
        return;
    }
    if (HandicapSet == 1) {
        p_.dialogs.messageBox(translate("Record", "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"),
                              translate("Record", "棋譜書込"), Buttons::OK);
        return;
    }
    描画_可視(true, true, false);
    描画_棋譜_IO(0);
}

void Form1::Drive1_Change(const std::string& drive) {
    DIR* d = ::opendir(drive.c_str());
    if (d == nullptr) {
        p_.dialogs.messageBox(translate("Record", "ﾃﾞﾊﾞｲｽが準備できていません"),
                              translate("Record", "ｴﾗｰ"), Buttons::OK);
        return;
    }
    ::closedir(d);
    p_.panel.showFolder(drive);
}

void Form1::Dir1_Change() {
    p_.panel.setFileFolder(p_.panel.folder());
}

std::string Form1::棋譜_本文(std::string_view 対局名, std::string_view 上手,
                             std::string_view 下手) const {
    std::string body;
    body.append(対局名).append("\r\n").append(上手).append("\r\n").append(下手).append("\r\n");
    for (int i = 1; i <= KifuCursor; ++i)
        body += formatMoveLine(Kifu.FromX[i], Kifu.FromY[i], Kifu.ToX[i], Kifu.ToY[i],
                               Kifu.PlacedPiece[i], Kifu.MovedPiece[i], Kifu.CapturedPiece[i],
                               Kifu.ManTimeBefore[i], Kifu.ManTimeAfter[i], Kifu.ComTimeBefore[i],
                               Kifu.ComTimeAfter[i]) +
                "\r\n";
    return body;
}

std::string Form1::書込_棋譜ファイル(const std::string& path, std::string_view 対局名,
                                     std::string_view 上手, std::string_view 下手) const {
    for (std::string_view t : {対局名, 上手, 下手})
        if (t.find_first_of("\r\n") != std::string_view::npos)
            return translate("Record", "名前に改行は使えません");
    const auto bytes = text::toShiftJis(棋譜_本文(対局名, 上手, 下手));
    if (!bytes) return translate("Record", "Shift-JISで書けない文字があります");
    const int error = text::writeFileAtomically(path, *bytes);
    return error == 0 ? std::string() : recordWriteError(error);
}

// The RETURN button: writes the applied moves to <folder>/<name>.棋譜.
void Form1::Command1_Click() {
    const std::string name = p_.panel.fieldText(1);
    if (name.empty()) {
        p_.dialogs.messageBox(translate("Record", "ﾌｧｲﾙ名が入力されていません"), "  ", Buttons::OK);
        return;
    }
    if (KifuCursor < 1) {
        p_.dialogs.messageBox(translate("Record", "保存するデータがありません"),
                              translate("Record", "棋譜保存"), Buttons::OK);
        return;
    }
    if (const std::string why = 棋譜ファイル名の誤り(name); !why.empty()) {
        p_.dialogs.messageBox(why, translate("Record", "棋譜保存"), Buttons::OK);
        return;
    }
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
        name == "." || name == "..") {
        p_.dialogs.messageBox(translate("Record", "ﾌｧｲﾙ名に「/」や「\\」は使えません"),
                              translate("Record", "棋譜保存"), Buttons::OK);
        return;
    }
    if (!text::toShiftJis(name)) {
        p_.dialogs.messageBox(translate("Record", "ﾌｧｲﾙ名にShift-JISで書けない文字があります"),
                              translate("Record", "棋譜保存"), Buttons::OK);
        return;
    }
    std::string folder = p_.panel.folder();
    if (folder.empty()) folder = ".";
    const std::string path = (folder.back() == '/' ? folder : folder + "/") + name + ".棋譜";
    const std::string first = p_.panel.fieldText(3), second = p_.panel.fieldText(4);
    const std::string& upper = ManTurn == 1 ? second : first;
    const std::string& lower = ManTurn == 1 ? first : second;
    const std::string error = 書込_棋譜ファイル(path, p_.panel.fieldText(2), upper, lower);
    if (!error.empty()) {
        p_.dialogs.messageBox(translate("Record", "棋譜を書き込めませんでした\r") + error + "\r" +
                                  path,
                              translate("Record", "棋譜保存"), Buttons::OK, Icon::Warning);
        return;
    }
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    p_.panel.refreshFiles();
    p_.dialogs.messageBox(translate("Record", "棋譜を書き込みました"), "  ", Buttons::OK);
}

// A file chosen in the list: the record is read into record mode, to be stepped with 進.
void Form1::File1_Click(const std::string& path) {
    if (思考中()) {
        // Reading a record replaces the position the computer is thinking about.
        音_禁止();
        return;
    }
    const text::ReadResult file = text::readFile(path, kRecordFileLimit);
    if (file.status == text::ReadStatus::TooLarge) {
        p_.dialogs.messageBox(translate("Record", kRecordTooLarge), translate("Record", "棋譜"),
                              Buttons::OK);
        return;
    }
    if (!file.ok()) {
        p_.dialogs.messageBox(translate("Record", "棋譜ﾌｧｲﾙを開けません\r") + path,
                              translate("Record", "棋譜"), Buttons::OK);
        return;
    }
    const RecordFile record = readRecord(file.bytes);
    if (!record.error.empty()) {
        p_.dialogs.messageBox(record.error, translate("Record", "棋譜"), Buttons::OK);
        return;
    }

    描画_可視(false, false, false);
    初期設定();
    KifuMode = 1;
    for (int i = 0; i < 3; ++i) RecordHeader[i] = record.header[i];

    // Each header line at its place where it fits in the window; otherwise moved in just
    // enough, and printed smaller when it is wider than the whole window.
    auto header = [this](const std::string& text, double x, double y, int colour) {
        int size = 12;
        while (size > kSmallestHeaderSize &&
               p_.canvas.textWidth(text, size, FontBold) > kWindowWidth)
            --size;
        const double width = p_.canvas.textWidth(text, size, FontBold);
        FontSize = size;
        印字(text, std::clamp(x, 0.0, std::max(0.0, kWindowWidth - width)), y, colour);
        FontSize = 12;
    };
    FontSize = 12;
    header(record.header[0], 取得_棋譜のX座標(record.header[0]) - 3000, 6350, ColorLightRed);
    header(record.header[1], 取得_棋譜のX座標(record.header[1]), 100, ColorWhite);
    header(record.header[2], 取得_棋譜のX座標(record.header[2]), 6350, ColorWhite);

    loadMoves(*this, record.moves);
    const int count = KifuLength;

    if (record.damagedAt > 0)
        p_.dialogs.messageBox(
            args(
                translate("Record",
                          "棋譜ﾌｧｲﾙの%1手目が正しくありません\r（%2）\r%3手目までを読み込みました"),
                {std::to_string(record.damagedAt), record.damage, std::to_string(count)}),
            translate("Record", "棋譜"), Buttons::OK, Icon::Warning);
    if (count == 0) {
        tell([](GameListener& l) { l.historyChanged(); });
        p_.dialogs.messageBox(translate("Record", "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"),
                              translate("Record", "棋譜"), Buttons::OK);
        return;
    }
    p_.dialogs.messageBox(translate("Record", " 読み込みました"), translate("Record", "棋譜"),
                          Buttons::OK);
    p_.dialogs.messageBox(translate("Record", "棋譜を '進 'で進めて下さい"),
                          translate("Record", "棋譜"), Buttons::OK);
    takeSidesOfRecord(*this);
    tell([](GameListener& l) { l.historyChanged(); });
}

// A game taken into record mode as reading a record takes it: the position reset, the moves
// waiting for 進, the sides as the first move says; no header and no messages.
void Form1::棋譜モード_開始(const std::vector<RecordMove>& 手順) {
    描画_可視(false, false, false);
    初期設定();
    KifuMode = 1;
    loadMoves(*this, 手順);
    if (KifuLength > 0) takeSidesOfRecord(*this);
    tell([](GameListener& l) { l.historyChanged(); });
}

} // namespace kelvore
