// Document types: how the editor shows a document (font, tab width, colours,
// display switches, wrapping, line numbers) and the names of the keyword and
// layout files that go with it. The list always starts with the built-in
// default type; loading the settings cuts it back to that one.
#pragma once

#include <cstdint>
#include <vector>

#include "document/keyword_definition.h"
#include "runtime/string.h"

namespace pathbook {

// The fields of the font record the view builds its fonts from.
struct FontDescription {
    String faceName;
    std::int32_t height = 0;  // negative: character height in pixels (see FontHeightForPoints)
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t charSet = 1;         // DEFAULT_CHARSET
    std::uint8_t pitchAndFamily = 2;  // VARIABLE_PITCH
};

constexpr int kViewColorCount = 9;
constexpr int kViewFlagCount = 5;

// The colour slots of ViewSettings::colors, by what they paint.
enum ViewColor : int {
    kTextColor = 0,          // ordinary text
    kInverseTextColor = 1,   // text on the crimson highlight
    kSpareColor2 = 2,        // stored, not drawn
    kMissingLinkColor = 3,   // the part of a link whose target is missing
    kMarkColor = 4,          // the pen: margin line, tab marks, "[EOF]"
    kLinkColor = 5,          // links and line numbers
    kBackgroundColor = 6,    // the background brush
    kSpareColor7 = 7,        // stored, not drawn
    kSpareColor8 = 8,        // stored, not drawn
};

// The display switches of ViewSettings::flags.
enum ViewFlag : int {
    kShowEndMark = 0,   // "[EOF]" after the last line
    kSpareFlag1 = 1,    // stored, changes nothing
    kShowTabMarks = 2,  // ">" at each tab
    kSpareFlag3 = 3,    // stored, changes nothing
    kSpareFlag4 = 4,    // stored, changes nothing
};

// How the view draws a document. Colours are 0x00BBGGRR; the painter uses
// slot 4 for its pen and slot 6 for the background.
struct ViewSettings {
    FontDescription font;
    std::int32_t pointSize = 0;
    std::int32_t tabWidth = 0;  // a tab stop is max(tabWidth, 1) times the width of "x"
    std::uint32_t colors[kViewColorCount] = {};  // indexed by ViewColor
    std::uint8_t flags[kViewFlagCount] = {};     // indexed by ViewFlag

    std::uint32_t Color(ViewColor slot) const { return colors[slot]; }
    bool Flag(ViewFlag flag) const { return flags[flag] != 0; }
};

// The wrap value everywhere: -1 none, 0 at the window's edge, n > 0 after n letters.
constexpr std::int32_t kNoWrap = -1;
constexpr std::int32_t kWrapAtWindowEdge = 0;

struct DocType {
    String name;         // shown in menus
    String pattern;      // ".*\." + extension + "$"; empty for the default type
    String keywordFile;  // empty for the default type
    String layoutFile;   // in "type\" beside the program
    ViewSettings appearance;
    std::int32_t wrapMode = kNoWrap;  // -1, 0, or > 0 meaning "wrap at wrapWidth"
    std::int32_t wrapWidth = 80;
    std::uint8_t lineNumbers = 0;

    // The wrap value this type starts with: wrapMode when it is -1 or 0, else wrapWidth.
    std::int32_t InitialWrap() const { return wrapMode == kNoWrap || wrapMode == kWrapAtWindowEdge ? wrapMode : wrapWidth; }
};

// The built-in type, named `name` (string 7 of the interface's language).
DocType DefaultDocType(const String& name);

// -(points * pixelsPerInch / 72), rounded as the system's MulDiv rounds.
std::int32_t FontHeightForPoints(std::int32_t points, std::int32_t pixelsPerInch);

// The document types, head first. Invariant: never empty; current() < size().
class DocTypeList {
public:
    explicit DocTypeList(DocType defaultType) { types_.push_back(std::move(defaultType)); }

    std::size_t Count() const { return types_.size(); }
    const DocType& At(std::size_t index) const { return types_[index < types_.size() ? index : 0]; }
    const DocType& Current() const { return types_[current_]; }
    std::size_t CurrentIndex() const { return current_; }

    void Add(DocType type) { types_.push_back(std::move(type)); }
    // Makes type `index` current; an index past the end picks the default type.
    void Select(std::size_t index) { current_ = index < types_.size() ? index : 0; }
    // Keeps only the default type, and makes it current.
    void CutToDefault();

private:
    std::vector<DocType> types_;
    std::size_t current_ = 0;
};

}  // namespace pathbook
