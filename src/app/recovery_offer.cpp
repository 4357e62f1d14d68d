#include "app/recovery_offer.h"

#include "links/path_text.h"
#include "runtime/decimal.h"

namespace pathbook {

String RecoveryRow(const RecoveredJournal& journal, const String& timeText, const RecoveryWords& words) {
    const std::u16string& path = journal.Identity().path;
    String row = path.empty() ? words.untitled : FileNamePart(String(path));
    row.Append(u'\t');
    row.Append(timeText);
    row.Append(u'\t');
    row.Append(String(FormatWithDecimal(words.linesFormat.View(), static_cast<std::int32_t>(journal.LineCount()))));
    const BaseFileState base = journal.BaseState();
    if (base == BaseFileState::kChanged || base == BaseFileState::kMissing) {
        row.Append(u'\t');
        row.Append(base == BaseFileState::kChanged ? words.changed : words.missing);
    }
    return row;
}

String RecoveryArguments(const std::u16string& journalPath) { return u"-r \"" + String(journalPath) + u"\""; }

}  // namespace pathbook
