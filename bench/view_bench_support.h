// What the view and caret benchmarks share: a fixed-width font (8 pixels, wide
// units 16) and the notes corpus that make_corpus.py wrote to the folder
// PATHBOOK_CORPUS names.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "document/document.h"
#include "runtime/utf8.h"
#include "textfile/text_file_in.h"
#include "support/fake_measurer.h"

namespace pathbook::bench {

// Every unit 8 pixels, wide (CJK) units 16, pairs 16.
class FixedMeasurer : public test::FakeMeasurer {
public:
    FixedMeasurer() { SetWideWidth(16); }
};

// The path of a corpus file, or empty without PATHBOOK_CORPUS.
inline std::string CorpusPath(const char* name) {
    const char* folder = std::getenv("PATHBOOK_CORPUS");
    return folder == nullptr ? std::string() : std::string(folder) + "/" + name;
}

// Serves LF-separated text in reads of up to 1024 units, as a decoder does.
class MemorySource : public TextSource {
public:
    explicit MemorySource(std::u16string text) : text_(std::move(text)) {}
    ReadState State() const override { return state_; }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override {
        std::uint32_t count = 0;
        while (next_ < text_.size() && text_[next_] != u'\n' && count < capacity) buffer[count++] = text_[next_++];
        if (next_ == text_.size()) {
            state_ = ReadState::kFinished;
        } else if (text_[next_] == u'\n') {
            ++next_;
            state_ = ReadState::kAtLineBreak;
        } else {
            state_ = ReadState::kBufferFull;
        }
        return count;
    }

private:
    std::u16string text_;
    std::size_t next_ = 0;
    ReadState state_ = ReadState::kAtLineBreak;
};

// Loads `path` as the editor does; false when there is no such file.
inline bool LoadCorpus(Document& document, const std::string& path) {
    auto file = std::make_unique<TextFileIn>(0);
    if (path.empty() || !file->Open(Utf8ToUtf16(path).c_str())) return false;
    document.Load(std::move(file));
    return true;
}

}  // namespace pathbook::bench
