#pragma once

#include "core/generation/CharacterClass.h"

#include <QString>

// Characters that are easily taken for one another when a password is read
// aloud or typed from paper: digits and letters (0 O o, 1 l I i |, 2 Z, 5 S,
// 8 B), marks that look like an apostrophe or quote, and the small marks
// (~ ˜ , ¸ . · and the dashes).
namespace LookAlike {

// The 33 characters left out, in the order the help lists them.
QString characters();

bool isLookAlike(char32_t point);

// The class without its look-alike characters; a class made only of them
// keeps all its characters, so that a symbol never stops drawing.
CharacterClass without(const CharacterClass &drawFrom);

} // namespace LookAlike
