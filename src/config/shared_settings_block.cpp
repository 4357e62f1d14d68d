#include "config/shared_settings_block.h"

#include <cstring>

namespace pathbook {
namespace {

std::int32_t ReadInt(const std::uint8_t* bytes) {
    std::uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

void WriteInt(std::uint8_t* bytes, std::int32_t value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

}  // namespace

template <typename Change>
void SharedSettingsBlock::Modify(Change change) {
    std::uint8_t* bytes = memory_.Map(true);
    if (bytes == nullptr) return;
    mutex_.Acquire(platform::NamedMutex::kWaitForever);
    change(bytes);
    memory_.Unmap(bytes);
    mutex_.Release();
}

bool SharedSettingsBlock::Attach(const String& blockName, const String& mutexName) {
    Detach();
    mutex_.Open(mutexName.Chars());
    bool created = false;
    if (!memory_.Open(blockName.Chars(), kSharedSettingsBlockBytes, &created)) return false;
    Modify([created](std::uint8_t* bytes) {
        if (created) std::memset(bytes, 0, kSharedSettingsBlockBytes);
        WriteInt(bytes + kAttachCountOffset, ReadInt(bytes + kAttachCountOffset) + 1);
    });
    return true;
}

void SharedSettingsBlock::Detach() {
    if (!IsAttached()) return;
    Modify([](std::uint8_t* bytes) {
        WriteInt(bytes + kAttachCountOffset, ReadInt(bytes + kAttachCountOffset) - 1);
    });
    memory_.Close();
}

std::int32_t SharedSettingsBlock::Read(std::uint32_t offset) const {
    std::uint8_t* bytes = memory_.Map(false);
    if (bytes == nullptr) return offset == kAttachCountOffset ? 0 : kSystemDefaultCoordinate;
    std::int32_t value = ReadInt(bytes + offset);
    memory_.Unmap(bytes);
    return value;
}

void SharedSettingsBlock::SetDialogSize(std::int32_t width, std::int32_t height) {
    Modify([width, height](std::uint8_t* bytes) {
        WriteInt(bytes + kDialogWidthOffset, width);
        WriteInt(bytes + kDialogHeightOffset, height);
    });
}

}  // namespace pathbook
