// The history part of ConfigStore: keys MRU1..MRU16 (paths in "#" form when
// needed) and CODE1..CODE16 in the user's own section, plus CODE, carried
// through unchanged.
#include "config/config_store.h"

#include <string>

#include "runtime/decimal.h"

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
        history_[count].code = userIni_.GetInt(NumberedKey(u"CODE", count + 1).c_str(), 0);
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
    HistoryLock lock(historyMutex_, busy_);
    ReadHistory();
}

bool ConfigStore::SaveHistory() {
    HistoryLock lock(historyMutex_, busy_);
    return WriteHistory();
}

bool ConfigStore::AddHistory(const String& path, CharsetId code) {
    if (path.Empty()) return false;  // an empty entry would end the list
    HistoryLock lock(historyMutex_, busy_);
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
    return WriteHistory();
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
