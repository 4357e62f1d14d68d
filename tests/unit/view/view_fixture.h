// A document with a laid-out view of it, for the view's tests: the layout
// follows every change the document announces.
#pragma once

#include <memory>
#include <string>

#include "document/document.h"
#include "document/edit_command.h"
#include "document/memory_text.h"
#include "support/fake_measurer.h"
#include "view/layout.h"
#include "view/metrics.h"

namespace pathbook::test {

// `count` lines: "line" but the last, which is "last".
inline std::u16string Lines(int count) {
    std::u16string text;
    for (int i = 1; i < count; ++i) text += u"line\n";
    return text + u"last";
}

class LayoutFollower : public DocListener {
public:
    explicit LayoutFollower(Layout& layout) : layout_(layout) {}
    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool) override {
        last = layout_.Update(start, oldEnd, newEnd);
        ++updates;
    }
    LayoutEdit last;
    int updates = 0;

private:
    Layout& layout_;
};

struct ViewFixture {
    explicit ViewFixture(std::u16string text = u"", std::int32_t width = 8, std::int32_t tabWidth = 4)
        : measurer(width), metrics(measurer, tabWidth), layout(document, metrics), follower(layout) {
        document.AddListener(&follower);
        Insert(DocPos::At(0, 0), text);
    }
    ~ViewFixture() { document.RemoveListener(&follower); }

    void Insert(DocPos at, const std::u16string& text) { InsertAt(document, at, text); }
    void Delete(DocPos from, DocPos to) { DeleteRange(document, from, to); }
    // Row ends of `line`, the last equal to its length.
    std::vector<UnitCount> Ends(LineIndex line) const {
        std::vector<UnitCount> ends;
        for (UnitCount row = 0; row < layout.Rows().RowCount(line); ++row) ends.push_back(layout.Span(line, row).end);
        return ends;
    }

    Document document;
    FakeMeasurer measurer;
    Metrics metrics;
    Layout layout;
    LayoutFollower follower;
};

}  // namespace pathbook::test
