#include "app/start_up.h"

#include "runtime/decimal.h"
#include "textfile/encoding_list.h"

namespace pathbook {
namespace {

constexpr std::uint32_t kNoFile = 0xFFFFFFFF;
constexpr std::uint32_t kDirectory = 0x10;

bool IsFile(StartupHost& host, const String& path) {
    std::uint32_t attributes = host.FileAttributes(path.Chars());
    return attributes != kNoFile && (attributes & kDirectory) == 0;
}

bool Exists(StartupHost& host, const String& path) {
    return !path.Empty() && host.FileAttributes(path.Chars()) != kNoFile;
}

}  // namespace

StartOptions ParseStartOptions(const ArgList& args, StartupHost& host, std::size_t* fileIndex) {
    StartOptions options;
    std::size_t i = 1;
    for (; i < args.Count() && args[i][0] == u'-'; ++i) {
        const char16_t* option = args[i];
        switch (option[1]) {
            case u'c': options.charset = OpeningEncoding(ParseDecimal(option + 2)); break;
            case u'l': options.line = ParseDecimal(option + 2); break;
            case u'n': options.newInstance = true; break;
            case u'r': options.recover = true; break;
            default: break;  // unknown options are consumed silently
        }
    }
    if (i < args.Count()) {
        options.file = String(args[i]);
        if (!IsFile(host, options.file)) {
            // The command line may have split an unquoted path at its spaces.
            String joined = options.file;
            for (std::size_t j = i + 1; j < args.Count(); ++j) {
                joined.Append(u' ');
                joined.Append(args[j]);
                if (IsFile(host, joined)) {
                    options.file = joined;
                    i = j;
                    break;
                }
            }
        }
    }
    *fileIndex = i;
    return options;
}

String SurplusArguments(const ArgList& args, std::size_t fileIndex) {
    String text;
    for (std::size_t j = fileIndex + 1; j < args.Count(); ++j) {
        text.Append(u'"');
        text.Append(args[j]);
        text.Append(u"\" ");
    }
    return text;
}

StartDocument ChooseStartDocument(StartupHost& host) {
    StartDocument latest = host.MostRecentHistoryEntry();
    if (Exists(host, latest.path)) return latest;
    StartDocument home = host.HomePage();
    if (Exists(host, home.path)) return home;
    String program = host.ProgramPath();
    std::int32_t folderEnd = program.Length();
    while (folderEnd > 0 && program[folderEnd - 1] != u'\\' && program[folderEnd - 1] != u'/') --folderEnd;
    StartDocument readme{String(program.Chars(), folderEnd) + u"README.txt", charset::kShiftJis};
    if (Exists(host, readme.path)) return readme;
    return {};
}

StartPlan PlanStart(const ArgList& args, StartupHost& host) {
    StartPlan plan;
    std::size_t fileIndex = 0;
    StartOptions options = ParseStartOptions(args, host, &fileIndex);
    if (!options.newInstance && !IsFile(host, options.file) && host.RaiseRunningInstances()) return plan;
    if (fileIndex + 1 < args.Count()) host.LaunchInstance(SurplusArguments(args, fileIndex));
    plan.openWindow = true;
    plan.recover = options.recover && !options.file.Empty();
    if (!options.newInstance && options.file.Empty()) {
        plan.chooseDocument = true;
    } else {
        plan.document = {options.file, options.charset};
        plan.line = options.line;
    }
    return plan;
}

}  // namespace pathbook
