#include "runtime/string.h"

#include <algorithm>
#include <functional>

#include "runtime/decimal.h"
#include "runtime/heap.h"

namespace pathbook {
namespace {

std::int32_t LengthOf(const char16_t* text) {
    std::int32_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

// The one static empty block, shared by every empty String of every thread.
// Its count is never touched, so threads that each keep their own Strings may
// make and drop empty ones at once; it is never written and never freed.
struct {
    std::int32_t count = 1;
    std::int32_t length = 1;
    std::int32_t capacity = 4;
    char16_t characters[4] = {};
} g_emptyBlock;

}  // namespace

String::Block* String::EmptyBlock() { return reinterpret_cast<Block*>(&g_emptyBlock); }

bool String::UsesEmptyBlock() const { return block_ == EmptyBlock(); }

bool String::PointsIntoBlock(const char16_t* text) const {
    std::less_equal<const char16_t*> notAfter;
    return notAfter(Chars(), text) && notAfter(text, Chars() + block_->capacity);
}

void String::Retain(Block* block) {
    if (block != EmptyBlock()) ++block->count;
}

void String::Release(Block* block) {
    if (block != EmptyBlock() && --block->count <= 0) Heap::Free(block);
}

String::String() : block_(EmptyBlock()) {}

String::String(const char16_t* text, std::int32_t length) : block_(EmptyBlock()) {
    if (length < 0) length = LengthOf(text);
    if (length > 0) Assign(text, length);
}

String::String(std::u16string_view text) : String(text.data(), static_cast<std::int32_t>(text.size())) {}

String::String(const String& other) : block_(other.block_) { Retain(block_); }

String::String(String&& other) noexcept : block_(other.block_) { other.block_ = EmptyBlock(); }

String& String::operator=(const String& other) {
    if (block_ != other.block_) {
        Retain(other.block_);
        Release(block_);
        block_ = other.block_;
    }
    return *this;
}

String& String::operator=(String&& other) noexcept {
    std::swap(block_, other.block_);
    return *this;
}

String::~String() { Release(block_); }

void String::MakeWritable(std::int32_t wanted, const char16_t* source, std::int32_t keep) {
    if (block_ != EmptyBlock() && block_->count <= 1 && block_->capacity >= wanted) return;
    std::int32_t capacity = std::max(block_->capacity, wanted);
    auto* block = static_cast<Block*>(
        Heap::Allocate(sizeof(Block) + sizeof(char16_t) * static_cast<std::size_t>(capacity)));
    block->count = 1;
    block->length = keep;
    block->capacity = capacity;
    Heap::CopyBytes(CharArea(block), source, sizeof(char16_t) * static_cast<std::size_t>(keep));
    Release(block_);
    block_ = block;
}

void String::BecomeEmpty() {
    Release(block_);
    block_ = EmptyBlock();
}

void String::Assign(const char16_t* text, std::int32_t count) {
    if (count <= 0) {
        BecomeEmpty();
        return;
    }
    if (PointsIntoBlock(text)) {
        String copy(text, count);
        *this = copy;
        return;
    }
    MakeWritable(count + 1, text, 0);
    Heap::CopyBytes(CharArea(block_), text, sizeof(char16_t) * static_cast<std::size_t>(count));
    CharArea(block_)[count] = 0;
    block_->length = count + 1;
}

void String::Append(const char16_t* text, std::int32_t count) {
    if (count <= 0) return;
    if (PointsIntoBlock(text)) {
        String copy(text, count);
        Append(copy.Chars(), count);
        return;
    }
    std::int32_t length = Length();
    MakeWritable(length + count + 1, Chars(), length);
    Heap::CopyBytes(CharArea(block_) + length, text, sizeof(char16_t) * static_cast<std::size_t>(count));
    CharArea(block_)[length + count] = 0;
    block_->length = length + count + 1;
}

void String::Append(const char16_t* text) { Append(text, LengthOf(text)); }

bool String::PrepareToShorten(std::int32_t count) {
    if (count >= Length()) {
        BecomeEmpty();
        return false;
    }
    MakeWritable(block_->capacity, Chars(), block_->length);
    return true;
}

void String::EraseFront(std::int32_t count) {
    if (count <= 0 || !PrepareToShorten(count)) return;
    std::int32_t length = Length();
    Heap::CopyBytes(CharArea(block_), CharArea(block_) + count,
                    sizeof(char16_t) * static_cast<std::size_t>(length - count + 1));
    block_->length = length - count + 1;
}

void String::DropBack(std::int32_t count) {
    if (count <= 0 || !PrepareToShorten(count)) return;
    std::int32_t length = Length();
    block_->length = length - count + 1;
    CharArea(block_)[length - count] = 0;
}

char16_t* String::WritableBuffer(std::int32_t capacity) {
    MakeWritable(capacity, Chars(), block_->length);
    return CharArea(block_);
}

void String::SetLength(std::int32_t count) {
    if (count < 0) count = LengthOf(Chars());
    if (count == 0 && (UsesEmptyBlock() || block_->count > 1)) {
        BecomeEmpty();
        return;
    }
    block_->length = count + 1;
    CharArea(block_)[count] = 0;
}

void String::AssignInt(std::int32_t value) {
    std::u16string text = FormatDecimal(value);
    Assign(text.data(), static_cast<std::int32_t>(text.size()));
}

std::int32_t String::ToInt() const { return ParseDecimal(Chars()); }

String operator+(const String& left, const String& right) {
    String result(left);
    result.Append(right);
    return result;
}

String operator+(const String& left, const char16_t* right) {
    String result(left);
    result.Append(right);
    return result;
}

String operator+(const char16_t* left, const String& right) {
    String result(left);
    result.Append(right);
    return result;
}

}  // namespace pathbook
