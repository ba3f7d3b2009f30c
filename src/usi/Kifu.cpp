// The kifu commands: reading a record file into the position and writing the game as one;
// `kifu export` and `kifu import` are in KifuConvert.cpp, `kifu analyse` in Analyse.cpp.
#include "Protocol.h"

#include "KifuConvert.h"
#include "record/RecordFile.h"
#include "text/Files.h"
#include "text/Utf8.h"

#include <ostream>
#include <sstream>

namespace kelvore::usi {

std::optional<RecordFile> readRecordFile(const std::string& path, std::ostream& out) {
    // A FIFO, a folder or a device is refused at once, like a file that cannot be read.
    const text::ReadResult file = text::readFile(path, kRecordFileLimit);
    if (file.status == text::ReadStatus::TooLarge) {
        out << "info string " << kRecordTooLarge << "\n";
        return std::nullopt;
    }
    if (!file.ok()) {
        out << "info string cannot open " << text::printable(path) << "\n";
        return std::nullopt;
    }
    RecordFile record = readRecord(file.bytes);
    if (!record.error.empty()) {
        out << "info string " << text::printable(record.error) << "\n";
        return std::nullopt;
    }
    return record;
}

// kifu read <path> | kifu write <path> <game name>|<upper player>|<lower player> |
// kifu analyse <record|kif> [<ms> | depth <n> | nodes <n>] [to <kif>] (in Analyse.cpp) |
// kifu export <record> <file.kif|file.kifu> | kifu import <file.kif|file.kifu> <record>
void Protocol::kifu(const std::vector<std::string>& w, const std::string& line, std::ostream& out) {
    if (convertKifu(w, out)) return;
    if (w.size() >= 3 && w[1] == "analyse") {
        analyseKifu(w, line, out);
        return;
    }
    if (w.size() >= 3 && w[1] == "read") {
        const std::string path = line.substr(line.find(w[2], line.find("read") + 4));
        const std::optional<RecordFile> read = readRecordFile(path, out);
        if (!read) return;
        const RecordFile& record = *read;
        if (stopRequested()) {
            out << "info string kifu read stopped; the position is as it was\n";
            return;
        }
        std::ostringstream ignored;
        handle("position startpos", ignored);
        if (!record.moves.empty()) side_ = record.moves[0].MovedPiece < 0 ? -1 : 1;
        form_.Turn = side_ < 0 ? form_.ManTurn : form_.ComTurn;
        std::string list;
        std::size_t played = 0;
        for (const RecordMove& r : record.moves) {
            if (stopRequested()) break; // the position stays after the moves played so far
            ++played;
            const Move m = moveOf(r);
            const std::string text = notation::formatUsiMove(m);
            list += " " + text;
            moves_.push_back(text);
            playMove(m);
        }
        form_.調査_2歩フラグ設定();
        out << "kifu name " << record.header[0] << "\n"
            << "kifu upper " << record.header[1] << "\n"
            << "kifu lower " << record.header[2] << "\n"
            << "kifu moves" << list << "\n";
        if (played < record.moves.size())
            out << "info string kifu read stopped after " << played << " of " << record.moves.size()
                << " moves\n";
        else if (record.damagedAt > 0)
            out << "info string move " << record.damagedAt << " does not fit the position ("
                << record.damage << "); " << record.moves.size() << " moves read\n";
        return;
    }
    if (w.size() >= 3 && w[1] == "write") {
        if (!fromStart_) {
            out << "info string kifu write needs a position from startpos: a record always "
                   "starts from the starting position\n";
            return;
        }
        const std::size_t at = line.find(w[2], line.find("write") + 5);
        const std::string path = w[2];
        std::string rest = line.substr(at + path.size());
        while (!rest.empty() && rest.front() == ' ') rest.erase(rest.begin());
        std::string part[3];
        int n = 0;
        for (char c : rest) {
            if (c == '|' && n < 2)
                ++n;
            else
                part[n] += c;
        }
        const std::string error = form_.書込_棋譜ファイル(path, part[0], part[1], part[2]);
        if (!error.empty()) {
            out << "info string cannot write the record: " << text::printable(error) << "\n";
            return;
        }
        out << "kifu written " << text::printable(path) << "\n";
        return;
    }
    out << "info string usage: kifu read <path> | kifu write <path> <name>|<upper>|<lower> | "
           "kifu export <record> <file.kif|file.kifu> | kifu import <file.kif|file.kifu> "
           "<record>\n";
}

} // namespace kelvore::usi
