// The small block of settings every running instance maps: 32 bytes of
// little-endian 32-bit integers, zero-filled by the instance that creates it.
//   offset 0: how many instances have it attached; 4-23: unused, zero;
//   24: favourites-window width; 28: favourites-window height.
// Guarded by its own named mutex. Without the block (it could not be made)
// every operation does nothing and the sizes read as "let the system choose".
#pragma once

#include <cstdint>

#include "platform/guarded_block.h"
#include "runtime/string.h"

namespace pathbook {

inline constexpr char16_t kSharedSettingsBlockName[] = u"PathShare_Share_Config";
inline constexpr char16_t kSharedSettingsMutexName[] = u"PathShare_Sem_Config";
constexpr std::uint32_t kSharedSettingsBlockBytes = 32;
constexpr std::int32_t kSystemDefaultCoordinate = INT32_MIN;  // CW_USEDEFAULT

class SharedSettingsBlock {
public:
    ~SharedSettingsBlock() { Detach(); }

    // Creates or opens the block and its mutex and counts this instance in;
    // false, and detached, when either cannot be had. `busy` (may be null)
    // hears of waits for another instance that ran out.
    bool Attach(const String& blockName, const String& mutexName, platform::BusyListener* busy = nullptr);
    // Counts this instance out and lets go of the block.
    void Detach();
    bool IsAttached() const { return block_.IsOpen(); }

    std::int32_t AttachCount() const { return Read(kAttachCountOffset); }
    std::int32_t DialogWidth() const { return Read(kDialogWidthOffset); }
    std::int32_t DialogHeight() const { return Read(kDialogHeightOffset); }
    void SetDialogSize(std::int32_t width, std::int32_t height);

private:
    static constexpr std::uint32_t kAttachCountOffset = 0;
    static constexpr std::uint32_t kDialogWidthOffset = 24;
    static constexpr std::uint32_t kDialogHeightOffset = 28;

    std::int32_t Read(std::uint32_t offset) const;

    mutable platform::GuardedBlock block_;
};

}  // namespace pathbook
