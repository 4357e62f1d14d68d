// The stand-in editor: a multi-line edit control over the core Document,
// which loads and saves the text. It keeps the window usable until the full
// view takes its place behind EditorPort. It has one level of undo (the edit
// control's), no redo, and shows the text unwrapped in the dialog font.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/editor_port.h"
#include "app/framework/window.h"
#include "app/resource_ids.h"
#include "document/edit_command.h"
#include "platform/win32/wide.h"

namespace pathbook {
namespace {

using platform::win32::Utf16;
using platform::win32::Wide;

constexpr wchar_t kClassName[] = L"Pathbook PlainEditor";
constexpr UINT_PTR kSubclassId = 1;

class PlainEditor final : public Window, public EditorPort, EditorDocumentSettings, EditorViewSettings {
public:
    PlainEditor() : Window(kClassName, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0) {
        WNDCLASSEXW classInfo{};
        classInfo.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
        classInfo.lpszClassName = kClassName;
        RegisterWindowClass(classInfo);
    }
    ~PlainEditor() override { Destroy(); }

    bool Create(HWND parent, int id, EditorEvents& events) override {
        events_ = &events;
        return Window::Create(L"", parent, 0, 0, 0, 0, nullptr, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    }
    HWND Handle() const override { return Window::Handle(); }
    void Move(int x, int y, int width, int height) override {
        if (Handle() != nullptr) MoveWindow(Handle(), x, y, width, height, TRUE);
    }
    void Focus() override {
        if (edit_ != nullptr) SetFocus(edit_);
    }

    bool SelectionEmpty() const override {
        DWORD start = 0, end = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return start == end;
    }
    bool CanUndo() const override { return Send(EM_CANUNDO, 0, 0) != 0; }
    bool CanRedo() const override { return false; }
    bool Modified() const override { return Send(EM_GETMODIFY, 0, 0) != 0; }
    LinkKind LinkKindAtCaret() const override;
    bool ReadOnly() const override { return readOnly_; }
    void SetReadOnly(bool on) override {
        readOnly_ = on;
        Send(EM_SETREADONLY, on, 0);
    }

    void Cut() override { Edit(WM_CUT); }
    void Copy() override { Send(WM_COPY, 0, 0); }
    void Paste() override { Edit(WM_PASTE); }
    void DeleteSelection() override {
        if (!SelectionEmpty()) Edit(WM_CLEAR);
    }
    void SelectAll() override { Send(EM_SETSEL, 0, -1); }
    void Undo() override { Edit(EM_UNDO); }
    void Redo() override {}
    void InsertText(std::u16string_view text) override {
        if (readOnly_) return;
        std::u16string copy(text);
        Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(copy.c_str()));
        ReportModified();
    }
    void JumpToLine(std::int32_t line) override;
    bool RunLinkCommand(int) override { return false; }

    void Load(std::unique_ptr<TextSource> source) override;
    bool Save(TextSink& sink) override;
    EditorDocumentSettings& SettingsForDocument() override { return *this; }
    EditorViewSettings& SettingsForView() override { return *this; }

