// Lines carved from an arena: they outlive it, may be destroyed in any order or
// grown into blocks of their own, and each chunk goes back with its last line
// (the sanitizer build reports a chunk that leaks or is freed twice).
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <vector>

#include "document/line_arena.h"
#include "document/line_list.h"

namespace pathbook {
namespace {

std::u16string TextOf(const Line& line) { return std::u16string(line.Text(), line.Length()); }

TEST(LineArenaTest, LinesOutliveTheArenaThroughDeletesAndGrowth) {
    std::mt19937 random(5);
    // The model holds pointers: erasing from a vector of strings is slow in a test build.
    std::deque<std::u16string> texts;
    std::vector<std::u16string*> model;
    LineList list;
    {
        LineArena arena;
        // About 6 MB of lines: several chunks, and some lines too large to share one.
        for (int i = 0; i < 24000; ++i) {
            std::size_t length = i % 1000 == 0 ? 20000 : random() % 120;
            std::u16string text(length, static_cast<char16_t>(u'a' + i % 26));
            Line* line = Line::CreateIn(arena, text.data(), static_cast<UnitCount>(text.size()));
            list.Insert(list.Count(), line);
            model.push_back(&texts.emplace_back(text));
        }
    }
    for (int step = 0; step < 20000 && !model.empty(); ++step) {
        auto at = static_cast<LineIndex>(random() % model.size());
        if (random() % 2 == 0) {
            list.Remove(at, 1);
            model.erase(model.begin() + at);
        } else {
            list[at] = Line::Insert(list[at], kEndOfText, u"grown", 5);
            *model[at] += u"grown";
        }
    }
    ASSERT_TRUE(list.CheckInvariants());
    ASSERT_EQ(list.Count(), model.size());
    for (LineIndex i = 0; i < list.Count(); ++i) ASSERT_EQ(TextOf(*list[i]), *model[i]) << i;
}

TEST(LineArenaTest, AnArenaWithoutLinesFreesItsChunk) {
    LineArena arena;
    std::uint32_t offset = 0;
    void* block = arena.Allocate(100, &offset);
    ASSERT_NE(block, nullptr);
    EXPECT_NE(offset, 0u);
    LineArena::Release(block, offset);
    EXPECT_EQ(arena.Allocate(std::size_t{1} << 20, &offset), nullptr);
}

}  // namespace
}  // namespace pathbook
