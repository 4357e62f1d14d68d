// Thousands of random edits, undos, redos and saves applied to a Document and
// to a plain model (lines as strings, history as snapshots), compared after
// every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "document/document.h"
#include "memory_text.h"

namespace pathbook {
namespace {

using Lines = std::vector<std::u16string>;

// The text as one string, every break a LF; a history of whole texts.
class Model {
public:
    explicit Model(std::uint32_t limit) : limit_(limit) {}

    Lines Current() const {
        Lines lines{u""};
        for (char16_t unit : states_[current_]) {
            if (unit == u'\n') {
                lines.emplace_back();
            } else {
                lines.back() += unit;
            }
        }
        return lines;
    }
    bool IsModified() const { return saved_ != static_cast<long>(current_); }

    // An insertion is a replacement of an empty range, a deletion one by no text.
    void Replace(DocPos from, DocPos to, const std::u16string& text) {
        std::u16string state = states_[current_];
        const auto [start, end] = std::minmax({Offset(state, from), Offset(state, to)});
        std::u16string breaksAsLf;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool crLf = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
            if (!crLf) breaksAsLf += text[i] == u'\r' ? u'\n' : text[i];
        }
        Push(state.replace(start, end - start, breaksAsLf));
    }
    void Undo() {
        if (current_ > 0) --current_;
    }
    void Redo() {
        if (current_ + 1 < states_.size()) ++current_;
    }
    void Save() { saved_ = static_cast<long>(current_); }

private:
    // Where `pos`, clamped to the text, lies in it.
    static std::size_t Offset(const std::u16string& state, DocPos pos) {
        std::size_t lineStart = 0;
        for (LineIndex line = 0; line < pos.line && state.find(u'\n', lineStart) != std::u16string::npos; ++line) {
            lineStart = state.find(u'\n', lineStart) + 1;
        }
        const std::size_t lineEnd = std::min(state.find(u'\n', lineStart), state.size());
        return lineStart + std::min<std::size_t>(pos.column, lineEnd - lineStart);
    }
    void Push(std::u16string state) {
        states_.resize(current_ + 1);
        if (saved_ > static_cast<long>(current_)) saved_ = -1;
        states_.push_back(std::move(state));
        ++current_;
        while (states_.size() - 1 > limit_) {
            states_.erase(states_.begin());
            --current_;
            if (saved_ >= 0) --saved_;
        }
    }

    std::uint32_t limit_;
    std::vector<std::u16string> states_{u""};
    std::size_t current_ = 0;
    long saved_ = 0;  // -1: the saved state is gone
};

class RandomEdits {
public:
    explicit RandomEdits(std::uint32_t seed) : random_(seed) {}

    std::uint32_t Below(std::uint32_t n) { return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random_); }

    std::u16string Text() {
        static const char16_t kUnits[] = u"ab <>[]#\\.:C\r\n\t\u3000\u6f22\xD83D\xDE00\x7f";
        std::u16string text;
        std::uint32_t length = Below(4) == 0 ? Below(40) : Below(6);
        for (std::uint32_t i = 0; i < length; ++i) text += kUnits[Below(sizeof(kUnits) / sizeof(char16_t) - 1)];
        return text;
    }

    DocPos Position(const Lines& lines) {
        if (Below(20) == 0) return {kEndOfText, Below(3) == 0 ? kEndOfText : Below(4)};
        LineIndex line = Below(static_cast<std::uint32_t>(lines.size()) + 1);
        std::uint32_t width = line < lines.size() ? static_cast<std::uint32_t>(lines[line].size()) : 1;
        return {Below(width + 2), line};
    }

private:
    std::mt19937 random_;
};

void CheckClassificationMatchesAFreshLoad(const Document& document) {
    Document fresh;
    fresh.SetKeywordDefinition(u"0111\n[\n]\n#\n");
    test::Load(fresh, test::AllText(document));
    ASSERT_EQ(fresh.LineCount(), document.LineCount());
    for (LineIndex i = 0; i < document.LineCount(); ++i) {
        ASSERT_TRUE(std::equal(fresh.LineTokens(i), fresh.LineTokens(i) + fresh.LineLength(i),
                               document.LineTokens(i)))
            << i;
    }
}

void RunRandomSession(std::uint32_t seed, std::uint32_t limit) {
    Document document;
    document.SetKeywordDefinition(u"0111\n[\n]\n#\n");
    document.SetUndoLimit(limit);
    Model model(limit == 0 ? 1 : limit);
    RandomEdits random(seed);
    for (int step = 0; step < 3000; ++step) {
        std::uint32_t choice = random.Below(100);
        if (choice < 60) {
            // Below 30 an insertion, below 50 a deletion, else a replacement.
            const DocPos from = random.Position(model.Current());
            const DocPos to = choice < 30 ? from : random.Position(model.Current());
            const std::u16string text = choice < 30 || choice >= 50 ? random.Text() : u"";
            std::unique_ptr<EditCommand> command;
            if (choice < 30) {
                command = std::make_unique<InsertCommand>(from, text);
            } else if (choice < 50) {
                command = std::make_unique<DeleteCommand>(from, to);
            } else {
                command = std::make_unique<ReplaceCommand>(from, to, text);
            }
            document.Execute(*command);
            model.Replace(from, to, text);
        } else if (choice < 78) {
            document.Undo();
            model.Undo();
        } else if (choice < 94) {
            document.Redo();
            model.Redo();
        } else {
            test::MemorySink sink;
            ASSERT_TRUE(document.Save(sink));
            ASSERT_EQ(sink.lines, model.Current());
            model.Save();
        }
        ASSERT_EQ(test::LinesOf(document), model.Current()) << "seed " << seed << " step " << step;
        ASSERT_EQ(document.LineCount(), model.Current().size());
        ASSERT_EQ(document.IsModified(), model.IsModified()) << "seed " << seed << " step " << step;
        ASSERT_TRUE(document.CheckInvariants());
        if (step % 100 == 0) CheckClassificationMatchesAFreshLoad(document);
    }
}

TEST(DocumentRandomTest, MatchesTheModelWithUnlimitedHistory) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) RunRandomSession(seed, kUnlimitedUndo);
}

TEST(DocumentRandomTest, MatchesTheModelWithAShortHistory) {
    for (std::uint32_t seed = 11; seed <= 13; ++seed) RunRandomSession(seed, 7);
    RunRandomSession(21, 0);
}

}  // namespace
}  // namespace pathbook
