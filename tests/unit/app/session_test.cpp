// The document's life without a window: loading, the save prompt, saving and
// its failures, reopening in another encoding, routing a document, the lock,
// and the commands that run through the session.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/recovery_offer.h"
#include "app/resource_ids.h"
#include "app/session.h"
#include "links/link_test_support.h"
#include "platform/folder_listing.h"
#include "support/private_config.h"
#include "support/unique_name.h"

namespace pathbook {
namespace {

// A window that answers as told and records what it was asked.
struct FakeWindow : SessionPorts, BrowsingHost, EditorViewSettings, EditorActions, WindowCommands {
    // SessionPorts.
    SaveAnswer AskSave() override {
        ++prompts;
        return answer;
    }
    bool ChooseSavePath(SaveChoice& choice) override {
        if (savePath.Empty()) return false;
        choice = {savePath, saveRow, saveLineEnd};
        return true;
    }
    bool ChooseOpenPath(const String&, const String&, OpenChoice&) override { return false; }
    bool ChooseReopenEncoding(CharsetId, CharsetId& chosen) override {
        chosen = reopenAs;
        return true;
    }
    void ReportFailure(Failure failure) override { failures.push_back(failure); }
    bool ShowInSomeWindow(const String&, CharsetId) override { return shownElsewhere; }
    void LaunchInstance(const String& arguments) override { launched.push_back(arguments); }
    void DocumentShown() override { ++shown; }
    void DocumentStateChanged() override {}
    void DocumentSaved(const String& path) override { saved.push_back(path); }
    void CloseWindow() override { closed = true; }
    void ContinueLoadLater() override { ++continueAsked; }
    void ShowLoadProgress(std::uint32_t percent) override { percents.push_back(percent); }
    void ShowSaveProgress(std::uint32_t percent) override { savePercents.push_back(percent); }
    void LoadEnded(LoadEnd how) override { ended.push_back(how); }
    EditorViewSettings& View() override { return *this; }
    // SaveQuestions.
    LossAnswer AskLossySave(const std::vector<LostCharacter>& lost, bool offerUtf8) override {
        asked.push_back(offerUtf8 ? u"lossy" : u"lossy in UTF-8");
        lostAsked = lost;
        return lossAnswer;
    }
    ChangedFileAnswer AskChangedOnDisk() override {
        asked.push_back(u"changed");
        return changedAnswer;
    }
    bool AskReloadChanged() override {
        asked.push_back(u"reload?");
        return reloadAnswer;
    }
    bool AskOverwriteInexact(LoadNotice notice) override {
        asked.push_back(notice == LoadNotice::kHeldNul ? u"overwrite NUL?" : u"overwrite replaced?");
        return overwriteAnswer;
    }
    void ReportSaveFailure(const SaveFailureReport& report) override {
        failures.push_back(Failure::kSave);
        saveFailure = report.failure;
    }
    void ShowLoadNotice(LoadNotice notice) override { notices.push_back(notice); }
    // BrowsingHost: a document routed here by the browser loads here.
    bool OpenDocument(const String& path, CharsetId code) override { return session->OpenDocument(path, code); }
    void ShowHomeMenu() override {}
    void BroadcastHistoryChanged() override {}
    void BroadcastFavoritesChanged() override {}
    // EditorViewSettings.
    void Apply(const ViewSettings&, std::int32_t wrap, bool) override { viewWrap = wrap; }
    void SetWrap(std::int32_t wrap) override { viewWrap = wrap; }
    // EditorActions: only the insertion reaches the document.
    bool SelectionEmpty() const override { return true; }
    LinkKind LinkKindAtCaret() const override { return LinkKind::kNone; }
    void Cut() override {}
    void Copy() override {}
    void Paste() override {}
    void DeleteSelection() override {}
    void SelectAll() override {}
    void InsertText(std::u16string_view text) override {
        InsertCommand command(DocPos::At(0, 0), text);
        session->Text().Execute(command);
    }
    void JumpToLine(std::int32_t) override {}
    void OpenLinkAtCaret(LinkCommand) override {}
    void SelectPath(PathSearch) override {}
    DocPos SelectionAnchor() const override { return {}; }
    DocPos CaretPosition() const override { return {}; }
    void Select(DocPos, DocPos) override {}
    String SelectedText() const override { return String(); }
    // WindowCommands.
    void NewWindow() override {}
    void Close() override { session->Exit(); }
    void OpenFind() override {}
    void FindAgain(bool) override {}
    void JumpToLine() override {}
    void EditSettings() override {}
    void ManageFavorites() override {}
    void ToggleStatusBar() override {}
    void About() override {}
    void SwitchWindow(bool) override {}
    void StartProgram(const ProgramStart& start) override { started.push_back(start.commandLine); }
    String DateTimeText() override { return u"12:34 26/12/07"; }
    void DocTypesChanged() override { ++docTypeChanges; }
    void ReportFavoriteNotStored() override {}
    void ReportHistoryNotCleared(ListWrite why) override { historyNotCleared.push_back(why); }

