// The caret and the selection anchor of one view, and everything the user does
// to the text through them: keys, typed characters, input-method strings,
// mouse clicks and drags, link activation, path selection, paste and the
// input method's requests. Edits go through Document::Execute; the caret
// follows them through its DocListener (registered after the EditViewCore, so
// the layout is current when it hears of a change). The window layer turns
// messages into the calls below. Tested by caret_keys_test.cpp and
// caret_mouse_test.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "document/link_recognition.h"
#include "view/caret_host.h"
#include "view/edit_keys.h"
#include "view/edit_view_core.h"
#include "view/link_activation.h"

namespace pathbook {

// The path-selection commands: search for the next or previous link and select it.
enum class PathSearch {
    kNextOnLine = 40042,      // from 2 columns after the selection's end (Ctrl+Right)
    kPreviousOnLine = 40041,  // from 2 columns before the selection's start (Ctrl+Left)
    kNextLine = 40039,        // from the line after the selection's end (Ctrl+Down)
    kPreviousLine = 40040,    // from the line before the selection's start (Ctrl+Up)
};

class Caret : public DocListener {
public:
    // At (0, 0), insert mode, editable, single-click links on.
    Caret(Document& document, EditViewCore& view, CaretHost& host);
    ~Caret() override;
    Caret(const Caret&) = delete;
    Caret& operator=(const Caret&) = delete;

    // The owner's sink (not owned; null restores the default, which does nothing).
    void SetEvents(CaretEvents* events);

