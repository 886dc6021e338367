#pragma once
// What a hyperlink static does, apart from drawing: its colour, its target
// (an e-mail address becomes "mailto:" once), hovering and the quiet second
// after a click.

#include <string>

#include "platform/Canvas.h"

namespace pixfold {

inline constexpr ColorRef kLinkUnvisited = Rgb(0, 0, 255);
inline constexpr ColorRef kLinkVisited = Rgb(128, 0, 128);
inline constexpr int kLinkTimerId = 102;
inline constexpr int kLinkQuietMs = 1000;

// The target of a click: the control's text the first time, with "mailto:"
// put in front once when it holds the e-mail user-name prefix.
void PrepareLinkTarget(std::string& link, const std::string& windowText,
                       const std::string& mailPrefix);

enum class HoverAction { None, Capture, Release };

// Pointer movement: capture (hand) on entering, release (arrow) on leaving;
// nothing during the quiet second after a click.
HoverAction HoverFor(bool clickedRecently, bool captured, bool inside);

}  // namespace pixfold
