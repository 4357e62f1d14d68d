// The gap buffer of lines against a vector, across many moves of the gap.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "document/line_list.h"

namespace pathbook {
namespace {

Line* NewLine(int tag) {
    std::u16string text = std::u16string(1, static_cast<char16_t>(tag)) + std::u16string(static_cast<std::size_t>(tag % 13), u'x');
    return Line::Create(text.data(), static_cast<UnitCount>(text.size()));
}

std::vector<int> Tags(const LineList& list) {
    std::vector<int> tags;
    for (LineIndex i = 0; i < list.Count(); ++i) tags.push_back(list[i]->Text()[0]);
    return tags;
}

TEST(LineListTest, RandomInsertsAndRemovesMatchAVector) {
    LineList list(3);
    std::vector<int> model;
    std::mt19937 random(7);
    for (int step = 0; step < 5000; ++step) {
        std::uint32_t at = static_cast<std::uint32_t>(random() % (model.size() + 2));
        if (random() % 3 == 0 && !model.empty()) {
            std::uint32_t count = static_cast<std::uint32_t>(random() % 4);
            list.Remove(at, count);
            std::size_t from = std::min<std::size_t>(at, model.size());
            model.erase(model.begin() + static_cast<long>(from),
                        model.begin() + static_cast<long>(std::min(from + count, model.size())));
        } else {
            int tag = step % 200;
            list.Insert(at, NewLine(tag));
            model.insert(model.begin() + static_cast<long>(std::min<std::size_t>(at, model.size())), tag);
        }
        ASSERT_EQ(Tags(list), model) << step;
        ASSERT_TRUE(list.CheckInvariants());
    }
}

TEST(LineListTest, RemovingAcrossTheGapDestroysBothSides) {
    LineList list;
    for (int i = 0; i < 10; ++i) list.Insert(static_cast<LineIndex>(i), NewLine(i));
    list.Insert(5, NewLine(99));  // gap now behind index 5
    list.Remove(2, 7);
    EXPECT_EQ(Tags(list), (std::vector<int>{0, 1, 8, 9}));
    EXPECT_TRUE(list.CheckInvariants());
}

TEST(LineListTest, LinesKeepTextAndSentinelThroughGrowth) {
    Line* line = Line::Create(u"abc", 3);
    line = Line::Insert(line, 1, u"0123456789", 10);
    EXPECT_EQ(std::u16string(line->Text(), line->Length()), u"a0123456789bc");
    line->Remove(2, 11);
    EXPECT_EQ(std::u16string(line->Text(), line->Length()), u"a0bc");
    line->Truncate(1);
    EXPECT_EQ(line->Text()[1], u'\x7f');
    EXPECT_TRUE(line->CheckInvariants());
    Line::Destroy(line);
}

}  // namespace
}  // namespace pathbook