    Session* session = nullptr;
    SaveAnswer answer = SaveAnswer::kCancel;
    String savePath;  // empty: the save dialog is cancelled
    std::int32_t saveRow = -1;
    LineEnd saveLineEnd = LineEnd::kCrLf;
    CharsetId reopenAs = 0;
    bool shownElsewhere = false;
    std::vector<Failure> failures;
    std::vector<std::uint32_t> percents, savePercents;
    std::vector<LoadEnd> ended;
    int continueAsked = 0;
    std::vector<String> saved;  // the files written, as told
    SaveFailure saveFailure = SaveFailure::kNone;
    LossAnswer lossAnswer = LossAnswer::kCancel;
    ChangedFileAnswer changedAnswer = ChangedFileAnswer::kCancel;
    bool reloadAnswer = false;
    bool overwriteAnswer = false;
    std::vector<String> asked;  // the questions, in order
    std::vector<LostCharacter> lostAsked;
    std::vector<LoadNotice> notices;
    std::vector<ListWrite> historyNotCleared;
    std::vector<String> launched, started;
    int prompts = 0, shown = 0, docTypeChanges = 0;
    bool closed = false;
    std::int32_t viewWrap = 99;
};

class SessionTest : public ::testing::Test {
protected:
    SessionTest()
        : config_(private_.Places(), u"(default)"),
          favorites_(String(private_.File("DocList.txt")), String(private_.HistoryMutexName())) {
        EXPECT_TRUE(chain_.Attach(NavChainNames{String(chainBlock_.Name()), String(chainMutex_.Name())}));
        browser_ = std::make_unique<Browser>(config_, favorites_, chain_, window_);
        session_ = std::make_unique<Session>(config_, *browser_, window_, String(private_.File("start")));
        window_.session = session_.get();
        config_.Values().newfileCharset = charset::kUtf8;
    }

