#include "navigation/browsing.h"

namespace pathbook {
namespace {

struct WayKind {
    OpenWay way;
    OpenKind kind;
};

constexpr WayKind kWayKinds[] = {
    {OpenWay::kHistoryEntry, OpenKind::kJump},    {OpenWay::kOpenDialog, OpenKind::kJump},
    {OpenWay::kFavorite, OpenKind::kJump},        {OpenWay::kLink, OpenKind::kFollow},
    {OpenWay::kBackForward, OpenKind::kFollow},   {OpenWay::kHomeButton, OpenKind::kFollow},
    {OpenWay::kDroppedFile, OpenKind::kFollow},   {OpenWay::kCommandLine, OpenKind::kFollow},
};

}  // namespace

OpenKind KindOf(OpenWay way) {
    for (const WayKind& entry : kWayKinds) {
        if (entry.way == way) return entry.kind;
    }
    return OpenKind::kFollow;
}

bool Browser::Open(OpenWay way, const String& path, CharsetId code) {
    if (path.Empty()) return false;
    TakenEntry taken;
    bool wasInChain = KindOf(way) == OpenKind::kJump && chain_.Remove(path, &taken);
    if (host_.OpenDocument(path, code)) return true;
    // Buttons that looked at the chain without the page meanwhile look again.
    if (wasInChain && chain_.PutBack(taken)) host_.BroadcastHistoryChanged();
    return false;
}

bool Browser::OpenHistory(int n) {
    HistoryEntry entry = config_.GetHistory(n);
    return Open(OpenWay::kHistoryEntry, entry.path, entry.code);
}

bool Browser::OpenFavorite(int n) {
    Favorite entry = favorites_.Get(n);
    return Open(OpenWay::kFavorite, entry.path, entry.code);
}

void Browser::GoBack(const String& current) {
    NavEntry entry;
    if (!current.Empty() && chain_.Previous(current, &entry)) {
        Open(OpenWay::kBackForward, String(entry.path), entry.code);
    }
}

void Browser::GoForward(const String& current) {
    NavEntry entry;
    if (!current.Empty() && chain_.Next(current, &entry)) Open(OpenWay::kBackForward, String(entry.path), entry.code);
}

void Browser::GoHome(const String& current) {
    Favorite home = favorites_.Get(0);
    if (home.path.Empty() || home.path == current) {
        host_.ShowHomeMenu();
        return;
    }
    Open(OpenWay::kHomeButton, home.path, home.code);
}

ListWrite Browser::ClearHistoryCommand() {
    config_.ClearHistory();
    ListWrite written = config_.SaveHistory();
    host_.BroadcastHistoryChanged();
    return written;
}

AddFavoriteResult Browser::AddToFavorites(const String& current, CharsetId code) {
    if (current.Empty()) return AddFavoriteResult::kNotStored;
    AddFavoriteResult result = favorites_.Add(current, code);
    host_.BroadcastFavoritesChanged();
    return result;
}

ListWrite Browser::RecordLoad(const String& path, CharsetId code) {
    ListWrite written = config_.AddHistory(path, code);
    chain_.Append(path, code);
    host_.BroadcastHistoryChanged();
    return written;
}

void Browser::RecordFoundOpen(const String& path, CharsetId code) { chain_.Append(path, code); }

ListWrite Browser::RecordSave(const String& path, CharsetId code) {
    ListWrite written = config_.AddHistory(path, code);
    host_.BroadcastHistoryChanged();
    return written;
}

NavButtonStates Browser::NavButtons(const String& current) {
    NavButtonStates states;
    if (current.Empty()) return states;
    NavEntry entry;
    states.back = chain_.Previous(current, &entry);
    states.forward = chain_.Next(current, &entry);
    return states;
}

HomeButtonState Browser::HomeButton(const String& current) const {
    Favorite home = favorites_.Get(0);
    return !home.path.Empty() && home.path != current ? HomeButtonState::kNormal : HomeButtonState::kIndeterminate;
}

}  // namespace pathbook
