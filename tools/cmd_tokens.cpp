// pathbook-tool tokens [-k DEFFILE] FILE: loads FILE (UTF-8) into a document
// under a keyword definition (the editor's fixed one, or DEFFILE's UTF-8 text)
// and prints each line's attribute words after finalisation as 4-digit hex.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "document/document.h"
#include "runtime/utf8.h"
#include "tool_command.h"

namespace pathbook::tool {
namespace {

constexpr char16_t kEditorDefinition[] = u"0110\n[\n]\n#\n";

// Serves a decoded text line by line: CR LF, CR and LF each end a line.
class StringSource : public TextSource {
public:
    explicit StringSource(std::u16string text) : text_(std::move(text)) {}
    ReadState State() const override { return state_; }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override {
        std::uint32_t count = 0;
        while (next_ < text_.size() && count < capacity && text_[next_] != u'\r' && text_[next_] != u'\n') {
            buffer[count++] = text_[next_++];
        }
        if (next_ == text_.size()) {
            state_ = ReadState::kFinished;
        } else if (count == capacity) {
            state_ = ReadState::kBufferFull;
        } else {
            bool crlf = text_[next_] == u'\r' && next_ + 1 < text_.size() && text_[next_ + 1] == u'\n';
            next_ += crlf ? 2 : 1;
            state_ = ReadState::kAtLineBreak;
        }
        return count;
    }

private:
    std::u16string text_;
    std::size_t next_ = 0;
    ReadState state_ = ReadState::kAtLineBreak;
};

bool ReadUtf8File(const std::string& path, std::u16string* text) {
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    if (!file) return false;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return false;
    *text = Utf8ToUtf16(bytes);
    return true;
}

}  // namespace

int RunTokens(const Arguments& args) {
    ParsedArguments parsed = ParseArguments(args, "k:");
    if (!parsed.error.empty()) return Fail(kExitUsage, parsed.error);
    if (parsed.positional.size() != 1) return Fail(kExitUsage, "tokens needs one FILE");
    std::u16string definition = kEditorDefinition;
    if (parsed.Has("k") && !ReadUtf8File(parsed.flags["k"], &definition)) {
        return Fail(kExitFileError, "cannot read " + parsed.flags["k"]);
    }
    std::u16string text;
    if (!ReadUtf8File(parsed.positional[0], &text)) return Fail(kExitFileError, "cannot read " + parsed.positional[0]);

    Document document;
    document.SetKeywordDefinition(definition);
    document.Load(std::make_unique<StringSource>(std::move(text)));
    std::string out;
    char word[8];
    for (LineIndex line = 0; line < document.LineCount(); ++line) {
        const Attribute* words = document.LineTokens(line);
        for (UnitCount i = 0; i < document.LineLength(line); ++i) {
            std::snprintf(word, sizeof word, i == 0 ? "%04x" : " %04x", static_cast<unsigned>(words[i]));
            out += word;
        }
        out += '\n';
    }
    WriteOut(out);
    return kExitOk;
}

}  // namespace pathbook::tool
