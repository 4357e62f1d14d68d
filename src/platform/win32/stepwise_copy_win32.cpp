#include <windows.h>

#include "platform/stepwise_copy.h"
#include "platform/win32/wide.h"

namespace pathbook::platform {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

}  // namespace

bool StepwiseCopy::Open(const char16_t* source, const char16_t* target) {
    Close();
    HANDLE file = CreateFileW(win32::Wide(source), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    if (!target_.Create(target)) {
        CloseHandle(file);
        return false;
    }
    source_ = reinterpret_cast<std::intptr_t>(file);
    buffer_.resize(kBufferBytes);
    return true;
}

std::int64_t StepwiseCopy::ReadSome(std::uint8_t* buffer, std::size_t capacity) {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(source_), buffer, static_cast<DWORD>(capacity), &got, nullptr)) return -1;
    return got;
}

void StepwiseCopy::CloseSource() {
    if (source_ == kNoFile) return;
    CloseHandle(reinterpret_cast<HANDLE>(source_));
    source_ = kNoFile;
}

}  // namespace pathbook::platform
