#include "config/config_store.h"

#include "platform/code_page.h"
#include "textfile/encoding_list.h"

namespace pathbook {
namespace {

constexpr char16_t kSharedSection[] = u"SharedConfig";
constexpr std::int32_t kUnsetCharset = -1;
constexpr CharsetId kCharsetForUnset = 1252;

// A value outside the three line ends means the default, CR LF.
LineEnd LineEndFromSetting(std::int32_t value) {
    return value == 0 ? LineEnd::kCr : value == 1 ? LineEnd::kLf : LineEnd::kCrLf;
}

// The switches, read and written alike.
struct SwitchKey {
    const char16_t* key;
    bool Settings::*value;
    bool fallback;
};

constexpr SwitchKey kSwitchKeys[] = {
    {u"OpenSame", &Settings::openSame, false},
    {u"CountUni", &Settings::countUni, false},
    {u"StatusBar", &Settings::statusBar, true},
    {u"RememberWindowSize", &Settings::rememberWindowSize, true},
    {u"RememberWindowPos", &Settings::rememberWindowPos, true},
    {u"SingleClick", &Settings::singleClick, true},
    {u"ReadOnly", &Settings::readOnly, false},
};

std::int32_t Clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value < low ? low : value > high ? high : value;
}

}  // namespace

ConfigPlaces ConfigPlaces::ForProgram(const String& programPath) {
    ConfigPlaces places;
    places.iniPath = IniFile::DefaultPath(programPath);
    return places;
}

ConfigStore::ConfigStore(const ConfigPlaces& places, const String& defaultTypeName)
    : historyMutex_(places.historyMutex),
      historyLockWait_(places.historyLockWait),
      busy_(places.busy),
      docTypes_(DefaultDocType(defaultTypeName)) {
    ini_.Open(places.iniPath);
    userIni_.Open(places.iniPath);
    userIni_.UseUserSection();
    BuildEncodingList(encodings_);
    shared_.Attach(places.sharedBlock, places.sharedBlockMutex, places.busy);
    Load();
    LoadHistory();
}

ConfigStore::~ConfigStore() {
    shared_.Detach();
}

void ConfigStore::SelectSettingsSection() {
    sharedMode_ = ini_.IsEnabled(kSharedSection);
    if (sharedMode_) {
        ini_.UseSection(kSharedSection);
    } else {
        ini_.UseUserSection();
    }
}

void ConfigStore::Load() {
    SelectSettingsSection();
    Settings& s = settings_;
    s.undoLimit = ini_.GetInt(u"UndoLimit", -1);
    s.txtFilter = ini_.GetString(u"TxtFilter", u"*.txt");
    s.grepExe = ini_.GetString(u"GrepExe", u"");
    for (const SwitchKey& key : kSwitchKeys) s.*key.value = ini_.GetBool(key.key, key.fallback);
    s.wndX = ini_.GetInt(u"WndX", kSystemDefaultCoordinate);
    s.wndY = ini_.GetInt(u"WndY", kSystemDefaultCoordinate);
    s.wndW = ini_.GetInt(u"WndW", 750);
    s.wndH = ini_.GetInt(u"WndH", 800);
    s.windowMaximized = ini_.GetBool(u"WndM", false);
    dialogW_ = ini_.GetInt(u"DlgW", kSystemDefaultCoordinate);
    dialogH_ = ini_.GetInt(u"DlgH", kSystemDefaultCoordinate);
    shared_.SetDialogSize(dialogW_, dialogH_);  // the last instance to load decides
    s.historyCount = Clamp(ini_.GetInt(u"MRU", 10), 0, kMaxHistoryShown);
    s.newfileCharset = ini_.GetInt(u"NewfileCharset", static_cast<std::int32_t>(platform::AnsiCodePage()));
    if (s.newfileCharset == kUnsetCharset) s.newfileCharset = kCharsetForUnset;
    s.newfileCharset = NewFileEncoding(s.newfileCharset);
    s.newfileDoctype = ini_.GetString(u"NewfileDoctype", u"");
    s.newfileLineBreak = LineEndFromSetting(ini_.GetInt(u"NewfileLB", 2));
    docTypes_.CutToDefault();
}

