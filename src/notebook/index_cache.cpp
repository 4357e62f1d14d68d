#include "notebook/index_cache.h"

#include <cstring>

#include "notebook/link_target.h"
#include "platform/code_page.h"
#include "platform/folder_listing.h"
#include "runtime/byte_order.h"
#include "textfile/file_writer.h"
#include "textfile/mapped_file.h"

namespace pathbook {
namespace {

constexpr char kTag[] = "PBNOTES1";
constexpr std::size_t kTagBytes = 8;
constexpr std::size_t kChecksumBytes = 8;

}  // namespace

// Four lanes over 8-byte little-endian words (the tail zero-padded), so that
// the lanes' multiplications overlap: it catches a damaged or cut file; it is
// not meant to resist forgery.
std::uint64_t IndexChecksum(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::uint64_t kPrime = 0x100000001B3ull;
    auto word = [bytes](std::size_t at) {
        return LoadUnit32<ByteOrder::kLittleEndian>(bytes + at) |
               std::uint64_t{LoadUnit32<ByteOrder::kLittleEndian>(bytes + at + 4)} << 32;
    };
    std::uint64_t lanes[4] = {0x9E3779B97F4A7C15ull ^ size, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull, 0x27D4EB2F165667C5ull};
    std::size_t at = 0;
    for (; at + 32 <= size; at += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            lanes[lane] = (lanes[lane] ^ word(at + 8 * lane)) * kPrime;
            lanes[lane] ^= lanes[lane] >> 29;
        }
    }
    std::uint64_t hash = lanes[0] ^ (lanes[1] * 3) ^ (lanes[2] * 5) ^ (lanes[3] * 7);
    for (; at < size; ++at) hash = (hash ^ bytes[at]) * kPrime;
    return hash ^ (hash >> 32);
}

namespace {

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
    void Units(std::u16string_view units) {
        U32(static_cast<std::uint32_t>(units.size()));
        const std::size_t start = bytes_.size();
        bytes_.resize(start + 2 * units.size());
        auto* at = reinterpret_cast<std::uint8_t*>(&bytes_[start]);
        for (char16_t unit : units) {
            StoreUnit16<ByteOrder::kLittleEndian>(unit, at);
            at += 2;
        }
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
    Decoder(const std::uint8_t* bytes, std::size_t size) : at_(bytes), end_(bytes + size) {}

    bool Ok() const { return ok_; }
    bool AtEnd() const { return at_ == end_; }
    std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }

