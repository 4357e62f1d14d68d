// Moving between notes like pages, without the window: which ways of opening
// a document jump (the visit goes to the end of the shared chain again) and
// which follow, back and forward over the shared chain, the home page, the
// history commands, and the states of the toolbar buttons. The window supplies
// the operations that need it through BrowsingHost.
#pragma once

#include "config/config_store.h"
#include "navigation/favorite_list.h"
#include "navigation/nav_chain.h"
#include "runtime/string.h"

namespace pathbook {

enum class OpenWay {
    kHistoryEntry,  // 40200 + n
    kOpenDialog,    // 40005
    kFavorite,      // 40400 + n, home drop-down and Ctrl+1 ... Ctrl+9
    kLink,
    kBackForward,
    kHomeButton,
    kDroppedFile,
    kCommandLine,  // and the start document
};

enum class OpenKind { kJump, kFollow };

OpenKind KindOf(OpenWay way);

class BrowsingHost {
public:
    virtual ~BrowsingHost() = default;
    // Routes the document to a running window, a new process or this window.
    // False when nothing was opened: the file could not be read, or the user
    // kept the document on show.
    virtual bool OpenDocument(const String& path, CharsetId code) = 0;
    // Drops down the home button's menu of favourites.
    virtual void ShowHomeMenu() = 0;
    // Tells every instance that the history / the favourites changed.
    virtual void BroadcastHistoryChanged() = 0;
    virtual void BroadcastFavoritesChanged() = 0;
};

struct NavButtonStates {
    bool back = false;
    bool forward = false;
};

enum class HomeButtonState { kNormal, kIndeterminate };

class Browser {
public:
    Browser(ConfigStore& config, FavoriteList& favorites, NavChain& chain, BrowsingHost& host)
        : config_(config), favorites_(favorites), chain_(chain), host_(host) {}

    // Opens `path` the given way: a jump first takes the path out of the chain,
    // so that the visit goes to its end, and puts it back where it stood when
    // nothing was opened, telling every instance to look at the chain again.
    // False when nothing was opened.
    bool Open(OpenWay way, const String& path, CharsetId code);
    // History entry n / favourite n; nothing (false) for an empty entry.
    bool OpenHistory(int n);
    bool OpenFavorite(int n);
    // The chain's entry before / after the document on show; nothing when
    // there is none. `current` is empty for an untitled document.
    void GoBack(const String& current);
    void GoForward(const String& current);
    // Favourite 0, unless it is unset or on show: then the home menu drops down.
    void GoHome(const String& current);
    // Empties and writes the history and tells every instance; the chain
    // stays. The window tells the user of a result other than kWritten.
    ListWrite ClearHistoryCommand();
    // Adds the document on show to the favourites (nothing when untitled) and
    // tells every instance; kNotStored is for the user to hear of (the list's
    // LastWrite says why).
    AddFavoriteResult AddToFavorites(const String& current, CharsetId code);

    // A document loaded into a window: history and chain, then the broadcast.
    // The history's refusal or failure is returned for the window to show.
    ListWrite RecordLoad(const String& path, CharsetId code);
    // A document found already open in some window: the chain only.
    void RecordFoundOpen(const String& path, CharsetId code);
    // A document saved: the history with the encoding written, then the
    // broadcast; the history's result as RecordLoad.
    ListWrite RecordSave(const String& path, CharsetId code);

    NavButtonStates NavButtons(const String& current);
    HomeButtonState HomeButton(const String& current) const;

private:
    ConfigStore& config_;
    FavoriteList& favorites_;
    NavChain& chain_;
    BrowsingHost& host_;
};

}  // namespace pathbook
