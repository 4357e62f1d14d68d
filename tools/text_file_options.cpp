#include "text_file_options.h"

#include <cstdio>
#include <memory>

#include "runtime/utf8.h"
#include "textfile/text_file_in.h"

namespace pathbook::tool {

bool ParseCharsetOption(const ParsedArguments& parsed, const std::string& flag, CharsetId fallback,
                        CharsetId* charset) {
    *charset = fallback;
    if (!parsed.Has(flag)) return true;
    int value = 0;
    if (!ParseInt(parsed.flags.at(flag), &value)) return false;
    *charset = value;
    return true;
}

bool ParseLineEndOption(const ParsedArguments& parsed, LineEnd fallback, LineEnd* lineEnd) {
    *lineEnd = fallback;
    if (!parsed.Has("l")) return true;
    int value = 0;
    if (!ParseInt(parsed.flags.at("l"), &value) || value < 0 || value > 2) return false;
    *lineEnd = static_cast<LineEnd>(value);
    return true;
}

bool LoadFile(const std::string& path, CharsetId requested, Document& document, LoadedFile* loaded) {
    auto file = std::make_unique<TextFileIn>(requested);
    if (!file->Open(Utf8ToUtf16(path).c_str())) return false;
    *loaded = {file->Charset(), file->LineEndStyle(), file->NoLineBreaks()};
    return document.Load(std::move(file)) != LoadResult::kFailed;
}

namespace {

// "U+65E5 (日)", or just the number for a lone surrogate or a control character.
std::string DescribeCharacter(char32_t codePoint) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
    bool printable = codePoint >= 0x20 && codePoint != 0x7F && !(codePoint >= 0x80 && codePoint < 0xA0) &&
                     !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
    if (!printable) return number;
    std::uint8_t bytes[4];
    std::size_t length = EncodeUtf8CodePoint(codePoint, bytes);
    return std::string(number) + " (" + std::string(reinterpret_cast<const char*>(bytes), length) + ")";
}

std::string Reason(const TextFileOut& file) {
    std::u16string reason = file.SystemReason();
    return reason.empty() ? std::string() : ": " + Utf16ToUtf8(reason);
}

}  // namespace

int SaveFile(Document& document, const std::string& path, CharsetId charset, LineEnd lineEnd, LossPolicy losses) {
    TextFileOut file(charset, lineEnd, losses);
    if (file.Open(Utf8ToUtf16(path).c_str()) && document.Save(file)) return kExitOk;
    switch (file.Failure()) {
        case SaveFailure::kLossy: {
            const LostCharacter& first = file.LostCharacters().front();
            return Fail(kExitFileError, "not saved: " + path + " in encoding " + std::to_string(charset) +
                                            " would lose " + DescribeCharacter(first.codePoint) + " at line " +
                                            std::to_string(first.line + 1) + ", column " +
                                            std::to_string(first.column + 1) + " (--lossy saves it anyway)");
        }
        case SaveFailure::kNoEncoder: return Fail(kExitFileError, "cannot save in encoding " + std::to_string(charset));
        case SaveFailure::kConversionFailed:
            return Fail(kExitFileError, "not saved: the system could not convert the text to encoding " +
                                            std::to_string(charset));
        case SaveFailure::kBothKept:
            return Fail(kExitFileError, "cannot save " + path + Reason(file) + "; the new text is in " +
                                            Utf16ToUtf8(file.NewFilePath()) +
                                            (file.OldFilePath().empty() ? std::string()
                                                                        : ", the old in " + Utf16ToUtf8(file.OldFilePath())));
        default: return Fail(kExitFileError, "cannot save " + path + Reason(file));
    }
}

}  // namespace pathbook::tool
