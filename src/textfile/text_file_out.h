// A text file being saved: creates the encoder for the chosen encoding, starts
// the file with its mark or header, then takes the document's lines one by one,
// puts the chosen line break between them, and checks as it goes that every
// character will come back when the file is read in the same encoding.
// Nothing replaces the existing file until Close succeeds; a failed, refused
// or abandoned save leaves it as it was.
//
// A save that would lose characters (they have no place in the encoding, or
// the reader would drop or join them) is refused unless losses are allowed:
// Close then fails with kLossy, and LostCharacters() names the first ones, so
// that the caller can ask and save again in another encoding or with the
// losses. With losses allowed the file gets what the encoder makes of them
// (the code page's default character or the system's look-alike).
// Tested by text_file_test.cpp.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "textfile/byte_buffer.h"
#include "textfile/charset.h"
#include "textfile/file_writer.h"
#include "textfile/loss_check.h"
#include "textfile/text_source.h"
#include "textfile/text_writer.h"

namespace pathbook {

enum class LossPolicy { kRefuse, kAllow };

// Why a save did not replace the file.
enum class SaveFailure {
    kNone,
    kCannotCreate,      // no new file could be made beside the target (Open)
    kNoEncoder,         // the encoding names nothing, or needs a code page the system lacks (Open)
    kLossy,             // characters would be lost and losses were not allowed
    kConversionFailed,  // the system's conversion produced nothing for a line
    kWriteFailed,       // writing or flushing the new file failed
    kReplaceFailed,     // the new file could not take the target's place; the target is as it was
    // The system failed half way through swapping the files and the old one
    // could not be put back: the new text is at NewFilePath(), the old at
    // OldFilePath() (where there is one). Nothing was deleted.
    kBothKept,
};

// A character that would not come back, where it is in the document.
struct LostCharacter {
    std::uint32_t line;    // 0-based
    std::uint32_t column;  // 0-based, in UTF-16 units
    char32_t codePoint;    // a lone surrogate as its own value
};

// How many lost characters a save collects.
constexpr std::size_t kReportedLosses = 5;

class TextFileOut final : public TextSink {
public:
    TextFileOut(CharsetId charset, LineEnd lineEnd, LossPolicy losses = LossPolicy::kRefuse)
        : charset_(charset), lineEnd_(lineEnd), policy_(losses) {}

    // Starts writing a replacement for `path`. False (Failure() says why) when
    // it cannot be created or there is no encoder for the encoding.
    bool Open(const char16_t* path);

    // Does nothing unless Open succeeded, and nothing more once the save has
    // failed or, refusing losses, found kReportedLosses of them.
    void WriteLine(const char16_t* units, std::uint32_t count, bool isLast) override;
    // True only when every byte reached the disk and the file took the place of
    // the old one. Also false when Open failed.
    bool Close() override;

    SaveFailure Failure() const { return failure_; }
    // The first characters (at most kReportedLosses, in text order) that would
    // not come back, whether or not losses were allowed.
    const std::vector<LostCharacter>& LostCharacters() const { return lost_; }
    // The system's words for why creating, writing or replacing failed; empty
    // for the other failures.
    std::u16string SystemReason() const;
    // With kBothKept: where the new and the old file are.
    const std::u16string& NewFilePath() const { return file_.NewFilePath(); }
    const std::u16string& OldFilePath() const { return file_.OldFilePath(); }

private:
    // Collects the lost characters of a line the check found lossy.
    void NoteLosses(const char16_t* units, std::uint32_t count);
    bool Stopped() const;

    FileWriter file_;
    std::unique_ptr<TextWriter> encoder_;
    std::unique_ptr<LossCheck> check_;
    ByteBuffer bytes_;      // the line being written
    ByteBuffer lineBreak_;  // the break, encoded once
    CharsetId charset_;
    LineEnd lineEnd_;
    LossPolicy policy_;
    SaveFailure failure_ = SaveFailure::kNone;
    std::vector<LostCharacter> lost_;
    std::uint32_t line_ = 0;  // the index of the next line
};

}  // namespace pathbook
