// The INI file is read under a shared lock and rewritten in place under an
// exclusive one, so that each call is whole with respect to other processes,
// as the system serialises the Windows functions.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/posix/ini_text.h"
#include "platform/posix/native_path.h"
#include "platform/profile.h"

namespace pathbook::platform {
namespace {

void LockFile(int fd, int operation) {
    while (flock(fd, operation) != 0 && errno == EINTR) {
    }
}

bool ReadAll(int fd, std::string* text) {
    text->clear();
    char chunk[8192];
    for (off_t offset = 0;;) {
        ssize_t got = pread(fd, chunk, sizeof chunk, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        text->append(chunk, static_cast<std::size_t>(got));
        offset += got;
    }
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t put = pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return ftruncate(fd, static_cast<off_t>(text.size())) == 0;
}

bool FindValue(const char16_t* path, const char16_t* section, const char16_t* key, std::u16string* value) {
    int fd = open(posix::NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    LockFile(fd, LOCK_SH);
    std::string text;
    bool read = ReadAll(fd, &text);
    close(fd);
    return read && posix::IniText(std::move(text)).Find(section, key, value);
}

// Decimal digits after optional blanks and sign; stops at the first other character.
std::int32_t LeadingNumber(const std::u16string& text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
    bool negative = at < text.size() && text[at] == u'-';
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) ++at;
    std::uint32_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = value * 10 + static_cast<std::uint32_t>(text[at] - u'0');
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

}  // namespace

std::int32_t ReadIniInt(const char16_t* path, const char16_t* section, const char16_t* key,
                            std::int32_t defaultValue) {
    std::u16string value;
    if (!FindValue(path, section, key, &value) || value.empty()) return defaultValue;
    return LeadingNumber(value);
}

std::uint32_t ReadIniString(const char16_t* path, const char16_t* section, const char16_t* key,
                                const char16_t* defaultValue, char16_t* buffer, std::uint32_t capacity) {
    std::u16string value;
    if (!FindValue(path, section, key, &value)) value = defaultValue == nullptr ? u"" : defaultValue;
    std::size_t count = std::min<std::size_t>(value.size(), capacity - 1);
    std::copy(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(count), buffer);
    buffer[count] = 0;
    return static_cast<std::uint32_t>(count);
}

bool WriteIniString(const char16_t* path, const char16_t* section, const char16_t* key,
                        const char16_t* value) {
    int fd = open(posix::NativePath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    LockFile(fd, LOCK_EX);
    std::string text;
    bool written = false;
    if (ReadAll(fd, &text)) {
        posix::IniText ini(std::move(text));
        ini.Set(section, key, value);
        written = WriteAll(fd, ini.Text());
    }
    close(fd);
    return written;
}

}  // namespace pathbook::platform
