#include "recovery/recovered_journal.h"

#include "document/edit_command.h"
#include "platform/file_mapping.h"
#include "platform/file_stamp.h"
#include "textfile/text_file_in.h"

namespace pathbook {
namespace {

class EmptyText final : public TextSource {
public:
    ReadState State() const override { return ReadState::kFinished; }
    std::uint32_t Read(char16_t*, std::uint32_t) override { return 0; }
};

BaseFileState StateOf(const JournalBase& base, const platform::FileStamp& now) {
    if (base.path.empty()) return BaseFileState::kNone;
    if (!now.exists) return BaseFileState::kMissing;
    return now == base.stamp ? BaseFileState::kUnchanged : BaseFileState::kChanged;
}

}  // namespace

bool RecoveredJournal::Read(const JournalPaths& paths, RecoveredJournal* journal) {
    platform::FileMapping file;
    if (!file.Open(paths.journal.c_str())) return false;
    JournalContents contents = ReadJournal(file.Data(), static_cast<std::size_t>(file.Size()));
    file.Close();
    if (!contents.valid || contents.edits.empty()) return false;
    RecoveredJournal read;
    read.paths_ = paths;
    read.writeTime_ = platform::QueryFileStamp(paths.journal.c_str()).writeTime;
    const JournalBase& base = contents.header.base;
    read.baseState_ = StateOf(base, platform::QueryFileStamp(base.path.c_str()));
    read.startFound_ = true;
    if (contents.fromSnapshot || read.baseState_ == BaseFileState::kNone) {
        read.start_ = Start::kEmpty;
    } else if (read.baseState_ == BaseFileState::kUnchanged) {
        read.start_ = Start::kBaseFile;
    } else if (contents.baseCopied &&
               platform::QueryFileStamp(paths.copy.c_str()).size == contents.baseCopiedBytes) {
        read.start_ = Start::kBaseCopy;
    } else {
        // The bytes the edits were made on are gone: replay them over what is there now.
        read.start_ = read.baseState_ == BaseFileState::kChanged ? Start::kBaseFile : Start::kEmpty;
        read.startFound_ = false;
    }
    read.contents_ = std::move(contents);
    *journal = std::move(read);
    return true;
}

std::unique_ptr<TextSource> RecoveredJournal::OpenBaseText() const {
    if (start_ != Start::kEmpty) {
        const JournalBase& base = contents_.header.base;
        auto file = std::make_unique<TextFileIn>(base.charset);
        if (file->Open(start_ == Start::kBaseCopy ? paths_.copy.c_str() : base.path.c_str())) return file;
    }
    return std::make_unique<EmptyText>();
}

void RecoveredJournal::ReplayEdits(Document& document) const {
    CommandGroup edits;
    for (const JournalEdit& edit : contents_.edits) {
        edits.Add(std::make_unique<ReplaceCommand>(edit.start, edit.oldEnd, std::u16string_view(edit.text)));
    }
    document.Execute(edits);
}

}  // namespace pathbook
