#include "recovery/journal_names.h"

#include <chrono>
#include <random>

#include "platform/process_identity.h"
#include "runtime/decimal.h"

namespace pathbook {
namespace {

constexpr std::size_t kOwnerDigits = 16;

struct Extension {
    JournalFileKind kind;
    std::u16string_view text;
};
constexpr Extension kExtensions[] = {
    {JournalFileKind::kOwner, u".owner"},
    {JournalFileKind::kJournal, u".journal"},
    {JournalFileKind::kBaseCopy, u".base"},
    {JournalFileKind::kRewrite, u".compact"},
};

std::u16string_view ExtensionOf(JournalFileKind kind) {
    for (const Extension& extension : kExtensions) {
        if (extension.kind == kind) return extension.text;
    }
    return {};
}

bool IsLowerHex(char16_t unit) { return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'f'); }

// A serial of 1 to 9 digits without a leading zero.
bool ParseSerial(std::u16string_view digits, std::uint32_t* serial) {
    if (digits.empty() || digits.size() > 9 || digits[0] == u'0') return false;
    std::uint32_t value = 0;
    for (char16_t unit : digits) {
        if (unit < u'0' || unit > u'9') return false;
        value = value * 10 + static_cast<std::uint32_t>(unit - u'0');
    }
    *serial = value;
    return true;
}

std::u16string Joined(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path.push_back(u'\\');
    return path.append(name);
}

std::u16string StemOf(std::u16string_view owner, std::uint32_t serial) {
    return std::u16string(owner) + u"-" + FormatDecimal(static_cast<std::int32_t>(serial));
}

}  // namespace

bool ParseJournalFileName(std::u16string_view name, JournalFileName* parsed) {
    if (name.size() <= kOwnerDigits) return false;
    for (std::size_t i = 0; i < kOwnerDigits; ++i) {
        if (!IsLowerHex(name[i])) return false;
    }
    std::size_t dot = name.find(u'.', kOwnerDigits);
    if (dot == std::u16string_view::npos) return false;
    const Extension* match = nullptr;
    for (const Extension& extension : kExtensions) {
        if (name.substr(dot) == extension.text) match = &extension;
    }
    if (match == nullptr) return false;
    JournalFileName read;
    read.owner = std::u16string(name.substr(0, kOwnerDigits));
    read.kind = match->kind;
    std::u16string_view middle = name.substr(kOwnerDigits, dot - kOwnerDigits);
    if (read.kind == JournalFileKind::kOwner) {
        if (!middle.empty()) return false;
    } else if (middle.empty() || middle[0] != u'-' || !ParseSerial(middle.substr(1), &read.serial)) {
        return false;
    }
    *parsed = std::move(read);
    return true;
}

std::u16string NewOwnerName() {
    std::random_device device;
    std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    seed ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    seed ^= static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) << 7;
    seed ^= static_cast<std::uint64_t>(platform::CurrentProcessId()) << 40;
    std::mt19937_64 mix(seed);
    std::uint64_t value = mix();
    std::u16string name(kOwnerDigits, u'0');
    for (std::size_t i = kOwnerDigits; i-- > 0; value >>= 4) name[i] = u"0123456789abcdef"[value & 0xF];
    return name;
}

JournalPaths PathsOf(std::u16string_view folder, std::u16string_view owner, std::uint32_t serial) {
    std::u16string stem = Joined(folder, StemOf(owner, serial));
    return {stem + std::u16string(ExtensionOf(JournalFileKind::kJournal)),
            stem + std::u16string(ExtensionOf(JournalFileKind::kBaseCopy)),
            stem + std::u16string(ExtensionOf(JournalFileKind::kRewrite))};
}

std::u16string OwnerPath(std::u16string_view folder, std::u16string_view owner) {
    return Joined(folder, std::u16string(owner) + std::u16string(ExtensionOf(JournalFileKind::kOwner)));
}

}  // namespace pathbook
