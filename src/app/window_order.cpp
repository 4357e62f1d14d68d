#include "app/window_order.h"

namespace pathbook {

WindowSwitch ChooseNextWindow(std::size_t count, std::size_t self) {
    WindowSwitch choice;
    if (self + 1 >= count) return choice;
    choice.none = false;
    choice.raise = self + 1;
    choice.sendSelfToBottom = self + 1 != count - 1;
    return choice;
}

WindowSwitch ChoosePreviousWindow(std::size_t count, std::size_t self) {
    WindowSwitch choice;
    if (self >= count) return choice;
    if (self == 0) {
        if (count == 1) return choice;
        choice.raise = count - 1;
    } else {
        choice.raise = self - 1;
    }
    choice.none = false;
    return choice;
}

}  // namespace pathbook