bool ConfigStore::Save() {
    SelectSettingsSection();
    const Settings& s = settings_;
    bool stored = ini_.PutInt(u"UndoLimit", s.undoLimit);
    stored &= ini_.PutString(u"TxtFilter", s.txtFilter);
    stored &= ini_.PutString(u"GrepExe", s.grepExe);
    for (const SwitchKey& key : kSwitchKeys) stored &= ini_.PutBool(key.key, s.*key.value);
    stored &= ini_.PutInt(u"NewfileCharset", s.newfileCharset);
    stored &= ini_.PutString(u"NewfileDoctype", s.newfileDoctype);
    stored &= ini_.PutInt(u"NewfileLB", static_cast<std::int32_t>(s.newfileLineBreak));
    stored &= ini_.PutInt(u"MRU", s.historyCount);
    return stored;
}

bool ConfigStore::SaveWindowPlacement(const WindowRect& rect, std::int32_t showState) {
    Settings& s = settings_;
    if (showState == kShowNormal || showState == kShowMaximized) s.windowMaximized = showState == kShowMaximized;
    if (showState == kShowNormal) {
        s.wndX = rect.left;
        s.wndY = rect.top;
        s.wndW = rect.right - rect.left;
        s.wndH = rect.bottom - rect.top;
    }
    if (!s.rememberWindowPos && !s.rememberWindowSize) return true;
    bool stored = ini_.PutInt(u"WndX", s.wndX);
    stored &= ini_.PutInt(u"WndY", s.wndY);
    stored &= ini_.PutInt(u"WndW", s.wndW);
    stored &= ini_.PutInt(u"WndH", s.wndH);
    stored &= ini_.PutBool(u"WndM", s.windowMaximized);
    return stored;
}

bool ConfigStore::SaveDialogSize(std::int32_t width, std::int32_t height) {
    if (!settings_.rememberWindowPos && !settings_.rememberWindowSize) return true;
    dialogW_ = width;
    dialogH_ = height;
    shared_.SetDialogSize(width, height);
    bool stored = ini_.PutInt(u"DlgW", width);
    stored &= ini_.PutInt(u"DlgH", height);
    return stored;
}

search::FindOptions ConfigStore::LoadSearchOptions() const {
    return search::FindOptions{userIni_.GetBool(u"SearchIgnoreCase", true), userIni_.GetBool(u"SearchRegExp", false)};
}

bool ConfigStore::SaveSearchOptions(const search::FindOptions& options) const {
    bool stored = userIni_.PutBool(u"SearchIgnoreCase", options.ignoreCase);
    stored &= userIni_.PutBool(u"SearchRegExp", options.regExp);
    return stored;
}

std::int32_t ConfigStore::WindowX() const {
    return settings_.rememberWindowPos ? settings_.wndX : kSystemDefaultCoordinate;
}
std::int32_t ConfigStore::WindowY() const {
    return settings_.rememberWindowPos ? settings_.wndY : kSystemDefaultCoordinate;
}
std::int32_t ConfigStore::WindowW() const {
    return settings_.rememberWindowSize ? settings_.wndW : kSystemDefaultCoordinate;
}
std::int32_t ConfigStore::WindowH() const {
    return settings_.rememberWindowSize ? settings_.wndH : kSystemDefaultCoordinate;
}
std::int32_t ConfigStore::DialogW() const {
    if (!settings_.rememberWindowSize) return kSystemDefaultCoordinate;
    return shared_.IsAttached() ? shared_.DialogWidth() : dialogW_;
}
std::int32_t ConfigStore::DialogH() const {
    if (!settings_.rememberWindowSize) return kSystemDefaultCoordinate;
    return shared_.IsAttached() ? shared_.DialogHeight() : dialogH_;
}

}  // namespace pathbook