    String Note(const std::string& name, const std::string& bytes) {
        std::filesystem::path path(private_.File(name));
        std::ofstream(path, std::ios::binary) << bytes;
        return String(path.u16string());
    }
    std::string Bytes(const String& path) {
        std::ifstream in(std::filesystem::path(std::u16string(path.View())), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::u16string Text() const {
        return session_->Text().CopyRange(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText));
    }
    void Type(std::u16string_view text) { window_.InsertText(text); }
    // A note of `lines` numbered lines, several slices long.
    String BigNote(const std::string& name, int lines) {
        std::string bytes;
        for (int n = 0; n < lines; ++n) bytes += "line " + std::to_string(n) + " of the big note, \xe8\xa1\x8c\r\n";
        return Note(name, bytes);
    }
    // Runs the slices the window would run; how many ran.
    int RunSlices() {
        int slices = 0;
        while (session_->LoadSlice()) ++slices;
        return slices;
    }
    bool Run(std::int32_t id) {
        CommandContext context{config_, *session_, *browser_, window_, window_};
        return RunCommand(context, id);
    }

    test::PrivateConfig private_;
    test::NameCleanup chainBlock_{test::UniqueName("Chain")};
    test::NameCleanup chainMutex_{test::UniqueName("ChainSem")};
    ConfigStore config_;
    FavoriteList favorites_;
    NavChain chain_;
    FakeWindow window_;
    std::unique_ptr<Browser> browser_;
    std::unique_ptr<Session> session_;
};

TEST_F(SessionTest, TheSavePromptAnswers) {
    const String note = Note("a.txt", "old");
    ASSERT_TRUE(session_->Load(note, 0, true));
    EXPECT_TRUE(session_->AskSave());  // unmodified: nothing to ask
    EXPECT_EQ(window_.prompts, 0);
    Type(u"new ");
    const struct {
        SaveAnswer answer;
        bool goesOn;
        const char* onDisk;
    } cases[] = {{SaveAnswer::kCancel, false, "old"}, {SaveAnswer::kNo, true, "old"}, {SaveAnswer::kYes, true, "new old"}};
    for (const auto& c : cases) {
        window_.answer = c.answer;
        EXPECT_EQ(session_->AskSave(), c.goesOn) << static_cast<int>(c.answer);
        EXPECT_EQ(Bytes(note), c.onDisk) << static_cast<int>(c.answer);
    }
    EXPECT_FALSE(session_->Modified());
    EXPECT_EQ(window_.prompts, 3);
}

TEST_F(SessionTest, AFailedSaveIsReportedAndKeepsTheDocumentModified) {
    ASSERT_TRUE(session_->Load(Note("a.txt", "text"), 0, true));
    Type(u"more ");
    window_.savePath = String((std::filesystem::path(private_.File("no such folder")) / "b.txt").u16string());
    window_.saveRow = FindEncoding(config_.Encodings(), charset::kShiftJis);
    window_.saveLineEnd = LineEnd::kLf;
    EXPECT_FALSE(session_->SaveAs());
    EXPECT_EQ(window_.failures, std::vector<Failure>{Failure::kSave});
    EXPECT_EQ(window_.saveFailure, SaveFailure::kCannotCreate);
    EXPECT_TRUE(session_->Modified());
    EXPECT_TRUE(window_.saved.empty());
    // The chosen file, encoding and line end stay for the next Save.
    EXPECT_EQ(session_->Path(), window_.savePath);
    EXPECT_EQ(session_->Charset(), charset::kShiftJis);
    EXPECT_EQ(session_->LineBreak(), LineEnd::kLf);
    window_.answer = SaveAnswer::kYes;
    EXPECT_FALSE(session_->Exit());
    EXPECT_FALSE(window_.closed);
}

TEST_F(SessionTest, UntitledSaveAsksForAFileAndTakesItsEncoding) {
    session_->SetUpNew();
    EXPECT_EQ(session_->Folder(), String(private_.File("start")) + u"\\");
    Type(u"日本語");
    EXPECT_FALSE(session_->Save());  // the dialog was cancelled
    EXPECT_TRUE(session_->Untitled());
    window_.savePath = String(private_.File("new.txt"));
    window_.saveRow = FindEncoding(config_.Encodings(), charset::kShiftJis);
    ASSERT_TRUE(session_->Save());
    EXPECT_EQ(Bytes(window_.savePath), "\x93\xfa\x96\x7b\x8c\xea");
    EXPECT_EQ(window_.saved, std::vector<String>{window_.savePath});
    EXPECT_EQ(session_->Folder(), String(private_.File("")));
    EXPECT_TRUE(window_.failures.empty());
}

TEST_F(SessionTest, ReopenReadsTheFileAgainInTheChosenEncoding) {
    const String note = Note("sjis.txt", "\x93\xfa\x96\x7b\x8c\xea\r\n");
    ASSERT_TRUE(session_->Load(note, charset::kUtf8, true));
    EXPECT_NE(Text(), u"日本語\r\n");
    window_.reopenAs = charset::kShiftJis;
    session_->Reopen();
    EXPECT_EQ(Text(), u"日本語\r\n");
    EXPECT_EQ(session_->Charset(), charset::kShiftJis);
    EXPECT_EQ(session_->EncodingRow(), FindEncoding(config_.Encodings(), charset::kShiftJis));
    EXPECT_EQ(session_->LineBreak(), LineEnd::kCrLf);
}

TEST_F(SessionTest, TheLockRefusesEveryEditUntilItIsLifted) {
    const String note = Note("locked.txt", "text");
    std::filesystem::permissions(std::filesystem::path(private_.File("locked.txt")),
                                 std::filesystem::perms::owner_read);
    ASSERT_TRUE(session_->Load(note, 0, true));
    EXPECT_TRUE(session_->Locked());
    Type(u"x");
    EXPECT_FALSE(Run(IDM_INSERT_DATE_TIME) && session_->Modified());
    EXPECT_EQ(Text(), u"text");
    EXPECT_TRUE(Run(IDM_NO_EDITING));
    EXPECT_FALSE(session_->Locked());
    Type(u"x");
    EXPECT_EQ(Text(), u"xtext");
    session_->ToggleLock();
    EXPECT_FALSE(session_->Text().Undo());
    EXPECT_EQ(Text(), u"xtext");
    session_->ToggleLock();
    EXPECT_TRUE(session_->Text().Undo());
    EXPECT_EQ(Text(), u"text");
}

TEST_F(SessionTest, ADocumentGoesToAnotherWindowANewProcessOrThisOne) {
    const String a = Note("a.txt", "a");
    const String b = Note("b.txt", "b");
    EXPECT_FALSE(session_->Load(String(private_.File("missing.txt")), 0, true));
    EXPECT_EQ(window_.failures, std::vector<Failure>{Failure::kOpen});
    EXPECT_TRUE(session_->Untitled());
    ASSERT_TRUE(session_->OpenDocument(a, 0));  // an untitled, unmodified window takes it
    EXPECT_EQ(session_->Path(), a);
    ASSERT_TRUE(session_->OpenDocument(b, 932));  // OpenSame off: a new process
    EXPECT_EQ(window_.launched, std::vector<String>{u"-c932 \"" + b + u"\""});
    EXPECT_FALSE(session_->OpenDocument(String(private_.File("missing.txt")), 0));
    window_.shownElsewhere = true;
    EXPECT_TRUE(session_->OpenDocument(b, 0));
    EXPECT_EQ(window_.launched.size(), 1u);
    window_.shownElsewhere = false;
    config_.Values().openSame = true;
    Type(u"edit ");
    window_.answer = SaveAnswer::kCancel;
    EXPECT_FALSE(session_->OpenDocument(b, 0));  // the user keeps the document on show
    window_.answer = SaveAnswer::kNo;
    EXPECT_TRUE(session_->OpenDocument(b, 0));
    EXPECT_EQ(Text(), u"b");
    EXPECT_EQ(Bytes(a), "a");
}

// The first slice is on show at once; the rest comes in slices the window
// runs, with the progress rising to 100; only then do the history and the
// window hear of the document. Meanwhile it takes no edit and no save.
TEST_F(SessionTest, ABigNoteLoadsInSlicesAndIsEditableOnlyOnceComplete) {
    const String note = BigNote("big.txt", 200000);
    ASSERT_TRUE(session_->Load(note, 0, true));
    EXPECT_TRUE(session_->Loading());
    EXPECT_EQ(window_.continueAsked, 1);
    EXPECT_EQ(window_.shown, 0);
    EXPECT_GT(session_->Text().LineCount(), 100u);
    EXPECT_EQ(std::u16string_view(session_->Text().LineText(0), session_->Text().LineLength(0)), u"line 0 of the big note, 行");
    Type(u"lost? ");
    EXPECT_FALSE(session_->Modified());
    EXPECT_FALSE(session_->Save());
    EXPECT_EQ(window_.failures, std::vector<Failure>{Failure::kIncompleteText});
    EXPECT_GE(RunSlices(), 1);
    EXPECT_FALSE(session_->Loading());
    EXPECT_EQ(window_.ended, std::vector<LoadEnd>{LoadEnd::kComplete});
    EXPECT_EQ(session_->Text().LineCount(), 200001u);
    ASSERT_GE(window_.percents.size(), 2u);
    EXPECT_TRUE(std::is_sorted(window_.percents.begin(), window_.percents.end()));
    EXPECT_LT(window_.percents.front(), window_.percents.back());
    EXPECT_EQ(session_->Charset(), charset::kUtf8);
    EXPECT_EQ(session_->LineBreak(), LineEnd::kCrLf);
    EXPECT_FALSE(session_->LoadSlice());
    Type(u"kept ");
    ASSERT_TRUE(session_->Save());
    EXPECT_EQ(Bytes(note).substr(0, 11), "kept line 0");
    EXPECT_EQ(window_.shown, 0);
    // The save tells each percent, then its end.
    ASSERT_EQ(window_.savePercents.size(), 100u);
    for (std::uint32_t n = 0; n < 100; ++n) EXPECT_EQ(window_.savePercents[n], n + 1);
}

// A load stopped by the user or broken off by the file leaves the text read
// so far on show, incomplete: it can be neither edited nor saved, so the file
// keeps its bytes. A failure is reported; a stop is the user's own doing.
TEST_F(SessionTest, AStoppedOrFailedLoadLeavesNoTextThatCanBeSavedOverTheFile) {
    window_.savePath = String(private_.File("elsewhere.txt"));
    const struct {
        bool stop;
        LoadEnd how;
        std::vector<Failure> failures;
    } cases[] = {{true, LoadEnd::kStopped, {Failure::kIncompleteText, Failure::kIncompleteText}},
                 {false, LoadEnd::kFailed, {Failure::kOpen, Failure::kIncompleteText, Failure::kIncompleteText}}};
    for (const auto& c : cases) {
        const String note = BigNote("cut.txt", 200000);
        const std::string before = Bytes(note);
        window_.failures.clear();
        window_.ended.clear();
        ASSERT_TRUE(session_->Load(note, 0, true));
        ASSERT_TRUE(session_->Loading());
        std::error_code error;
        if (c.stop) {
            session_->StopLoad();
        } else {
            std::filesystem::resize_file(std::filesystem::path(std::u16string(note.View())), 3u << 20, error);
            // Beyond the bytes read so far; a mapped file cannot shrink on Windows.
            if (error) continue;
            RunSlices();
        }
        EXPECT_EQ(window_.ended, std::vector<LoadEnd>{c.how});
        EXPECT_FALSE(session_->Loading());
        EXPECT_FALSE(session_->Text().Editable());
        EXPECT_GT(session_->Text().LineCount(), 100u);
        Type(u"x");
        EXPECT_FALSE(session_->Save());
        EXPECT_FALSE(session_->SaveAs());
        EXPECT_EQ(window_.failures, c.failures) << c.stop;
        EXPECT_EQ(Bytes(note), c.stop ? before : before.substr(0, 3u << 20));
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(private_.File("elsewhere.txt"))));
        EXPECT_TRUE(session_->Exit());  // nothing to ask about
        session_->StopLoad();           // no load: nothing
    }
}

TEST_F(SessionTest, CommandsReachTheSessionTheBrowserAndTheWindow) {
    ASSERT_TRUE(session_->Load(Note("a.txt", ""), 0, true));
    EXPECT_FALSE(Run(12345));
    EXPECT_TRUE(Run(IDM_INSERT_DATE_TIME));
    EXPECT_EQ(Text(), u"12:34 26/12/07");
    EXPECT_TRUE(Run(IDM_UNDO));
    EXPECT_EQ(Text(), u"");
    EXPECT_TRUE(Run(IDM_NO_WRAP));
    EXPECT_EQ(window_.viewWrap, -1);
    EXPECT_EQ(session_->Wrap(), -1);
    EXPECT_TRUE(Run(IDM_DOC_TYPE_FIRST));
    EXPECT_EQ(window_.docTypeChanges, 1);
    const String tool = test::WindowsForm(std::filesystem::path(std::u16string(Note("tool.exe", "").View())));
    config_.Values().grepExe = u"\"" + tool + u"\" %N";
    EXPECT_TRUE(Run(IDM_GREP));
    EXPECT_EQ(window_.started, std::vector<String>{u"\"" + tool + u"\" a.txt"});
    config_.Values().grepExe = u"no-such-grep-program %N";
    EXPECT_TRUE(Run(IDM_GREP));
    EXPECT_EQ(window_.started.size(), 1u) << "a program that cannot be found is not started";
    EXPECT_TRUE(Run(IDM_EXIT));
    EXPECT_TRUE(window_.closed);
}

// The unsaved text of a session with journals: kept while modified, given up
// when saved or declined, and rebuilt by the next session after a crash.
class SessionJournalTest : public SessionTest {
protected:
    // The session's recorder writes through the folder: it goes first.
    ~SessionJournalTest() override {
        window_.session = nullptr;
        session_.reset();
    }
    std::u16string Folder() const { return private_.File("Recovery"); }
    // A session whose process ends as by a crash: its journals stay.
    void Restart() {
        window_.session = nullptr;
        session_.reset();
        journals_ = std::make_unique<JournalFolder>(Folder());
        session_ = std::make_unique<Session>(config_, *browser_, window_, String(private_.File("start")),
                                             journals_.get());
        window_.session = session_.get();
    }
    // Counted once the writer thread has done what was asked of it.
    std::size_t JournalCount() const {
        journals_->WaitUntilWritten();
        std::vector<platform::FolderEntry> entries;
        platform::ListFolder(Folder().c_str(), &entries);
        return static_cast<std::size_t>(std::count_if(entries.begin(), entries.end(), [](const auto& entry) {
            return entry.name.size() > 8 && entry.name.compare(entry.name.size() - 8, 8, u".journal") == 0;
        }));
    }

