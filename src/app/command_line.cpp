#include "app/command_line.h"

namespace pathbook {

ArgList SplitCommandLine(const char16_t* text) {
    ArgList args;
    args.text_ = text;
    args.starts_.reserve(20);
    std::u16string& copy = args.text_;
    std::size_t at = 0;
    while (at < copy.size()) {
        while (at < copy.size() && copy[at] == u' ') ++at;
        char16_t terminator = u' ';
        if (at < copy.size() && copy[at] == u'"') {
            terminator = u'"';
            ++at;
        }
        if (at >= copy.size()) break;
        args.starts_.push_back(at);
        while (at < copy.size() && copy[at] != terminator) ++at;
        if (at < copy.size()) copy[at++] = 0;
    }
    return args;
}

}  // namespace pathbook
