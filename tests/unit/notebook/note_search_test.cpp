// Search notes against the find dialog's own Find Next, text by text; the
// pair rule that passes over indexed notes against the same search; the
// byte rule that passes over files against the decoded search, encoding by
// encoding; and the notebook searched from its index and from its files.
#include "notebook/notes_search.h"

#include <gtest/gtest.h>

#include <tuple>

#include "document/document.h"
#include "document/memory_text.h"
#include "notebook_folder.h"
#include "notebook/note_reader.h"
#include "search/find_state.h"
#include "search/search_test_support.h"
#include "textfile/text_file_out.h"

namespace pathbook {
namespace {

struct Query {
    const char16_t* pattern;
    bool regExp;
    bool ignoreCase;
};

const char16_t* const kTexts[] = {
    u"abab\nxx ab\n4711-fix colour color", u"aaaa\n\naa", u"日本語のメモ\n日本\nにほん 日本",
    u"Zephyr zephyr ZEPHYR zéphyr",        u"",           u"a?b a?b\n(x)",
};
const Query kQueries[] = {
    {u"ab", false, false},   {u"aa", false, false},      {u"AB", false, true},     {u"colou?r", true, false},
    {u"^a", true, false},    {u"a$", true, false},       {u"[0-9]+-[a-z]+", true, false}, {u"日本", false, false},
    {u"zephyr", false, true}, {u"ZEPHYR", false, false}, {u"x\ny", false, false},  {u"", false, false},
    {u"(", true, false},     {u"a?b", false, false},     {u"a?b", true, true},     {u"é", false, true},
};

// The matches of repeated Find Next in the editor, as "line:start:end".
std::vector<std::string> FindNextMatches(const std::u16string& text, const Query& query) {
    Document document;
    test::Load(document, text);
    search::test::FakeDialog dialog;
    dialog.texts = {String(query.pattern), String(), query.ignoreCase, query.regExp};
    search::FindState state(dialog);
    state.ReadDialog();
    state.Prepare(true);
    search::Selection selection;
    std::vector<std::string> found;
    while (state.FindNext(document, selection)) {
        found.push_back(std::to_string(selection.Start().line) + ":" + std::to_string(selection.Start().column) + ":" +
                        std::to_string(selection.End().column));
    }
    return found;
}

std::vector<std::string> Described(const std::vector<NoteMatch>& matches) {
    std::vector<std::string> found;
    for (const NoteMatch& m : matches) {
        found.push_back(std::to_string(m.line) + ":" + std::to_string(m.start) + ":" + std::to_string(m.end));
    }
    return found;
}

NoteText TextOf(const std::u16string& text) {
    NoteText note;
    EXPECT_TRUE(note.Assign(text + u"\n"));
    return note;
}

TEST(NoteSearchTest, MatchesAreThoseOfRepeatedFindNext) {
    for (const char16_t* text : kTexts) {
        for (const Query& query : kQueries) {
            NoteSearcher searcher(query.pattern, {query.ignoreCase, query.regExp});
            std::vector<NoteMatch> matches;
            const NoteText note = TextOf(text);
            searcher.FindAll(note, &matches);
            EXPECT_EQ(Described(matches), FindNextMatches(text, query))
                << Utf16ToUtf8(text) << " / " << Utf16ToUtf8(query.pattern);
            if (!matches.empty()) {
                EXPECT_TRUE(searcher.MayHold(NoteGrams::Of(note.Units())))
                    << Utf16ToUtf8(text) << " / " << Utf16ToUtf8(query.pattern);
            }
        }
    }
}

// Each text saved in each encoding and read back as a note: wherever the
// decoded text holds a match, the bytes must not be ruled out.
TEST(NoteSearchTest, TheByteRuleNeverPassesOverAMatch) {
    test::JapaneseCodePage japanese;
    const CharsetId charsets[] = {charset::kUtf8,     charset::kUtf8Bom,   charset::kEucJp, charset::kShiftJis,
                                  charset::kUtf16LeBom, charset::kIso2022Jp, charset::kUtf7,  1252};
    test::NotebookFolder folder;
    const std::u16string path = folder.Path("note.txt");
    for (const char16_t* text : kTexts) {
        for (CharsetId charset : charsets) {
            // Whatever the encoding makes of a text it cannot hold is what the note reads.
            TextFileOut out(charset, LineEnd::kLf, LossPolicy::kAllow);
            if (!out.Open(path.c_str())) continue;
            const NoteText lines = TextOf(text);
            for (LineIndex i = 0; i < lines.LineCount(); ++i) {
                out.WriteLine(lines.Line(i).data(), static_cast<std::uint32_t>(lines.Line(i).size()),
                              i + 1 == lines.LineCount());
            }
            ASSERT_TRUE(out.Close());
            NoteReader reader;
            ASSERT_EQ(reader.Open(path.c_str()), NoteOpen::kOpened);
            const NoteText decoded = reader.ReadText();
            for (const Query& query : kQueries) {
                NoteSearcher searcher(query.pattern, {query.ignoreCase, query.regExp});
                std::vector<NoteMatch> matches;
                searcher.FindAll(decoded, &matches);
                if (matches.empty()) continue;
                EXPECT_TRUE(searcher.MayMatch(reader.Bytes(), reader.Size(), reader.Charset()))
                    << Utf16ToUtf8(text) << " / " << Utf16ToUtf8(query.pattern) << " in " << reader.Charset();
            }
        }
    }
}

TEST(NoteSearchTest, TheByteRulePassesOverFilesWithoutTheText) {
    const std::string utf8 = "some words\n" + test::Hex("e6 97 a5 e6 9c ac") + "\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    // Pattern, ignoring case, the bytes' encoding, and whether they may match.
    const std::tuple<const char16_t*, bool, CharsetId, bool> cases[] = {
        {u"WORDS", true, charset::kUtf8, true},   {u"WORDS", false, charset::kUtf8, false},
        {u"zephyr", true, charset::kUtf8, false}, {u"zephyr", true, charset::kEucJp, false},
        {u"日本", false, charset::kUtf8, true},   {u"本日", false, charset::kUtf8, false},
        {u"日本", false, charset::kEucJp, true},  {u"zephyr", true, charset::kUtf16LeBom, true},
        {u"?", false, charset::kUtf8, false},     {u"?", false, charset::kShiftJis, true},
        {u"", false, charset::kUtf8, false},
    };
    for (const auto& [pattern, ignoreCase, charset, mayMatch] : cases) {
        NoteSearcher searcher(pattern, {ignoreCase, false});
        EXPECT_EQ(searcher.MayMatch(bytes, utf8.size(), charset), mayMatch) << Utf16ToUtf8(pattern) << charset;
    }
    // EUC-JP skips an escape sequence: these bytes read as "zephyr".
    const std::string split = "zep\x1b(Bhyr";
    NoteSearcher zephyr(u"zephyr", {false, false});
    EXPECT_TRUE(zephyr.MayMatch(reinterpret_cast<const std::uint8_t*>(split.data()), split.size(), charset::kEucJp));
    EXPECT_FALSE(zephyr.MayMatch(reinterpret_cast<const std::uint8_t*>(split.data()), split.size(), charset::kUtf8));
}

TEST(NoteSearchTest, ThePairRulePassesOverNotesWithoutThePattern) {
    const NoteGrams grams = NoteGrams::Of(u"some words\n日本\n");
    const Query cases[] = {{u"WORDS", false, true}, {u"zephyr", false, true}, {u"本日", false, false},
                           {u"zephyr", true, false}, {u"z", false, false},   {u"", false, false}};
    const bool mayHold[] = {true, false, false, true, true, false};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        NoteSearcher searcher(cases[i].pattern, {cases[i].ignoreCase, cases[i].regExp});
        EXPECT_EQ(searcher.MayHold(grams), mayHold[i]) << Utf16ToUtf8(cases[i].pattern);
    }
    // A note whose pairs were never taken is read.
    EXPECT_TRUE(NoteSearcher(u"zephyr", {}).MayHold(NoteGrams()));
}

TEST(NoteSearchTest, ByteFinderFindsEveryPlace) {
    const std::string hay = "abcabdABDxyzabd";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(hay.data());
    for (std::size_t start = 0; start < hay.size(); ++start) {
        for (std::size_t length = 1; start + length <= hay.size(); ++length) {
            const std::string needle = hay.substr(start, length);
            EXPECT_TRUE(ByteFinder(needle, false).Occurs(bytes, hay.size())) << needle;
            EXPECT_FALSE(ByteFinder(needle + "q", false).Occurs(bytes, hay.size())) << needle;
        }
    }
    EXPECT_TRUE(ByteFinder("XYZABD", true).Occurs(bytes, hay.size()));
    EXPECT_FALSE(ByteFinder("XYZABD", false).Occurs(bytes, hay.size()));
    EXPECT_FALSE(ByteFinder("abd", false).Occurs(bytes, 5));
}

TEST(NoteSearchTest, TheNotebookFromItsIndexAndFromItsFiles) {
    test::NotebookFolder folder;
    folder.Write("b.txt", "x color\nnone\ncolour");
    folder.Write("a/c.txt", "color color");
    folder.Write("a.txt", "nothing");
    folder.Write("skip.md", "color");
    folder.Write("bin.txt", std::string("color\0", 6));
    IndexWork work;
    const IndexPointer index = BuildIndex(folder.Root(), u"*.txt", nullptr, work);
    ASSERT_NE(index, nullptr);
    for (unsigned threads : {1u, 3u}) {
        const FileSearch files = SearchNoteFiles(folder.Root(), u"*.txt", u"colou?r", {false, true}, threads);
        const std::vector<NoteHits> indexed = SearchNotes(*index, u"colou?r", {false, true});
        ASSERT_EQ(files.hits.size(), 2u);
        ASSERT_EQ(indexed.size(), 2u);
        EXPECT_EQ(files.counts.notes, 3u);
        EXPECT_EQ(files.counts.binary, 1u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(files.hits[i].note->file.relativePath, indexed[i].note->file.relativePath);
            EXPECT_EQ(Described(files.hits[i].matches), Described(indexed[i].matches));
        }
        EXPECT_EQ(indexed[0].note->file.relativePath, u"a/c.txt");
        EXPECT_EQ(Described(indexed[1].matches), (std::vector<std::string>{"0:2:7", "2:0:6"}));
    }
}

}  // namespace
}  // namespace pathbook
