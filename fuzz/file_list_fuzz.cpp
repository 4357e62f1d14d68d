// Raw CF_HDROP blocks, as another program may leave them on the clipboard,
// through the file-list reader and the pasted list: nothing is read past the
// block (ASan), every path read is not empty and holds no NUL, and the pasted
// list stays within its 259 units, one "<path>" CR LF line per file it keeps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "view/clipboard_text.h"
#include "view/file_list_block.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's size, so that ASan sees any read past it.
    const std::vector<std::uint8_t> block(data, data + size);
    const std::vector<std::u16string> paths = pathbook::ParseFileListBlock(block.data(), block.size());
    for (const std::u16string& path : paths) {
        Check(!path.empty() && path.find(u'\0') == std::u16string::npos);
    }
    const std::u16string list = pathbook::FileListText(paths);
    Check(list.size() < 260);
    std::size_t at = 0;
    std::size_t lines = 0;
    while (at < list.size()) {
        const std::size_t end = list.find(u">\r\n", at);
        Check(list[at] == u'<' && end != std::u16string::npos);
        at = end + 3;
        ++lines;
    }
    Check(lines <= paths.size());
    return 0;
}
