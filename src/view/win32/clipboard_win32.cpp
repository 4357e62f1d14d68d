#include "view/win32/clipboard_win32.h"


#include "framework/handles.h"
#include "view/clipboard_text.h"
#include "view/file_list_block.h"

namespace pathbook {
namespace {

GlobalMemory MakeTextBlock(const Document& document, DocPos from, DocPos to) {
    const TextSize units = ClipboardUnits(document, from, to);
    const unsigned long long bytes = static_cast<unsigned long long>(units) * sizeof(char16_t);
    if (bytes > SIZE_MAX) return GlobalMemory();
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes)));
    if (!block) return block;
    GlobalLock<char16_t> data(block.Get());
    if (data.Get() == nullptr) return GlobalMemory();
    WriteClipboardText(document, from, to, data.Get());
    return block;
}

std::u16string ReadTextBlock(HANDLE block) {
    const SIZE_T units = GlobalSize(block) / sizeof(char16_t);
    GlobalLock<const char16_t> data(block);
    if (data.Get() == nullptr) return {};
    return std::u16string(data.Get(), units);
}

// The list another program put on the clipboard is read within the block's
// own size, never by trusting its offsets and terminators.
std::vector<std::u16string> ReadFileList(HANDLE block) {
    const SIZE_T bytes = GlobalSize(block);
    GlobalLock<const std::uint8_t> data(block);
    if (data.Get() == nullptr) return {};
    return ParseFileListBlock(data.Get(), bytes);
}

}  // namespace

bool CopyToClipboard(HWND owner, const Document& document, DocPos from, DocPos to) {
    GlobalMemory block = MakeTextBlock(document, from, to);
    if (!block) return false;
    OpenClipboardGuard clipboard(owner);
    if (!clipboard.Open() || !EmptyClipboard() || SetClipboardData(CF_UNICODETEXT, block.Get()) == nullptr) {
        return false;
    }
    block.Release();  // the clipboard owns it now
    return true;
}

ClipboardContent ReadClipboard(HWND owner) {
    ClipboardContent content;
    OpenClipboardGuard clipboard(owner);
    if (!clipboard.Open()) return content;
    if (HANDLE text = GetClipboardData(CF_UNICODETEXT)) {
        content.hasText = true;
        content.text = ReadTextBlock(text);
    }
    if (HANDLE drop = GetClipboardData(CF_HDROP)) content.files = ReadFileList(drop);
    return content;
}

}  // namespace pathbook
