// In-memory text sources and sinks, and helpers to look at a document's lines.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/edit_command.h"
#include "textfile/text_source.h"

namespace pathbook::test {

// The editor's own keyword definition: links recognised, "[" and "]" open and
// close a block comment, "#" starts a line comment.
inline constexpr char16_t kStandardDefinition[] = u"0110\n[\n]\n#\n";

// Serves `text` line by line (CR LF, CR and LF end lines), at most `chunk`
// units per Read, like a decoder.
class MemorySource : public TextSource {
public:
    explicit MemorySource(std::u16string text, std::uint32_t chunk = 0xFFFFFFFF)
        : text_(std::move(text)), chunk_(chunk) {}
    ReadState State() const override { return state_; }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override {
        capacity = std::min(capacity, chunk_);
        std::uint32_t count = 0;
        while (next_ < text_.size() && text_[next_] != u'\r' && text_[next_] != u'\n' && count < capacity) {
            buffer[count++] = text_[next_++];
        }
        if (next_ == text_.size()) {
            state_ = ReadState::kFinished;
        } else if (text_[next_] == u'\r' || text_[next_] == u'\n') {
            bool crlf = text_[next_] == u'\r' && next_ + 1 < text_.size() && text_[next_ + 1] == u'\n';
            next_ += crlf ? 2 : 1;
            state_ = ReadState::kAtLineBreak;
        } else {
            state_ = ReadState::kBufferFull;
        }
        ++reads_;
        return count;
    }
    std::size_t Reads() const { return reads_; }

private:
    std::u16string text_;
    std::uint32_t chunk_;
    std::size_t next_ = 0;
    std::size_t reads_ = 0;
    ReadState state_ = ReadState::kAtLineBreak;
};

// Collects the lines written; Close answers `closeResult`.
class MemorySink : public TextSink {
public:
    explicit MemorySink(bool closeResult = true) : closeResult_(closeResult) {}
    void WriteLine(const char16_t* units, std::uint32_t count, bool isLast) override {
        lines.emplace_back(units, count);
        lastFlags.push_back(isLast);
    }
    bool Close() override {
        ++closes;
        return closeResult_;
    }

    std::vector<std::u16string> lines;
    std::vector<bool> lastFlags;
    int closes = 0;

private:
    bool closeResult_;
};

inline std::vector<std::u16string> LinesOf(const Document& document) {
    std::vector<std::u16string> lines;
    for (LineIndex i = 0; i < document.LineCount(); ++i) {
        lines.emplace_back(document.LineText(i), document.LineLength(i));
    }
    return lines;
}

inline std::u16string AllText(const Document& document) {
    return document.CopyRange({0, 0}, {kEndOfText, kEndOfText});
}

inline void Load(Document& document, const std::u16string& text, std::uint32_t chunk = 0xFFFFFFFF) {
    document.Load(std::make_unique<MemorySource>(text, chunk));
}

// Runs `command` on `document` and returns what the listeners heard: the
// start, the old end and the new end of the change.
struct HeardChange {
    DocPos start;
    DocPos oldEnd;
    DocPos newEnd;
    friend bool operator==(const HeardChange& a, const HeardChange& b) {
        return a.start == b.start && a.oldEnd == b.oldEnd && a.newEnd == b.newEnd;
    }
};
inline HeardChange Run(Document& document, EditCommand& command) {
    struct Ear : DocListener {
        void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool) override { heard = {start, oldEnd, newEnd}; }
        HeardChange heard;
    } ear;
    document.AddListener(&ear);
    document.Execute(command);
    document.RemoveListener(&ear);
    return ear.heard;
}
inline DocPos InsertAt(Document& document, DocPos pos, std::u16string_view text) {
    InsertCommand command(pos, text);
    return Run(document, command).newEnd;
}
inline void DeleteRange(Document& document, DocPos from, DocPos to) {
    DeleteCommand command(from, to);
    document.Execute(command);
}

}  // namespace pathbook::test
