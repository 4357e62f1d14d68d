// The small block of settings every running instance maps: 32 bytes of
// little-endian 32-bit integers, zero-filled by the instance that creates it.
//   offset 0: how many instances have it attached; 4-23: unused, zero;
//   24: favourites-window width; 28: favourites-window height.
// Guarded by its own named mutex. Without the block (it could not be made)
// every operation does nothing and the sizes read as "let the system choose".
#pragma once

#include <cstdint>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "runtime/string.h"

namespace pathbook {

inline constexpr char16_t kSharedSettingsBlockName[] = u"PathShare_Share_Config";
inline constexpr char16_t kSharedSettingsMutexName[] = u"PathShare_Sem_Config";
constexpr std::uint32_t kSharedSettingsBlockBytes = 32;
constexpr std::int32_t kSystemDefaultCoordinate = INT32_MIN;  // CW_USEDEFAULT

class SharedSettingsBlock {
public:
    SharedSettingsBlock() = default;
    ~SharedSettingsBlock() { Detach(); }
    SharedSettingsBlock(const SharedSettingsBlock&) = delete;
    SharedSettingsBlock& operator=(const SharedSettingsBlock&) = delete;

    // Creates or opens the block and counts this instance in.
    bool Attach(const String& blockName, const String& mutexName);
    // Counts this instance out and lets go of the block.
    void Detach();
    bool IsAttached() const { return memory_.IsOpen(); }

    std::int32_t AttachCount() const { return Read(kAttachCountOffset); }
    std::int32_t DialogWidth() const { return Read(kDialogWidthOffset); }
    std::int32_t DialogHeight() const { return Read(kDialogHeightOffset); }
    void SetDialogSize(std::int32_t width, std::int32_t height);

private:
    static constexpr std::uint32_t kAttachCountOffset = 0;
    static constexpr std::uint32_t kDialogWidthOffset = 24;
    static constexpr std::uint32_t kDialogHeightOffset = 28;

    std::int32_t Read(std::uint32_t offset) const;
    // Runs `change` on the mapped bytes while holding the mutex.
    template <typename Change>
    void Modify(Change change);

    platform::NamedMutex mutex_;
    mutable platform::SharedMemory memory_;
};

}  // namespace pathbook
