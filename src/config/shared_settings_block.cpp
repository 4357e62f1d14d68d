#include "config/shared_settings_block.h"

#include <cstring>

#include "runtime/byte_order.h"

namespace pathbook {
namespace {

std::int32_t ReadInt(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(LoadUnit32<ByteOrder::kLittleEndian>(bytes));
}

void WriteInt(std::uint8_t* bytes, std::int32_t value) {
    StoreUnit32<ByteOrder::kLittleEndian>(static_cast<std::uint32_t>(value), bytes);
}

}  // namespace

bool SharedSettingsBlock::Attach(const String& blockName, const String& mutexName, platform::BusyListener* busy) {
    Detach();
    bool created = false;
    if (!block_.Open(blockName.Chars(), mutexName.Chars(), kSharedSettingsBlockBytes, &created, busy)) return false;
    block_.Use(true, [created](std::uint8_t* bytes) {
        if (created) std::memset(bytes, 0, kSharedSettingsBlockBytes);
        WriteInt(bytes + kAttachCountOffset, ReadInt(bytes + kAttachCountOffset) + 1);
        return true;
    });
    return true;
}

void SharedSettingsBlock::Detach() {
    if (!IsAttached()) return;
    block_.Use(true, [](std::uint8_t* bytes) {
        WriteInt(bytes + kAttachCountOffset, ReadInt(bytes + kAttachCountOffset) - 1);
        return true;
    });
    block_.Close();
}

std::int32_t SharedSettingsBlock::Read(std::uint32_t offset) const {
    std::int32_t value = offset == kAttachCountOffset ? 0 : kSystemDefaultCoordinate;
    block_.Use(false, [&](std::uint8_t* bytes) {
        value = ReadInt(bytes + offset);
        return true;
    });
    return value;
}

void SharedSettingsBlock::SetDialogSize(std::int32_t width, std::int32_t height) {
    block_.Use(true, [width, height](std::uint8_t* bytes) {
        WriteInt(bytes + kDialogWidthOffset, width);
        WriteInt(bytes + kDialogHeightOffset, height);
        return true;
    });
}

}  // namespace pathbook
