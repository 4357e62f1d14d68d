// Every user setting in memory, loaded from and saved to the settings file,
// the browsing history (kept in the user's own section in every mode, guarded
// across instances by the history mutex), the shared settings block, the
// encoding table and the document types. The main window owns one for its
// whole life.
#pragma once

#include <cstdint>

#include "config/doc_type.h"
#include "config/history_lock.h"
#include "config/ini_file.h"
#include "config/list_write.h"
#include "config/shared_settings_block.h"
#include "runtime/string.h"
#include "search/find_options.h"
#include "textfile/charset.h"
#include "textfile/encoding_list.h"

namespace pathbook {

// Where the store keeps its state. Tests point these at private places.
struct ConfigPlaces {
    String iniPath;
    String historyMutex = kHistoryMutexName;
    std::uint32_t historyLockWait = kHistoryLockWaitMilliseconds;
    String sharedBlock = kSharedSettingsBlockName;
    String sharedBlockMutex = kSharedSettingsMutexName;
    // Hears when another instance kept a mutex past the wait; may be null.
    platform::BusyListener* busy = nullptr;

    // The real places for the program at `programPath`.
    static ConfigPlaces ForProgram(const String& programPath);
};

struct Settings {
    std::int32_t undoLimit = -1;  // -1 = unlimited
    String txtFilter = u"*.txt";
    String grepExe;
    bool countUni = false;
    bool statusBar = true;
    bool openSame = false;
    bool singleClick = true;
    bool readOnly = false;
    bool rememberWindowSize = true;
    bool rememberWindowPos = true;
    bool windowMaximized = false;
    std::int32_t wndX = kSystemDefaultCoordinate;  // last normal-state rectangle
    std::int32_t wndY = kSystemDefaultCoordinate;
    std::int32_t wndW = 750;
    std::int32_t wndH = 800;
    std::int32_t historyCount = 10;  // invariant after Load: 0..kMaxHistoryShown
    CharsetId newfileCharset = 0;  // after Load: a row of the encoding table offered for saving
    String newfileDoctype;  // empty = the default type
    LineEnd newfileLineBreak = LineEnd::kCrLf;
};

constexpr int kHistorySize = 16;
constexpr std::int32_t kMaxHistoryShown = 20;

struct HistoryEntry {
    String path;  // empty = no entry
    CharsetId code = 0;
};

// A window rectangle as the system reports it.
struct WindowRect {
    std::int32_t left, top, right, bottom;
};

// Show states of a window placement.
constexpr std::int32_t kShowNormal = 1;
constexpr std::int32_t kShowMinimized = 2;
constexpr std::int32_t kShowMaximized = 3;

class ConfigStore {
public:
    // Opens the file, builds the encoding table, creates the default document
    // type (named `defaultTypeName`), attaches the shared block, loads the
    // settings and the history.
    ConfigStore(const ConfigPlaces& places, const String& defaultTypeName);
    ~ConfigStore();
    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    // The settings section is [SharedConfig] when its Enable is set, else the user's.
    void Load();
    // Every write below reports false when the settings file could not be written.
    bool Save();
    Settings& Values() { return settings_; }
    const Settings& Values() const { return settings_; }
    bool SharedMode() const { return sharedMode_; }
    const IniFile& Ini() const { return ini_; }

    // On every move and size change of the main window: remembers the normal
    // rectangle and the maximised state and writes them when either Remember
    // setting is on.
    bool SaveWindowPlacement(const WindowRect& rect, std::int32_t showState);
    // When the favourites window closes: its size to the shared block and the file.
    bool SaveDialogSize(std::int32_t width, std::int32_t height);
    // The stored value while the matching Remember setting is on, otherwise
    // kSystemDefaultCoordinate.
    std::int32_t WindowX() const;
    std::int32_t WindowY() const;
    std::int32_t WindowW() const;
    std::int32_t WindowH() const;
    std::int32_t DialogW() const;
    std::int32_t DialogH() const;

    // History: 16 entries, most recent first, packed from entry 0. Codes
    // that name no encoding of the table read as 0 (detect).
    void LoadHistory();
    // Writes the entries as they are (after ClearHistory); kLocked when
    // another instance held the history mutex too long.
    ListWrite SaveHistory();
    // Moves an equal path (exact comparison) to the top or puts a new one there,
    // dropping the oldest, and saves. The stored list is re-read first, under
    // the history mutex, so that concurrent instances lose no entry; a
    // settings file that is there but cannot be read, or a mutex held too
    // long, refuses the addition (nothing is written). An empty path is never
    // added (kWriteFailed).
    ListWrite AddHistory(const String& path, CharsetId code);
    // Empties every entry; the caller saves.
    void ClearHistory();
    // Entry `index` (-1 counts as 0); empty for an index outside 0..historyCount-1.
    HistoryEntry GetHistory(std::int32_t index) const;
    std::int32_t HistoryDefaultCode() const { return historyDefaultCode_; }

    // Keys of the user's own section in every mode: the find options, read when
    // the main window is made and written when it closes, and the wrap value
    // in effect, written at exit.
    search::FindOptions LoadSearchOptions() const;
    bool SaveSearchOptions(const search::FindOptions& options) const;
    bool SaveWrapType(std::int32_t wrap) const { return userIni_.PutInt(u"WrapType", wrap); }

    const EncodingList& Encodings() const { return encodings_; }
    DocTypeList& DocTypes() { return docTypes_; }
    const SharedSettingsBlock& SharedBlock() const { return shared_; }

private:
    void SelectSettingsSection();
    void ReadHistory();
    bool WriteHistory();

    IniFile ini_;         // section: the settings section chosen by Load
    IniFile userIni_;     // section: always the user's own
    String historyMutex_;
    std::uint32_t historyLockWait_;
    platform::BusyListener* busy_;
    bool sharedMode_ = false;
    EncodingList encodings_;
    Settings settings_;
    std::int32_t dialogW_ = kSystemDefaultCoordinate;  // as loaded, for when there is no shared block
    std::int32_t dialogH_ = kSystemDefaultCoordinate;
    DocTypeList docTypes_;
    HistoryEntry history_[kHistorySize];  // invariant: no entry follows an empty one
    std::int32_t historyDefaultCode_ = 0;
    SharedSettingsBlock shared_;
};

}  // namespace pathbook
