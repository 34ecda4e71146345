#include "wux/lang/Char.h"

#include "lang/CharCategoryTable.h"

#include <wctype.h>

namespace cpp {
namespace lang {

unsigned short const Char::MIN_VALUE;
unsigned short const Char::MAX_VALUE;

using namespace charcat;

namespace {

unsigned long const LETTERS = bit(Lu) | bit(Ll) | bit(Lt) | bit(Lm) | bit(Lo);
unsigned long const NUMBERS = bit(Nd) | bit(Nl) | bit(No);
unsigned long const SEPARATORS = bit(Zs) | bit(Zl) | bit(Zp);
unsigned long const PUNCTUATION =
    bit(Pc) | bit(Pd) | bit(Ps) | bit(Pe) | bit(Pi) | bit(Pf) | bit(Po);
unsigned long const SYMBOLS = bit(Sm) | bit(Sc) | bit(Sk) | bit(So);

} // namespace

bool Char::isUpper(unsigned short c) {
    return categoryOf(c) == Lu;
}

bool Char::isLower(unsigned short c) {
    return categoryOf(c) == Ll;
}

bool Char::isLetter(unsigned short c) {
    return isIn(c, LETTERS);
}

bool Char::isDigit(unsigned short c) {
    return categoryOf(c) == Nd;
}

bool Char::isNumber(unsigned short c) {
    return isIn(c, NUMBERS);
}

bool Char::isSeperator(unsigned short c) {
    return isIn(c, SEPARATORS);
}

bool Char::isPunctuation(unsigned short c) {
    return isIn(c, PUNCTUATION);
}

bool Char::isSymbol(unsigned short c) {
    return isIn(c, SYMBOLS);
}

bool Char::isWhitespace(unsigned short c) {
    // The controls TAB, LF, VT, FF and CR, NEXT LINE and the line and
    // paragraph separators count besides the space separators.
    return categoryOf(c) == Zs || (c >= 0x0009 && c <= 0x000D) || c == 0x0085 || c == 0x2028 ||
           c == 0x2029;
}

unsigned short Char::toUpper(unsigned short c) {
    return static_cast<unsigned short>(towupper(c));
}

unsigned short Char::toLower(unsigned short c) {
    return static_cast<unsigned short>(towlower(c));
}

String Char::toString(unsigned short c) {
    return String(c, 1);
}

} // namespace lang
} // namespace cpp
