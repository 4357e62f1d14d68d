#include "notebook/index_cache.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <future>

#include "notebook/link_target.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/folder_listing.h"
#include "platform/large_blocks.h"
#include "runtime/byte_order.h"
#include "textfile/file_writer.h"
#include "textfile/mapped_file.h"

namespace pathbook {
namespace {

constexpr char kTag[] = "PBNOTES2";
constexpr std::size_t kTagBytes = 8;

}  // namespace

// Four lanes over 8-byte little-endian words (the tail zero-padded), so that
// the lanes' multiplications overlap: it catches a damaged or cut file; it is
// not meant to resist forgery. The lanes are four variables: held in an
// array, they are vectorized, and SSE2 multiplies 64-bit words by shifts at
// a third of the speed.
std::uint64_t IndexChecksum(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::uint64_t kPrime = 0x100000001B3ull;
    auto word = [bytes](std::size_t at) {
        return LoadUnit32<ByteOrder::kLittleEndian>(bytes + at) |
               std::uint64_t{LoadUnit32<ByteOrder::kLittleEndian>(bytes + at + 4)} << 32;
    };
    auto mix = [](std::uint64_t lane, std::uint64_t value) {
        lane = (lane ^ value) * kPrime;
        return lane ^ (lane >> 29);
    };
    std::uint64_t a = 0x9E3779B97F4A7C15ull ^ size;
    std::uint64_t b = 0xC2B2AE3D27D4EB4Full;
    std::uint64_t c = 0x165667B19E3779F9ull;
    std::uint64_t d = 0x27D4EB2F165667C5ull;
    std::size_t at = 0;
    for (; at + 32 <= size; at += 32) {
        a = mix(a, word(at));
        b = mix(b, word(at + 8));
        c = mix(c, word(at + 16));
        d = mix(d, word(at + 24));
    }
    std::uint64_t hash = a ^ (b * 3) ^ (c * 5) ^ (d * 7);
    for (; at < size; ++at) hash = (hash ^ bytes[at]) * kPrime;
    return hash ^ (hash >> 32);
}

namespace {

bool LittleEndianHost() {
    const std::uint16_t probe = 1;
    std::uint8_t first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

// The checksum of units as the file holds them, little-endian.
std::uint64_t TextChecksum(std::u16string_view units) {
    if (LittleEndianHost()) return IndexChecksum(reinterpret_cast<const std::uint8_t*>(units.data()), 2 * units.size());
    std::vector<std::uint8_t> bytes(2 * units.size());
    for (std::size_t i = 0; i < units.size(); ++i) StoreUnit16<ByteOrder::kLittleEndian>(units[i], &bytes[2 * i]);
    return IndexChecksum(bytes.data(), bytes.size());
}

// 64-bit FNV-1a of a text's units, for the cache file's name.
std::uint64_t NameHash(std::u16string_view text, std::uint64_t hash = 0xCBF29CE484222325ull) {
    for (char16_t unit : text) {
        hash = (hash ^ (unit & 0xFF)) * 0x100000001B3ull;
        hash = (hash ^ (unit >> 8)) * 0x100000001B3ull;
    }
    return hash;
}

class Encoder {
public:
    void U8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void U32(std::uint32_t value) {
        std::uint8_t at[4];
        StoreUnit32<ByteOrder::kLittleEndian>(value, at);
        bytes_.append(reinterpret_cast<const char*>(at), 4);
    }
    void U64(std::uint64_t value) {
        U32(static_cast<std::uint32_t>(value));
        U32(static_cast<std::uint32_t>(value >> 32));
    }
    // A count, then the units as RawUnits writes them.
    void Units(std::u16string_view units) {
        U32(static_cast<std::uint32_t>(units.size()));
        RawUnits(units);
    }
    // A pad byte when the units would lie at an odd offset, the units.
    void RawUnits(std::u16string_view units) {
        PadToEven();
        if (units.empty()) return;
        const std::size_t start = bytes_.size();
        bytes_.resize(start + 2 * units.size());
        auto* at = reinterpret_cast<std::uint8_t*>(&bytes_[start]);
        if (LittleEndianHost()) {
            std::memcpy(at, units.data(), 2 * units.size());
            return;
        }
        for (char16_t unit : units) {
            StoreUnit16<ByteOrder::kLittleEndian>(unit, at);
            at += 2;
        }
    }
    void Words(const NoteGrams::Words& words) {
        for (std::uint64_t word : words) U64(word);
    }
    void PadToEven() {
        if (bytes_.size() % 2 != 0) U8(0);
    }
    void Raw(const char* bytes, std::size_t count) { bytes_.append(bytes, count); }
    std::string& Bytes() { return bytes_; }

private:
    std::string bytes_;
};

// Reads what the encoder wrote. Every read first checks what is left; after
// a failed one `ok` is false and every later read yields zeros.
class Decoder {
public:
    Decoder(const std::uint8_t* bytes, std::size_t size) : begin_(bytes), at_(bytes), end_(bytes + size) {}

    bool Ok() const { return ok_; }
    bool AtEnd() const { return at_ == end_; }
    std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }

    std::uint8_t U8() { return Take(1) ? at_[-1] : 0; }
    std::uint32_t U32() { return Take(4) ? LoadUnit32<ByteOrder::kLittleEndian>(at_ - 4) : 0; }
    std::uint64_t U64() {
        const std::uint64_t low = U32();
        return low | std::uint64_t{U32()} << 32;
    }
    // Where a count of units lies, not yet read.
    struct Span {
        const std::uint8_t* first = nullptr;
        std::uint32_t count = 0;
    };
    Span UnitSpan() {
        const std::uint32_t count = U32();
        if ((at_ - begin_) % 2 != 0) Take(1);
        if (!ok_ || count > Left() / 2) {
            ok_ = false;
            return {};
        }
        const std::uint8_t* first = at_;
        at_ += 2 * std::size_t{count};
        return {first, count};
    }
    std::u16string Units() { return UnitsOf(UnitSpan()); }
    // `count` 32-bit values into `to`; false, with `to` left alone, when fewer are left.
    bool U32s(std::uint32_t count, std::vector<std::uint32_t>* to) {
        if (!ok_ || count > Left() / 4) {
            ok_ = false;
            return false;
        }
        to->resize(count);
        if (count == 0) return true;
        if (LittleEndianHost()) {
            std::memcpy(to->data(), at_, 4 * std::size_t{count});
            at_ += 4 * std::size_t{count};
            return true;
        }
        for (std::uint32_t& value : *to) value = U32();
        return true;
    }

    void Words(NoteGrams::Words* words) {
        if (!Take(8 * words->size())) return;
        const std::uint8_t* word = at_ - 8 * words->size();
        for (std::uint64_t& value : *words) {
            value = LoadUnit32<ByteOrder::kLittleEndian>(word) |
                    std::uint64_t{LoadUnit32<ByteOrder::kLittleEndian>(word + 4)} << 32;
            word += 8;
        }
    }

    static std::u16string UnitsOf(Span span) {
        std::u16string units(span.count, u'\0');
        CopyUnits(span, &units[0]);
        return units;
    }
    static void CopyUnits(Span span, char16_t* to) {
        if (span.count == 0) return;
        if (LittleEndianHost()) {
            std::memcpy(to, span.first, 2 * std::size_t{span.count});
            return;
        }
        for (std::uint32_t i = 0; i < span.count; ++i) to[i] = static_cast<char16_t>(LoadUnit16<ByteOrder::kLittleEndian>(span.first + 2 * i));
    }
    bool Tag() { return Take(kTagBytes) && std::memcmp(at_ - kTagBytes, kTag, kTagBytes) == 0; }

private:
    bool Take(std::size_t count) {
        if (!ok_ || Left() < count) {
            ok_ = false;
            return false;
        }
        at_ += count;
        return true;
    }
    const std::uint8_t* begin_;
    const std::uint8_t* at_;
    const std::uint8_t* end_;
    bool ok_ = true;
};

void EncodeEntry(const IndexedNote& entry, Encoder& out) {
    out.Units(entry.file.relativePath);
    out.U64(entry.file.size);
    out.U64(static_cast<std::uint64_t>(entry.file.writeTime));
    out.U8(static_cast<std::uint8_t>(entry.state));
    out.U32(static_cast<std::uint32_t>(entry.charset));
    out.U8(entry.textKept ? 1 : 0);
    if (entry.textKept) {
        out.U32(static_cast<std::uint32_t>(entry.text.Units().size()));
        out.U64(TextChecksum(entry.text.Units()));
        out.U32(entry.text.LineCount());
        for (LineIndex line = 0; line < entry.text.LineCount(); ++line) out.U32(entry.text.LineStart(line));
        out.Words(entry.grams.AsWords());
    }
    out.Units(entry.targets);
    out.U32(static_cast<std::uint32_t>(entry.links.size()));
    for (const NoteLink& link : entry.links) {
        for (std::uint32_t value : {link.line, link.open, link.close, link.targetStart, link.targetLength}) out.U32(value);
    }
}

// A relative path as a listing makes them: parts between "/", none of them
// empty, "." or "..".
bool IsRelativePath(std::u16string_view path) {
    for (std::size_t start = 0;;) {
        std::size_t end = path.find(u'/', start);
        std::u16string_view part = path.substr(start, end == std::u16string_view::npos ? end : end - start);
        if (part.empty() || part == u"." || part == u"..") return false;
        if (end == std::u16string_view::npos) return true;
        start = end + 1;
    }
}

// An entry read but for the units of its text and targets, which stay where
// they lie until PlaceUnits gives them their memory.
struct DecodedEntry {
    std::shared_ptr<IndexedNote> entry;
    Decoder::Span text;  // its count from the head, its place once the texts' start is known
    std::uint64_t textChecksum = 0;
    std::vector<std::uint32_t> lineStarts;
    Decoder::Span targets;
};

bool DecodeEntry(const std::u16string& root, Decoder& in, DecodedEntry* decoded) {
    auto entry = std::make_shared<IndexedNote>();
    entry->file.relativePath = in.Units();
    entry->file.size = in.U64();
    entry->file.writeTime = static_cast<platform::WriteTime>(in.U64());
    const std::uint8_t state = in.U8();
    entry->charset = static_cast<CharsetId>(in.U32());
    entry->textKept = in.U8() != 0;
    if (entry->textKept) {
        decoded->text.count = in.U32();
        decoded->textChecksum = in.U64();
        // A hostile count cannot make a large allocation.
        if (!in.U32s(in.U32(), &decoded->lineStarts)) return false;
        NoteGrams::Words grams;
        in.Words(&grams);
        entry->grams = NoteGrams(grams);
    }
    decoded->targets = in.UnitSpan();
    if (!in.Ok() || state > static_cast<std::uint8_t>(NoteState::kUnreadable) || !IsRelativePath(entry->file.relativePath)) {
        return false;
    }
    entry->state = static_cast<NoteState>(state);
    const std::uint32_t links = in.U32();
    if (links > in.Left() / 20) return false;  // each link takes 20 bytes
    entry->links.resize(links);
    for (NoteLink& link : entry->links) {
        link.line = in.U32();
        link.open = in.U32();
        link.close = in.U32();
        link.targetStart = in.U32();
        link.targetLength = in.U32();
        if (link.open >= link.close || link.targetStart > decoded->targets.count ||
            link.targetLength > decoded->targets.count - link.targetStart) {
            return false;
        }
    }
    if (!in.Ok()) return false;
    std::u16string path = root + u'\\' + entry->file.relativePath;
    for (std::size_t i = root.size(); i < path.size(); ++i) {
        if (path[i] == u'/') path[i] = u'\\';
    }
    entry->key = PathKey(path);
    entry->file.path = std::move(path);
    decoded->entry = std::move(entry);
    return true;
}

// Memory for units copied out of a cache: one block for them all, its pages
// in place at once (copying into fresh pages one fault at a time costs more
// than the copy), or the heap when the system refuses the block.
class UnitBlock {
public:
    explicit UnitBlock(std::size_t units)
        : bytes_((units * sizeof(char16_t) + kGranule - 1) / kGranule * kGranule),
          block_(units > 0 ? static_cast<char16_t*>(platform::AllocateResidentBlock(bytes_)) : nullptr),
          heap_(block_ == nullptr ? units : 0, u'\0'),
          next_(block_ != nullptr ? block_ : &heap_[0]) {}
    ~UnitBlock() {
        if (block_ != nullptr) platform::FreeResidentBlock(block_, bytes_);
    }
    UnitBlock(const UnitBlock&) = delete;
    UnitBlock& operator=(const UnitBlock&) = delete;

