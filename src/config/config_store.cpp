#include "config/config_store.h"

#include "platform/code_page.h"

namespace pathbook {
namespace {

constexpr char16_t kSharedSection[] = u"SharedConfig";
constexpr std::int32_t kUnsetCharset = -1;
constexpr CharsetId kCharsetForUnset = 1252;

ConfigStore* g_current = nullptr;

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
    : historyMutex_(places.historyMutex), docTypes_(DefaultDocType(defaultTypeName)) {
    ini_.Open(places.iniPath);
    userIni_.Open(places.iniPath);
    userIni_.UseUserSection();
    BuildEncodingList(encodings_);
    shared_.Attach(places.sharedBlock, places.sharedBlockMutex);
    Load();
    LoadHistory();
    g_current = this;
}

ConfigStore::~ConfigStore() {
    shared_.Detach();
    if (g_current == this) g_current = nullptr;
}

ConfigStore* ConfigStore::Current() { return g_current; }

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
    s.openSame = ini_.GetBool(u"OpenSame", false);
    s.countUni = ini_.GetBool(u"CountUni", false);
    s.statusBar = ini_.GetBool(u"StatusBar", true);
    s.rememberWindowSize = ini_.GetBool(u"RememberWindowSize", true);
    s.rememberWindowPos = ini_.GetBool(u"RememberWindowPos", true);
    s.wndX = ini_.GetInt(u"WndX", kSystemDefaultCoordinate);
    s.wndY = ini_.GetInt(u"WndY", kSystemDefaultCoordinate);
    s.wndW = ini_.GetInt(u"WndW", 750);
    s.wndH = ini_.GetInt(u"WndH", 800);
    s.windowMaximized = ini_.GetBool(u"WndM", false);
    dialogW_ = ini_.GetInt(u"DlgW", kSystemDefaultCoordinate);
    dialogH_ = ini_.GetInt(u"DlgH", kSystemDefaultCoordinate);
    shared_.SetDialogSize(dialogW_, dialogH_);  // the last instance to load decides
    s.singleClick = ini_.GetBool(u"SingleClick", true);
    s.readOnly = ini_.GetBool(u"ReadOnly", false);
    s.historyCount = Clamp(ini_.GetInt(u"MRU", 10), 0, kMaxHistoryShown);
    s.newfileCharset = ini_.GetInt(u"NewfileCharset", static_cast<std::int32_t>(platform::AnsiCodePage()));
    if (s.newfileCharset == kUnsetCharset) s.newfileCharset = kCharsetForUnset;
    s.newfileDoctype = ini_.GetString(u"NewfileDoctype", u"");
    s.newfileLineBreak = ini_.GetInt(u"NewfileLB", 2);
    docTypes_.CutToDefault();
}

void ConfigStore::Save() {
    SelectSettingsSection();
    const Settings& s = settings_;
    ini_.PutInt(u"UndoLimit", s.undoLimit);
    ini_.PutString(u"TxtFilter", s.txtFilter);
    ini_.PutString(u"GrepExe", s.grepExe);
    ini_.PutBool(u"OpenSame", s.openSame);
    ini_.PutBool(u"CountUni", s.countUni);
    ini_.PutBool(u"StatusBar", s.statusBar);
    ini_.PutBool(u"RememberWindowSize", s.rememberWindowSize);
    ini_.PutBool(u"RememberWindowPos", s.rememberWindowPos);
    ini_.PutBool(u"SingleClick", s.singleClick);
    ini_.PutBool(u"ReadOnly", s.readOnly);
    ini_.PutInt(u"NewfileCharset", s.newfileCharset);
    ini_.PutString(u"NewfileDoctype", s.newfileDoctype);
    ini_.PutInt(u"NewfileLB", s.newfileLineBreak);
    ini_.PutInt(u"MRU", s.historyCount);
}

void ConfigStore::SaveWindowPlacement(const WindowRect& rect, std::int32_t showState) {
    Settings& s = settings_;
    if (showState == kShowNormal || showState == kShowMaximized) s.windowMaximized = showState == kShowMaximized;
    if (showState == kShowNormal) {
        s.wndX = rect.left;
        s.wndY = rect.top;
        s.wndW = rect.right - rect.left;
        s.wndH = rect.bottom - rect.top;
    }
    if (!s.rememberWindowPos && !s.rememberWindowSize) return;
    ini_.PutInt(u"WndX", s.wndX);
    ini_.PutInt(u"WndY", s.wndY);
    ini_.PutInt(u"WndW", s.wndW);
    ini_.PutInt(u"WndH", s.wndH);
    ini_.PutBool(u"WndM", s.windowMaximized);
}

void ConfigStore::SaveDialogSize(std::int32_t width, std::int32_t height) {
    if (!settings_.rememberWindowPos && !settings_.rememberWindowSize) return;
    dialogW_ = width;
    dialogH_ = height;
    shared_.SetDialogSize(width, height);
    ini_.PutInt(u"DlgW", width);
    ini_.PutInt(u"DlgH", height);
}

SearchOptions ConfigStore::LoadSearchOptions() const {
    return SearchOptions{userIni_.GetBool(u"SearchIgnoreCase", true), userIni_.GetBool(u"SearchRegExp", false)};
}

void ConfigStore::SaveSearchOptions(const SearchOptions& options) const {
    userIni_.PutBool(u"SearchIgnoreCase", options.ignoreCase);
    userIni_.PutBool(u"SearchRegExp", options.regExp);
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
