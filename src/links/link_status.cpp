#include "links/link_status.h"

#include "links/existing_prefix.h"
#include "links/link_target.h"
#include "document/link_recognition.h"
#include "links/network_probe.h"
#include "links/path_text.h"
#include "platform/file_names.h"
#include "platform/shell_path.h"

namespace pathbook {
namespace {

// The status line's texts, the same with either interface language.
constexpr const char16_t* kFileFound = u"【FILE】 ○：";
constexpr const char16_t* kFileMissing = u"【FILE】 ×：ファイルは見つかりません。綴りを確認してください。";
constexpr const char16_t* kHttpReachable = u"【HTTP】 ○：";
constexpr const char16_t* kHttpUnreachable = u"【HTTP】 ×：";
constexpr const char16_t* kFtpReachable = u"【FTP】 ○：";
constexpr const char16_t* kFtpUnreachable = u"【FTP】 ×：";
constexpr const char16_t* kMail = u"【MAIL】 ";

constexpr std::int32_t kMaxLinkUnits = platform::kMaxPathUnits - 1;

std::int32_t FileStatus(const String& basePath, String& linkText, String target, String& statusText) {
    std::int32_t length = linkText.Length();
    SetTrailingSeparator(target, false);
    platform::PathState state = platform::QueryPath(target.Chars());
    std::int32_t found = 0;
    if (state == platform::PathState::kExists) {
        found = length;
    } else if (state == platform::PathState::kNotFound) {
        found = ExistingPrefixLength(linkText, basePath);
        if (found > 0 && found < length) linkText.DropBack(length - found);
    }
    statusText = found > 0 ? kFileFound + CompactPath(target, platform::kMaxPathUnits) : String(kFileMissing);
    return found;
}

std::int32_t ProbedStatus(bool reachable, const char16_t* yes, const char16_t* no, std::int32_t length,
                          const String& target, String& statusText) {
    statusText = (reachable ? yes : no) + target;
    return reachable ? length : 0;
}

}  // namespace

std::int32_t ResolveLinkStatus(const String& basePath, String& linkText, String& statusText) {
    statusText = String();
    if (linkText.Length() > kMaxLinkUnits) linkText.DropBack(linkText.Length() - kMaxLinkUnits);
    std::int32_t length = linkText.Length();
    String target = ResolveLinkText(basePath, linkText);
    if (MatchLink(target.Chars(), static_cast<std::uint32_t>(target.Length())) == 0) return 0;
    switch (ClassifyLink(target.Chars())) {
    case LinkKind::kFile:
        return FileStatus(basePath, linkText, target, statusText);
    case LinkKind::kHttp:
        return ProbedStatus(ProbeHttp(target), kHttpReachable, kHttpUnreachable, length, target, statusText);
    case LinkKind::kFtp:
        return ProbedStatus(ProbeFtp(target), kFtpReachable, kFtpUnreachable, length, target, statusText);
    case LinkKind::kMail:
        statusText = kMail + target;
        return length;
    case LinkKind::kNone:
    case LinkKind::kAnchor:
        break;
    }
    return 0;
}

}  // namespace pathbook
