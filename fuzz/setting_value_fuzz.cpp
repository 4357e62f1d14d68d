// Decoding of stored setting values: any text decodes without fault, and
// encoding then decoding gives the value back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/encoded_string.h"

// The code-page layer keeps its iconv converters for the life of the process
// and never closes them; that is a cache, not a leak of this target.
extern "C" const char* __lsan_default_suppressions() { return "leak:iconv_open\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    std::u16string value = pathbook::DecodeSettingValue(text);
    if (!text.empty() && text[0] == u'#' && value.size() != (text.size() - 1) / 4) std::abort();
    if (pathbook::DecodeSettingValue(pathbook::EncodeSettingValue(text)) != text) std::abort();
    return 0;
}
