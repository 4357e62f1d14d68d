// Decimal integers as the program reads and writes them in settings, list files,
// the command line and dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pathbook {

// An optional leading "-", then decimal digits up to the NUL. Any other
// character anywhere (a "+", a blank, a letter) makes the result 0, as do an
// empty text and a lone "-". No overflow check: the value wraps modulo 2^32.
std::int32_t ParseDecimal(const char16_t* text);

// The decimal text of `value` with a leading "-" for negatives.
std::u16string FormatDecimal(std::int32_t value);
// The decimal text of a count or line number, however large.
std::u16string FormatUnsignedDecimal(std::uint64_t value);

// A message of the string table with its first "%d" replaced by `value`
// ("%d times Replaced.", "%d lines"); a format without "%d" stands as it is.
std::u16string FormatWithDecimal(std::u16string_view format, std::int32_t value);

}  // namespace pathbook
