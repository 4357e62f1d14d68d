#include "platform/posix/ini_text.h"

#include <cstddef>

#include "runtime/ascii.h"
#include "runtime/utf8.h"

namespace pathbook::platform::posix {
namespace {

// One line of the text: [begin, end) without its line break; `next` is where
// the following line starts.
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

Line LineAt(const std::string& text, std::size_t begin) {
    std::size_t newline = text.find('\n', begin);
    std::size_t next = newline == std::string::npos ? text.size() : newline + 1;
    std::size_t end = newline == std::string::npos ? text.size() : newline;
    if (end > begin && text[end - 1] == '\r') --end;
    return {begin, end, next};
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }  // a stray CR counts as a blank

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view utf8, std::u16string_view name) {
    std::u16string decoded = Utf8ToUtf16(utf8);
    if (decoded.size() != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (AsciiToLower(decoded[i]) != AsciiToLower(name[i])) return false;
    }
    return true;
}

// The section name of a "[name]" line (up to "]" or the end), or false.
bool SectionName(std::string_view line, std::string_view* name) {
    line = Trimmed(line);
    if (line.empty() || line.front() != '[') return false;
    line.remove_prefix(1);
    std::size_t close = line.find(']');
    *name = Trimmed(line.substr(0, close));
    return true;
}

// Splits a "key=value" line; false for comments and lines without "=".
bool KeyAndValue(std::string_view line, std::string_view* key, std::string_view* value) {
    line = Trimmed(line);
    if (line.empty() || line.front() == ';') return false;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    *key = Trimmed(line.substr(0, equals));
    std::string_view rest = Trimmed(line.substr(equals + 1));
    if (rest.size() >= 2 && (rest.front() == '"' || rest.front() == '\'') && rest.back() == rest.front()) {
        rest = rest.substr(1, rest.size() - 2);
    }
    *value = rest;
    return true;
}

std::string_view View(const std::string& text, const Line& line) {
    return std::string_view(text).substr(line.begin, line.end - line.begin);
}

// Where the lines of a section are: `body` is the first line after the header,
// `end` the start of the next section (or the text's end), `afterLast` the end
// of the section's last non-blank line (with its line break).
struct SectionSpan {
    bool found = false;
    std::size_t body = 0;
    std::size_t end = 0;
    std::size_t afterLast = 0;
};

SectionSpan FindSection(const std::string& text, std::u16string_view section) {
    SectionSpan span;
    for (std::size_t at = 0; at < text.size();) {
        Line line = LineAt(text, at);
        std::string_view name;
        bool header = SectionName(View(text, line), &name);
        if (span.found && header) {
            span.end = line.begin;
            return span;
        }
        if (!span.found && header && SameName(name, section)) {
            span.found = true;
            span.body = span.afterLast = line.next;
        } else if (span.found && !Trimmed(View(text, line)).empty()) {
            span.afterLast = line.next;
        }
        at = line.next;
    }
    span.end = text.size();
    return span;
}

std::string CutAtLineBreak(std::u16string_view value) {
    std::size_t cut = value.find_first_of(u"\r\n");
    return Utf16ToUtf8(value.substr(0, cut));
}

}  // namespace

bool IniText::Find(std::u16string_view section, std::u16string_view key, std::u16string* value) const {
    SectionSpan span = FindSection(text_, section);
    if (!span.found) return false;
    for (std::size_t at = span.body; at < span.end;) {
        Line line = LineAt(text_, at);
        std::string_view name, found;
        if (KeyAndValue(View(text_, line), &name, &found) && SameName(name, key)) {
            *value = Utf8ToUtf16(found);
            return true;
        }
        at = line.next;
    }
    return false;
}

void IniText::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    std::string entry = Utf16ToUtf8(key) + "=" + CutAtLineBreak(value);
    SectionSpan span = FindSection(text_, section);
    if (!span.found) {
        if (!text_.empty() && text_.back() != '\n') text_ += "\r\n";
        text_ += "[" + Utf16ToUtf8(section) + "]\r\n" + entry + "\r\n";
        return;
    }
    for (std::size_t at = span.body; at < span.end;) {
        Line line = LineAt(text_, at);
        std::string_view name, found;
        if (KeyAndValue(View(text_, line), &name, &found) && SameName(name, key)) {
            text_.replace(line.begin, line.end - line.begin, entry);
            return;
        }
        at = line.next;
    }
    std::size_t insertAt = span.afterLast;
    bool needsBreak = insertAt > 0 && text_[insertAt - 1] != '\n';
    text_.insert(insertAt, (needsBreak ? "\r\n" : "") + entry + "\r\n");
}

}  // namespace pathbook::platform::posix
