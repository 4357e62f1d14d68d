// The table of encodings every list and lookup uses: which rows exist depends
// on the code pages the system supports; names are Japanese when the ANSI code
// page is 932. Callers keep row indexes; stored values are CharsetIds.
#pragma once

#include <cstdint>

#include "runtime/record_array.h"
#include "textfile/charset.h"

namespace pathbook {

struct EncodingEntry {
    CharsetId id;  // first field: the key RecordArray::Find compares
    const char16_t* name;       // shown in the encoding lists of dialogs
    const char16_t* shortCode;  // shown in the status bar; "" for AutoDetect
    std::int32_t flags;         // kOfferedForOpening | kOfferedForSaving
};

constexpr std::int32_t kOfferedForSaving = 1;   // save and reopen dialogs
constexpr std::int32_t kOfferedForOpening = 2;  // open dialog

class EncodingList : public RecordArray<EncodingEntry> {
public:
    EncodingList() : RecordArray(30) {}
};

// Fills an empty list with the rows whose code pages are valid, in table order.
void BuildEncodingList(EncodingList& list);

// Index of the first row with `id`, or -1.
inline std::int32_t FindEncoding(const EncodingList& list, CharsetId id) { return list.Find(id); }

// Only the encodings of the table come in from outside (the command line, the
// history, the favourites and their CSV files, the settings); any other
// number would reach the readers and writers as a code page of its own.

// `id` when it is a row of the table on this system (AutoDetect included),
// else 0 (AutoDetect).
CharsetId OpeningEncoding(CharsetId id);
// `id` when it is a row offered for saving, else the ANSI code page when that
// is one, else 1252: the encoding of a new document.
CharsetId NewFileEncoding(CharsetId id);

}  // namespace pathbook