    void SetUndoLimit(std::int32_t limit) override {
        document_.SetUndoLimit(limit < 0 ? kUnlimitedUndo : static_cast<std::uint32_t>(limit));
    }
    void SetKeywordText(const char16_t* definition) override { document_.SetKeywordDefinition(definition); }
    void Apply(const ViewSettings&, std::int32_t, bool) override {}
    void SetWrap(std::int32_t) override {}

protected:
    void OnCreate(CREATESTRUCTW&) override {
        edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                    ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        Send(EM_SETLIMITTEXT, 0, 0);
        SetWindowSubclass(edit_, EditProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    void OnDestroy() override {
        if (edit_ != nullptr) RemoveWindowSubclass(edit_, EditProcedure, kSubclassId);
        edit_ = nullptr;
    }
    bool OnSize(UINT, int width, int height) override {
        if (edit_ != nullptr) MoveWindow(edit_, 0, 0, width, height, TRUE);
        return true;
    }
    bool OnFocus(bool gained) override {
        if (gained) Focus();
        return gained;
    }
    bool OnCommand(WORD, WORD notifyCode, HWND control) override {
        if (control != edit_ || notifyCode != EN_CHANGE) return false;
        ReportModified();
        return true;
    }

private:
    // The context menu is the main window's, not the edit control's own.
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) noexcept {
        auto* self = reinterpret_cast<PlainEditor*>(data);
        if (message == WM_CONTEXTMENU) {
            return SendMessageW(GetParent(self->Handle()), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(self->Handle()),
                                lParam);
        }
        return DefSubclassProc(edit, message, wParam, lParam);
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return edit_ != nullptr ? SendMessageW(edit_, message, wParam, lParam) : 0;
    }
    // A change of the text: refused while read-only.
    void Edit(UINT message) {
        if (readOnly_) return;
        Send(message, 0, 0);
        ReportModified();
    }
    void ReportModified() {
        bool modified = Modified();
        if (modified == reportedModified_) return;
        reportedModified_ = modified;
        if (events_ != nullptr) events_->OnModifiedChanged(modified);
    }
    std::u16string Text() const {
        std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, u'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(edit_, Wide(text.data()), static_cast<int>(text.size()))));
        return text;
    }

    Document document_;
    EditorEvents* events_ = nullptr;
    HWND edit_ = nullptr;
    bool readOnly_ = false;
    bool reportedModified_ = false;
};

LinkKind PlainEditor::LinkKindAtCaret() const {
    if (edit_ == nullptr) return LinkKind::kNone;
    DWORD caret = 0;
    Send(EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    LRESULT line = Send(EM_LINEFROMCHAR, caret, 0);
    LRESULT lineStart = Send(EM_LINEINDEX, line, 0);
    LRESULT length = Send(EM_LINELENGTH, lineStart, 0);
    std::u16string text(static_cast<std::size_t>(length) + 2, u'\0');
    *reinterpret_cast<WORD*>(text.data()) = static_cast<WORD>(text.size());
    text.resize(static_cast<std::size_t>(Send(EM_GETLINE, line, reinterpret_cast<LPARAM>(text.data()))));
    std::size_t column = caret - static_cast<DWORD>(lineStart);
    for (std::size_t open = text.rfind(u'<', column); open != std::u16string::npos && open < text.size();) {
        std::uint32_t count = MatchLink(text.data() + open + 1, static_cast<std::uint32_t>(text.size() - open - 1));
        if (count > 0 && column <= open + 1 + count) return ClassifyLink(text.data() + open + 1, count);
        break;
    }
    return LinkKind::kNone;
}

void PlainEditor::JumpToLine(std::int32_t line) {
    LRESULT lines = Send(EM_GETLINECOUNT, 0, 0);
    LRESULT target = line < 1 ? 0 : (line > lines ? lines - 1 : line - 1);
    LRESULT start = Send(EM_LINEINDEX, target, 0);
    Send(EM_SETSEL, start, start);
    Send(EM_SCROLLCARET, 0, 0);
}

void PlainEditor::Load(std::unique_ptr<TextSource> source) {
    document_.ClearAll();
    document_.Load(std::move(source));
    std::u16string text = document_.CopyRange({0, 0}, {kEndOfText, kEndOfText});
    SetWindowTextW(edit_, Wide(text.c_str()));
    Send(EM_SETMODIFY, FALSE, 0);
    Send(EM_EMPTYUNDOBUFFER, 0, 0);
    ReportModified();
}

bool PlainEditor::Save(TextSink& sink) {
    document_.ClearAll();
    InsertCommand insert(DocPos{0, 0}, Text());
    document_.Execute(insert);
    if (!document_.Save(sink)) return false;
    Send(EM_SETMODIFY, FALSE, 0);
    ReportModified();
    return true;
}

}  // namespace

std::unique_ptr<EditorPort> MakeEditor() { return std::make_unique<PlainEditor>(); }

}  // namespace pathbook
