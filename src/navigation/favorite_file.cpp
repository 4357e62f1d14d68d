#include "navigation/favorite_file.h"

#include "platform/file_system.h"
#include "runtime/byte_order.h"
#include "runtime/decimal.h"
#include "textfile/encoding_list.h"
#include "textfile/file_writer.h"
#include "textfile/mapped_file.h"

namespace pathbook {
namespace {

void PutUnits(FileWriter& writer, std::u16string_view text) {
    for (char16_t unit : text) {
        writer.WriteByte(static_cast<std::uint8_t>(unit));
        writer.WriteByte(static_cast<std::uint8_t>(unit >> 8));
    }
}

void PutLine(FileWriter& writer, std::u16string_view text) {
    PutUnits(writer, text);
    PutUnits(writer, u"\r");
}

}  // namespace

std::vector<std::u16string> SplitFavoriteLines(const std::uint8_t* bytes, std::size_t count, std::size_t maxLines) {
    std::vector<std::u16string> lines;
    std::u16string line;
    std::size_t units = count / 2;
    bool pending = false;  // a line has started (an empty last line is not a line)
    for (std::size_t i = 0; i < units && lines.size() < maxLines; ++i) {
        char16_t unit = static_cast<char16_t>(LoadUnit16<ByteOrder::kLittleEndian>(bytes + 2 * i));
        if (unit == u'\r' || unit == u'\n') {
            bool crLf = unit == u'\r' && i + 1 < units && bytes[2 * i + 2] == '\n' && bytes[2 * i + 3] == 0;
            if (crLf) ++i;
            lines.push_back(std::move(line));
            line.clear();
            pending = false;
            continue;
        }
        pending = true;
        if (line.size() < kMaxFavoriteLineLength) line.push_back(unit);
    }
    if (pending && lines.size() < maxLines) lines.push_back(std::move(line));
    return lines;
}

ListRead ReadFavoriteLines(const String& path, std::size_t maxLines, std::vector<std::u16string>* lines) {
    MappedFile file;
    if (!file.Open(path.Chars())) {
        return platform::FileAttributes(path.Chars()) == platform::kInvalidAttributes ? ListRead::kMissing
                                                                                     : ListRead::kUnreadable;
    }
    *lines = SplitFavoriteLines(file.Data(), file.Size(), maxLines);
    return ListRead::kRead;
}

bool ParseFavoriteLine(std::u16string_view line, Favorite* entry) {
    std::size_t comma = line.find(u',');
    if (line.size() <= 3 || comma == std::u16string_view::npos) return false;
    std::u16string code(line.substr(0, comma));
    entry->code = OpeningEncoding(ParseDecimal(code.c_str()));
    entry->path = String(line.substr(comma + 1));
    return true;
}

bool WriteFavoriteFile(const String& path, std::u16string_view header, const Favorite* entries, std::size_t count) {
    FileWriter writer;
    if (!writer.Open(path.Chars())) return false;
    PutLine(writer, header);
    for (std::size_t i = 0; i < count && !entries[i].path.Empty(); ++i) {
        PutLine(writer, FormatDecimal(entries[i].code) + u"," + std::u16string(entries[i].path.View()));
    }
    return writer.Close();
}

}  // namespace pathbook
