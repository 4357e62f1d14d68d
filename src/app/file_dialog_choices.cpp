#include "app/file_dialog_choices.h"

#include <algorithm>

namespace pathbook {

String DialogFilter(std::initializer_list<FilterEntry> entries) {
    String filter;
    for (const FilterEntry& entry : entries) {
        filter.Append(entry.name);
        filter.Append(u'\0');
        filter.Append(entry.pattern);
        filter.Append(u'\0');
    }
    filter.Append(u'\0');
    return filter;
}

String FolderChoicePath(std::int32_t index, const String& noteFolder) {
    if (index < 0 || index >= kFolderChoiceCount) return String();
    if (kFolderChoices[index] == kFolderCurrent) return noteFolder;
    return FolderPath(kFolderChoices[index], true);
}

std::vector<std::int32_t> OfferedEncodingRows(const EncodingList& list, std::int32_t flag) {
    std::vector<std::int32_t> rows;
    for (std::int32_t row = 0; row < list.Count(); ++row) {
        if (list[row].flags & flag) rows.push_back(row);
    }
    return rows;
}

std::int32_t ComboIndexOfRow(const std::vector<std::int32_t>& rows, std::int32_t row) {
    if (rows.empty()) return -1;
    auto found = std::find(rows.begin(), rows.end(), row);
    return found == rows.end() ? 0 : static_cast<std::int32_t>(found - rows.begin());
}

}  // namespace pathbook