    const RecoveryWords kWords{u"untitled", u"%d lines", u"changed", u"gone"};
    std::unique_ptr<JournalFolder> journals_;
};

TEST_F(SessionJournalTest, UnsavedTextOutlivesACrashAndGoesWhenSavedOrDeclined) {
    const String note = Note("a.txt", "old");
    Restart();
    ASSERT_TRUE(session_->Load(note, 0, true));
    Type(u"new ");
    session_->FlushJournal(true);
    EXPECT_EQ(JournalCount(), 1u);
    EXPECT_TRUE(journals_->ClaimOrphans().empty()) << "a living session's journal is its own";

    Restart();
    std::vector<RecoveredJournal> orphans = journals_->ClaimOrphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(RecoveryRow(orphans[0], u"12:00", kWords), u"a.txt\t12:00\t1 lines");
    session_->Restore(orphans[0]);
    EXPECT_EQ(session_->Path(), note);
    EXPECT_TRUE(session_->Modified());
    EXPECT_EQ(Text(), u"new old");
    EXPECT_EQ(Bytes(note), "old") << "never saved by itself";
    EXPECT_TRUE(session_->Save());
    EXPECT_EQ(JournalCount(), 0u);

    Type(u"declined ");
    session_->FlushJournal(true);
    EXPECT_EQ(JournalCount(), 1u);
    window_.answer = SaveAnswer::kNo;
    EXPECT_TRUE(session_->Exit());
    EXPECT_EQ(JournalCount(), 0u);
    EXPECT_EQ(RecoveryArguments(u"C:\\R\\x.journal"), u"-r \"C:\\R\\x.journal\"");
}

TEST_F(SessionJournalTest, AnUntitledNoteComesBackUntitledAndAChangedFileIsSaid) {
    Restart();
    session_->SetUpNew();
    Type(u"日本語 ☃");
    session_->FlushJournal(true);
    Restart();
    std::vector<RecoveredJournal> orphans = journals_->ClaimOrphans();
    ASSERT_EQ(orphans.size(), 1u);
    session_->Restore(orphans[0]);
    EXPECT_TRUE(session_->Untitled());
    EXPECT_EQ(Text(), u"日本語 ☃");
    window_.answer = SaveAnswer::kNo;
    EXPECT_TRUE(session_->Exit());

    const String note = Note("b.txt", "base");
    Restart();
    ASSERT_TRUE(session_->Load(note, 0, true));
    Type(u"edit ");
    session_->FlushJournal(true);
    Note("b.txt", "changed meanwhile");
    Restart();
    orphans = journals_->ClaimOrphans();
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(RecoveryRow(orphans[0], u"9:30", kWords), u"b.txt\t9:30\t1 lines\tchanged");
    session_->Restore(orphans[0]);
    EXPECT_FALSE(session_->Save()) << "the other program's text is not overwritten unasked";
    EXPECT_EQ(window_.asked, std::vector<String>{u"changed"});
    EXPECT_EQ(Bytes(note), "changed meanwhile");
}

TEST_F(SessionTest, ASaveThatWouldLoseCharactersAsksFirst) {
    const struct {
        LossAnswer answer;
        const char* onDisk;  // null: not the old text, whatever the encoder made of the losses
        CharsetId charset;
    } cases[] = {
        {LossAnswer::kCancel, "old", 1252},
        {LossAnswer::kSaveInUtf8, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xE2\x98\x83old", charset::kUtf8},
        {LossAnswer::kSaveWithLosses, nullptr, 1252},
    };
    for (const auto& c : cases) {
        const String note = Note("1252.txt", "old");
        ASSERT_TRUE(session_->Load(note, 1252, true));
        Type(u"日本語 ☃");
        window_.lossAnswer = c.answer;
        window_.asked.clear();
        EXPECT_EQ(session_->Save(), c.answer != LossAnswer::kCancel);
        EXPECT_EQ(window_.asked, std::vector<String>{u"lossy"});
        ASSERT_EQ(window_.lostAsked.size(), 4u);  // the space survives
        EXPECT_EQ(window_.lostAsked[0].codePoint, U'日');
        EXPECT_EQ(window_.lostAsked[3].column, 4u);
        EXPECT_EQ(Bytes(note) == "old", c.answer == LossAnswer::kCancel);
        if (c.onDisk != nullptr) {
            EXPECT_EQ(Bytes(note), c.onDisk);
        }
        EXPECT_EQ(session_->Modified(), c.answer == LossAnswer::kCancel);
        EXPECT_EQ(session_->Charset(), c.charset);
        EXPECT_EQ(Text(), u"日本語 ☃old");
    }
    EXPECT_TRUE(window_.failures.empty());
    // A text even UTF-8 cannot hold is not offered UTF-8 again.
    ASSERT_TRUE(session_->Load(Note("utf8.txt", "x"), charset::kUtf8, true));
    window_.InsertText(std::u16string(1, u'\xD800'));
    window_.lossAnswer = LossAnswer::kCancel;
    window_.asked.clear();
    EXPECT_FALSE(session_->Save());
    EXPECT_EQ(window_.asked, std::vector<String>{u"lossy in UTF-8"});
}

TEST_F(SessionTest, AFileChangedOnDiskIsNotOverwrittenWithoutAsking) {
    const struct {
        ChangedFileAnswer answer;
        const char* onDisk;
        const char16_t* onShow;
    } cases[] = {
        {ChangedFileAnswer::kCancel, "theirs!", u"mine old"},
        {ChangedFileAnswer::kReload, "theirs!", u"theirs!"},
        {ChangedFileAnswer::kOverwrite, "mine old", u"mine old"},
    };
    for (const auto& c : cases) {
        const String note = Note("a.txt", "old");
        ASSERT_TRUE(session_->Load(note, 0, true));
        Type(u"mine ");
        Note("a.txt", "theirs!");
        window_.changedAnswer = c.answer;
        window_.asked.clear();
        EXPECT_EQ(session_->Save(), c.answer == ChangedFileAnswer::kOverwrite);
        session_->CheckFileOnDisk();  // the change was dealt with
        EXPECT_EQ(window_.asked, std::vector<String>{u"changed"});
        EXPECT_EQ(Bytes(note), c.onDisk);
        EXPECT_EQ(Text(), c.onShow);
        EXPECT_EQ(session_->Modified(), c.answer == ChangedFileAnswer::kCancel);
    }
    window_.asked.clear();
    EXPECT_TRUE(session_->Save());  // saved since: nothing to ask
    EXPECT_TRUE(window_.asked.empty());
}

TEST_F(SessionTest, ActivationReadsAChangedFileAgainAndMarksADeletedOne) {
    const String note = Note("a.txt", "old");
    ASSERT_TRUE(session_->Load(note, 0, true));
    session_->CheckFileOnDisk();
    EXPECT_TRUE(window_.notices.empty());
    Note("a.txt", "theirs");
    session_->CheckFileOnDisk();  // unmodified: read again without a question
    EXPECT_EQ(Text(), u"theirs");
    EXPECT_EQ(window_.notices, std::vector<LoadNotice>{LoadNotice::kReloaded});
    EXPECT_TRUE(window_.asked.empty());
    Type(u"mine ");
    Note("a.txt", "theirs again");
    session_->CheckFileOnDisk();  // modified: the user keeps editing
    session_->CheckFileOnDisk();  // and is asked once for one change
    EXPECT_EQ(window_.asked, std::vector<String>{u"reload?"});
    EXPECT_EQ(Text(), u"mine theirs");
    Note("a.txt", "theirs once more");
    window_.reloadAnswer = true;
    session_->CheckFileOnDisk();
    EXPECT_EQ(Text(), u"theirs once more");
    EXPECT_FALSE(session_->Modified());
    std::filesystem::remove(std::filesystem::path(private_.File("a.txt")));
    session_->CheckFileOnDisk();
    EXPECT_TRUE(session_->FileGone());
    window_.asked.clear();
    ASSERT_TRUE(session_->Save());  // made again, without a question
    EXPECT_TRUE(window_.asked.empty());
    EXPECT_FALSE(session_->FileGone());
    EXPECT_EQ(Bytes(note), "theirs once more");
}

TEST_F(SessionTest, ALoadThatWasNotExactAsksOnceBeforeTheFirstSave) {
    const struct {
        std::string bytes;
        LoadNotice notice;
        const char16_t* question;
    } cases[] = {
        {"a\xFF" "b", LoadNotice::kReplacedBytes, u"overwrite replaced?"},
        {std::string("a\0b", 3), LoadNotice::kHeldNul, u"overwrite NUL?"},
    };
    for (const auto& c : cases) {
        const String note = Note("inexact.txt", c.bytes);
        window_.notices.clear();
        window_.asked.clear();
        ASSERT_TRUE(session_->Load(note, charset::kUtf8, true));
        EXPECT_EQ(window_.notices, std::vector<LoadNotice>{c.notice});
        window_.overwriteAnswer = false;
        EXPECT_FALSE(session_->Save());
        EXPECT_EQ(Bytes(note), c.bytes);
        window_.overwriteAnswer = true;
        EXPECT_TRUE(session_->Save());
        EXPECT_TRUE(session_->Save());
        EXPECT_EQ(window_.asked, (std::vector<String>{c.question, c.question}));
    }
}

TEST_F(SessionTest, ClearHistoryReportsAListItCouldNotWrite) {
    EXPECT_TRUE(Run(IDM_CLEAR_HISTORY));
    EXPECT_TRUE(window_.historyNotCleared.empty());
    // A settings file that cannot be written.
    std::filesystem::remove(private_.IniPath());
    std::filesystem::create_directory(private_.IniPath());
    EXPECT_TRUE(Run(IDM_CLEAR_HISTORY));
    EXPECT_EQ(window_.historyNotCleared, std::vector<ListWrite>{ListWrite::kWriteFailed});
}

}  // namespace
}  // namespace pathbook
