// The POSIX INI store on arbitrary file contents: reading never faults, and a
// key that was set reads back, with every other key of other sections as before.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/posix/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pathbook::platform::posix::IniText;
    IniText ini(std::string(reinterpret_cast<const char*>(data), size));
    std::u16string before, value;
    bool hadOther = ini.Find(u"Other", u"Key", &before);
    ini.Find(u"Sec", u"MRU1", &value);
    ini.Set(u"Sec", u"MRU1", u"C:\\notes\\a.txt");
    if (!ini.Find(u"sec", u"mru1", &value) || value != u"C:\\notes\\a.txt") std::abort();
    std::u16string after;
    if (ini.Find(u"Other", u"Key", &after) != hadOther || (hadOther && after != before)) std::abort();
    return 0;
}
