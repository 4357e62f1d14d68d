// A notebook's index kept on disk between runs, so that a window (or
// pathbook-tool) starts from the notes it read before and reads again only
// the files whose size or write time changed: the cache is never used as an
// index itself, only as the earlier index a build shares unchanged notes
// with (BuildIndex's `previous`). One cache per notebook root and filter in
// the local data folder. Each save writes a new version beside the others
// and then removes the older ones, so that nothing is ever half replaced and
// a version another program still reads stays until it lets go of it. A
// loaded index reads its texts straight from the mapped file, which it keeps.
//
// The file: the tag "PBNOTES2", a 64-bit checksum of the head, the head's
// size in bytes, the head, then the texts of the entries that keep one, one
// after another (at an even offset, a pad byte before them where needed).
// The head holds the ANSI code page it was read with (the encodings detected
// depend on it), the root, the filter, the counts of files left out, then
// each entry (its path below the root, size, write time, state, encoding,
// its text's size, checksum, line starts and pairs of units, its links), all
// little-endian, with counts before their items (UTF-16 units at even
// offsets). A head that fails its checksum, or any count or length that
// reaches past the end, is no cache: decoding never reads outside the bytes
// it is given. A text is checked against its own checksum only when it is
// first read (note_text.h), so that a search reads just the notes its pairs
// let through; a text that fails reads as one empty line and is not written
// to the next version.
// Tested by tests/unit/notebook/index_cache_test.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "notebook/notebook_index.h"

namespace pathbook {

// Where the cache of the notebook with this root and filter lives below
// `folder`: its versions are files named by this path, "-", a decimal version
// and ".index". Empty when `folder` is empty.
std::u16string IndexCachePath(std::u16string_view folder, std::u16string_view root, std::u16string_view filter);

// The checksum of a cache file's head, and of each text's bytes.
std::uint64_t IndexChecksum(const std::uint8_t* bytes, std::size_t size);

// The bytes of the cache file for `index`.
std::string EncodeIndex(const NotebookIndex& index);

// Where the head's checksum and size lie in the file, and where the head starts.
constexpr std::size_t kIndexChecksumAt = 8;
constexpr std::size_t kIndexHeadSizeAt = 16;
constexpr std::size_t kIndexHeadAt = 24;

// The index the bytes hold; null when they are not a whole cache file made
// with the ANSI code page in use now. With a `keeper` that keeps the bytes
// as they are, the texts stay where they lie; without, they are copied.
IndexPointer DecodeIndex(const std::uint8_t* bytes, std::size_t size, std::shared_ptr<const void> keeper = nullptr);

// Writes `index` as the next version of the cache at `path`, making the
// folder when missing, then removes the older versions it can. False when
// the new version could not be written.
bool SaveIndexCache(const NotebookIndex& index, const std::u16string& path);

// The index of the newest whole version of the cache at `path`; null when
// there is none.
IndexPointer LoadIndexCache(const std::u16string& path);

// BuildIndex from the cache at `cachePath` (the notes of `previous`, when
// given, count before the cache's), and the cache written again when the
// index differs from the one it was built from. An empty `cachePath` reads
// and writes no cache.
IndexPointer BuildCachedIndex(std::u16string_view root, std::u16string_view filter, const IndexPointer& previous,
                              const std::u16string& cachePath, IndexWork& work);

}  // namespace pathbook
