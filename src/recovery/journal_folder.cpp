#include "recovery/journal_folder.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/folder_listing.h"
#include "platform/local_data.h"
#include "platform/process_identity.h"

namespace pathbook {
namespace {

// Owner names are random; a clash (or a claimer snatching the new file before
// it is locked) only costs another try.
constexpr int kOwnerAttempts = 8;
constexpr std::uint32_t kLastSerial = 999999999;

void RemoveFiles(const JournalPaths& paths) {
    platform::RemoveFile(paths.journal.c_str());
    platform::RemoveFile(paths.copy.c_str());
    platform::RemoveFile(paths.rewrite.c_str());
}

// The journal files of the folder, grouped by owner (this process's left out).
// The names of the files (not folders) in `folder`; none when it cannot be read.
std::vector<std::u16string> FileNamesIn(const std::u16string& folder) {
    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(folder.c_str(), &entries);
    std::vector<std::u16string> names;
    for (platform::FolderEntry& entry : entries) {
        if (!entry.isFolder) names.push_back(std::move(entry.name));
    }
    return names;
}

struct OwnerFiles {
    std::u16string owner;
    bool hasOwnerFile = false;
    std::vector<JournalFileName> files;
};

std::vector<OwnerFiles> OtherOwners(const std::u16string& folder, const std::u16string& self) {
    std::vector<OwnerFiles> owners;
    for (const std::u16string& entry : FileNamesIn(folder)) {
        JournalFileName name;
        if (!ParseJournalFileName(entry, &name) || name.owner == self) continue;
        auto found = std::find_if(owners.begin(), owners.end(), [&](const OwnerFiles& o) { return o.owner == name.owner; });
        if (found == owners.end()) {
            owners.push_back(OwnerFiles{name.owner, false, {}});
            found = owners.end() - 1;
        }
        if (name.kind == JournalFileKind::kOwner) {
            found->hasOwnerFile = true;
        } else {
            found->files.push_back(std::move(name));
        }
    }
    return owners;
}

}  // namespace

std::u16string DefaultRecoveryFolder() {
    std::u16string local = platform::LocalDataFolder();
    return local.empty() ? local : local + u"\\Recovery";
}

JournalFolder::JournalFolder(std::u16string folder)
    : folder_(std::move(folder)), ownerProcess_(platform::CurrentProcessId()), hostName_(platform::HostName()) {
    if (folder_.empty() || !platform::MakeFolders(folder_.c_str())) return;
    for (int attempt = 0; attempt < kOwnerAttempts && !owner_.IsOpen(); ++attempt) {
        ownerName_ = NewOwnerName();
        owner_.Create(OwnerPath(folder_, ownerName_).c_str());
    }
    if (!owner_.IsOpen()) ownerName_.clear();
}

// An owner file goes only once none of its journals is left, so a journal
// always has an owner file to settle who may claim it.
JournalFolder::~JournalFolder() {
    writer_.Stop();
    if (!IsOpen()) return;
    bool journalsLeft = false;
    for (const std::u16string& entry : FileNamesIn(folder_)) {
        JournalFileName name;
        if (ParseJournalFileName(entry, &name) && name.owner == ownerName_ && name.kind == JournalFileKind::kJournal) {
            journalsLeft = true;
        }
    }
    owner_.Close(!journalsLeft);
}

// A dead owner's files are this process's to tidy while it holds the owner
// file; a journal without any owner file (someone else's doing) is taken by
// the rename alone, and what lies around it is left.
std::vector<RecoveredJournal> JournalFolder::ClaimOrphans() {
    std::vector<RecoveredJournal> claimed;
    if (!IsOpen()) return claimed;
    for (const OwnerFiles& owner : OtherOwners(folder_, ownerName_)) {
        platform::OwnedFile dead;
        if (owner.hasOwnerFile && !dead.Claim(OwnerPath(folder_, owner.owner).c_str())) continue;
        for (const JournalFileName& name : owner.files) {
            JournalPaths ours;
            if (name.kind != JournalFileKind::kJournal || !Rename(name, &ours)) continue;
            RecoveredJournal journal;
            if (RecoveredJournal::Read(ours, &journal)) {
                claimed.push_back(std::move(journal));
            } else {
                RemoveFiles(ours);
            }
        }
        if (!dead.IsOpen()) continue;
        for (const JournalFileName& name : owner.files) {
            JournalPaths left = PathsOf(folder_, name.owner, name.serial);
            if (name.kind == JournalFileKind::kBaseCopy) platform::RemoveFile(left.copy.c_str());
            if (name.kind == JournalFileKind::kRewrite) platform::RemoveFile(left.rewrite.c_str());
        }
        dead.Close(true);
    }
    return claimed;
}

bool JournalFolder::TakeOver(const std::u16string& journalPath, RecoveredJournal* journal) {
    if (!IsOpen()) return false;
    std::size_t separator = journalPath.find_last_of(u"\\/");
    JournalFileName name;
    if (!ParseJournalFileName(separator == std::u16string::npos ? journalPath : journalPath.substr(separator + 1),
                              &name) ||
        name.kind != JournalFileKind::kJournal) {
        return false;
    }
    JournalPaths ours = PathsOf(folder_, name.owner, name.serial);
    if (name.owner != ownerName_ && !Rename(name, &ours)) return false;
    return RecoveredJournal::Read(ours, journal);
}

void JournalFolder::Remove(const RecoveredJournal& journal) { RemoveFiles(journal.Paths()); }

bool JournalFolder::WriteQueuedWithoutAllocating() {
    bool written = true;
    for (const std::shared_ptr<JournalState>& journal : live_) {
        if (!JournalWriter::WriteQueuedNow(*journal)) written = false;
    }
    return written;
}

JournalPaths JournalFolder::FreshPaths() {
    lastSerial_ = lastSerial_ >= kLastSerial ? 1 : lastSerial_ + 1;
    return PathsOf(folder_, ownerName_, lastSerial_);
}

std::shared_ptr<JournalState> JournalFolder::NewJournal() {
    auto journal = std::make_shared<JournalState>(FreshPaths());
    live_.push_back(journal);
    return journal;
}

std::shared_ptr<JournalState> JournalFolder::ContinueJournal(const RecoveredJournal& recovered) {
    auto journal = std::make_shared<JournalState>(recovered.Paths());
    {
        std::lock_guard<std::mutex> writeLock(journal->writeMutex);
        const JournalContents& contents = recovered.Contents();
        // Cut off a torn or damaged tail, so that new frames follow good ones.
        if (journal->file.OpenAt(recovered.Paths().journal.c_str(), contents.validBytes)) {
            journal->chain = contents.chain;
        } else {
            journal->failed = true;
        }
    }
    live_.push_back(journal);
    return journal;
}

void JournalFolder::Forget(const std::shared_ptr<JournalState>& journal) {
    live_.erase(std::remove(live_.begin(), live_.end(), journal), live_.end());
}

JournalHeader JournalFolder::HeaderFor(const DocumentIdentity& identity, const JournalBase& base) const {
    JournalHeader header;
    header.ownerProcess = ownerProcess_;
    header.ownerHost = hostName_;
    header.identity = identity;
    header.base = base;
    return header;
}

bool JournalFolder::Rename(const JournalFileName& name, JournalPaths* ours) {
    JournalPaths theirs = PathsOf(folder_, name.owner, name.serial);
    JournalPaths renamed = FreshPaths();
    if (!platform::MoveFileReplacing(theirs.journal.c_str(), renamed.journal.c_str())) return false;
    if (platform::IsExistingFile(theirs.copy.c_str())) {
        platform::MoveFileReplacing(theirs.copy.c_str(), renamed.copy.c_str());
    }
    *ours = std::move(renamed);
    return true;
}

}  // namespace pathbook