    std::uint8_t U8() { return Take(1) ? at_[-1] : 0; }
    std::uint32_t U32() { return Take(4) ? LoadUnit32<ByteOrder::kLittleEndian>(at_ - 4) : 0; }
    std::uint64_t U64() {
        const std::uint64_t low = U32();
        return low | std::uint64_t{U32()} << 32;
    }
    std::u16string Units() {
        const std::uint32_t count = U32();
        if (!ok_ || count > Left() / 2) return Fail();
        std::u16string units(count, u'\0');
        for (std::uint32_t i = 0; i < count; ++i) units[i] = static_cast<char16_t>(LoadUnit16<ByteOrder::kLittleEndian>(at_ + 2 * i));
        at_ += 2 * std::size_t{count};
        return units;
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
    std::u16string Fail() {
        ok_ = false;
        return {};
    }

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
    if (entry.textKept) out.Units(entry.text.Units());
    out.U32(static_cast<std::uint32_t>(entry.links.size()));
    for (const NoteLink& link : entry.links) {
        out.U32(link.line);
        out.U32(link.open);
        out.U32(link.close);
        out.Units(link.targetKey);
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

NotePointer DecodeEntry(const std::u16string& root, Decoder& in) {
    auto entry = std::make_shared<IndexedNote>();
    entry->file.relativePath = in.Units();
    entry->file.size = in.U64();
    entry->file.writeTime = static_cast<platform::WriteTime>(in.U64());
    const std::uint8_t state = in.U8();
    entry->charset = static_cast<CharsetId>(in.U32());
    entry->textKept = in.U8() != 0;
    if (entry->textKept && !entry->text.Assign(in.Units())) return nullptr;
    if (!in.Ok() || state > static_cast<std::uint8_t>(NoteState::kUnreadable) || !IsRelativePath(entry->file.relativePath)) {
        return nullptr;
    }
    entry->state = static_cast<NoteState>(state);
    const std::uint32_t links = in.U32();
    // Each link takes at least 16 bytes: a hostile count cannot make a large allocation.
    if (links > in.Left() / 16) return nullptr;
    entry->links.resize(links);
    for (NoteLink& link : entry->links) {
        link.line = in.U32();
        link.open = in.U32();
        link.close = in.U32();
        link.targetKey = in.Units();
        if (link.open >= link.close) return nullptr;
    }
    if (!in.Ok()) return nullptr;
    std::u16string path = root + u'\\' + entry->file.relativePath;
    for (std::size_t i = root.size(); i < path.size(); ++i) {
        if (path[i] == u'/') path[i] = u'\\';
    }
    entry->key = PathKey(path);
    entry->file.path = std::move(path);
    return entry;
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
    return path + name + u".index";
}

std::string EncodeIndex(const NotebookIndex& index) {
    Encoder out;
    out.Raw(kTag, kTagBytes);
    out.U32(platform::AnsiCodePage());
    out.Units(index.Root());
    out.Units(index.Filter().Text());
    out.U32(index.Counts().tooLarge);
    out.U32(index.Counts().overLimit);
    out.U32(static_cast<std::uint32_t>(index.Entries().size()));
    for (const NotePointer& entry : index.Entries()) EncodeEntry(*entry, out);
    const std::string& bytes = out.Bytes();
    out.U64(IndexChecksum(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return std::move(out.Bytes());
}

IndexPointer DecodeIndex(const std::uint8_t* bytes, std::size_t size) {
    if (size < kTagBytes + kChecksumBytes) return nullptr;
    const std::size_t body = size - kChecksumBytes;
    Decoder checksum(bytes + body, kChecksumBytes);
    if (checksum.U64() != IndexChecksum(bytes, body)) return nullptr;
    Decoder in(bytes, body);
    if (!in.Tag() || in.U32() != platform::AnsiCodePage()) return nullptr;
    std::u16string root = in.Units();
    const std::u16string filter = in.Units();
    NotebookCounts leftOut;
    leftOut.tooLarge = in.U32();
    leftOut.overLimit = in.U32();
    const std::uint32_t count = in.U32();
    if (!in.Ok() || root.empty() || count > kMaxNotes) return nullptr;
    std::vector<NotePointer> entries;
    entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        NotePointer entry = DecodeEntry(root, in);
        if (entry == nullptr) return nullptr;
        // Entries come in order, each once.
        if (!entries.empty() && !RelativePathLess(entries.back()->file.relativePath, entry->file.relativePath)) {
            return nullptr;
        }
        entries.push_back(std::move(entry));
    }
    if (!in.AtEnd()) return nullptr;
    return MakeIndex(std::move(root), NoteFilter(filter), std::move(entries), leftOut);
}

bool SaveIndexCache(const NotebookIndex& index, const std::u16string& path) {
    const std::size_t folderEnd = path.find_last_of(u"\\/");
    if (path.empty() || folderEnd == std::u16string::npos) return false;
    if (!platform::MakeFolders(path.substr(0, folderEnd).c_str())) return false;
    const std::string bytes = EncodeIndex(index);
    FileWriter writer;
    if (!writer.Open(path.c_str())) return false;
    writer.WriteBytes(bytes.data(), bytes.size());
    return writer.Close();
}

IndexPointer LoadIndexCache(const std::u16string& path) {
    MappedFile file;
    if (path.empty() || !file.Open(path.c_str())) return nullptr;
    return DecodeIndex(file.Data(), file.Size());
}

}  // namespace pathbook

namespace pathbook {

IndexPointer BuildCachedIndex(std::u16string_view root, std::u16string_view filter, const IndexPointer& previous,
                              const std::u16string& cachePath, IndexWork& work) {
    const IndexPointer base = previous != nullptr ? previous : LoadIndexCache(cachePath);
    IndexPointer index = BuildIndex(root, filter, base.get(), work);
    const bool changed = base == nullptr || index == nullptr || index->Entries() != base->Entries();
    if (index != nullptr && changed && !cachePath.empty()) SaveIndexCache(*index, cachePath);
    return index;
}

}  // namespace pathbook