    // State.
    const ViewPos& Position() const { return caret_; }
    const ViewPos& Anchor() const { return anchor_; }
    bool SelectionEmpty() const { return caret_.pos == anchor_.pos; }
    DocPos SelectionStart() const;
    DocPos SelectionEnd() const;
    bool InsertMode() const { return insertMode_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    // Whether a single click opens a link (otherwise a double click does).
    void SetSingleClick(bool on) { singleClick_ = on; }

    // Moves the caret to `pos` (clamped); `extend` keeps the anchor. Repaints,
    // places the system caret, tells the sink and scrolls the caret into view.
    void SetCaret(DocPos pos, bool extend);
    // After the layout changed without an edit (EditViewCore::Apply, SetOptions,
    // Resize) or the view scrolled by wheel or scroll bar: recomputes rows and
    // x of caret and anchor and places the system caret again.
    void Relayout();

    // Keyboard. Key: WM_KEYDOWN. Char: WM_CHAR (control characters other than
    // tab and CR are ignored; a surrogate pair typed as two units is inserted
    // as one). InputString: a finished input-method string. All editing is
    // ignored while read-only; moving and selecting are not.
    void Key(EditKey key, bool shift, bool ctrl);
    void Char(char16_t unit);
    void InputString(std::u16string_view text);
    // Replaces the selection by `text` (inserts it at the caret when empty) as
    // one undo step. Not checked against read-only: callers decide.
    void ReplaceSelection(std::u16string_view text);

    // Commands.
    void DeleteSelection();  // nothing when the selection is empty
    void SelectAll();
    // Selects the next or previous link with its brackets; false when none.
    bool SelectPath(PathSearch search);
    // 40033 / 40034 on the link at the selection's start; false when no link is there.
    bool ActivateLinkAtSelection(LinkCommand command);
    // The kind of link at the selection's start (the position 40033/40034 use);
    // kNone at a line end or off a link.
    LinkKind LinkKindAtCaret() const;

    // Clipboard. Copy and Cut: the window layer writes ClipboardUnits /
    // WriteClipboardText (clipboard_text.h) of SelectionStart..SelectionEnd,
    // and for Cut calls DeleteSelection only after the copy succeeded.
    // PasteText: a CF_UNICODETEXT block of `units` units (its size halved).
    // PasteFiles: the files of CF_HDROP, inserted at the caret as a second step.
    void PasteText(const char16_t* block, std::size_t units);
    void PasteFiles(const std::vector<std::u16string>& paths);

    // Mouse, in client pixels. LeftButtonDown returns true when a drag began
    // (capture the mouse and start the auto-scroll timer, interval from the
    // keyboard speed); it ends with LeftButtonUp. DragTick: the timer.
    bool LeftButtonDown(std::int32_t x, std::int32_t y, bool shift, bool ctrl);
    void MouseMove(std::int32_t x, std::int32_t y);
    void LeftButtonUp();
    void DragTick();
    bool Dragging() const { return dragging_; }
    void DoubleClick(std::int32_t x, std::int32_t y, bool ctrl);
    void RightButtonDown(std::int32_t x, std::int32_t y);
    // The pointer to show over the view: busy while a link is being checked.
    CursorShape Cursor() const;

    // The second step of opening a link, with the result of the request that
    // CaretHost::StartLinkResolution was given: marks the missing part, shows
    // the status, opens the target when due, repaints the link.
    void FinishLinkActivation(const LinkRequest& request, const LinkResult& result);
    bool LinkCheckRunning() const { return !pending_.empty(); }

    // The system caret: 2 pixels wide in insert mode, as wide as "x" in
    // overwrite mode, a row high; placed at SystemCaretPoint.
    std::int32_t SystemCaretWidth() const;
    struct Point {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };
    Point SystemCaretPoint() const;

    // Input method (ime_blocks.h). ReconversionBlock: the selection (or, when
    // empty, the word at the caret) within one line; empty when refused.
    // StartReconversion, once the block was filled: selects that text with the
    // caret at its start, which the input method's result then replaces.
    std::vector<std::uint8_t> ReconversionBlock() const;
    void StartReconversion();
    // The caret's line around the caret (at most a few hundred units each
    // side), with an empty composition at the caret.
    std::vector<std::uint8_t> DocumentFeedBlock() const;
    // Where the `index`th unit of the text being converted stands: client
    // point of its top left and the row height.
    struct CharPlace {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t lineHeight = 0;
    };
    CharPlace CharPosition(std::uint32_t index) const;

    void OnTextUpdate(DocPos start, DocPos oldEnd, DocPos newEnd, bool byCommand) override;

private:
    struct Range {
        DocPos from;
        DocPos to;
    };
    const Layout& CurrentLayout() const { return view_.CurrentLayout(); }
    ViewPos ToView(DocPos pos) const { return DocToView(CurrentLayout(), pos); }
    void MoveTo(const ViewPos& pos, bool extend);
    void MoveVertically(std::int64_t rows, bool shift);
    std::int64_t PageStep() const;
    void InvalidateBetween(const ViewPos& a, const ViewPos& b);
    void InvalidateLine(LineIndex line, Column from, Column to);
    void PlaceSystemCaret();
    void ScrollCaretIntoView();
    void KeyHome(bool shift, bool ctrl);
    void KeyEnd(bool shift, bool ctrl);
    void KeyBack();
    void KeyDelete();
    void ToggleInsertMode();
    void TypeText(std::u16string_view text);
    void DeleteRange(DocPos from, DocPos to);
    bool OnLinkUnit(DocPos pos) const;
    bool InMargin(std::int32_t x) const;
    bool LeftOfSeparator(std::int32_t x) const;
    bool InsideTextRect(std::int32_t x, std::int32_t y) const;
    bool LinkAtPoint(std::int32_t x, std::int32_t y, DocPos& pos) const;
    void ExtendToPoint(std::int32_t x, std::int32_t y);
    bool ActivateLink(DocPos pos, LinkCommand command, bool ctrl);
    void SelectLinkAt(DocPos pos);
    Range ReconversionRange() const;

    Document& document_;
    EditViewCore& view_;
    CaretHost& host_;
    CaretEvents defaultEvents_;
    CaretEvents* events_ = &defaultEvents_;  // never null
    ViewPos caret_;
    ViewPos anchor_;
    bool insertMode_ = true;
    bool readOnly_ = false;
    bool singleClick_ = true;
    char16_t pendingHigh_ = 0;  // a high surrogate waiting for its low half
    // Drag state.
    bool dragging_ = false;
    bool marginDrag_ = false;
    bool downOpenedLink_ = false;  // the last left button down activated a link
    std::int32_t lastX_ = 0;
    std::int32_t lastY_ = 0;
    CursorShape hoverShape_ = CursorShape::kIBeam;
    std::vector<LinkRequest> pending_;  // links being checked in the background
};

}  // namespace pathbook
