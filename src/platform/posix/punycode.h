// International host names in their ASCII form for systems without
// IdnToAscii: each label with a unit above ASCII becomes "xn--" and its
// Punycode (RFC 3492); ASCII letters are lowered. Nameprep's other mappings
// are left out: names are taken as written.
#pragma once

#include <string>
#include <string_view>

namespace pathbook::platform::posix {

// Empty for an empty name, a lone surrogate, an empty label between dots or
// a label longer than 63 units once converted.
std::string HostNameToPunycode(std::u16string_view name);

}  // namespace pathbook::platform::posix
