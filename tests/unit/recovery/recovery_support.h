// What the recovery tests share: an instance of the program with one document
// and its recorder, typing, and rebuilding the text of a claimed journal as a
// window restores it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "document/memory_text.h"
#include "recovery/journal_folder.h"
#include "recovery/journal_recorder.h"
#include "textfile/text_file_in.h"

namespace pathbook::test {

// One running instance: its share of the recovery folder and one document.
// Destroying it without Discard leaves its journals behind, as a crash does.
struct Instance {
    explicit Instance(const std::u16string& folder) : journals(folder), recorder(journals, document) {}

    // Opens `path` as the window does: clears, loads, rebases.
    void Open(const std::u16string& path, CharsetId charset = charset::kUtf8) {
        document.ClearAll();
        auto file = std::make_unique<TextFileIn>(charset);
        ASSERT_TRUE(file->Open(path.c_str()));
        document.Load(std::move(file));
        recorder.Rebase({path, charset, LineEnd::kCrLf});
    }
    // Restores `journal` as the window does and goes on recording into it.
    void Restore(const RecoveredJournal& journal) {
        document.ClearAll();
        document.Load(journal.OpenBaseText());
        journal.ReplayEdits(document);
        recorder.Adopt(journal);
    }
    std::u16string Text() const { return AllText(document); }

    JournalFolder journals;
    Document document;
    JournalRecorder recorder;  // last: it stops listening before the document goes
};

// Types `text` one unit at a time from `pos`, as keystrokes do, and returns
// the caret after it. Line breaks are "\n".
inline DocPos Type(Document& document, DocPos pos, std::u16string_view text) {
    for (char16_t unit : text) pos = InsertAt(document, pos, std::u16string_view(&unit, 1));
    return pos;
}

// The text `journal` rebuilds; *modified tells whether the document ends up modified.
inline std::u16string Rebuilt(const RecoveredJournal& journal, bool* modified = nullptr) {
    Document document;
    document.Load(journal.OpenBaseText());
    journal.ReplayEdits(document);
    if (modified != nullptr) *modified = document.IsModified();
    return AllText(document);
}

}  // namespace pathbook::test
