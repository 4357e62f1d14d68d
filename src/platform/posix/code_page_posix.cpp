// Code pages through iconv (UTF-8 written out, see utf8_codec.h). glibc names
// the Windows code pages itself (CP932, CP949, ...); docs/encodings.md lists the
// names and where glibc's tables differ from Windows'.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "platform/code_page.h"
#include "platform/posix/utf8_codec.h"

namespace pathbook::platform {
namespace {

struct CodePageName {
    CodePage codePage;
    const char* iconvName;
};

constexpr CodePage kUtf8 = 65001;

constexpr CodePageName kCodePageNames[] = {
    {437, "CP437"},         {874, "CP874"},         {932, "CP932"},         {936, "CP936"},
    {949, "CP949"},         {950, "CP950"},         {1250, "CP1250"},       {1251, "CP1251"},
    {1252, "CP1252"},       {1253, "CP1253"},       {1254, "CP1254"},       {1255, "CP1255"},
    {1256, "CP1256"},       {1257, "CP1257"},       {1258, "CP1258"},       {1361, "JOHAB"},
    {20866, "KOI8-R"},      {21866, "KOI8-U"},      {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"},  {65000, "UTF-7"},
    {kUtf8, "UTF-8"},
};

const char* IconvName(CodePage codePage) {
    for (const CodePageName& entry : kCodePageNames) {
        if (entry.codePage == codePage) return entry.iconvName;
    }
    return nullptr;
}

CodePage g_ansiCodePage = 1252;

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter per direction and code page, opened on first use, reset to
// its initial shift state on every use and closed at exit. An iconv converter
// keeps state while it converts, so each thread has a cache of its own.
class ConverterCache {
public:
    ~ConverterCache() {
        for (auto& entry : converters_) {
            if (entry.second != kNoConverter) iconv_close(entry.second);
        }
    }
    iconv_t Get(CodePage codePage, bool toUtf16) {
        auto key = std::make_pair(codePage, toUtf16);
        auto found = converters_.find(key);
        if (found != converters_.end()) {
            if (found->second != kNoConverter) iconv(found->second, nullptr, nullptr, nullptr, nullptr);
            return found->second;
        }
        const char* name = IconvName(codePage);
        iconv_t converter = name == nullptr ? kNoConverter
                            : toUtf16       ? iconv_open("UTF-16LE", name)
                                            : iconv_open(name, "UTF-16LE");
        converters_.emplace(key, converter);
        return converter;
    }

private:
    std::map<std::pair<CodePage, bool>, iconv_t> converters_;
};

iconv_t Converter(CodePage codePage, bool toUtf16) {
    thread_local ConverterCache cache;
    return cache.Get(codePage, toUtf16);
}

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
constexpr char kDefaultByte = '?';
constexpr char16_t kReplacement = 0xFFFD;

// Where iconv writes: straight into the caller's buffer while it has room,
// then into a scratch block that is only counted.
class Output {
public:
    Output(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {}

    void Window(char** at, std::size_t* room) {
        if (needed_ < capacity_) {
            *at = out_ + needed_;
            *room = capacity_ - needed_;
        } else {
            *at = scratch_;
            *room = sizeof scratch_;
        }
    }
    void Produced(std::size_t bytes) { needed_ += bytes; }
    void Put(const char* bytes, std::size_t n) {
        if (needed_ + n <= capacity_) std::memcpy(out_ + needed_, bytes, n);
        needed_ += n;
    }
    std::size_t Needed() const { return needed_; }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t needed_ = 0;
    char scratch_[4096];
};

// Lets the converter write out what it holds back.
void Flush(iconv_t converter, Output& output) {
    char* at = nullptr;
    std::size_t room = 0;
    output.Window(&at, &room);
    std::size_t before = room;
    iconv(converter, nullptr, nullptr, &at, &room);
    output.Produced(before - room);
}

// Runs iconv over the whole input, then lets the converter write out what it
// holds back (stateful code pages such as 1258 wait for combining marks; UTF-7
// closes its base64 run). Where iconv stops at what it cannot convert
// (ill-formed, unmappable or cut off), `onInvalid(output, step, stepBytes,
// consumed)` writes what stands for it and returns how many bytes to skip:
// `step` is where iconv stopped, `stepBytes` the at most `unitBytes` bytes
// there (none when iconv stopped at the end) and `consumed` what this call of
// iconv had taken before it stopped.
template <typename OnInvalid>
void Convert(iconv_t converter, const char* in, std::size_t inBytes, std::size_t unitBytes, Output& output,
             OnInvalid onInvalid) {
    auto* input = const_cast<char*>(in);
    while (inBytes > 0) {
        const char* callStart = input;
        char* at = nullptr;
        std::size_t room = 0;
        output.Window(&at, &room);
        std::size_t before = room;
        std::size_t result = iconv(converter, &input, &inBytes, &at, &room);
        output.Produced(before - room);
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        Flush(converter, output);
        const std::size_t stepBytes = unitBytes < inBytes ? unitBytes : inBytes;
        const std::size_t consumed = static_cast<std::size_t>(input - callStart);
        std::size_t skip = onInvalid(output, input, stepBytes, consumed);
        // A callback skips nothing only for bytes iconv stepped over, so every
        // turn takes something and the loop ends.
        if (skip == 0 && consumed == 0) skip = stepBytes;
        input += skip;
        inBytes -= skip;
    }
    Flush(converter, output);
}

// glibc's UHC converter reports the unassigned pair A2 E8 only after stepping
// over it, where it stops in front of every other bad pair; seen from behind,
// the pair still gets its replacement and the byte after it is kept.
constexpr CodePage kKorean = 949;

bool SteppedOverBadPair(CodePage codePage, const char* step, std::size_t consumed) {
    return codePage == kKorean && consumed >= 2 && static_cast<std::uint8_t>(step[-2]) == 0xA2 &&
           static_cast<std::uint8_t>(step[-1]) == 0xE8;
}

// Windows' code page 1252 gives the five bytes that name no character the
// units of the same value, so that any file comes back byte for byte; glibc's
// CP1252 refuses them, so they are mapped here, where iconv stops at them.
constexpr CodePage kWindowsLatin1 = 1252;

bool IsUnassigned1252(std::uint32_t value) {
    return value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
}

}  // namespace

bool IsValidCodePage(CodePage codePage) { return codePage == kUtf8 || Converter(codePage, true) != kNoConverter; }

CodePage AnsiCodePage() { return g_ansiCodePage; }

bool OverrideAnsiCodePage(CodePage codePage) {
    if (!IsValidCodePage(codePage)) return false;
    g_ansiCodePage = codePage;
    return true;
}

std::size_t DecodeCodePage(CodePage codePage, const std::uint8_t* bytes, std::size_t count, char16_t* out,
                           std::size_t capacity, bool* replaced) {
    if (replaced != nullptr) *replaced = false;
    if (codePage == kUtf8) return posix::DecodeUtf8(bytes, count, out, capacity, replaced);
    iconv_t converter = Converter(codePage, true);
    if (converter == kNoConverter) return 0;
    Output output(reinterpret_cast<char*>(out), capacity * 2);
    Convert(converter, reinterpret_cast<const char*>(bytes), count, 1, output,
            [&](Output& sink, const char* step, std::size_t stepBytes, std::size_t consumed) -> std::size_t {
                // An error with nothing left to read comes after the bad bytes too.
                const bool steppedOver = stepBytes == 0 || SteppedOverBadPair(codePage, step, consumed);
                auto byte = steppedOver ? 0 : static_cast<std::uint8_t>(*step);
                bool own = codePage == kWindowsLatin1 && IsUnassigned1252(byte);
                const char16_t unit = own ? byte : kReplacement;
                sink.Put(reinterpret_cast<const char*>(&unit), 2);
                if (!own && replaced != nullptr) *replaced = true;
                return steppedOver ? 0 : stepBytes;
            });
    return output.Needed() / 2;
}

std::size_t EncodeCodePage(CodePage codePage, const char16_t* units, std::size_t count, std::uint8_t* out,
                           std::size_t capacity, bool* usedDefault) {
    if (usedDefault != nullptr) *usedDefault = false;
    if (codePage == kUtf8) return posix::EncodeUtf8(units, count, out, capacity, usedDefault);
    iconv_t converter = Converter(codePage, false);
    if (converter == kNoConverter) return 0;
    Output output(reinterpret_cast<char*>(out), capacity);
    bool unicode = codePage == 65000;
    Convert(converter, reinterpret_cast<const char*>(units), count * 2, 2, output,
            [&](Output& sink, const char* step, std::size_t stepBytes, std::size_t) -> std::size_t {
                // An error with nothing left to read comes after the bad units: they
                // still count as lost, so that a lossy save is never reported whole.
                char16_t unit = 0;
                if (stepBytes > 0) std::memcpy(&unit, step, stepBytes < 2 ? stepBytes : 2);
                if (codePage == kWindowsLatin1 && stepBytes == 2 && IsUnassigned1252(unit)) {
                    const char byte = static_cast<char>(unit);
                    sink.Put(&byte, 1);
                    return stepBytes;
                }
                if (usedDefault != nullptr) *usedDefault = true;
                if (unicode) {
                    static const char kReplacementUtf7[] = "+//0-";
                    sink.Put(kReplacementUtf7, 5);
                    return stepBytes;
                }
                sink.Put(&kDefaultByte, 1);
                return stepBytes;
            });
    return output.Needed();
}

const std::uint8_t* NextCharacter(CodePage codePage, const std::uint8_t* at, const std::uint8_t* end) {
    if (at >= end) return end;
    std::size_t step = IsDoubleByteLead(codePage, *at) && end - at >= 2 && at[1] != 0 ? 2 : 1;
    return at + step;
}

}  // namespace pathbook::platform
