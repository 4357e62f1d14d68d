#include "links/link_target.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "document/link_recognition.h"
#include "links/path_text.h"
#include "platform/file_system.h"
#include "platform/file_types.h"
#include "platform/shell_path.h"
#include "runtime/ascii.h"

namespace pathbook {
namespace {

using View = std::u16string_view;

// The types whose opening runs code, by what runs them. PATHEXT and the
// system's own list come on top of these.
constexpr View kRunTypes[] = {
    // Machine code: programs, MS-DOS programs and their information files,
    // screen savers, control-panel applets, snap-ins of the management console.
    u"exe", u"com", u"pif", u"scr", u"cpl", u"msc",
    // Command scripts, run by the command interpreter.
    u"bat", u"cmd",
    // Scripts of the Windows Script Host: JScript and VBScript, plain and
    // encoded, script files and components, scriptlets.
    u"js", u"jse", u"vbs", u"vbe", u"vb", u"wsf", u"wsh", u"ws", u"wsc", u"sct",
    // PowerShell scripts, modules, their manifests and consoles.
    u"ps1", u"psm1", u"psd1", u"ps1xml", u"psc1", u"ps2", u"ps2xml", u"psc2",
    // Scripts of interpreters that register themselves to run them on a double click.
    u"py", u"pyw", u"pyz", u"pyzw",
    // HTML applications (run with the user's full rights), compiled help
    // (runs script), desktop gadgets.
    u"hta", u"chm", u"gadget",
    // Installers, patches, transforms, application packages, click-once applications.
    u"msi", u"msp", u"mst", u"appx", u"appxbundle", u"msix", u"msixbundle", u"appinstaller", u"application",
    u"appref-ms", u"xbap",
    // Java archives, run by the Java runtime.
    u"jar",
    // Shortcuts and redirections: each may start any program with any arguments.
    u"lnk", u"url", u"website", u"scf", u"library-ms", u"search-ms", u"searchconnector-ms",
    u"settingcontent-ms",
    // Changes to the system: registry imports, setup information, troubleshooting packs.
    u"reg", u"inf", u"diagcab",
};

constexpr View kNoVariable = u"%PATHEXT%";

bool SameType(View a, View b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiToLower(a[i]) != AsciiToLower(b[i])) return false;
    }
    return true;
}

// PATHEXT: ".COM;.EXE;..."; each entry with or without its dot.
bool ListedInPathExt(View type) {
    const std::u16string list = platform::ExpandEnvironment(kNoVariable);
    if (View(list) == kNoVariable) return false;
    View rest(list);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(u';'), rest.size());
        View entry = rest.substr(0, end);
        while (!entry.empty() && (entry.front() == u' ' || entry.front() == u'.')) entry.remove_prefix(1);
        while (!entry.empty() && entry.back() == u' ') entry.remove_suffix(1);
        if (!entry.empty() && SameType(entry, type)) return true;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return false;
}

bool IsWeb(LinkKind kind) { return kind == LinkKind::kHttp || kind == LinkKind::kFtp || kind == LinkKind::kMail; }

// Units the file system or the shell would read as something else than a name.
bool HasForeignUnit(View path) {
    for (char16_t unit : path) {
        if (unit < 0x20 || View(u"*?\"<>|").find(unit) != View::npos) return true;
    }
    return false;
}

// "C:\..." (local) or "\\server\..." (a share, not a device); a ":" past a
// drive's would name a stream.
bool IsFullPath(View path, bool* share) {
    const bool drive = path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == u':' && path[2] == u'\\';
    const std::size_t serverEnd = path.size() >= 3 ? std::min(path.find(u'\\', 2), path.size()) : 0;
    const View server = serverEnd > 2 ? path.substr(2, serverEnd - 2) : View();
    *share = !drive && path.substr(0, 2) == u"\\\\" && !server.empty() && server != u"." && server != u"?" &&
             server.find(u':') == View::npos;
    const std::size_t colon = path.find(u':', drive ? 2 : 0);
    return (drive || *share) && colon == View::npos && !HasForeignUnit(path);
}

struct Resolved {
    String text;
    bool web = false;
};

// "\\.\" and "\\?\" hand the rest to the system as it stands: such a
// path is refused as written, not tidied into something else first.
bool IsDevicePath(View path) {
    return path.size() >= 4 && (path[0] == u'\\' || path[0] == u'/') && (path[1] == u'\\' || path[1] == u'/') &&
           (path[2] == u'.' || path[2] == u'?') && (path[3] == u'\\' || path[3] == u'/');
}

Resolved Resolve(const String& baseFolder, const String& linkText) {
    if (IsDevicePath(linkText.View())) return {linkText, false};
    String joined = baseFolder;
    JoinPath(joined, linkText);
    if (IsWeb(ClassifyLink(joined.Chars()))) return {joined, true};
    return {ExpandPath(joined), false};
}

}  // namespace

String ResolveLinkText(const String& baseFolder, const String& linkText) { return Resolve(baseFolder, linkText).text; }

LinkTarget ResolveLinkTarget(const String& baseFolder, const String& linkText) {
    const Resolved resolved = Resolve(baseFolder, linkText);
    LinkTarget target;
    target.path = resolved.text;
    if (resolved.web) {
        target.type = TargetType::kWeb;
        return target;
    }
    std::u16string path(resolved.text.View());
    for (char16_t& unit : path) {
        if (unit == u'/') unit = u'\\';
    }
    if (!IsFullPath(path, &target.share)) return target;
    target.path = String(path);
    const std::uint32_t attributes = platform::FileAttributes(target.path.Chars());
    if (attributes == platform::kInvalidAttributes) return target;
    if ((attributes & platform::kAttributeDirectory) != 0) {
        target.type = TargetType::kFolder;
    } else {
        target.type = RunsWhenOpened(target.path) ? TargetType::kProgram : TargetType::kDocument;
    }
    return target;
}

bool RunsWhenOpened(const String& path) {
    const String kept = FileNamePart(path);
    View name = kept.View();
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
    const std::size_t dot = name.rfind(u'.');
    if (dot == View::npos || dot + 1 == name.size()) return false;
    const View type = name.substr(dot + 1);
    for (View listed : kRunTypes) {
        if (SameType(type, listed)) return true;
    }
    return ListedInPathExt(type) || platform::SystemCallsTypeUnsafe(std::u16string(u".") + std::u16string(type));
}

}  // namespace pathbook
