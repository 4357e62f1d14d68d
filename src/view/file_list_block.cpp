#include "view/file_list_block.h"

#include "platform/code_page.h"
#include "runtime/byte_order.h"

namespace pathbook {
namespace {

std::vector<std::u16string> WidePaths(const std::uint8_t* list, std::size_t bytes) {
    std::vector<std::u16string> paths;
    std::u16string path;
    for (std::size_t at = 0; at + 1 < bytes; at += 2) {
        const auto unit = static_cast<char16_t>(LoadUnit16<ByteOrder::kLittleEndian>(list + at));
        if (unit != 0) {
            path.push_back(unit);
            continue;
        }
        if (path.empty()) return paths;  // the second NUL ends the list
        paths.push_back(std::move(path));
        path.clear();
    }
    return {};
}

std::vector<std::u16string> AnsiPaths(const std::uint8_t* list, std::size_t bytes) {
    std::vector<std::u16string> paths;
    std::size_t start = 0;
    for (std::size_t at = 0; at < bytes; ++at) {
        if (list[at] != 0) continue;
        if (at == start) return paths;
        const platform::CodePage codePage = platform::AnsiCodePage();
        std::u16string path(platform::DecodeCodePage(codePage, list + start, at - start, nullptr, 0), u'\0');
        platform::DecodeCodePage(codePage, list + start, at - start, path.data(), path.size());
        paths.push_back(std::move(path));
        start = at + 1;
    }
    return {};
}

}  // namespace

std::vector<std::u16string> ParseFileListBlock(const std::uint8_t* block, std::size_t bytes) {
    if (block == nullptr || bytes < kFileListHeaderBytes) return {};
    const std::size_t offset = LoadUnit32<ByteOrder::kLittleEndian>(block);
    const bool wide = LoadUnit32<ByteOrder::kLittleEndian>(block + 16) != 0;
    if (offset < kFileListHeaderBytes || offset >= bytes) return {};
    return wide ? WidePaths(block + offset, bytes - offset) : AnsiPaths(block + offset, bytes - offset);
}

}  // namespace pathbook