    // The span's units copied into the next free place.
    std::u16string_view Copy(const Decoder::Span& span) {
        Decoder::CopyUnits(span, next_);
        const std::u16string_view units(next_, span.count);
        next_ += span.count;
        return units;
    }

private:
    static constexpr std::size_t kGranule = 0x10000;
    std::size_t bytes_;
    char16_t* block_;      // null: the units are in heap_
    std::u16string heap_;
    char16_t* next_;
};

// Gives each entry's text the place of its units among the texts at
// [`first`, `end`), one after another; false when they do not fill it exactly.
bool PlaceTexts(std::vector<DecodedEntry>& decoded, const std::uint8_t* first, const std::uint8_t* end) {
    std::uint64_t units = 0;
    for (const DecodedEntry& item : decoded) units += item.text.count;
    if (units * 2 != static_cast<std::uint64_t>(end - first)) return false;
    for (DecodedEntry& item : decoded) {
        item.text.first = first;
        first += 2 * std::size_t{item.text.count};
    }
    return true;
}

// Gives each entry the units of its text and targets: in place where
// `keeper` keeps the bytes and they are this host's units as they lie, else
// copied into one block. A text in place is checked when first read; a copied
// one as it is copied, since its bytes do not stay.
bool PlaceUnits(std::vector<DecodedEntry>& decoded, const std::shared_ptr<const void>& keeper) {
    auto aligned = [](const Decoder::Span& span) {
        return reinterpret_cast<std::uintptr_t>(span.first) % alignof(char16_t) == 0;
    };
    const bool inPlace = keeper != nullptr && LittleEndianHost() &&
                         std::all_of(decoded.begin(), decoded.end(), [&](const DecodedEntry& entry) {
                             return aligned(entry.text) && aligned(entry.targets);
                         });
    std::shared_ptr<UnitBlock> block;
    if (!inPlace) {
        std::size_t units = 0;
        for (const DecodedEntry& entry : decoded) units += entry.text.count + entry.targets.count;
        block = std::make_shared<UnitBlock>(units);
    }
    const std::shared_ptr<const void> owner = inPlace ? keeper : block;
    auto place = [&](const Decoder::Span& span) {
        return inPlace ? std::u16string_view(reinterpret_cast<const char16_t*>(span.first), span.count)
                       : block->Copy(span);
    };
    for (DecodedEntry& item : decoded) {
        IndexedNote& entry = *item.entry;
        if (entry.textKept) {
            const std::uint64_t sum = item.textChecksum;
            NoteText::UnitsCheck check = [sum](std::u16string_view units) { return TextChecksum(units) == sum; };
            if (!inPlace) {
                const bool intact = IndexChecksum(item.text.first, 2 * std::size_t{item.text.count}) == sum;
                check = [intact](std::u16string_view) { return intact; };
            }
            if (!entry.text.Borrow(place(item.text), owner, std::move(item.lineStarts), std::move(check))) return false;
        }
        entry.targets = place(item.targets);
        entry.targetsKeeper = owner;
    }
    return true;
}

// The versions of the cache at `path`, newest first, with their numbers.
std::vector<std::pair<std::uint64_t, std::u16string>> Versions(const std::u16string& path) {
    std::vector<std::pair<std::uint64_t, std::u16string>> versions;
    const std::size_t nameStart = path.find_last_of(u"\\/") + 1;
    if (nameStart == 0) return versions;
    const std::u16string folder = path.substr(0, nameStart - 1);
    const std::u16string prefix = path.substr(nameStart) + u'-';
    const std::u16string suffix = u".index";
    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(folder.c_str(), &entries);
    for (const platform::FolderEntry& entry : entries) {
        const std::u16string& name = entry.name;
        if (entry.isFolder || name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::u16string_view digits = std::u16string_view(name).substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        std::uint64_t number = 0;
        bool decimal = digits.size() <= 18;
        for (char16_t digit : digits) {
            decimal = decimal && digit >= u'0' && digit <= u'9';
            number = number * 10 + (digit - u'0');
        }
        if (decimal) versions.emplace_back(number, folder + u'\\' + name);
    }
    std::sort(versions.begin(), versions.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return versions;
}

std::u16string VersionPath(const std::u16string& path, std::uint64_t number) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number > 0);
    return path + u'-' + digits + u".index";
}

}  // namespace

std::u16string IndexCachePath(std::u16string_view folder, std::u16string_view root, std::u16string_view filter) {
    if (folder.empty()) return {};
    const std::uint64_t hash = NameHash(filter, NameHash(PathKey(NotebookRoot(root)) + u'|'));
    static const char16_t kDigits[] = u"0123456789abcdef";
    std::u16string name = u"notebook-";
    for (int shift = 60; shift >= 0; shift -= 4) name += kDigits[(hash >> shift) & 0xF];
    std::u16string path(folder);
    if (path.back() != u'\\' && path.back() != u'/') path += u'\\';
    return path + name;
}

std::string EncodeIndex(const NotebookIndex& index) {
    // A text that failed its check would be taken for the note's: left out,
    // its note is read from its file next time.
    std::vector<const IndexedNote*> kept;
    for (const NotePointer& entry : index.Entries()) {
        if (!entry->textKept || entry->text.Intact()) kept.push_back(entry.get());
    }
    Encoder head;
    head.U32(platform::AnsiCodePage());
    head.Units(index.Root());
    head.Units(index.Filter().Text());
    head.U32(index.Counts().tooLarge);
    head.U32(index.Counts().overLimit);
    head.U32(static_cast<std::uint32_t>(kept.size()));
    for (const IndexedNote* entry : kept) EncodeEntry(*entry, head);
    const std::string& headBytes = head.Bytes();
    Encoder out;
    out.Raw(kTag, kTagBytes);
    out.U64(IndexChecksum(reinterpret_cast<const std::uint8_t*>(headBytes.data()), headBytes.size()));
    out.U64(headBytes.size());
    out.Raw(headBytes.data(), headBytes.size());
    out.PadToEven();
    for (const IndexedNote* entry : kept) {
        if (entry->textKept) out.RawUnits(entry->text.Units());
    }
    return std::move(out.Bytes());
}

IndexPointer DecodeIndex(const std::uint8_t* bytes, std::size_t size, std::shared_ptr<const void> keeper) {
    Decoder frame(bytes, size);
    if (!frame.Tag()) return nullptr;
    const std::uint64_t checksum = frame.U64();
    const std::uint64_t headSize = frame.U64();
    if (!frame.Ok() || headSize > frame.Left() || IndexChecksum(bytes + kIndexHeadAt, headSize) != checksum) {
        return nullptr;
    }
    Decoder in(bytes + kIndexHeadAt, headSize);
    if (in.U32() != platform::AnsiCodePage()) return nullptr;
    std::u16string root = in.Units();
    const std::u16string filter = in.Units();
    NotebookCounts leftOut;
    leftOut.tooLarge = in.U32();
    leftOut.overLimit = in.U32();
    const std::uint32_t count = in.U32();
    if (!in.Ok() || root.empty() || count > kMaxNotes) return nullptr;
    std::vector<DecodedEntry> decoded(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!DecodeEntry(root, in, &decoded[i])) return nullptr;
        // Entries come in order, each once.
        if (i > 0 && !RelativePathLess(decoded[i - 1].entry->file.relativePath, decoded[i].entry->file.relativePath)) {
            return nullptr;
        }
    }
    const std::size_t textsAt = kIndexHeadAt + headSize + headSize % 2;
    const bool padded = textsAt <= size && (headSize % 2 == 0 || bytes[textsAt - 1] == 0);
    if (!in.AtEnd() || !padded || !PlaceTexts(decoded, bytes + textsAt, bytes + size) ||
        !PlaceUnits(decoded, keeper)) {
        return nullptr;
    }
    std::vector<NotePointer> entries;
    entries.reserve(count);
    for (DecodedEntry& item : decoded) entries.push_back(std::move(item.entry));
    return MakeIndex(std::move(root), NoteFilter(filter), std::move(entries), leftOut);
}

