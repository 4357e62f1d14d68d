#include "notebook/note_search.h"

#include <algorithm>
#include <cstring>

#include "runtime/ascii.h"
#include "runtime/utf8.h"
#include "search/make_searcher.h"

namespace pathbook {
namespace {

bool IsUtf8(CharsetId charset) { return charset == charset::kUtf8 || charset == charset::kUtf8Bom; }

// Encodings whose decoders turn each byte 0x00-0x7F into that ASCII unit, and
// make an ASCII unit of nothing else but that byte (or of "?" for a character
// they cannot map).
bool KeepsAsciiBytes(CharsetId charset) {
    static const CharsetId kKeeping[] = {charset::kUtf8, charset::kUtf8Bom, charset::kLatin1, 437,   874,   932,
                                         936,            949,               950,              1250,  1251,  1253,
                                         1254,           1255,              1256,             1257,  1258,  20866,
                                         21866,          28591,             28592,            28595, 28597};
    return std::find(std::begin(kKeeping), std::end(kKeeping), charset) != std::end(kKeeping);
}

constexpr std::uint8_t kEscape = 0x1B;
constexpr std::uint8_t kShiftOut = 0x0E;

bool IsAsciiWithoutQuestionMark(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80 && unit != u'?'; });
}

// A text the UTF-8 form stands for exactly: no surrogate (a lone one has no
// UTF-8 form) and no U+FFFD (which decoders make of ill-formed bytes).
bool HasExactUtf8(std::u16string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char16_t unit) { return (unit >= 0xD800 && unit <= 0xDFFF) || unit == kReplacementCharacter; });
}

std::uint8_t FoldByte(std::uint8_t byte) { return static_cast<std::uint8_t>(AsciiToUpper(byte)); }

}  // namespace

NoteSearcher::NoteSearcher(std::u16string_view pattern, search::FindOptions options)
    : regExp_(options.regExp),
      ignoreCase_(options.ignoreCase),
      grams_(regExp_ ? std::u16string_view() : pattern),
      bytes_({}, false) {
    if (pattern.empty()) return;
    // A plain text with a line break in it matches nowhere: no line holds one.
    if (!regExp_ && pattern.find_first_of(u"\r\n") != std::u16string_view::npos) return;
    searcher_ = search::MakeSearcher(pattern.data(), static_cast<std::int32_t>(pattern.size()),
                                     {regExp_, true, ignoreCase_});
    if (!regExp_ && HasExactUtf8(pattern)) {
        bytes_ = ByteFinder(Utf16ToUtf8(pattern), ignoreCase_);
        ascii_ = IsAsciiWithoutQuestionMark(pattern);
    }
}

NoteSearcher::~NoteSearcher() = default;

void NoteSearcher::FindAll(const NoteText& text, std::vector<NoteMatch>* matches) {
    if (!searcher_) return;
    if (regExp_) {
        FindByLine(text, matches);
    } else {
        FindInBlock(text, matches);
    }
}

void NoteSearcher::FindInBlock(const NoteText& text, std::vector<NoteMatch>* matches) {
    const std::u16string_view units = text.Units();
    const auto length = static_cast<std::int32_t>(units.size());
    std::int32_t start = 0;
    std::int32_t end = 0;
    for (std::int32_t from = 0; from < length && searcher_->Search(units.data(), length, from, &start, &end);
         from = start + 1) {
        const LineIndex line = text.LineAt(static_cast<std::uint32_t>(start));
        const std::uint32_t lineStart = text.LineStart(line);
        matches->push_back({line, static_cast<Column>(start) - lineStart, static_cast<Column>(end) - lineStart});
    }
}

void NoteSearcher::FindByLine(const NoteText& text, std::vector<NoteMatch>* matches) {
    for (LineIndex line = 0; line < text.LineCount(); ++line) {
        const std::u16string_view units = text.Line(line);
        const auto length = static_cast<std::int32_t>(units.size());
        std::int32_t start = 0;
        std::int32_t end = 0;
        for (std::int32_t from = 0; from <= length && searcher_->Search(units.data(), length, from, &start, &end);
             from = start + 1) {
            matches->push_back({line, static_cast<Column>(start), static_cast<Column>(end)});
        }
    }
}

bool NoteSearcher::MayMatch(const std::uint8_t* bytes, std::size_t size, CharsetId charset) const {
    if (!searcher_) return false;
    if (bytes_.Empty()) return true;
    if (!IsUtf8(charset)) {
        const bool eucWithoutShifts = charset == charset::kEucJp && std::memchr(bytes, kEscape, size) == nullptr &&
                                      std::memchr(bytes, kShiftOut, size) == nullptr;
        if (!ascii_ || !(KeepsAsciiBytes(charset) || eucWithoutShifts)) return true;
    }
    return bytes_.Occurs(bytes, size);
}

ByteFinder::ByteFinder(std::string_view needle, bool foldAscii) : needle_(needle), foldAscii_(foldAscii) {
    if (foldAscii_) {
        for (char& c : needle_) c = static_cast<char>(FoldByte(static_cast<std::uint8_t>(c)));
    }
    const std::size_t m = needle_.size();
    std::fill(std::begin(skip_), std::end(skip_), m);
    for (std::size_t i = 0; i + 1 < m; ++i) skip_[static_cast<std::uint8_t>(needle_[i])] = m - 1 - i;
    if (foldAscii_) {
        for (unsigned b = 'a'; b <= 'z'; ++b) skip_[b] = skip_[b - 0x20];
    }
}

bool ByteFinder::Occurs(const std::uint8_t* bytes, std::size_t size) const {
    const std::size_t m = needle_.size();
    if (m == 0) return true;
    const auto* needle = reinterpret_cast<const std::uint8_t*>(needle_.data());
    const std::uint8_t lastByte = needle[m - 1];
    for (std::size_t at = 0; at + m <= size;) {
        const std::uint8_t tail = bytes[at + m - 1];
        if ((foldAscii_ ? FoldByte(tail) : tail) == lastByte) {
            std::size_t i = 0;
            if (foldAscii_) {
                while (i + 1 < m && FoldByte(bytes[at + i]) == needle[i]) ++i;
            } else {
                while (i + 1 < m && bytes[at + i] == needle[i]) ++i;
            }
            if (i + 1 == m) return true;
        }
        at += skip_[tail];
    }
    return false;
}

}  // namespace pathbook
