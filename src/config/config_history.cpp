// The history part of ConfigStore: keys MRU1..MRU16 (paths in "#" form when
// needed) and CODE1..CODE16 in the user's own section, plus CODE, carried
// through unchanged.
#include "config/config_store.h"

#include <string>

#include "platform/file_system.h"
#include "runtime/decimal.h"
#include "textfile/encoding_list.h"

namespace pathbook {
namespace {

std::u16string NumberedKey(const char16_t* stem, int number) { return stem + FormatDecimal(number); }

}  // namespace

void ConfigStore::ReadHistory() {
    int count = 0;
    for (; count < kHistorySize; ++count) {
        String path = userIni_.GetEncodedString(NumberedKey(u"MRU", count + 1).c_str(), u"");
        if (path.Empty()) break;
        history_[count].path = path;
        history_[count].code = OpeningEncoding(userIni_.GetInt(NumberedKey(u"CODE", count + 1).c_str(), 0));
    }
    for (; count < kHistorySize; ++count) history_[count] = HistoryEntry();
    historyDefaultCode_ = userIni_.GetInt(u"CODE", 0);
}

bool ConfigStore::WriteHistory() {
    bool stored = userIni_.PutInt(u"CODE", historyDefaultCode_);
    for (int i = 0; i < kHistorySize; ++i) {
        stored &= userIni_.PutEncodedString(NumberedKey(u"MRU", i + 1).c_str(), history_[i].path);
        stored &= userIni_.PutInt(NumberedKey(u"CODE", i + 1).c_str(), history_[i].code);
    }
    return stored;
}

void ConfigStore::LoadHistory() {
    HistoryLock lock(historyMutex_, busy_, historyLockWait_);
    ReadHistory();
}

ListWrite ConfigStore::SaveHistory() {
    HistoryLock lock(historyMutex_, busy_, historyLockWait_);
    if (lock.TimedOut()) return ListWrite::kLocked;
    return WriteHistory() ? ListWrite::kWritten : ListWrite::kWriteFailed;
}

ListWrite ConfigStore::AddHistory(const String& path, CharsetId code) {
    if (path.Empty()) return ListWrite::kWriteFailed;  // an empty entry would end the list
    HistoryLock lock(historyMutex_, busy_, historyLockWait_);
    if (lock.TimedOut()) return ListWrite::kLocked;
    // The profile functions read a file they cannot open as empty: adding to
    // that would write a one-entry history over the user's.
    if (platform::ProbeReadAccess(userIni_.Path().Chars()) == platform::ReadAccess::kUnreadable) {
        return ListWrite::kUnreadable;
    }
    ReadHistory();
    int from = kHistorySize - 1;
    for (int i = 0; i < kHistorySize; ++i) {
        if (history_[i].path == path) {
            from = i;
            break;
        }
    }
    for (int i = from; i > 0; --i) history_[i] = history_[i - 1];
    history_[0] = HistoryEntry{path, code};
    return WriteHistory() ? ListWrite::kWritten : ListWrite::kWriteFailed;
}

void ConfigStore::ClearHistory() {
    for (HistoryEntry& entry : history_) entry = HistoryEntry();
}

HistoryEntry ConfigStore::GetHistory(std::int32_t index) const {
    if (index == -1) index = 0;
    if (index < 0 || index >= settings_.historyCount || index >= kHistorySize) return {};
    return history_[index];
}

}  // namespace pathbook