bool SaveIndexCache(const NotebookIndex& index, const std::u16string& path) {
    const std::size_t folderEnd = path.find_last_of(u"\\/");
    if (path.empty() || folderEnd == std::u16string::npos) return false;
    if (!platform::MakeFolders(path.substr(0, folderEnd).c_str())) return false;
    const std::vector<std::pair<std::uint64_t, std::u16string>> older = Versions(path);
    const std::string bytes = EncodeIndex(index);
    FileWriter writer;
    if (!writer.Open(VersionPath(path, older.empty() ? 1 : older.front().first + 1).c_str())) return false;
    writer.WriteBytes(bytes.data(), bytes.size());
    if (!writer.Close()) return false;
    for (const auto& version : older) platform::RemoveFile(version.second.c_str());
    return true;
}

IndexPointer LoadIndexCache(const std::u16string& path) {
    if (path.empty()) return nullptr;
    for (const auto& version : Versions(path)) {
        auto file = std::make_shared<MappedFile>();
        // The head's checksum reads the head. A text's page that fails when
        // it is first read reads as zeros, which fail that text's check.
        if (!file->Open(version.second.c_str(), platform::PageCheck::kByReader)) continue;
        IndexPointer index = DecodeIndex(file->Data(), file->Size(), file);
        if (index != nullptr && !file->ReadFailed()) return index;
    }
    return nullptr;
}

IndexPointer BuildCachedIndex(std::u16string_view root, std::u16string_view filter, const IndexPointer& previous,
                              const std::u16string& cachePath, IndexWork& work) {
    // Without an index to start from, the cache is read while the tree is listed.
    std::future<IndexPointer> cached;
    if (previous == nullptr) cached = std::async(std::launch::async, [&cachePath] { return LoadIndexCache(cachePath); });
    const NoteFilter noteFilter(filter);
    NoteTree tree = ListNotes(root, noteFilter, work.cancel, work.threads);
    const IndexPointer base = previous != nullptr ? previous : cached.get();
    IndexPointer index = IndexListedNotes(root, noteFilter, std::move(tree), base.get(), work);
    const bool changed = base == nullptr || index == nullptr || index->Entries() != base->Entries();
    if (index != nullptr && changed && !cachePath.empty()) SaveIndexCache(*index, cachePath);
    return index;
}

}  // namespace pathbook
