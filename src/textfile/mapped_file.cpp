#include "textfile/mapped_file.h"

namespace pathbook {
namespace {
const std::uint8_t g_emptyData[1] = {0};
}  // namespace

bool MappedFile::Open(const char16_t* path, platform::PageCheck check) {
    if (!mapping_.Open(path, check)) return false;
    if (mapping_.Size() > UINT32_MAX) {
        mapping_.Close();
        return false;
    }
    return true;
}

const std::uint8_t* MappedFile::Data() const {
    return mapping_.Data() != nullptr ? mapping_.Data() : g_emptyData;
}

}  // namespace pathbook
