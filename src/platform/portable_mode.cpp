#include "platform/portable_mode.h"

#include "platform/file_system.h"
#include "platform/program_folders.h"

namespace pathbook::platform {

std::u16string PortableFolderOf(std::u16string_view programPath) {
    const std::size_t slash = programPath.find_last_of(u"\\/");
    if (slash == std::u16string_view::npos || slash == 0) return {};
    std::u16string folder(programPath.substr(0, slash));
    const std::u16string marker = folder + u"\\portable.ini";
    return IsExistingFile(marker.c_str()) ? folder : std::u16string();
}

std::u16string PortableFolder() {
    static const std::u16string folder = PortableFolderOf(ProgramFolderPath(ProgramFolder::kProgramFile));
    return folder;
}

}  // namespace pathbook::platform
