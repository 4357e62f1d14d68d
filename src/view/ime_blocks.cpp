#include "view/ime_blocks.h"

#include <algorithm>
#include <cstring>

namespace pathbook {
namespace {

void PutField(std::vector<std::uint8_t>& block, std::size_t index, std::uint32_t value) {
    for (std::size_t byte = 0; byte < 4; ++byte) block[index * 4 + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
}

}  // namespace

std::vector<std::uint8_t> ReconvertBlock(std::u16string_view text, std::size_t compFrom, std::size_t compLength) {
    if (text.size() > kMaxImeBlockUnits) return {};
    const std::size_t length = text.size();
    compFrom = std::min(compFrom, length);
    compLength = std::min(compLength, length - compFrom);
    const std::size_t size = kReconvertHeaderBytes + 2 * length + 2;
    std::vector<std::uint8_t> block(size, 0);
    // Every value fits 32 bits: the text is capped far below.
    PutField(block, 0, static_cast<std::uint32_t>(size));
    PutField(block, 1, 0);
    PutField(block, 2, static_cast<std::uint32_t>(length));
    PutField(block, 3, kReconvertHeaderBytes);
    PutField(block, 4, static_cast<std::uint32_t>(compLength));
    PutField(block, 5, static_cast<std::uint32_t>(2 * compFrom));
    PutField(block, 6, static_cast<std::uint32_t>(compLength));
    PutField(block, 7, static_cast<std::uint32_t>(2 * compFrom));
    for (std::size_t i = 0; i < length; ++i) {
        block[kReconvertHeaderBytes + 2 * i] = static_cast<std::uint8_t>(text[i]);
        block[kReconvertHeaderBytes + 2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
    }
    return block;
}

bool FillImeBlock(const std::vector<std::uint8_t>& block, void* destination, std::uint64_t destinationBytes) {
    if (destination == nullptr || block.empty() || destinationBytes < block.size()) return false;
    std::memcpy(destination, block.data(), block.size());
    return true;
}

}  // namespace pathbook
