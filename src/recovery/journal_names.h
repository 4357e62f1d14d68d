// The names of the files in the recovery folder:
//
//   <owner>.owner        held by its process while it lives (platform/owned_file.h)
//   <owner>-<n>.journal  journal number n of that owner
//   <owner>-<n>.base     the bytes of that journal's base file, copied
//   <owner>-<n>.compact  that journal rewritten, before it replaces the old one
//
// <owner> is 16 lowercase hexadecimal digits chosen at random by each process,
// <n> a decimal serial. Every other name in the folder is someone else's and
// left alone.
// Tested by journal_folder_test.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pathbook {

enum class JournalFileKind { kOwner, kJournal, kBaseCopy, kRewrite };

struct JournalFileName {
    std::u16string owner;
    std::uint32_t serial = 0;  // 0 for an owner file
    JournalFileKind kind = JournalFileKind::kOwner;
};

// False for a name that is none of the above.
bool ParseJournalFileName(std::u16string_view name, JournalFileName* parsed);

// A fresh owner name, from the system's random source, the clock and the process id.
std::u16string NewOwnerName();

// The paths of one journal's files in `folder`.
struct JournalPaths {
    std::u16string journal;
    std::u16string copy;
    std::u16string rewrite;
};
JournalPaths PathsOf(std::u16string_view folder, std::u16string_view owner, std::uint32_t serial);
std::u16string OwnerPath(std::u16string_view folder, std::u16string_view owner);

}  // namespace pathbook
