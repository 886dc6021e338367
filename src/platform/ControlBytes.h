#pragma once
// Names printed by the batch command: a control byte in a name must neither
// split a record nor reach a terminal as an escape sequence.

#include <string>

namespace pixfold {

struct EscapeRules {
    bool backslash = true;   // "\\" for a backslash, so that escapes read back exactly
    bool lineBreaks = true;  // false: newlines and tabs of a message stay
    bool terminal = false;   // also C1 controls and bytes that are not UTF-8
};

// Control bytes (and, by the rules, more) written as \xHH.
std::string EscapeControlBytes(const std::string& text, EscapeRules rules = {});

}  // namespace pixfold
