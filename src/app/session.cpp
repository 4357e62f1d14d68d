#include "app/session.h"

#include "links/path_text.h"
#include "platform/file_names.h"
#include "platform/file_system.h"
#include "textfile/file_change.h"
#include "textfile/text_file_in.h"
#include "textfile/text_file_out.h"

namespace pathbook {
namespace {

String FullPath(const String& path) { return String(platform::FullPathName(path.Chars())); }

// Units read before the first screen is shown: more than a screen holds at
// any window size, little enough to show at once.
constexpr std::uint32_t kFirstSliceUnits = 256 * 1024;
// Units per later slice: some milliseconds, so the window answers between them.
constexpr std::uint32_t kSliceUnits = 4 * 1024 * 1024;

// A save tells its progress only for documents of at least this many lines.
constexpr std::uint32_t kSaveProgressLines = 100000;

// Hands the lines on to the file, telling the window of each percent written.
class ProgressSink final : public TextSink {
public:
    ProgressSink(TextSink& file, std::uint32_t lines, SessionPorts& ports)
        : file_(file), lines_(lines), ports_(ports) {}
    void WriteLine(const char16_t* units, std::uint32_t count, bool isLast) override {
        file_.WriteLine(units, count, isLast);
        const auto percent = static_cast<std::uint32_t>(std::uint64_t{++written_} * 100 / lines_);
        if (percent != shown_ && percent < 100) ports_.ShowSaveProgress(shown_ = percent);
    }
    bool Close() override {
        const bool closed = file_.Close();
        ports_.ShowSaveProgress(100);
        return closed;
    }

private:
    TextSink& file_;
    const std::uint32_t lines_;
    SessionPorts& ports_;
    std::uint32_t written_ = 0;
    std::uint32_t shown_ = 0;
};

LoadEnd EndOf(LoadResult result) { return result == LoadResult::kFailed ? LoadEnd::kFailed : LoadEnd::kComplete; }

platform::FileIdentity IdentityNow(const String& path) { return platform::ReadFileIdentity(path.Chars()); }

}  // namespace

Session::Session(ConfigStore& config, Browser& browser, SessionPorts& ports, String startFolder,
                 JournalFolder* journals)
    : config_(config), browser_(browser), ports_(ports), startFolder_(std::move(startFolder)) {
    SetEncoding(config_.Values().newfileCharset);
    lineBreak_ = config_.Values().newfileLineBreak;
    document_.AddListener(this);
    if (journals != nullptr && journals->IsOpen()) journal_ = std::make_unique<JournalRecorder>(*journals, document_);
}

Session::~Session() { document_.RemoveListener(this); }

String Session::Folder() const {
    String folder = Untitled() ? startFolder_ : path_;
    if (!Untitled()) RemoveLastComponent(folder);
    SetTrailingSeparator(folder, true);
    return folder;
}

void Session::SetEncoding(CharsetId charset) {
    charset_ = charset;
    encodingRow_ = FindEncoding(config_.Encodings(), charset);
}

DocumentIdentity Session::Identity() const { return {std::u16string(path_.View()), charset_, lineBreak_}; }

void Session::JournalRebase() {
    if (journal_ != nullptr) journal_->Rebase(Identity());
}

void Session::FlushJournal(bool wait) {
    if (journal_ == nullptr) return;
    if (wait) {
        journal_->FlushAndWait();
    } else {
        journal_->Flush();
    }
}

void Session::ApplyDocType() {
    wrap_ = ApplyToEditor(config_.Values().undoLimit, config_.DocTypes().Current(), *this, ports_.View());
}

void Session::SetUndoLimit(std::int32_t limit) {
    document_.SetUndoLimit(limit < 0 ? kUnlimitedUndo : static_cast<std::uint32_t>(limit));
}

void Session::SetKeywordText(const char16_t* definition) { document_.SetKeywordDefinition(definition); }

void Session::OnDirtyFlagChange(bool) { ports_.DocumentStateChanged(); }

bool Session::Load(const String& path, CharsetId charset, bool applySettings) {
    auto file = std::make_unique<TextFileIn>(charset);
    const String fullPath = FullPath(path);
    if (!file->Open(fullPath.Chars())) {
        ports_.ReportFailure(Failure::kOpen);
        return false;
    }
    path_ = fullPath;
    UseLongFileName(path_);
    loadCharset_ = charset;
    const Settings& values = config_.Values();
    if (file->Size() > 0) {
        SetEncoding(file->Charset());
        lineBreak_ = file->NoLineBreaks() ? values.newfileLineBreak : file->LineEndStyle();
    } else {
        SetEncoding(values.newfileCharset);
        lineBreak_ = values.newfileLineBreak;
    }
    const bool readOnlyFile = (file->Attributes() & platform::kAttributeReadOnly) != 0;
    document_.ClearAll();
    // After the clear, so that the one layout the settings cause is not spent on the old text.
    if (applySettings) ApplyDocType();
    document_.SetEditLock(readOnlyFile || values.readOnly);
    RememberFile();
    reading_ = std::move(file);
    document_.BeginLoad(reading_->Borrow());
    const LoadResult first = document_.LoadMore(kFirstSliceUnits);
    if (first != LoadResult::kMore) {
        EndLoad(EndOf(first), false);
        return true;
    }
    shownPercent_ = 0;
    ReportLoadProgress();
    ports_.ContinueLoadLater();
    return true;
}

bool Session::LoadSlice() {
    if (!Loading()) return false;
    const LoadResult result = document_.LoadMore(kSliceUnits);
    if (result == LoadResult::kMore) {
        ReportLoadProgress();
        return true;
    }
    EndLoad(EndOf(result), true);
    return false;
}

void Session::StopLoad() {
    if (!Loading()) return;
    document_.CancelLoad();
    EndLoad(LoadEnd::kStopped, true);
}

void Session::ReportLoadProgress() {
    const SourceProgress progress = document_.LoadProgress();
    const std::uint64_t percent = progress.total == 0 ? 0 : progress.done * 100 / progress.total;
    const auto clamped = static_cast<std::uint32_t>(percent < 100 ? percent : 100);
    // Once per percent: the status bar need not hear of every slice.
    if (clamped == shownPercent_ && clamped != 0) return;
    shownPercent_ = clamped;
    ports_.ShowLoadProgress(clamped);
}

void Session::EndLoad(LoadEnd how, bool sliced) {
    if (how == LoadEnd::kFailed) ports_.ReportFailure(Failure::kOpen);
    loadExact_ = !reading_->ReplacedBytes() && !reading_->HeldNul();
    inexactLoad_ = reading_->HeldNul() ? LoadNotice::kHeldNul : LoadNotice::kReplacedBytes;
    reading_.reset();
    JournalRebase();
    // The chain first: the back and forward buttons follow it. A text that
    // broke off is no page to come back to.
    if (how != LoadEnd::kFailed) browser_.RecordLoad(path_, loadCharset_);
    if (sliced || how != LoadEnd::kComplete) {
        ports_.LoadEnded(how);
    } else {
        ports_.DocumentShown();
    }
    if (how == LoadEnd::kComplete && !loadExact_) ports_.ShowLoadNotice(inexactLoad_);
}

bool Session::Reload() { return Load(path_, charset_, false); }

void Session::RememberFile() {
    seen_ = IdentityNow(path_);
    settled_ = seen_;
    fileGone_ = false;
}

void Session::CheckFileOnDisk() {
    if (Untitled() || Loading()) return;
    const platform::FileIdentity now = IdentityNow(path_);
    const FileChange change = ChangeSince(seen_, now);
    if (change == FileChange::kUnchanged || ChangeSince(settled_, now) == FileChange::kUnchanged) return;
    settled_ = now;
    if (change == FileChange::kDeleted) {
        fileGone_ = true;
        ports_.DocumentStateChanged();
        return;
    }
    fileGone_ = false;
    if (Modified() && !ports_.AskReloadChanged()) {
        ports_.DocumentStateChanged();
        return;
    }
    if (Reload()) ports_.ShowLoadNotice(LoadNotice::kReloaded);
}

void Session::SetUpNew() {
    ApplyDocType();
    JournalRebase();
    ports_.DocumentShown();
}

void Session::Restore(const RecoveredJournal& journal) {
    const DocumentIdentity& identity = journal.Identity();
    path_ = String(identity.path);
    SetEncoding(identity.charset);
    lineBreak_ = identity.lineEnd;
    document_.SetEditLock(false);
    document_.ClearAll();
    ApplyDocType();
    document_.Load(journal.OpenBaseText());
    journal.ReplayEdits(document_);
    if (journal_ != nullptr) journal_->Adopt(journal);
    // The text was edited from the file as the journal found it; one changed
    // since then is asked about before Save overwrites it.
    RememberFile();
    if (journal.BaseState() == BaseFileState::kChanged) seen_ = platform::FileIdentity();
    if (!Untitled()) browser_.RecordLoad(path_, charset_);
    ports_.DocumentShown();
}

bool Session::OpenDocument(const String& given, CharsetId code) {
    const String path = FullPath(given);
    if (ports_.ShowInSomeWindow(path, code)) {
        browser_.RecordFoundOpen(path, code);
        return true;
    }
    if (!Untitled() || Modified()) {
        if (!config_.Values().openSame) {
            // A new process could only report the failure and stay empty; this
            // window reports it, and the caller learns that nothing opened.
            if (!platform::IsReadableFile(path.Chars())) {
                ports_.ReportFailure(Failure::kOpen);
                return false;
            }
            String arguments;
            arguments.AssignInt(code);
            ports_.LaunchInstance(u"-c" + arguments + u" \"" + path + u"\"");
            return true;
        }
        if (!AskSave()) return false;
    }
    return Load(path, code, true);
}

void Session::OpenFile() {
    OpenChoice chosen;
    if (!ports_.ChooseOpenPath(path_, Folder(), chosen)) return;
    browser_.Open(OpenWay::kOpenDialog, FullPath(chosen.path), chosen.charset);
}

bool Session::TextComplete() {
    if (document_.State() == TextState::kComplete) return true;
    ports_.ReportFailure(Failure::kIncompleteText);
    return false;
}

bool Session::Save() {
    if (!TextComplete()) return false;
    const bool untitled = Untitled();
    if (untitled && !ChooseSavePath()) return false;
    if (!WriteDocument()) return false;
    if (untitled) ApplyDocType();
    return true;
}

bool Session::SaveAs() {
    if (!TextComplete() || !ChooseSavePath()) return false;
    const bool written = WriteDocument();
    ApplyDocType();
    return written;
}

bool Session::ChooseSavePath() {
    SaveChoice choice{path_, encodingRow_, lineBreak_};
    if (!ports_.ChooseSavePath(choice)) return false;
    const String chosen = FullPath(choice.path);
    if (chosen != path_) {
        // The save dialog asked about overwriting the file chosen; the loaded one stays as it is.
        path_ = chosen;
        RememberFile();
        loadExact_ = true;
    }
    if (choice.encodingRow >= 0 && choice.encodingRow < config_.Encodings().Count()) {
        SetEncoding(config_.Encodings()[choice.encodingRow].id);
    }
    lineBreak_ = choice.lineEnd;
    // Kept even if the write fails: a restore then saves where the user chose.
    if (journal_ != nullptr) journal_->Rename(Identity());
    ports_.DocumentStateChanged();
    return true;
}

bool Session::MayOverwrite() {
    const platform::FileIdentity now = IdentityNow(path_);
    if (ChangeSince(seen_, now) == FileChange::kChanged) {
        settled_ = now;  // dealt with here: activation does not ask again
        switch (ports_.AskChangedOnDisk()) {
            case ChangedFileAnswer::kOverwrite: break;
            case ChangedFileAnswer::kReload: Reload(); return false;
            case ChangedFileAnswer::kCancel: return false;
        }
    }
    if (!loadExact_ && !ports_.AskOverwriteInexact(inexactLoad_)) return false;
    loadExact_ = true;
    return true;
}

void Session::ReportSaveFailure(const TextFileOut& file) {
    ports_.ReportSaveFailure({file.Failure(), String(file.SystemReason()), String(file.NewFilePath()),
                              String(file.OldFilePath())});
}

bool Session::WriteDocument() {
    if (!MayOverwrite()) return false;
    LossPolicy losses = LossPolicy::kRefuse;
    // Each turn follows an answer of the user's, so the loop ends when they do.
    const std::uint32_t lines = document_.LineCount();
    for (;;) {
        TextFileOut file(charset_, lineBreak_, losses);
        ProgressSink told(file, lines, ports_);
        TextSink& sink = lines >= kSaveProgressLines ? static_cast<TextSink&>(told) : file;
        if (file.Open(path_.Chars()) && document_.Save(sink)) break;
        if (file.Failure() != SaveFailure::kLossy) {
            ReportSaveFailure(file);
            return false;
        }
        switch (ports_.AskLossySave(file.LostCharacters(), charset_ != charset::kUtf8)) {
            case LossAnswer::kSaveInUtf8:
                SetEncoding(charset::kUtf8);
                if (journal_ != nullptr) journal_->Rename(Identity());
                ports_.DocumentStateChanged();
                break;
            case LossAnswer::kSaveWithLosses: losses = LossPolicy::kAllow; break;
            case LossAnswer::kCancel: return false;
        }
    }
    RememberFile();
    JournalRebase();
    ports_.DocumentStateChanged();
    browser_.RecordSave(path_, charset_);
    ports_.DocumentSaved(path_);
    return true;
}

bool Session::AskSave() {
    if (!Modified()) return true;
    switch (ports_.AskSave()) {
        case SaveAnswer::kYes: return Save();
        case SaveAnswer::kNo:
            if (journal_ != nullptr) journal_->Discard();
            return true;
        case SaveAnswer::kCancel: return false;
    }
    return false;
}

bool Session::Exit() {
    const bool closing = AskSave();
    if (closing && journal_ != nullptr) journal_->Discard();
    if (closing) ports_.CloseWindow();
    config_.SaveWrapType(wrap_);
    return closing;
}

void Session::Reopen() {
    if (Untitled()) return;
    CharsetId chosen = charset_;
    if (!ports_.ChooseReopenEncoding(charset_, chosen) || !AskSave()) return;
    Load(path_, chosen, false);
}

void Session::ToggleLock() {
    document_.SetEditLock(!document_.EditLocked());
    ports_.DocumentStateChanged();
}

void Session::SetWrap(WrapCommand command) {
    wrap_ = WrapValueFor(command, config_.DocTypes().Current());
    ports_.View().SetWrap(wrap_);
}

void Session::SelectDocType(std::size_t n) {
    config_.DocTypes().Select(n);
    ApplyDocType();
}

}  // namespace pathbook
