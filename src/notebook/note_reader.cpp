#include "notebook/note_reader.h"

#include <cstring>

#include "textfile/detection.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kReadChunk = 1024;

bool NulBytesAreText(CharsetId charset) {
    switch (charset) {
    case charset::kUtf16BeBom:
    case charset::kUtf16LeBom:
    case charset::kUtf16Be:
    case charset::kUtf16Le:
    case charset::kUtf32BeBom:
    case charset::kUtf32LeBom:
    case charset::kUtf32Be:
    case charset::kUtf32Le:
        return true;
    default:
        return false;
    }
}

}  // namespace

NoteOpen NoteReader::Open(const char16_t* path) {
    // The search looks at all of the bytes before any is decoded.
    if (!file_.Open(path, platform::PageCheck::kAtOpen)) return NoteOpen::kUnreadable;
    const std::uint32_t examined = file_.Size() < kDetectionWindow ? file_.Size() : kDetectionWindow;
    if (!NulBytesAreText(file_.Charset()) && std::memchr(file_.Bytes(), 0, examined) != nullptr) {
        return NoteOpen::kBinary;
    }
    return NoteOpen::kOpened;
}

// The loop of Document::Load: a line ends at each break, the text at the end.
NoteText NoteReader::ReadText() {
    NoteText text;
    char16_t buffer[kReadChunk];
    while (file_.State() != ReadState::kFinished) {
        std::uint32_t count = file_.Read(buffer, kReadChunk);
        text.AppendToLine(buffer, count);
        ReadState state = file_.State();
        if (state == ReadState::kAtLineBreak) {
            text.BreakLine();
        } else if (state == ReadState::kBufferFull && count == 0) {
            break;  // a source that stops making progress ends the text
        }
    }
    text.Shrink();
    return text;
}

NoteOpen ReadNote(const char16_t* path, NoteText* text, CharsetId* charset) {
    NoteReader reader;
    NoteOpen result = reader.Open(path);
    if (result != NoteOpen::kOpened) return result;
    *charset = reader.Charset();
    *text = reader.ReadText();
    return result;
}

}  // namespace pathbook
