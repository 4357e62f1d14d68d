#include "view/line_measure.h"

namespace pathbook {

Pixels RowWidth(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount from, UnitCount to) {
    Pixels x = 0;
    for (UnitCount i = from; i < to && i < length; ++i) x = metrics.Advance(text, i, length, x);
    return x;
}

void BreakRows(const Metrics& metrics, const char16_t* text, UnitCount length, UnitCount start, Pixels wrapWidth,
               std::vector<UnitCount>& ends) {
    UnitCount i = start;
    while (i < length) {
        Pixels x = metrics.Advance(text, i, length, 0);
        ++i;
        while (i < length) {
            Pixels next = metrics.Advance(text, i, length, x);
            if (next > wrapWidth) break;
            x = next;
            ++i;
        }
        ends.push_back(i);
    }
}

}  // namespace pathbook
