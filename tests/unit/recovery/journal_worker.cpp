// A helper process for the recovery tests.
//   leave FOLDER COUNT TAG: records COUNT untitled notes ("TAG-i 日本語"), waits
//       until they are on disk and ends at once, cleaning nothing up, as a crash does.
//   claim FOLDER START OUT: once START exists (or after ten seconds), claims
//       the orphans, writes each rebuilt text to OUT (UTF-8, one a line) and
//       removes them, so that nothing it took is left for anyone else.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "document/edit_command.h"
#include "platform/file_system.h"
#include "recovery/journal_folder.h"
#include "recovery/journal_recorder.h"
#include "runtime/decimal.h"
#include "runtime/utf8.h"

namespace {

using namespace pathbook;

int Leave(const std::u16string& folder, int count, const std::u16string& tag) {
    JournalFolder journals(folder);
    std::vector<std::unique_ptr<Document>> documents;
    std::vector<std::unique_ptr<JournalRecorder>> recorders;
    for (int i = 0; i < count; ++i) {
        documents.push_back(std::make_unique<Document>());
        recorders.push_back(std::make_unique<JournalRecorder>(journals, *documents.back()));
        InsertCommand typed(DocPos::At(0, 0), tag + u"-" + FormatDecimal(i) + u" 日本語");
        documents.back()->Execute(typed);
        recorders.back()->Flush();
    }
    journals.WaitUntilWritten();
    std::_Exit(0);
}

int Claim(const std::u16string& folder, const std::u16string& start, const std::string& out) {
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!platform::IsExistingFile(start.c_str()) && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    JournalFolder journals(folder);
    std::ofstream results(out, std::ios::binary);
    for (const RecoveredJournal& journal : journals.ClaimOrphans()) {
        Document document;
        document.Load(journal.OpenBaseText());
        journal.ReplayEdits(document);
        results << Utf16ToUtf8(document.CopyRange(DocPos::At(0, 0), DocPos::At(kEndOfText, kEndOfText))) << "\n";
        journals.Remove(journal);
    }
    return results.good() ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "leave") == 0) {
        return Leave(Utf8ToUtf16(argv[2]), std::atoi(argv[3]), Utf8ToUtf16(argv[4]));
    }
    if (argc == 5 && std::strcmp(argv[1], "claim") == 0) {
        return Claim(Utf8ToUtf16(argv[2]), Utf8ToUtf16(argv[3]), argv[4]);
    }
    return 2;
}
