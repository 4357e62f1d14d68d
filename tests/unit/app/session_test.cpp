// The document's life without a window: loading, the save prompt, saving and
// its failures, reopening in another encoding, routing a document, the lock,
// and the commands that run through the session.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/resource_ids.h"
#include "app/session.h"
#include "links/link_test_support.h"
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
    void DocumentStateChanged() override { ++stateChanges; }
    void DocumentSaved(const String& path) override { saved.push_back(path); }
    void CloseWindow() override { closed = true; }
    EditorViewSettings& View() override { return *this; }
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

    Session* session = nullptr;
    SaveAnswer answer = SaveAnswer::kCancel;
    String savePath;  // empty: the save dialog is cancelled
    std::int32_t saveRow = -1;
    LineEnd saveLineEnd = LineEnd::kCrLf;
    CharsetId reopenAs = 0;
    bool shownElsewhere = false;
    std::vector<Failure> failures;
    std::vector<String> saved;  // the files written, as told
    std::vector<String> launched;
    std::vector<String> started;
    int prompts = 0;
    int shown = 0;
    int stateChanges = 0;
    int docTypeChanges = 0;
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

}  // namespace
}  // namespace pathbook
