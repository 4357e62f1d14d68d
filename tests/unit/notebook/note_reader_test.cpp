// Notes read as the editor reads them: each encoding detected and decoded,
// lines split at every break, binary and unreadable files told apart.
#include "notebook/note_reader.h"

#include <gtest/gtest.h>

#include <utility>

#include "notebook_folder.h"

namespace pathbook {
namespace {

using test::Hex;

std::vector<std::u16string> Lines(const NoteText& text) {
    std::vector<std::u16string> lines;
    for (LineIndex line = 0; line < text.LineCount(); ++line) lines.emplace_back(text.Line(line));
    return lines;
}

TEST(NoteReaderTest, EveryEncodingReadsAsTheEditorReadsIt) {
    test::JapaneseCodePage japanese;
    struct Case {
        std::string bytes;
        CharsetId charset;
        std::vector<std::u16string> lines;
        bool needsJapaneseCodePage;
    };
    const std::u16string word = u"日本語";
    const auto acp = static_cast<CharsetId>(platform::AnsiCodePage());
    const Case cases[] = {
        {"a\n" + Hex("e6 97 a5 e6 9c ac e8 aa 9e") + "\n", charset::kUtf8, {u"a", word, u""}, false},
        {Hex("ef bb bf") + "a\r\nb", charset::kUtf8Bom, {u"a", u"b"}, false},
        {"a\r\n" + Hex("93 fa 96 7b 8c ea") + "\r\n", charset::kShiftJis, {u"a", word, u""}, true},
        {"a\n" + Hex("c6 fc cb dc b8 ec") + "\n", charset::kEucJp, {u"a", word, u""}, false},
        {Hex("ff fe 61 00 0d 00 0a 00 e5 65 2c 67 9e 8a"), charset::kUtf16LeBom, {u"a", word}, false},
        {"one\rtwo\r\rthree", acp, {u"one", u"two", u"", u"three"}, false},
        {"", acp, {u""}, false},
    };
    test::NotebookFolder folder;
    for (const Case& c : cases) {
        if (c.needsJapaneseCodePage && !test::JapaneseCodePage::InEffect()) continue;
        folder.Write("note.txt", c.bytes);
        NoteText text;
        CharsetId charset = 0;
        ASSERT_EQ(ReadNote(folder.Path("note.txt").c_str(), &text, &charset), NoteOpen::kOpened);
        EXPECT_EQ(charset, c.charset) << c.bytes;
        EXPECT_EQ(Lines(text), c.lines) << c.bytes;
    }
}

TEST(NoteReaderTest, BinaryAndUnreadableFilesAreNotRead) {
    test::NotebookFolder folder;
    const std::string nul(1, '\0');
    const std::string late = std::string(0x4000, 'x') + nul;  // a NUL after the bytes detection examines
    const std::pair<std::string, NoteOpen> cases[] = {
        {"PK" + nul + "\x03", NoteOpen::kBinary},
        {"text" + nul + "more\r\n", NoteOpen::kBinary},
        {Hex("ff fe 61 00 62 00"), NoteOpen::kOpened},  // UTF-16 holds NUL bytes
        {late, NoteOpen::kOpened},
    };
    NoteText text;
    CharsetId charset = 0;
    auto open = [&](const std::string& name) { return ReadNote(folder.Path(name).c_str(), &text, &charset); };
    for (const auto& [bytes, expected] : cases) {
        folder.Write("f.txt", bytes);
        EXPECT_EQ(open("f.txt"), expected) << bytes.substr(0, 8);
    }
    EXPECT_EQ(open("missing.txt"), NoteOpen::kUnreadable);
    folder.Write("sub/x.txt", "x");
    EXPECT_EQ(open("sub"), NoteOpen::kUnreadable);
}

TEST(NoteTextTest, LinesOffsetsAndAssign) {
    NoteText text;
    EXPECT_EQ(Lines(text), std::vector<std::u16string>{u""});
    text.AppendToLine(u"ab", 2);
    text.BreakLine();
    text.BreakLine();
    text.AppendToLine(u"c", 1);
    EXPECT_EQ(Lines(text), (std::vector<std::u16string>{u"ab", u"", u"c"}));
    EXPECT_EQ(text.Units(), u"ab\n\nc\n");
    const std::pair<std::uint32_t, LineIndex> offsets[] = {{0, 0}, {2, 0}, {3, 1}, {4, 2}, {5, 2}, {99, 2}};
    for (auto [offset, line] : offsets) EXPECT_EQ(text.LineAt(offset), line) << offset;
    EXPECT_EQ(text.LineStart(2), 4u);
    EXPECT_EQ(text.Line(3), u"");

    NoteText copy;
    ASSERT_TRUE(copy.Assign(std::u16string(text.Units())));
    EXPECT_EQ(Lines(copy), Lines(text));
    EXPECT_FALSE(copy.Assign(u"no end"));
    EXPECT_FALSE(copy.Assign(u""));
    EXPECT_EQ(Lines(copy), Lines(text));
}

}  // namespace
}  // namespace pathbook
