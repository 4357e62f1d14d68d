// Reconversion blocks for arbitrary texts and composition ranges: the size
// fields always match the bytes, the ranges stay inside the text, and a text
// past the cap gives no block at all.
//
// Input: 4 bytes composition start, 4 bytes its length, then the text (two
// bytes a unit, repeated to reach lengths around the cap).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "view/ime_blocks.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::uint32_t Field(const std::vector<std::uint8_t>& block, std::size_t index) {
    std::uint32_t value = 0;
    for (std::size_t byte = 0; byte < 4; ++byte) value |= static_cast<std::uint32_t>(block[index * 4 + byte]) << (8 * byte);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    const std::uint32_t from = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    const std::uint32_t length = data[4] | data[5] << 8 | data[6] << 16 | static_cast<std::uint32_t>(data[7]) << 24;
    std::u16string text;
    for (std::size_t i = 8; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    // Short inputs are stretched towards the cap, so that its edge is met.
    if (!text.empty() && (from & 1) != 0) {
        while (text.size() < pathbook::kMaxImeBlockUnits - 2) text += text;
    }
    const std::vector<std::uint8_t> block = pathbook::ReconvertBlock(text, from, length);
    if (text.size() > pathbook::kMaxImeBlockUnits) return Check(block.empty()), 0;
    Check(block.size() == pathbook::kReconvertHeaderBytes + 2 * text.size() + 2);
    Check(Field(block, 0) == block.size());
    Check(Field(block, 2) == text.size());
    Check(Field(block, 3) == pathbook::kReconvertHeaderBytes);
    const std::uint32_t compLength = Field(block, 4);
    const std::uint32_t compOffset = Field(block, 5);
    Check(compOffset % 2 == 0 && compOffset / 2 + compLength <= text.size());
    Check(Field(block, 6) == compLength && Field(block, 7) == compOffset);
    Check(block[block.size() - 1] == 0 && block[block.size() - 2] == 0);
    std::vector<std::uint8_t> room(block.size() - (from & 2 ? 1 : 0));
    Check(pathbook::FillImeBlock(block, room.data(), room.size()) == (room.size() >= block.size()));
    return 0;
}
