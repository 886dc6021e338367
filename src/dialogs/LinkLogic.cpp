#include "dialogs/LinkLogic.h"

namespace pixfold {

void PrepareLinkTarget(std::string& link, const std::string& windowText,
                       const std::string& mailPrefix) {
    if (link.empty()) {
        link = windowText;
    }
    if (!mailPrefix.empty() && link.find(mailPrefix) != std::string::npos &&
        link.rfind("mailto:", 0) != 0) {
        link = "mailto:" + link;
    }
}

HoverAction HoverFor(bool clickedRecently, bool captured, bool inside) {
    if (clickedRecently) {
        return HoverAction::None;
    }
    if (!captured && inside) {
        return HoverAction::Capture;
    }
    if (captured && !inside) {
        return HoverAction::Release;
    }
    return HoverAction::None;
}

}  // namespace pixfold
