#include "app/grep_command.h"

#include <algorithm>
#include <string>

#include "links/path_text.h"
#include "platform/file_system.h"
#include "platform/program_folders.h"
#include "platform/shell_path.h"
#include "runtime/ascii.h"

namespace pathbook {
namespace {

using View = std::u16string_view;

String DocumentFolder(const String& documentPath, const String& currentDirectory) {
    String folder = documentPath.Empty() ? currentDirectory : documentPath;
    if (documentPath.Empty()) {
        SetTrailingSeparator(folder, true);
        return folder;
    }
    RemoveLastComponent(folder);
    SetTrailingSeparator(folder, false);
    return folder;
}

bool IsFullPath(View path) {
    const bool drive = path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == u':' && IsPathSeparator(path[2]);
    return drive || (path.size() >= 3 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]));
}

bool HasFolder(View name) { return name.find_first_of(u"\\/") != View::npos || name.find(u':') != View::npos; }

// `candidate` as written, or with ".exe" when it names no type; empty when neither exists.
String ExistingProgram(const String& candidate) {
    if (platform::IsExistingFile(candidate.Chars())) return candidate;
    if (!FileExtension(candidate).Empty()) return String();
    const String withType = candidate + u".exe";
    return platform::IsExistingFile(withType.Chars()) ? withType : String();
}

String InFolder(const String& folder, const String& name) {
    String path = folder;
    JoinPath(path, name);
    return ExistingProgram(path);
}

// The setting's first word (without its quotes) and the rest after the blank that ends it.
void SplitProgram(View setting, String* program, View* arguments) {
    while (!setting.empty() && setting.front() == u' ') setting.remove_prefix(1);
    const bool quoted = !setting.empty() && setting.front() == u'"';
    if (quoted) setting.remove_prefix(1);
    const std::size_t end = std::min(setting.find(quoted ? u'"' : u' '), setting.size());
    *program = String(setting.substr(0, end));
    View rest = setting.substr(std::min(end + 1, setting.size()));
    while (!rest.empty() && rest.front() == u' ') rest.remove_prefix(1);
    *arguments = rest;
}

}  // namespace

String ExpandGrepCommand(const String& pattern, const String& documentPath, const String& currentDirectory) {
    String folder = DocumentFolder(documentPath, currentDirectory);
    std::u16string out;
    std::u16string_view text = pattern.View();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            out.push_back(text[i]);
            continue;
        }
        if (++i == text.size()) break;
        switch (text[i]) {
            case u'1':
            case u'D': out.append(folder.View()); break;
            case u'F': {
                // A path cannot hold a quote, so one pair keeps it one argument.
                const bool quotedAlready = !out.empty() && out.back() == u'"';
                if (!quotedAlready) out.push_back(u'"');
                out.append(documentPath.View());
                if (!quotedAlready) out.push_back(u'"');
                break;
            }
            case u'N': out.append(FileNamePart(documentPath).View()); break;
            default: out.push_back(text[i]); break;
        }
    }
    return String(out);
}

std::vector<String> ProgramSearchFolders() {
    std::vector<String> folders;
    String programFolder(platform::ProgramFolderPath(platform::ProgramFolder::kProgramFile));
    RemoveLastComponent(programFolder);
    for (const String& folder : {programFolder, String(platform::ProgramFolderPath(platform::ProgramFolder::kSystem)),
                                 String(platform::ProgramFolderPath(platform::ProgramFolder::kWindows))}) {
        if (!folder.Empty()) folders.push_back(folder);
    }
    const std::u16string path = platform::ExpandEnvironment(u"%PATH%");
    View rest = path == u"%PATH%" ? View() : View(path);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(u';'), rest.size());
        const View entry = rest.substr(0, end);
        // A relative entry (".", "bin") would search wherever the process happens to be.
        if (IsFullPath(entry)) folders.emplace_back(entry);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return folders;
}

String FindProgram(const String& name, const std::vector<String>& searchFolders) {
    if (name.Empty()) return String();
    if (IsFullPath(name.View())) return ExistingProgram(name);
    if (HasFolder(name.View())) return searchFolders.empty() ? String() : InFolder(searchFolders.front(), name);
    for (const String& folder : searchFolders) {
        String found = InFolder(folder, name);
        if (!found.Empty()) return found;
    }
    return String();
}

bool PrepareGrep(const String& setting, const String& documentPath, const String& documentFolder,
                 const std::vector<String>& searchFolders, ProgramStart* start) {
    String name;
    View arguments;
    SplitProgram(setting.View(), &name, &arguments);
    const String program = FindProgram(name, searchFolders);
    if (program.Empty()) return false;
    const String expanded = ExpandGrepCommand(String(arguments), documentPath, documentFolder);
    start->program = program;
    start->commandLine = u"\"" + program + u"\"";
    if (!expanded.Empty()) start->commandLine = start->commandLine + u" " + expanded;
    start->folder = documentFolder;
    return true;
}

}  // namespace pathbook
