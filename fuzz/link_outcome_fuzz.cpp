// Link requests that have gone stale: a request is read from the document, the
// document is edited as the user might while the check runs, and the result,
// whatever it claims, is applied as the view applies it. The outcome never
// points outside the line, the marks go only where it says, and the
// document keeps its invariants.
//
// Input: byte 0 the clicked column, byte 1 the command and Ctrl, bytes 2-3
// the edit (kind and position), bytes 4-5 the result's existing count; the
// rest is the text (two bytes a unit), then after a NUL unit the edit's text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/attributes.h"
#include "document/document.h"
#include "document/edit_command.h"
#include "view/link_activation.h"

namespace {

using namespace pathbook;

void Check(bool condition) {
    if (!condition) std::abort();
}

void Edit(Document& document, std::uint8_t kind, std::uint8_t at, const std::u16string& text) {
    const DocPos pos = DocPos::At(0, at);
    switch (kind % 4) {
        case 0: break;  // the document as it was
        case 1: {
            InsertCommand insert(pos, text);
            document.Execute(insert);
            break;
        }
        case 2: {
            DeleteCommand erase(pos, DocPos::At(kEndOfText, kEndOfText));
            document.Execute(erase);
            break;
        }
        default: {
            ReplaceCommand replace(DocPos::At(0, 0), pos, text);
            document.Execute(replace);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    std::u16string text;
    std::u16string editText;
    bool inEdit = false;
    for (std::size_t i = 6; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0 && !inEdit) {
            inEdit = true;
            continue;
        }
        (inEdit ? editText : text).push_back(unit == 0 ? u'?' : unit);
    }
    Document document;
    InsertCommand fill(DocPos::At(0, 0), text);
    document.Execute(fill);
    const LinkCommand command = (data[1] & 1) != 0 ? LinkCommand::kOpenLocation : LinkCommand::kOpen;
    const LinkRequest request =
        PrepareLinkRequest(document, DocPos::At(0, data[0]), command, (data[1] & 2) != 0, u"C:\\notes");
    if (!request.valid) return 0;
    Check(request.open <= request.close && request.linkText.size() <= 259);
    Edit(document, data[2], data[3], editText);
    LinkResult result;
    result.existing = static_cast<std::int16_t>(data[4] | data[5] << 8);
    result.linkText = request.linkText;
    const LinkOutcome outcome = DecideLinkOutcome(document, request, result);
    if (!outcome.stillThere) {
        Check(!outcome.open);
        return 0;
    }
    const Column length = document.LineLength(request.line);
    Check(outcome.textStart <= outcome.clearTo && outcome.clearTo <= outcome.textEnd && outcome.textEnd <= length);
    Check(!outcome.open || outcome.clearTo > outcome.textStart);
    if (outcome.clearTo > outcome.textStart) document.SetMissingPart(request.line, outcome.textStart, outcome.clearTo, false);
    if (outcome.textEnd > outcome.clearTo) document.SetMissingPart(request.line, outcome.clearTo, outcome.textEnd, true);
    const Attribute* words = document.LineTokens(request.line);
    for (Column c = outcome.clearTo; c < outcome.textEnd; ++c) Check((words[c] & kMissingBit) != 0);
    Check(document.CheckInvariants());
    return 0;
}
