#include "navigation/nav_chain.h"

namespace pathbook {

bool NavChain::Attach(const NavChainNames& names) {
    bool created = false;
    if (!block_.Open(names.block.Chars(), names.mutex.Chars(), kNavChainBytes, &created, names.busy)) return false;
    block_.Use(true, [](std::uint8_t* block) {
        navchain::ClearSentinel(block);
        return true;
    });
    return true;
}

void NavChain::Detach() { block_.Close(); }

bool NavChain::Append(const String& path, CharsetId code) {
    return block_.Use(true, [&](std::uint8_t* block) { return navchain::Append(block, path.View(), code); });
}

bool NavChain::Remove(const String& path, TakenEntry* taken) {
    return block_.Use(true, [&](std::uint8_t* block) { return navchain::Remove(block, path.View(), taken); });
}

bool NavChain::PutBack(const TakenEntry& taken) {
    return block_.Use(true, [&](std::uint8_t* block) { return navchain::PutBack(block, taken); });
}

bool NavChain::Next(const String& path, NavEntry* entry) {
    return block_.Use(false, [&](std::uint8_t* block) { return navchain::Next(block, path.View(), entry); });
}

bool NavChain::Previous(const String& path, NavEntry* entry) {
    return block_.Use(false, [&](std::uint8_t* block) { return navchain::Previous(block, path.View(), entry); });
}

std::vector<NavEntry> NavChain::Entries() {
    std::vector<NavEntry> entries;
    block_.Use(false, [&](std::uint8_t* block) {
        entries = navchain::Entries(block);
        return true;
    });
    return entries;
}

}  // namespace pathbook
