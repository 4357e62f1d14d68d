// The decoder of the ISO-2022 family and EUC: ISO-2022-JP, EUC-JP,
// ISO-2022-KR, ISO-2022-CN and HZ. Four designations G0-G3; GL and GR each
// refer to one of them; SO/SI, ESC "~", the single shifts ESC "N"/"O" and
// 0x8E/0x8F, and (for HZ) "~{", "~}" and "~~" work in every configuration.
// With fixed sets, escape sequences are skipped without changing anything.
// Tested by decoder_test.cpp.
#pragma once

#include "textfile/character_sets.h"
#include "textfile/text_reader.h"

namespace pathbook {

struct Iso2022Config {
    bool fixedSets;
    bool hz;
    CharacterSet designations[4];  // G0-G3 at the start
};

class Iso2022Reader final : public TextReader {
public:
    // Without `plainRuns` every byte goes through the state machine, for
    // checking the runs against it.
    Iso2022Reader(const Iso2022Config& config, ByteCursor bytes, bool plainRuns = true);

    // Consumes at most capacity / 2 bytes (plus the rest of a cut character),
    // or more while they yield no text at all: a read that stops inside a
    // line has always stored something.
    std::uint32_t Read(char16_t* buffer, std::uint32_t capacity) override;
    const std::uint8_t* Position() const override { return bytes_.cursor; }
    bool LastReadMayHoldBreaks() const override { return mayHoldBreaks_; }

private:
    enum class SingleShift : std::uint8_t { kNone, kG2, kG3 };

    void HandleEscape();
    void Designate();
    void HandleTilde();
    // Decodes the character at the cursor and stores what fits of it.
    void DecodeCharacter();
    // The common run of EUC text, up to `limit`: plain ASCII through GL and
    // characters through GR, no single shift pending. Stops at anything else
    // for the loop of Read, which would decode the run the same way byte by byte.
    void TakePlainRun(const std::uint8_t* limit);

    bool fixedSets_;
    bool hz_;
    bool plainRuns_;
    CharacterSet designations_[4];
    std::uint8_t gl_ = 0;  // index into designations_
    std::uint8_t gr_ = 1;
    SingleShift singleShift_ = SingleShift::kNone;
    ByteCursor bytes_;
    // The read in progress. Invariant: stored_ <= capacity_.
    char16_t* buffer_ = nullptr;
    std::uint32_t capacity_ = 0;
    std::uint32_t stored_ = 0;
    bool mayHoldBreaks_ = true;  // the read stored a unit that may be CR or LF
};

}  // namespace pathbook
