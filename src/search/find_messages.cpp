// Tested by tests/unit/search/find_messages_test.cpp.
#include "search/find_messages.h"

#include <string>

#include "runtime/decimal.h"

namespace pathbook::search {

String ReplacedCountText(std::u16string_view format, std::int32_t count) {
    std::size_t at = format.find(u"%d");
    if (at == std::u16string_view::npos) return String(format);
    std::u16string text(format.substr(0, at));
    text += FormatDecimal(count);
    text += format.substr(at + 2);
    return String(text);
}

}  // namespace pathbook::search
