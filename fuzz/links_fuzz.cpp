// Arbitrary link texts (little-endian UTF-16) through the status line with an
// empty base, the target classification, the path helpers and the host-name
// conversion. Texts that resolve to a web or FTP address are left out of the
// status line: fuzzing sends nothing over the network.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/link_recognition.h"
#include "links/link_status.h"
#include "links/link_target.h"
#include "links/path_text.h"
#include "platform/sockets.h"

namespace {

using pathbook::String;

void Check(bool condition) {
    if (!condition) std::abort();
}

bool IsPrefix(const String& prefix, const String& text) {
    return prefix.Length() <= text.Length() && text.View().substr(0, prefix.View().size()) == prefix.View();
}

bool ReachesNetwork(const String& text) {
    String target;
    pathbook::JoinPath(target, text);
    target = pathbook::ExpandPath(target);
    pathbook::LinkKind kind = pathbook::ClassifyLink(target.Chars());
    return kind == pathbook::LinkKind::kHttp || kind == pathbook::LinkKind::kFtp;
}

void ResolveFileLink(const String& text) {
    if (ReachesNetwork(text)) return;
    String linkText = text;
    String status;
    std::int32_t found = pathbook::ResolveLinkStatus(String(), linkText, status);
    Check(found >= 0 && found <= 259);
    Check(found <= linkText.Length());
    Check(IsPrefix(linkText, text));
    Check(found == 0 || !status.Empty());
}

void SplitAndJoin(const String& text) {
    String parent = text;
    pathbook::RemoveLastComponent(parent);
    Check(IsPrefix(parent, text));
    pathbook::SetTrailingSeparator(parent, true);
    pathbook::SetTrailingSeparator(parent, false);
    String name = pathbook::FileNamePart(text);
    Check(name.Length() <= text.Length());
    Check(pathbook::FileTitle(text).Length() + pathbook::FileExtension(text).Length() <= name.Length());
    String joined = parent;
    pathbook::JoinPath(joined, name);
    Check(joined.Length() <= 259 || joined == parent);
    Check(pathbook::CompactPath(text, 40).Length() <= (text.Length() < 40 ? text.Length() : 39) ||
          pathbook::CompactPath(text, 40) == text);
}

// Only a full path or a web address of the four schemes leaves as anything but refused.
void ClassifyTarget(const String& text) {
    const pathbook::LinkTarget target = pathbook::ResolveLinkTarget(String(u"C:\\notes"), text);
    const std::u16string_view path = target.path.View();
    if (target.type == pathbook::TargetType::kRefused) return;
    if (target.type == pathbook::TargetType::kWeb) {
        const pathbook::LinkKind kind = pathbook::ClassifyLink(target.path.Chars());
        Check(kind == pathbook::LinkKind::kHttp || kind == pathbook::LinkKind::kFtp || kind == pathbook::LinkKind::kMail);
        return;
    }
    Check(path.size() >= 3 && (path[1] == u':' || path.substr(0, 2) == u"\\\\"));
    Check(path.find_first_of(u"*?\"<>|") == std::u16string_view::npos);
    Check(target.share == (path[1] != u':'));
}

void ConvertHostName(const String& text) {
    const std::string ascii = pathbook::platform::HostNameToAscii(text.View());
    std::size_t label = 0;
    for (char c : ascii) {
        Check(c > 0 && static_cast<unsigned char>(c) < 0x80);
        label = c == '.' ? 0 : label + 1;
        Check(label <= 63);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        units.push_back(unit == 0 ? u'?' : unit);
    }
    String text(units);
    ResolveFileLink(text);
    ClassifyTarget(text);
    pathbook::RunsWhenOpened(text);
    ConvertHostName(text);
    SplitAndJoin(text);
    return 0;
}
