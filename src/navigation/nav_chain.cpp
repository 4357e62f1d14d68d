#include "navigation/nav_chain.h"

namespace pathbook {

template <typename Work>
bool NavChain::WithBlock(bool writable, Work work) {
    std::uint8_t* block = memory_.Map(writable);
    if (block == nullptr) return false;
    mutex_.Acquire(platform::NamedMutex::kWaitForever);
    bool result = work(block);
    memory_.Unmap(block);
    mutex_.Release();
    return result;
}

bool NavChain::Attach(const NavChainNames& names) {
    Detach();
    mutex_.Open(names.mutex.Chars());
    bool created = false;
    if (!memory_.Open(names.block.Chars(), kNavChainBytes, &created)) return false;
    WithBlock(true, [](std::uint8_t* block) {
        navchain::ClearSentinel(block);
        return true;
    });
    return true;
}

void NavChain::Detach() {
    if (!IsAttached()) return;
    mutex_.Acquire(platform::NamedMutex::kWaitForever);
    memory_.Close();
    mutex_.Release();
}

bool NavChain::Append(const String& path, CharsetId code) {
    return WithBlock(true, [&](std::uint8_t* block) { return navchain::Append(block, path.View(), code); });
}

bool NavChain::Remove(const String& path) {
    return WithBlock(true, [&](std::uint8_t* block) { return navchain::Remove(block, path.View()); });
}

bool NavChain::Next(const String& path, NavEntry* entry) {
    return WithBlock(false, [&](std::uint8_t* block) { return navchain::Next(block, path.View(), entry); });
}

bool NavChain::Previous(const String& path, NavEntry* entry) {
    return WithBlock(false, [&](std::uint8_t* block) { return navchain::Previous(block, path.View(), entry); });
}

std::vector<NavEntry> NavChain::Entries() {
    std::vector<NavEntry> entries;
    WithBlock(false, [&](std::uint8_t* block) {
        entries = navchain::Entries(block);
        return true;
    });
    return entries;
}

}  // namespace pathbook
