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
    document_.Load(file->Borrow());
    document_.SetEditLock(readOnlyFile || values.readOnly);
    JournalRebase();
    RememberFile();
    loadExact_ = !file->ReplacedBytes() && !file->HeldNul();
    inexactLoad_ = file->HeldNul() ? LoadNotice::kHeldNul : LoadNotice::kReplacedBytes;
    // The chain first: the back and forward buttons follow it.
    browser_.RecordLoad(path_, charset);
    ports_.DocumentShown();
    if (!loadExact_) ports_.ShowLoadNotice(inexactLoad_);
    return true;
}

bool Session::Reload() { return Load(path_, charset_, false); }

void Session::RememberFile() {
    seen_ = IdentityNow(path_);
    settled_ = seen_;
    fileGone_ = false;
}

void Session::CheckFileOnDisk() {
    if (Untitled()) return;
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

bool Session::Save() {
    const bool untitled = Untitled();
    if (untitled && !ChooseSavePath()) return false;
    if (!WriteDocument()) return false;
    if (untitled) ApplyDocType();
    return true;
}

bool Session::SaveAs() {
    if (!ChooseSavePath()) return false;
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
    for (;;) {
        TextFileOut file(charset_, lineBreak_, losses);
        if (file.Open(path_.Chars()) && document_.Save(file)) break;
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
