#include "app/link_opening.h"

#include "links/link_target.h"
#include "links/path_text.h"
#include "navigation/fold_case.h"

namespace pathbook {
namespace {

// The folder a file lies in, with its separator ("C:\" stays a root).
String ContainingFolder(const String& path) {
    String folder = path;
    RemoveLastComponent(folder);
    return folder;
}

bool IsNote(const String& path) { return EqualIgnoringCase(FileExtension(path).View(), u"txt"); }

}  // namespace

void LinkOpener::Open(const String& baseFolder, const String& linkText) {
    if (asking_) return;
    const LinkTarget target = ResolveLinkTarget(baseFolder, linkText);
    switch (target.type) {
        case TargetType::kWeb: return ports_.HandToShell(target.path, String());
        case TargetType::kFolder: return ports_.HandToShell(target.path, target.path);
        case TargetType::kDocument:
            if (IsNote(target.path)) return ports_.OpenNote(target.path);
            return ports_.HandToShell(target.path, ContainingFolder(target.path));
        case TargetType::kProgram: return AskAndRun(target.path, target.share);
        case TargetType::kRefused: return ports_.ReportNotOpened(target.path);
    }
}

void LinkOpener::AskAndRun(const String& path, bool share) {
    asking_ = true;
    const RunAnswer answer = ports_.AskBeforeRunning(path, share);
    asking_ = false;
    const String folder = ContainingFolder(path);
    if (answer == RunAnswer::kRun) ports_.HandToShell(path, folder);
    if (answer == RunAnswer::kOpenFolder) ports_.HandToShell(folder, folder);
}

}  // namespace pathbook
