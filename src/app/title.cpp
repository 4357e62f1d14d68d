#include "app/title.h"

#include "links/path_text.h"

namespace pathbook {
namespace {

String BasePart(const TitleInputs& in) {
    if (in.path.Empty()) return u"untitled";
    String name = FileNamePart(in.path);
    if (in.favoriteSlot == 0) return u"ホーム > " + name;
    if (in.favoriteSlot > 0) {
        String number;
        number.AssignInt(in.favoriteSlot);
        return u"お気に入りNo." + number + u" > " + name;
    }
    if (!in.folderName.Empty()) return in.folderName + u" > " + name;
    return in.minimized ? name : in.path;
}

}  // namespace

String ComposeTitle(const TitleInputs& inputs) {
    String title = BasePart(inputs);
    if (!inputs.goneMark.Empty()) title.Append(u" " + inputs.goneMark);
    if (inputs.modified) title.Append(u" *");
    title.Append(u" - ");
    title.Append(inputs.productName);
    if (inputs.locked) title.Append(u" (編集禁止)");
    return title;
}

}  // namespace pathbook
