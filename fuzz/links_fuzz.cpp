// Arbitrary link texts (little-endian UTF-16) through the status line with an
// empty base, and through the path helpers. Texts that resolve to a web or FTP
// address are left out: fuzzing sends nothing over the network.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/link_recognition.h"
#include "links/link_status.h"
#include "links/path_text.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        units.push_back(unit == 0 ? u'?' : unit);
    }
    String text(units);
    ResolveFileLink(text);
    SplitAndJoin(text);
    return 0;
}
