#include "notebook/note_text.h"

#include <algorithm>
#include <limits>

#include "runtime/unit_scan.h"

namespace pathbook {

std::u16string_view NoteText::Line(LineIndex line) const {
    if (line >= LineCount() || !Intact()) return {};
    const std::u16string_view units = Units();
    const std::uint32_t start = starts_[line];
    const std::uint32_t end = line + 1 < LineCount() ? starts_[line + 1] : static_cast<std::uint32_t>(units.size());
    return units.substr(start, end - 1 - start);
}

LineIndex NoteText::LineAt(std::uint32_t offset) const {
    if (!Intact()) return 0;
    auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    return static_cast<LineIndex>(after - starts_.begin() - 1);
}

bool NoteText::FindLines(std::u16string_view units) {
    constexpr std::size_t kMostUnits = std::numeric_limits<std::int32_t>::max();
    if (units.empty() || units.back() != kLineEnd || units.size() > kMostUnits) return false;
    std::vector<std::uint32_t> starts{0};
    const auto last = static_cast<std::int32_t>(units.size()) - 1;
    const search::UnitProbe lineEnd = search::ProbeFor(kLineEnd, false);
    for (std::int32_t at = search::FindUnitForward(units.data(), 0, last, lineEnd); at >= 0 && at < last;
         at = search::FindUnitForward(units.data(), at + 1, last, lineEnd)) {
        starts.push_back(static_cast<std::uint32_t>(at + 1));
    }
    starts.shrink_to_fit();
    starts_ = std::move(starts);
    return true;
}

bool NoteText::Assign(std::u16string units) {
    if (!FindLines(units)) return false;
    units_ = std::move(units);
    borrowed_ = {};
    keeper_.reset();
    pending_.reset();
    return true;
}

bool NoteText::Borrow(std::u16string_view units, std::shared_ptr<const void> keeper, std::vector<std::uint32_t> starts,
                      UnitsCheck check) {
    if (keeper == nullptr || units.empty() || starts.empty() || starts[0] != 0 ||
        units.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    for (std::size_t i = 1; i < starts.size(); ++i) {
        if (starts[i] <= starts[i - 1] || starts[i] >= units.size()) return false;
    }
    starts_ = std::move(starts);
    units_.clear();
    units_.shrink_to_fit();
    borrowed_ = units;
    keeper_ = std::move(keeper);
    pending_ = std::make_shared<Pending>();
    pending_->check = std::move(check);
    return true;
}

bool NoteText::Check() const {
    if (pending_->state.load(std::memory_order_acquire) == kFailed) return false;
    const std::u16string_view units = Held();
    const bool linesEnd = units.back() == kLineEnd &&
                          std::all_of(starts_.begin() + 1, starts_.end(), [&](std::uint32_t start) { return units[start - 1] == kLineEnd; });
    const bool passed = linesEnd && (!pending_->check || pending_->check(units));
    pending_->state.store(passed ? kPassed : kFailed, std::memory_order_release);
    return passed;
}

bool NoteText::Borrow(std::u16string_view units, std::shared_ptr<const void> keeper) {
    if (keeper == nullptr || !FindLines(units)) return false;
    units_.clear();
    units_.shrink_to_fit();
    borrowed_ = units;
    keeper_ = std::move(keeper);
    pending_.reset();
    return true;
}

void NoteText::AppendToLine(const char16_t* units, std::size_t count) {
    units_.insert(units_.size() - 1, units, count);
}

void NoteText::BreakLine() {
    starts_.push_back(static_cast<std::uint32_t>(units_.size()));
    units_.push_back(kLineEnd);
}

void NoteText::Shrink() {
    units_.shrink_to_fit();
    starts_.shrink_to_fit();
}

}  // namespace pathbook
