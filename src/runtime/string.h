// String: the reference-counted, copy-on-write, NUL-terminated UTF-16 string in
// which the program keeps its text. Copies share one block until one of them is
// written. The counts are plain integers: a String and its copies stay on one
// thread. Empty Strings share a static block whose count is never changed, so
// any thread may make and drop empty Strings of its own.
//
// Growth is exact (capacity = what is asked for, never doubled), so appending
// one character at a time reallocates each time; build long texts elsewhere.
#pragma once

#include <cstdint>
#include <string_view>

namespace pathbook {

class String {
public:
    String();
    // `length` -1 means up to the first NUL; 0 gives the shared empty block.
    String(const char16_t* text, std::int32_t length = -1);  // NOLINT: implicit on purpose
    String(std::u16string_view text);                         // NOLINT
    String(const String& other);
    String(String&& other) noexcept;
    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    ~String();

    // Always NUL-terminated.
    const char16_t* Chars() const { return CharArea(block_); }
    std::int32_t Length() const { return block_->length - 1; }
    bool Empty() const { return Length() == 0; }
    std::u16string_view View() const { return {Chars(), static_cast<std::size_t>(Length())}; }
    char16_t operator[](std::int32_t index) const { return Chars()[index]; }

    // Replaces the text with `count` characters (count >= 0).
    void Assign(const char16_t* text, std::int32_t count);
    void Append(const char16_t* text, std::int32_t count);
    void Append(const char16_t* text);  // up to the NUL
    void Append(const String& text) { Append(text.Chars(), text.Length()); }
    void Append(char16_t c) { Append(&c, 1); }

    // Removes the first / last `count` characters; removing all (or more)
    // leaves the shared empty block.
    void EraseFront(std::int32_t count);
    void DropBack(std::int32_t count);

    // A private buffer of at least `capacity` characters that keeps the text.
    // The caller writes into it and then calls SetLength.
    char16_t* WritableBuffer(std::int32_t capacity);
    // Length = `count` characters; -1 counts up to the first NUL. The caller
    // guarantees count < the capacity of the buffer it was given.
    void SetLength(std::int32_t count);

    // The decimal text of `value`, with "-" for negatives.
    void AssignInt(std::int32_t value);
    // ParseDecimal of the text.
    std::int32_t ToInt() const;

    // For tests and invariant checks.
    std::int32_t ShareCount() const { return block_->count; }
    std::int32_t Capacity() const { return block_->capacity; }
    bool SharesBlockWith(const String& other) const { return block_ == other.block_; }
    bool UsesEmptyBlock() const;

    friend bool operator==(const String& a, const String& b) { return a.View() == b.View(); }
    friend bool operator!=(const String& a, const String& b) { return !(a == b); }

private:
    struct Block {
        std::int32_t count;     // Strings pointing here; always 1 in the static empty block
        std::int32_t length;    // characters in use including the NUL; >= 1
        std::int32_t capacity;  // characters that fit in the area after this header
    };
    static char16_t* CharArea(Block* block) {
        return reinterpret_cast<char16_t*>(reinterpret_cast<char*>(block) + sizeof(Block));
    }
    static Block* EmptyBlock();
    static void Retain(Block* block);
    static void Release(Block* block);
    // Makes the block private with capacity >= `wanted`, keeping `keep` characters from `source`.
    void MakeWritable(std::int32_t wanted, const char16_t* source, std::int32_t keep);
    void BecomeEmpty();
    // Before removing `count` characters in place: false (and empty) when none
    // would remain, otherwise the block is made private.
    bool PrepareToShorten(std::int32_t count);
    // Whether `text` lies in this string's own character area (a source that a
    // reallocation could free under our feet).
    bool PointsIntoBlock(const char16_t* text) const;

    Block* block_;  // never null
};

String operator+(const String& left, const String& right);
String operator+(const String& left, const char16_t* right);
String operator+(const char16_t* left, const String& right);

}  // namespace pathbook
