// The read-only half of String: searching, comparison, pieces, case mapping
// and concatenation.
#include "wux/lang/String.h"

#include "lang/AnsiText.h"
#include "lang/UnitSearch.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/OutOfRangeException.h"

#include <cwctype>

namespace cpp {
namespace lang {

namespace {

using units::NONE;

unsigned int const NPOS = String::NO_POSITION;

unsigned int minOf(unsigned int a, unsigned int b) { return a < b ? a : b; }

unsigned int lengthOf(unsigned short const* p) {
    if (p == nullptr)
        throw ArgumentException(String("The source pointer is null."), String("ptr"));
    unsigned short const* e = p;
    while (*e != 0)
        ++e;
    return static_cast<unsigned int>(e - p);
}

void checkPattern(void const* p, unsigned int n) {
    if (p == nullptr && n != 0)
        throw ArgumentException(String("The source pointer is null."), String("ptr"));
}

[[noreturn]] void throwOffset() {
    throw OutOfRangeException(String("The offset is out of range."));
}

unsigned short upper(unsigned short c) {
    return static_cast<unsigned short>(std::towupper(static_cast<std::wint_t>(c)));
}

unsigned short lower(unsigned short c) {
    return static_cast<unsigned short>(std::towlower(static_cast<std::wint_t>(c)));
}

// Two units that differ still count as equal when their upper-case forms are
// equal or the lower-case forms of those upper-case forms are.
bool equalIgnoringCase(unsigned short a, unsigned short b) {
    if (a == b)
        return true;
    unsigned short ua = upper(a);
    unsigned short ub = upper(b);
    return ua == ub || lower(ua) == lower(ub);
}

// The sign rule shared by compare and compareIgnoreCase once the first
// min(k, pn) units have been compared equal.
int lengthOrder(unsigned int k, unsigned int pn) { return k < pn ? -1 : (k > pn ? 1 : 0); }

int compareUnits(unsigned short const* a, unsigned int k, unsigned short const* b,
                 unsigned int pn) {
    unsigned int m = minOf(k, pn);
    unsigned int i = units::firstDifference(a, b, m);
    if (i < m)
        return a[i] < b[i] ? -1 : 1;
    return lengthOrder(k, pn);
}

int compareUnitsIgnoreCase(unsigned short const* a, unsigned int k, unsigned short const* b,
                           unsigned int pn) {
    unsigned int m = minOf(k, pn);
    for (unsigned int i = 0; i < m; ++i) {
        if (!equalIgnoringCase(a[i], b[i]))
            return a[i] < b[i] ? -1 : 1;
    }
    return lengthOrder(k, pn);
}

} // namespace

//===-- Searches on units (the counted wide forms) -----------------------===//

unsigned int String::find(unsigned short const* p, unsigned int pos, unsigned int n) const {
    unsigned int L = _length;
    if (n == 0)
        return pos <= L ? pos : NPOS;
    checkPattern(p, n);
    if (pos >= L || n > L - pos)
        return NPOS;
    unsigned int lastStart = L - n;
    unsigned short first = p[0];
    for (unsigned int i = pos; i <= lastStart;) {
        i = units::findUnit(_buffer, i, lastStart + 1, first);
        if (i == NONE)
            return NPOS;
        if (units::firstDifference(_buffer + i + 1, p + 1, n - 1) == n - 1)
            return i;
        ++i;
    }
    return NPOS;
}

unsigned int String::rfind(unsigned short const* p, unsigned int pos, unsigned int n) const {
    unsigned int L = _length;
    if (n == 0)
        return minOf(pos, L);
    checkPattern(p, n);
    if (n > L)
        return NPOS;
    unsigned int i = minOf(pos, L - n);
    unsigned short first = p[0];
    for (;;) {
        i = units::rfindUnit(_buffer, i, first);
        if (i == NONE)
            return NPOS;
        if (units::firstDifference(_buffer + i + 1, p + 1, n - 1) == n - 1)
            return i;
        if (i == 0)
            return NPOS;
        --i;
    }
}

unsigned int String::findFirstOf(unsigned short const* p, unsigned int pos,
                                 unsigned int n) const {
    if (n == 0 || pos >= _length)
        return NPOS;
    checkPattern(p, n);
    if (n == 1)
        return units::findUnit(_buffer, pos, _length, p[0]);
    for (unsigned int i = pos; i < _length; ++i)
        if (units::contains(p, n, _buffer[i]))
            return i;
    return NPOS;
}

unsigned int String::findLastOf(unsigned short const* p, unsigned int pos, unsigned int n) const {
    if (n == 0 || _length == 0)
        return NPOS;
    checkPattern(p, n);
    unsigned int last = minOf(pos, _length - 1);
    if (n == 1)
        return units::rfindUnit(_buffer, last, p[0]);
    for (unsigned int i = last + 1; i-- > 0;)
        if (units::contains(p, n, _buffer[i]))
            return i;
    return NPOS;
}

unsigned int String::findFirstNotOf(unsigned short const* p, unsigned int pos,
                                    unsigned int n) const {
    if (pos >= _length)
        return NPOS;
    if (n == 0)
        return pos;
    checkPattern(p, n);
    for (unsigned int i = pos; i < _length; ++i)
        if (!units::contains(p, n, _buffer[i]))
            return i;
    return NPOS;
}

unsigned int String::findLastNotOf(unsigned short const* p, unsigned int pos,
                                   unsigned int n) const {
    if (_length == 0)
        return NPOS;
    unsigned int last = minOf(pos, _length - 1);
    if (n == 0)
        return last;
    checkPattern(p, n);
    for (unsigned int i = last + 1; i-- > 0;)
        if (!units::contains(p, n, _buffer[i]))
            return i;
    return NPOS;
}

// The other pattern forms reduce to the counted wide forms. A narrow pattern
// of 0 bytes finds nothing; otherwise it is converted first.
#define WUX_STRING_SEARCH_FORMS(NAME, DEFAULT_POS)                                                 \
    unsigned int String::NAME(String const& s, unsigned int pos) const {                          \
        return NAME(s._buffer, pos, s._length);                                                    \
    }                                                                                              \
    unsigned int String::NAME(unsigned short const* p, unsigned int pos) const {                  \
        return NAME(p, pos, lengthOf(p));                                                          \
    }                                                                                              \
    unsigned int String::NAME(char const* p, unsigned int pos) const {                            \
        return NAME(p, pos, AnsiText::lengthOf(p));                                                \
    }                                                                                              \
    unsigned int String::NAME(char const* p, unsigned int pos, unsigned int n) const {            \
        if (n == 0)                                                                                \
            return NPOS;                                                                           \
        AnsiText text(_allocator, p, n);                                                           \
        return NAME(text.units(), pos, text.length());                                             \
    }                                                                                              \
    unsigned int String::NAME(unsigned short c, unsigned int pos) const {                         \
        return NAME(&c, pos, 1);                                                                   \
    }

WUX_STRING_SEARCH_FORMS(find, 0)
WUX_STRING_SEARCH_FORMS(rfind, NPOS)
WUX_STRING_SEARCH_FORMS(findFirstOf, 0)
WUX_STRING_SEARCH_FORMS(findLastOf, NPOS)
WUX_STRING_SEARCH_FORMS(findFirstNotOf, 0)
WUX_STRING_SEARCH_FORMS(findLastNotOf, NPOS)

#undef WUX_STRING_SEARCH_FORMS

unsigned int String::findAny(unsigned int pos, String const& set) const {
    if (pos > _length)
        throwOffset();
    if (pos == _length)
        return NPOS;
    return findFirstOf(set._buffer, pos, set._length);
}

unsigned int String::findAny(String const& set) const { return findAny(0, set); }

unsigned int String::findLastOfAny(unsigned int pos, String const& set) const {
    if (pos == NPOS)
        return NPOS;
    if (pos >= _length)
        throwOffset();
    for (unsigned int i = pos + 1; i-- > 0;)
        if (units::contains(set._buffer, set._length, _buffer[i]))
            return i;
    return NPOS;
}

unsigned int String::findLastOfAny(String const& set) const {
    return findLastOfAny(_length - 1, set); // an empty string starts at NO_POSITION
}

int String::freq(unsigned short c) const {
    int count = 0;
    for (unsigned int i = 0; i < _length; ++i)
        if (_buffer[i] == c)
            ++count;
    return count;
}

bool String::startsWith(unsigned short const* p) const {
    unsigned int n = lengthOf(p);
    return n <= _length && units::firstDifference(_buffer, p, n) == n;
}

bool String::startsWith(String const& s) const { return startsWith(s._buffer); }

bool String::startsWith(char const* p) const {
    unsigned int n = AnsiText::lengthOf(p);
    if (n == 0)
        return false;
    AnsiText text(_allocator, p, n);
    unsigned int k = text.length();
    return k <= _length && units::firstDifference(_buffer, text.units(), k) == k;
}

//===-- Comparison -------------------------------------------------------===//

int String::compare(unsigned int pos, unsigned int n, unsigned short const* p,
                    unsigned int pn) const {
    if (pos > _length)
        throwOffset();
    checkPattern(p, pn);
    return compareUnits(_buffer + pos, minOf(n, _length - pos), p, pn);
}

int String::compare(unsigned int pos, unsigned int n, String const& s, unsigned int spos,
                    unsigned int sn) const {
    if (pos > _length)
        throwOffset();
    if (spos > s._length)
        throw OutOfRangeException(String("The source offset is out of range."));
    return compare(pos, n, s._buffer + spos, minOf(sn, s._length - spos));
}

int String::compare(String const& s) const { return compare(0, _length, s._buffer, s._length); }

int String::compare(unsigned short const* p) const { return compare(0, _length, p, lengthOf(p)); }

int String::compare(unsigned short const* p, unsigned int pn) const {
    return compare(0, _length, p, pn);
}

int String::compare(unsigned int pos, unsigned int n, String const& s) const {
    return compare(pos, n, s._buffer, s._length);
}

int String::compare(unsigned int pos, unsigned int n, unsigned short const* p) const {
    return compare(pos, n, p, lengthOf(p));
}

int String::compareIgnoreCase(unsigned int pos, unsigned int n, unsigned short const* p,
                              unsigned int pn) const {
    if (pos > _length)
        throwOffset();
    checkPattern(p, pn);
    return compareUnitsIgnoreCase(_buffer + pos, minOf(n, _length - pos), p, pn);
}

int String::compareIgnoreCase(unsigned int pos, unsigned int n, String const& s,
                              unsigned int spos, unsigned int sn) const {
    if (pos > _length)
        throwOffset();
    if (spos > s._length)
        throw OutOfRangeException(String("The source offset is out of range."));
    return compareIgnoreCase(pos, n, s._buffer + spos, minOf(sn, s._length - spos));
}

int String::compareIgnoreCase(String const& s) const {
    return compareIgnoreCase(0, _length, s._buffer, s._length);
}

int String::compareIgnoreCase(unsigned short const* p) const {
    return compareIgnoreCase(0, _length, p, lengthOf(p));
}

int String::compareIgnoreCase(unsigned short const* p, unsigned int pn) const {
    return compareIgnoreCase(0, _length, p, pn);
}

int String::compareIgnoreCase(unsigned int pos, unsigned int n, String const& s) const {
    return compareIgnoreCase(pos, n, s._buffer, s._length);
}

int String::compareIgnoreCase(unsigned int pos, unsigned int n, unsigned short const* p) const {
    return compareIgnoreCase(pos, n, p, lengthOf(p));
}

//===-- Pieces -----------------------------------------------------------===//

String String::subString(unsigned int pos, unsigned int n) const {
    if (pos > _length)
        throwOffset();
    return String(_buffer + pos, minOf(n, _length - pos), _allocator);
}

String String::leftString(unsigned int n) const {
    if (n > _length)
        throw ArgumentException(String("the count is too long."), String("count"));
    return String(_buffer, n, _allocator);
}

String String::rightString(unsigned int n) const {
    if (n > _length)
        throw ArgumentException(String("the count is too long."), String("count"));
    return String(_buffer + (_length - n), n, _allocator);
}

String String::beforeFirst(unsigned short c) const {
    unsigned int i = find(c);
    return String(_buffer, i == NPOS ? _length : i, _allocator);
}

String String::beforeLast(unsigned short c) const {
    unsigned int i = rfind(c);
    return String(_buffer, i == NPOS ? _length : i, _allocator);
}

String String::afterFirst(unsigned short c) const {
    unsigned int i = find(c);
    if (i == NPOS)
        return String();
    return String(_buffer + i + 1, _length - i - 1);
}

String String::afterLast(unsigned short c) const {
    unsigned int i = rfind(c);
    if (i == NPOS)
        return String(*this, static_cast<IAllocator*>(nullptr));
    return String(_buffer + i + 1, _length - i - 1);
}

String String::trim(unsigned short c) const {
    unsigned int begin = 0;
    while (begin < _length && _buffer[begin] == c)
        ++begin;
    unsigned int end = _length;
    while (end > begin && _buffer[end - 1] == c)
        --end;
    return String(_buffer + begin, end - begin, _allocator);
}

String& String::toUpper() {
    for (unsigned int i = 0; i < _length; ++i)
        _buffer[i] = upper(_buffer[i]);
    return *this;
}

String& String::toLower() {
    for (unsigned int i = 0; i < _length; ++i)
        _buffer[i] = lower(_buffer[i]);
    return *this;
}

void String::split(String const& separators, std::vector<String>& out) const {
    if (_length == 0)
        return;
    if (separators._length == 0) {
        out.push_back(*this);
        return;
    }
    unsigned int start = 0;
    unsigned int i = findAny(0, separators);
    while (i != NPOS) {
        out.push_back(subString(start, i - start));
        start = i + 1;
        if (start >= _length)
            return; // a trailing separator gives no empty last piece
        i = findAny(start, separators);
    }
    out.push_back(subString(start, NPOS));
}

void String::split(unsigned short c, std::vector<String>& out) const {
    split(String(c, 1, _allocator), out);
}

//===-- Concatenation ----------------------------------------------------===//

String operator+(String const& a, String const& b) {
    String r(a);
    r.append(b);
    return r;
}

String operator+(String const& a, unsigned short c) {
    String r(a);
    r.append(c, 1);
    return r;
}

String operator+(String const& a, unsigned short const* p) {
    String r(a);
    r.append(p);
    return r;
}

String operator+(String const& a, char const* p) {
    String r(a);
    r.append(p);
    return r;
}

String operator+(String const& a, wchar_t const* p) {
    String r(a);
    r.append(p);
    return r;
}

String operator+(unsigned short c, String const& b) {
    String r(c, 1, b.getAllocator());
    r.append(b);
    return r;
}

String operator+(unsigned short const* p, String const& b) {
    String r(p, b.getAllocator());
    r.append(b);
    return r;
}

String operator+(char const* p, String const& b) {
    String r(p, b.getAllocator());
    r.append(b);
    return r;
}

String operator+(wchar_t const* p, String const& b) {
    String r(p, b.getAllocator());
    r.append(b);
    return r;
}

} // namespace lang
} // namespace cpp
