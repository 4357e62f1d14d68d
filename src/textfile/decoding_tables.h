// The conversion tables a decoding thread learns (code_page_characters.h,
// character_sets.h), each thread its own so that none waits for another. A
// thread reaches its set through a plain pointer: objects with destructors in
// thread storage are freed unreliably at a thread's end in the MinGW runtime
// (a crash on exit), so the sets live in a pool instead. A thread about to end
// gives its set back with ReleaseThreadDecodingTables, and the next thread
// that decodes starts from it, already learnt; a thread that never gives it
// back (the UI thread) keeps it until the process ends.
// Tested by tests/unit/textfile/decoding_tables_test.cpp.
#pragma once

#include <memory>
#include <vector>

namespace pathbook {

class CodePageCharacters;
class DoubleByteUnits;

struct DecodingTables {
    DecodingTables();
    ~DecodingTables();
    std::vector<std::unique_ptr<CodePageCharacters>> codePages;  // the handful of code pages met
    // By double-byte set: JIS X 0208, KS X 1001, GB 2312.
    std::unique_ptr<DoubleByteUnits> doubleByte[3];
    CodePageCharacters* setCharacters[3] = {};  // the entries of codePages for 932, 949 and 936
};

// The calling thread's set, taken from the pool (or made) on its first call.
DecodingTables& ThreadDecodingTables();

// Hands the calling thread's set back to the pool; its next decoding takes one again.
void ReleaseThreadDecodingTables();

}  // namespace pathbook
