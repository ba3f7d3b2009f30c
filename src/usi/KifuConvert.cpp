#include "KifuConvert.h"

#include "kif/Kif.h"
#include "record/RecordFile.h"
#include "text/Files.h"
#include "text/ShiftJis.h"
#include "text/Utf8.h"

#include <cstring>

namespace kelvore::usi {

namespace {

std::string shown(const std::string& path) {
    return text::printable(path);
}

// Reads a whole file for a conversion, or says why not.
bool readWhole(const std::string& path, std::size_t limit, std::string& bytes, std::ostream& out) {
    const text::ReadResult file = text::readFile(path, limit);
    if (file.status == text::ReadStatus::TooLarge) {
        out << "info string " << shown(path) << " is too large\n";
        return false;
    }
    if (!file.ok()) {
        out << "info string cannot open " << shown(path) << "\n";
        return false;
    }
    bytes = file.bytes;
    return true;
}

bool writeWhole(const std::string& path, const std::string& bytes, std::ostream& out) {
    const int error = text::writeFileAtomically(path, bytes);
    if (error != 0) {
        out << "info string cannot write " << shown(path) << ": " << text::saveErrorText(error)
            << "\n";
        return false;
    }
    return true;
}

// The encoding a KIF file's name gives it; nothing, said on `out`, when it names none.
std::optional<kif::Encoding> kifEncoding(const std::string& path, const char* use,
                                         std::ostream& out) {
    const std::optional<kif::Encoding> encoding = kif::encodingOfPath(path);
    if (!encoding)
        out << "info string kifu " << use << " a .kif (Shift-JIS) or .kifu (UTF-8) file\n";
    return encoding;
}

void exportKif(const std::string& from, const std::string& to, std::ostream& out) {
    const std::optional<kif::Encoding> encoding = kifEncoding(to, "export writes", out);
    std::string bytes;
    if (!encoding || !readWhole(from, kRecordFileLimit, bytes, out)) return;
    const RecordFile record = readRecord(bytes);
    if (!record.error.empty()) {
        out << "info string " << record.error << "\n";
        return;
    }
    if (record.damagedAt > 0) {
        out << "info string move " << record.damagedAt << " does not fit the position ("
            << record.damage << "): nothing written\n";
        return;
    }
    kif::KifGame game;
    game.game = recordOfFile(record);
    if (!writeKifFile(to, game, out)) return;
    out << "kifu exported " << shown(to) << " moves " << game.game.moves.size() << "\n";
}

void importKif(const std::string& from, const std::string& to, std::ostream& out) {
    const std::optional<kif::Encoding> encoding = kifEncoding(from, "import reads", out);
    if (!encoding) return;
    const std::optional<kif::KifGame> read = readKifFile(from, out);
    if (!read) return;
    const GameRecord& game = read->game;
    if (!isStandardStart(game.start)) {
        out << "info string the KIF starts from another position than the starting position, "
               "which a record file cannot hold: nothing written\n";
        return;
    }
    if (const std::string error = writeRecordFile(to, game); !error.empty()) {
        out << "info string cannot write the record: " << shown(error) << "\n";
        return;
    }
    out << "kifu imported " << shown(to) << " moves " << game.moves.size() << "\n";
}

} // namespace

std::optional<kif::KifGame> readKifFile(const std::string& path, std::ostream& out) {
    const std::optional<kif::Encoding> encoding = kifEncoding(path, "reads", out);
    std::string bytes;
    if (!encoding || !readWhole(path, kif::kKifFileLimit, bytes, out)) return std::nullopt;
    kif::KifRead read = kif::readKif(bytes, *encoding);
    if (!read.game) out << "info string " << shown(read.message()) << "\n";
    return std::move(read.game);
}

bool writeKifFile(const std::string& path, const kif::KifGame& game, std::ostream& out) {
    const std::optional<kif::Encoding> encoding = kifEncoding(path, "writes", out);
    if (!encoding) return false;
    const auto file = kif::encodeKif(kif::writeKif(game, *encoding), *encoding);
    if (!file) {
        out << "info string a name has characters Shift-JIS cannot hold: write a .kifu\n";
        return false;
    }
    return writeWhole(path, *file, out);
}

bool convertKifu(const std::vector<std::string>& w, std::ostream& out) {
    if (w.size() < 2 || (w[1] != "export" && w[1] != "import")) return false;
    if (w.size() != 4) {
        out << "info string usage: kifu export <record> <file.kif|file.kifu> | kifu import "
               "<file.kif|file.kifu> <record>\n";
        return true;
    }
    if (w[1] == "export")
        exportKif(w[2], w[3], out);
    else
        importKif(w[2], w[3], out);
    return true;
}

} // namespace kelvore::usi
