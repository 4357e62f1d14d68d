// Helpers for the text-file tests: decode bytes with a reader, encode lines
// through a real file, open written bytes, spell texts in UTF-8.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/utf8.h"
#include "support/temp_folder.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"
#include "textfile/text_reader_factory.h"

namespace pathbook::test {

inline std::u16string U(const std::string& utf8) { return Utf8ToUtf16(utf8); }

inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

// Drains a source as the document does: the lines, split at every break.
inline std::vector<std::u16string> DrainLines(TextSource& source, std::uint32_t capacity = 1024) {
    std::vector<std::u16string> lines(1);
    std::vector<char16_t> buffer(capacity + 1);
    for (int guard = 0; source.State() != ReadState::kFinished && guard < 10000000; ++guard) {
        std::uint32_t count = source.Read(buffer.data(), capacity);
        lines.back().append(buffer.data(), count);
        if (source.State() == ReadState::kAtLineBreak) lines.emplace_back();
    }
    return lines;
}

inline std::vector<std::u16string> DecodeLines(CharsetId charset, const std::string& bytes,
                                               std::uint32_t capacity = 1024) {
    auto reader = CreateTextReader(charset, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   static_cast<std::uint32_t>(bytes.size()));
    return DrainLines(*reader, capacity);
}

// The lines joined with LF, for compact expectations.
inline std::u16string Decode(CharsetId charset, const std::string& bytes, std::uint32_t capacity = 1024) {
    std::u16string joined;
    std::vector<std::u16string> lines = DecodeLines(charset, bytes, capacity);
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i > 0 ? u"\n" : u"") + lines[i];
    return joined;
}

// Writes `bytes` as the file `name` of `folder` and opens it with `in`: whether it opened.
inline bool WriteAndOpen(const TempFolder& folder, const std::string& name, const std::string& bytes, TextFileIn& in) {
    folder.Write(name, bytes);
    return in.Open(folder.File(name).c_str());
}

// Writes `lines` as the document does, the last marked as such.
inline void WriteLines(TextFileOut& out, const std::vector<std::u16string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.WriteLine(lines[i].data(), static_cast<std::uint32_t>(lines[i].size()), i + 1 == lines.size());
    }
}

// Saves `lines` as the document would and returns the file's bytes (by
// default with whatever the encoding makes of characters it cannot keep).
inline std::string Encode(CharsetId charset, const std::vector<std::u16string>& lines,
                          LineEnd lineEnd = LineEnd::kCrLf, LossPolicy losses = LossPolicy::kAllow) {
    TempFolder folder;
    TextFileOut out(charset, lineEnd, losses);
    if (!out.Open(folder.File("out.txt").c_str())) return "<open failed>";
    WriteLines(out, lines);
    if (!out.Close()) return "<close failed>";
    return folder.Read("out.txt");
}

inline std::string EncodeText(CharsetId charset, const std::string& utf8) { return Encode(charset, {U(utf8)}); }

}  // namespace pathbook::test
