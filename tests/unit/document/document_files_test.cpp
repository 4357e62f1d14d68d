// Loading from a text source and saving to a text sink.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "document/document.h"
#include "memory_text.h"
#include "support/temp_folder.h"
#include "textfile/text_file_in.h"

namespace pathbook {
namespace {

using Lines = std::vector<std::u16string>;

// Mirrors what a view learns from the load's updates: each slice adds text
// at the end of what was there, from where the last one ended.
struct SliceLog : DocListener {
    explicit SliceLog(Document& document) : document(document) { document.AddListener(this); }
    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) override {
        EXPECT_EQ(start, end);
        EXPECT_EQ(oldEnd, start);
        EXPECT_FALSE(byCommand);
        const LineIndex last = document.LineCount() - 1;
        EXPECT_EQ(newEnd, DocPos::At(last, document.LineLength(last)));
        end = newEnd;
        ++updates;
    }
    const Document& document;
    DocPos end;
    int updates = 0;
};

TEST(DocumentFilesTest, LoadSplitsLinesAndNotifiesOnce) {
    const struct {
        std::u16string text;
        Lines lines;
        DocPos end;
    } cases[] = {
        {u"", {u""}, {0, 0}}, {u"abc\n", {u"abc", u""}, {0, 1}}, {u"a\r\nbb\rccc", {u"a", u"bb", u"ccc"}, {3, 2}},
        {u"\n\n", {u"", u"", u""}, {0, 2}},
    };
    for (std::uint32_t chunk : {1u, 2u, 1024u}) {
        for (const auto& c : cases) {
            Document document;
            SliceLog log(document);
            test::Load(document, c.text, chunk);
            EXPECT_EQ(test::LinesOf(document), c.lines);
            EXPECT_EQ(log.updates, 1);
            EXPECT_EQ(log.end, c.end);
            EXPECT_FALSE(document.IsModified());
            EXPECT_FALSE(document.CanUndo());
            EXPECT_TRUE(document.CheckInvariants());
        }
    }
}

TEST(DocumentFilesTest, LongLinesAreClassifiedLikeInsertedOnes) {
    std::u16string line;
    for (int i = 0; i < 5000; ++i) line += (i % 97 == 0) ? u"<C:\\x\\y.txt> [c] #" : u"ab ";
    Document loaded;
    loaded.SetKeywordDefinition(test::kStandardDefinition);
    test::Load(loaded, line + u"\n" + line);
    Document inserted;
    inserted.SetKeywordDefinition(test::kStandardDefinition);
    test::InsertAt(inserted, DocPos::At(0, 0), line + u"\n" + line);
    ASSERT_EQ(loaded.LineCount(), 2u);
    for (LineIndex i = 0; i < 2; ++i) {
        ASSERT_EQ(loaded.LineLength(i), line.size());
        EXPECT_TRUE(std::equal(loaded.LineTokens(i), loaded.LineTokens(i) + line.size(), inserted.LineTokens(i)));
    }
}

// Lines longer than the loader's reusable buffer, around short ones, and a
// load into a document that already holds text.
TEST(DocumentFilesTest, LongLinesLoadWithEveryChunkSize) {
    const std::u16string longLine(70000, u'x');
    const Lines lines = {u"", u"ab", longLine, u"c", longLine + u"y", u""};
    std::u16string text;
    for (const std::u16string& line : lines) text += line + u"\r\n";
    text.pop_back();
    text.pop_back();
    for (std::uint32_t chunk : {1024u, 0xFFFFFFFFu}) {
        Document document;
        test::Load(document, text, chunk);
        ASSERT_EQ(test::LinesOf(document), lines);
        EXPECT_TRUE(document.CheckInvariants());
    }
    Document document;
    test::Load(document, u"xy");
    test::Load(document, u"ab\ncd");
    EXPECT_EQ(test::LinesOf(document), (Lines{u"xyab", u"cd"}));
}

TEST(DocumentFilesTest, SaveWritesEveryLineAndMarksLast) {
    Document document;
    test::Load(document, u"one\ntwo\n");
    test::MemorySink sink;
    EXPECT_TRUE(document.Save(sink));
    EXPECT_EQ(sink.lines, (Lines{u"one", u"two", u""}));
    EXPECT_EQ(sink.lastFlags, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(sink.closes, 1);
}

TEST(DocumentFilesTest, SourceThatStopsMakingProgressEndsTheLoad) {
    struct Stuck : TextSource {
        ReadState State() const override { return state; }
        std::uint32_t Read(char16_t* buffer, std::uint32_t) override {
            buffer[0] = u'z';
            state = ReadState::kBufferFull;
            return first ? (first = false, 1u) : 0u;
        }
        ReadState state = ReadState::kAtLineBreak;
        bool first = true;
    };
    Document document;
    document.Load(std::make_unique<Stuck>());
    EXPECT_EQ(test::LinesOf(document), (Lines{u"z"}));
}

// A source whose read after the first `goodReads` fails (a read error, a file
// cut short), as a text file's does: it stores nothing and finishes.
class FailingSource : public test::MemorySource {
public:
    FailingSource(std::u16string text, std::size_t goodReads)
        : MemorySource(std::move(text), 4), goodReads_(goodReads) {}
    ReadState State() const override { return failed_ ? ReadState::kFinished : MemorySource::State(); }
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override {
        failed_ = failed_ || Reads() == goodReads_;
        return failed_ ? 0 : MemorySource::Read(buffer, capacity);
    }
    bool Failed() const override { return failed_; }
    SourceProgress Progress() const override { return {Reads(), 100}; }

private:
    std::size_t goodReads_;
    bool failed_ = false;
};

TEST(DocumentFilesTest, SlicesAddTheSameLinesAsOneLoad) {
    const std::u16string text = u"alpha\r\nbe\rgamma\n\ndelta-epsilon-zeta\neta\n";
    const Lines whole = {u"alpha", u"be", u"gamma", u"", u"delta-epsilon-zeta", u"eta", u""};
    for (std::uint32_t work : {0u, 1u, 3u, 7u, 12u}) {
        Document document;
        SliceLog log(document);
        document.BeginLoad(std::make_unique<test::MemorySource>(text, 5));
        EXPECT_EQ(document.State(), TextState::kLoading);
        int slices = 1;
        while (document.LoadMore(work) == LoadResult::kMore) {
            EXPECT_EQ(document.State(), TextState::kLoading);
            ASSERT_LT(++slices, 100);
        }
        EXPECT_EQ(document.State(), TextState::kComplete);
        EXPECT_EQ(test::LinesOf(document), whole) << work;
        EXPECT_GE(log.updates, work > 12 ? 1 : 2);
        EXPECT_FALSE(document.IsModified());
        EXPECT_FALSE(document.CanUndo());
        EXPECT_TRUE(document.CheckInvariants());
        EXPECT_EQ(document.LoadMore(work), LoadResult::kComplete);
    }
}

// Until the text is complete it takes no edit, undo or save; a cancelled or
// failed load keeps what was read, the line being read included, and stays
// that way until the document is cleared.
TEST(DocumentFilesTest, AnIncompleteTextIsNeitherEditedNorSaved) {
    enum class End { kStillLoading, kCancelled, kFailed };
    const struct {
        End end;
        TextState state;
        Lines lines;
    } cases[] = {
        {End::kStillLoading, TextState::kLoading, {u"abcdefgh"}},
        {End::kCancelled, TextState::kIncomplete, {u"abcdefgh", u""}},
        {End::kFailed, TextState::kIncomplete, {u"abcdefgh", u"ef", u"ghij", u""}},
    };
    for (const auto& c : cases) {
        Document document;
        test::InsertAt(document, DocPos::At(0, 0), u"old");
        document.ClearAll();
        document.BeginLoad(std::make_unique<FailingSource>(u"abcdefgh\nef\nghij\nkl", 4));
        // Reads of four: "abcd", then "efgh" and a break, "ef" and a break,
        // "ghij" and a break, and then the source fails.
        EXPECT_EQ(document.LoadMore(8), LoadResult::kMore);
        EXPECT_EQ(document.LoadProgress().done, 2u);
        EXPECT_EQ(document.LoadProgress().total, 100u);
        if (c.end == End::kCancelled) document.CancelLoad();
        if (c.end == End::kFailed) {
            EXPECT_EQ(document.LoadMore(2), LoadResult::kMore);
            EXPECT_EQ(document.LoadMore(100), LoadResult::kFailed);
        }
        EXPECT_EQ(document.State(), c.state);
        InsertCommand typing(DocPos::At(0, 0), u"x");
        document.Execute(typing);
        document.Undo();
        EXPECT_EQ(test::LinesOf(document), c.lines);
        test::MemorySink sink;
        EXPECT_FALSE(document.Save(sink));
        EXPECT_TRUE(sink.lines.empty());
        EXPECT_EQ(sink.closes, 0);
        EXPECT_FALSE(document.IsModified());
        document.ClearAll();
        EXPECT_EQ(document.State(), TextState::kComplete);
        EXPECT_EQ(document.LoadProgress().total, 0u);
        document.Execute(typing);
        EXPECT_EQ(test::LinesOf(document), Lines{u"x"});
    }
}

// A file cut short while it loads fails the load: the bytes ahead of the
// decoder are read through the system before it decodes them, so the text
// stops at whole lines of the file instead of at garbage or a crash. Where a
// mapped file cannot shrink (Windows), the load completes.
TEST(DocumentFilesTest, AFileCutShortWhileItLoadsFailsTheLoad) {
    test::TempFolder folder;
    const std::string line = std::string(99, 'x') + "\n";
    std::string bytes;
    while (bytes.size() < (3u << 20)) bytes += line;
    folder.Write("big.txt", bytes);
    auto file = std::make_unique<TextFileIn>();
    ASSERT_TRUE(file->Open(folder.File("big.txt").c_str()));
    Document document;
    document.BeginLoad(std::move(file));
    EXPECT_EQ(document.LoadProgress().total, bytes.size());
    while (document.LoadProgress().done < (600u << 10)) ASSERT_EQ(document.LoadMore(10000), LoadResult::kMore);
    std::error_code error;
    std::filesystem::resize_file(folder.Path() / "big.txt", 3u << 19, error);
    LoadResult result = LoadResult::kMore;
    while (result == LoadResult::kMore) result = document.LoadMore(100000);
    EXPECT_EQ(result, error ? LoadResult::kComplete : LoadResult::kFailed);
    EXPECT_EQ(document.State(), error ? TextState::kComplete : TextState::kIncomplete);
    // Whole lines but the last, which may be cut; no more than the bytes read.
    const LineIndex lines = document.LineCount();
    if (error) {
        EXPECT_EQ(lines, bytes.size() / line.size() + 1);
    } else {
        EXPECT_GE(lines, (600u << 10) / line.size());
        EXPECT_LE(lines, (1u << 20) / line.size() + 1);
    }
    for (LineIndex i = 0; i + 1 < lines; ++i) ASSERT_EQ(document.LineLength(i), 99u) << i;
}

}  // namespace
}  // namespace pathbook
