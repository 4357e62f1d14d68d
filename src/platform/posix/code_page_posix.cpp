// Code pages through iconv. glibc names the Windows code pages itself (CP932,
// CP949, ...); where its tables differ from Windows', the README says so.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <vector>

#include "platform/code_page.h"

namespace pathbook::platform {
namespace {

struct CodePageName {
    CodePage codePage;
    const char* iconvName;
};

constexpr CodePageName kCodePageNames[] = {
    {437, "CP437"},         {874, "CP874"},         {932, "CP932"},         {936, "CP936"},
    {949, "CP949"},         {950, "CP950"},         {1250, "CP1250"},       {1251, "CP1251"},
    {1252, "CP1252"},       {1253, "CP1253"},       {1254, "CP1254"},       {1255, "CP1255"},
    {1256, "CP1256"},       {1257, "CP1257"},       {1258, "CP1258"},       {1361, "JOHAB"},
    {20866, "KOI8-R"},      {21866, "KOI8-U"},      {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"},  {65000, "UTF-7"},
    {65001, "UTF-8"},
};

const char* IconvName(CodePage codePage) {
    for (const CodePageName& entry : kCodePageNames) {
        if (entry.codePage == codePage) return entry.iconvName;
    }
    return nullptr;
}

CodePage g_ansiCodePage = 1252;

// One converter per direction and code page, opened on first use. The core
// runs on one thread; tests that use threads each get their own cache.
iconv_t Converter(CodePage codePage, bool toUtf16) {
    thread_local std::map<std::pair<CodePage, bool>, iconv_t> cache;
    auto key = std::make_pair(codePage, toUtf16);
    auto found = cache.find(key);
    if (found != cache.end()) {
        iconv(found->second, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
        return found->second;
    }
    const char* name = IconvName(codePage);
    iconv_t converter = name == nullptr ? reinterpret_cast<iconv_t>(-1)
                        : toUtf16       ? iconv_open("UTF-16LE", name)
                                        : iconv_open(name, "UTF-16LE");
    cache.emplace(key, converter);
    return converter;
}

bool Usable(iconv_t converter) { return converter != reinterpret_cast<iconv_t>(-1); }

bool IsDoubleByteLead(CodePage codePage, std::uint8_t b) {
    switch (codePage) {
        case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        case 936:
        case 949:
        case 950: return b >= 0x81 && b <= 0xFE;
        case 1361: return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
        default: return false;
    }
}

// The default character of a code page when encoding: "?" everywhere, as Windows does.
constexpr std::uint8_t kDefaultByte = '?';

// Collects output into a caller's buffer, counting what does not fit.
class Sink {
public:
    Sink(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void Put(const char* bytes, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i, ++needed_) {
            if (needed_ < capacity_) out_[needed_] = bytes[i];
        }
    }
    std::size_t Needed() const { return needed_; }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t needed_ = 0;
};

// Runs iconv over the whole input; `onInvalid` is called for each input step
// that iconv cannot convert, with the number of input bytes to skip.
template <typename OnInvalid>
void Convert(iconv_t converter, const char* in, std::size_t inBytes, std::size_t unitBytes,
             Sink& sink, OnInvalid onInvalid) {
    char buffer[4096];
    auto* input = const_cast<char*>(in);
    while (true) {
        char* output = buffer;
        std::size_t room = sizeof buffer;
        std::size_t result = inBytes == 0 ? iconv(converter, nullptr, nullptr, &output, &room)
                                          : iconv(converter, &input, &inBytes, &output, &room);
        sink.Put(buffer, sizeof buffer - room);
        if (result != static_cast<std::size_t>(-1)) {
            if (inBytes == 0) return;
            continue;
        }
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (cut off at the end): skip one unit of input.
        std::size_t skip = unitBytes < inBytes ? unitBytes : inBytes;
        onInvalid(reinterpret_cast<const std::uint8_t*>(input), skip);
        input += skip;
        inBytes -= skip;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
}

}  // namespace

bool IsValidCodePage(CodePage codePage) { return Usable(Converter(codePage, true)); }

CodePage AnsiCodePage() { return g_ansiCodePage; }

bool OverrideAnsiCodePage(CodePage codePage) {
    if (!IsValidCodePage(codePage)) return false;
    g_ansiCodePage = codePage;
    return true;
}

std::size_t DecodeCodePage(CodePage codePage, const std::uint8_t* bytes, std::size_t count,
                           char16_t* out, std::size_t capacity) {
    iconv_t converter = Converter(codePage, true);
    if (!Usable(converter)) return 0;
    Sink sink(reinterpret_cast<char*>(out), capacity * 2);
    Convert(converter, reinterpret_cast<const char*>(bytes), count, 1, sink,
            [&](const std::uint8_t*, std::size_t) {
                const char16_t replacement = 0xFFFD;
                sink.Put(reinterpret_cast<const char*>(&replacement), 2);
            });
    return sink.Needed() / 2;
}

std::size_t EncodeCodePage(CodePage codePage, const char16_t* units, std::size_t count,
                           std::uint8_t* out, std::size_t capacity, bool* usedDefault) {
    if (usedDefault != nullptr) *usedDefault = false;
    iconv_t converter = Converter(codePage, false);
    if (!Usable(converter)) return 0;
    Sink sink(reinterpret_cast<char*>(out), capacity);
    bool unicode = codePage == 65000 || codePage == 65001;
    Convert(converter, reinterpret_cast<const char*>(units), count * 2, 2, sink,
            [&](const std::uint8_t*, std::size_t) {
                if (unicode) {
                    static const char kReplacementUtf8[] = "\xEF\xBF\xBD";
                    sink.Put(kReplacementUtf8, 3);
                    return;
                }
                sink.Put(reinterpret_cast<const char*>(&kDefaultByte), 1);
                if (usedDefault != nullptr) *usedDefault = true;
            });
    return sink.Needed();
}

const std::uint8_t* NextCharacter(CodePage codePage, const std::uint8_t* at, const std::uint8_t* end) {
    if (at >= end) return end;
    std::size_t step = IsDoubleByteLead(codePage, *at) && end - at >= 2 ? 2 : 1;
    return at + step;
}

}  // namespace pathbook::platform
