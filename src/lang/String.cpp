#include "wux/lang/String.h"

#include "lang/AnsiText.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/OutOfRangeException.h"

#include <cstring>

namespace cpp {
namespace lang {

unsigned int const String::NO_POSITION;
String const String::EMPTY;

namespace {

// Capacity of a new string, and the largest capacity whose buffer size
// ((c + 1) * 2 bytes) still fits the 32-bit sizes of IAllocator.
unsigned int const INITIAL_CAPACITY = 9;
unsigned int const MAX_CAPACITY = 0x7FFFFFFEu;

unsigned short* allocUnits(IAllocator* a, unsigned int capacity) {
    return static_cast<unsigned short*>(a->malloc((capacity + 1) * 2));
}

void copyUnits(unsigned short* dst, unsigned short const* src, unsigned int n) {
    if (n != 0)
        std::memcpy(dst, src, static_cast<std::size_t>(n) * 2);
}

void moveUnits(unsigned short* dst, unsigned short const* src, unsigned int n) {
    if (n != 0 && dst != src)
        std::memmove(dst, src, static_cast<std::size_t>(n) * 2);
}

void fillUnits(unsigned short* dst, unsigned short c, unsigned int n) {
    for (unsigned int i = 0; i < n; ++i)
        dst[i] = c;
}

unsigned int lengthOf(unsigned short const* p) {
    if (p == nullptr)
        throw ArgumentException(String("The source pointer is null."), String("ptr"));
    unsigned short const* e = p;
    while (*e != 0)
        ++e;
    return static_cast<unsigned int>(e - p);
}

void checkSource(void const* p, unsigned int n) {
    if (p == nullptr && n != 0)
        throw ArgumentException(String("The source pointer is null."), String("ptr"));
}

[[noreturn]] void throwRange(char const* text) {
    throw OutOfRangeException(String(text));
}

[[noreturn]] void throwCount(char const* text, char const* argument) {
    throw ArgumentException(String(text), String(argument));
}

unsigned int minOf(unsigned int a, unsigned int b) {
    return a < b ? a : b;
}

// True when a length of \p length plus \p extra units reaches 0xFFFFFFFF.
bool overflows(unsigned int length, unsigned int extra) {
    return static_cast<unsigned long long>(length) + extra >= 0xFFFFFFFFull;
}

} // namespace

//===-- Construction -----------------------------------------------------===//

String::String(IAllocator* a)
    : _buffer(nullptr), _allocator(a != nullptr ? a : IAllocator::getWUXAllocator()),
      _capacity(INITIAL_CAPACITY), _length(0) {
    _buffer = allocUnits(_allocator, _capacity);
    _buffer[0] = 0;
}

String::String(String const& s)
    : _buffer(nullptr), _allocator(s._allocator), _capacity(0), _length(0) {
    initCopy(s._buffer, s._length);
}

String::String(String const& s, IAllocator* a)
    : _buffer(nullptr), _allocator(a != nullptr ? a : IAllocator::getWUXAllocator()),
      _capacity(0), _length(0) {
    initCopy(s._buffer, s._length);
}

String::String(String const& s, unsigned int pos, unsigned int n, IAllocator* a)
    : String(a != nullptr ? a : s._allocator) {
    assign(s, pos, n);
}

String::String(unsigned short c, unsigned int n, IAllocator* a) : String(a) {
    assign(c, n);
}

String::String(char const* p, IAllocator* a) : String(a) {
    assign(p);
}

String::String(unsigned short const* p, IAllocator* a)
    : _buffer(nullptr), _allocator(a != nullptr ? a : IAllocator::getWUXAllocator()),
      _capacity(0), _length(0) {
    initCopy(p, lengthOf(p));
}

String::String(char const* p, unsigned int n, IAllocator* a) : String(a) {
    assign(p, n);
}

String::String(unsigned short const* p, unsigned int n, IAllocator* a)
    : _buffer(nullptr), _allocator(a != nullptr ? a : IAllocator::getWUXAllocator()),
      _capacity(0), _length(0) {
    if (n == NO_POSITION)
        throwCount("the number of string is too long.", "num");
    checkSource(p, n);
    initCopy(p, n);
}

// Allocates the buffer a fresh string gets for n units (what a new string
// followed by growTo(n) would end with) and copies the n units at p into it.
void String::initCopy(unsigned short const* p, unsigned int n) {
    unsigned int c = INITIAL_CAPACITY;
    if (n > INITIAL_CAPACITY) {
        if (n > MAX_CAPACITY)
            throw OutOfMemoryException();
        c = (n | 7) + 2;
        if (c > MAX_CAPACITY)
            c = MAX_CAPACITY;
    }
    try {
        _buffer = allocUnits(_allocator, c);
    } catch (...) {
        if (c == n || n <= INITIAL_CAPACITY)
            throw;
        c = n;
        _buffer = allocUnits(_allocator, c);
    }
    _capacity = c;
    copyUnits(_buffer, p, n);
    setLength(n);
}

String::~String() {
    _allocator->free(_buffer);
}

void String::rehomeEmpty() {
    // EMPTY is const to its users only; the library re-seats it here when the
    // allocator that held its buffer is destroyed.
    String& empty = const_cast<String&>(EMPTY);
    IAllocator* a = IAllocator::getWUXAllocator();
    empty._buffer = allocUnits(a, INITIAL_CAPACITY);
    empty._buffer[0] = 0;
    empty._allocator = a;
    empty._capacity = INITIAL_CAPACITY;
    empty._length = 0;
}

//===-- Storage ----------------------------------------------------------===//

void String::setLength(unsigned int n) {
    _length = n;
    _buffer[n] = 0;
}

bool String::growTo(unsigned int n) {
    if (n == 0xFFFFFFFFu)
        throw ArgumentException(String("new size is too long."), EMPTY);
    if (_capacity >= n) {
        if (n == 0)
            setLength(0);
        return n != 0;
    }
    if (n > MAX_CAPACITY)
        throw OutOfMemoryException();
    unsigned int c = (n | 7) + 2;
    if (c / 3 < _capacity / 2 && _capacity <= MAX_CAPACITY - _capacity / 2)
        c = _capacity + _capacity / 2;
    if (c > MAX_CAPACITY)
        c = MAX_CAPACITY;
    unsigned short* p;
    try {
        p = allocUnits(_allocator, c);
    } catch (...) {
        c = n;
        p = allocUnits(_allocator, c);
    }
    copyUnits(p, _buffer, _length);
    _allocator->free(_buffer);
    _buffer = p;
    _capacity = c;
    _buffer[_length] = 0;
    return true;
}

String& String::reserve(unsigned int n) {
    if (n >= _length && n != _capacity)
        growTo(n);
    return *this;
}

String& String::shrink() {
    String copy(*this);
    swap(copy);
    return *this;
}

String& String::clear() {
    setLength(0);
    return *this;
}

void String::swap(String& other) {
    if (this == &other)
        return;
    if (_allocator != other._allocator) {
        // Each string keeps its allocator: copy each content onto the other's
        // allocator first, so that nothing changes if a copy fails.
        String mine(other, _allocator);
        String theirs(*this, other._allocator);
        swap(mine);
        other.swap(theirs);
        return;
    }
    unsigned short* b = _buffer;
    _buffer = other._buffer;
    other._buffer = b;
    unsigned int c = _capacity;
    _capacity = other._capacity;
    other._capacity = c;
    unsigned int l = _length;
    _length = other._length;
    other._length = l;
}

//===-- The editing core -------------------------------------------------===//

// Replaces the k units at pos by j units. The new units come from p (outside
// this string) or, when p is null, from this string's own units [spos,
// spos + j) as they are before the call. Callers have validated the ranges
// and that the new length stays below 0xFFFFFFFF. Growth happens before any
// unit moves, so a failed allocation leaves the string unchanged.
String& String::splice(unsigned int pos, unsigned int k, unsigned short const* p, unsigned int spos,
                       unsigned int j) {
    unsigned int oldLength = _length;
    unsigned int newLength = oldLength - k + j;
    unsigned int tail = oldLength - pos - k;
    growTo(newLength);
    unsigned short* b = _buffer;
    if (p != nullptr) {
        moveUnits(b + pos + j, b + pos + k, tail);
        copyUnits(b + pos, p, j);
    } else if (j <= k) {
        moveUnits(b + pos, b + spos, j);
        moveUnits(b + pos + j, b + pos + k, tail);
    } else {
        // Open the gap first; source units at or after pos + k move with the
        // tail, those before it stay where they are.
        unsigned int shift = j - k;
        moveUnits(b + pos + j, b + pos + k, tail);
        unsigned int before = spos < pos + k ? minOf(j, pos + k - spos) : 0;
        moveUnits(b + pos, b + spos, before);
        unsigned int afterStart = (spos > pos + k ? spos : pos + k) + shift;
        moveUnits(b + pos + before, b + afterStart, j - before);
    }
    setLength(newLength);
    return *this;
}

String& String::appendUnits(unsigned short const* p, unsigned int n) {
    return splice(_length, 0, p, 0, n);
}

String& String::insertUnits(unsigned int pos, unsigned short const* p, unsigned int n) {
    return splice(pos, 0, p, 0, n);
}

//===-- Assignment -------------------------------------------------------===//

String& String::assign(String const& s, unsigned int pos, unsigned int n) {
    if (pos > s._length)
        throwRange("The offset is out of range.");
    unsigned int k = minOf(n, s._length - pos);
    if (&s == this)
        return splice(0, _length, nullptr, pos, k);
    return splice(0, _length, s._buffer + pos, 0, k);
}

String& String::assign(String const& s) {
    return assign(s, 0, NO_POSITION);
}

String& String::assign(unsigned short const* p, unsigned int n) {
    if (n == NO_POSITION)
        throwCount("the number of string is too long.", "num");
    if (isInside(p))
        return assign(*this, static_cast<unsigned int>(p - _buffer), n);
    checkSource(p, n);
    return splice(0, _length, p, 0, n);
}

String& String::assign(unsigned short const* p) {
    return assign(p, lengthOf(p));
}

String& String::assign(char const* p, unsigned int n) {
    AnsiText text(_allocator, p, n);
    return splice(0, _length, text.units(), 0, text.length());
}

String& String::assign(char const* p) {
    return assign(p, AnsiText::lengthOf(p));
}

String& String::assign(unsigned short c, unsigned int n) {
    if (n == NO_POSITION)
        throwCount("count is too long.", "count");
    growTo(n);
    fillUnits(_buffer, c, n);
    setLength(n);
    return *this;
}

String& String::operator=(String const& s) {
    return assign(s);
}
String& String::operator=(unsigned short const* p) {
    return assign(p);
}
String& String::operator=(char const* p) {
    return assign(p);
}
String& String::operator=(unsigned short c) {
    return assign(c, 1);
}

//===-- Appending --------------------------------------------------------===//

String& String::append(String const& s, unsigned int pos, unsigned int n) {
    if (pos > s._length)
        throwRange("The offset is out of range.");
    unsigned int k = minOf(s._length - pos, n);
    if (k == 0)
        return *this;
    if (overflows(_length, k))
        throwCount("count is too long.", "");
    if (&s == this)
        return splice(_length, 0, nullptr, pos, k);
    return splice(_length, 0, s._buffer + pos, 0, k);
}

String& String::append(String const& s) {
    return append(s, 0, NO_POSITION);
}

String& String::appendSlow(unsigned short const* p, unsigned int n) {
    if (isInside(p))
        return append(*this, static_cast<unsigned int>(p - _buffer), n);
    checkSource(p, n);
    if (n == 0)
        return *this;
    if (overflows(_length, n))
        throwCount("count is too long.", "");
    return appendUnits(p, n);
}

String& String::append(unsigned short const* p) {
    return append(p, lengthOf(p));
}

String& String::append(char const* p, unsigned int n) {
    if (n == 0)
        return *this;
    AnsiText text(_allocator, p, n);
    if (overflows(_length, text.length()))
        throwCount("count is too long.", "");
    return appendUnits(text.units(), text.length());
}

String& String::append(char const* p) {
    return append(p, AnsiText::lengthOf(p));
}

String& String::append(unsigned short c, unsigned int n) {
    if (n == 0)
        return *this;
    if (overflows(_length, n))
        throwCount("count is too long", "");
    growTo(_length + n);
    fillUnits(_buffer + _length, c, n);
    setLength(_length + n);
    return *this;
}

String& String::operator+=(String const& s) {
    return append(s);
}
String& String::operator+=(unsigned short const* p) {
    return append(p);
}
String& String::operator+=(char const* p) {
    return append(p);
}
String& String::operator+=(unsigned short c) {
    return append(c, 1);
}
String& String::operator<<(String const& s) {
    return append(s);
}
String& String::operator<<(unsigned short const* p) {
    return append(p);
}
String& String::operator<<(char const* p) {
    return append(p);
}
String& String::operator<<(unsigned short c) {
    return append(c, 1);
}

//===-- Insertion --------------------------------------------------------===//

String& String::insert(unsigned int pos, String const& s, unsigned int spos, unsigned int n) {
    if (pos > _length || spos > s._length)
        throwRange("The offset is out of range");
    unsigned int k = minOf(s._length - spos, n);
    if (k == 0)
        return *this;
    if (overflows(_length, k))
        throwCount("the count is too long", "");
    if (&s == this)
        return splice(pos, 0, nullptr, spos, k);
    return splice(pos, 0, s._buffer + spos, 0, k);
}

String& String::insert(unsigned int pos, String const& s) {
    return insert(pos, s, 0, NO_POSITION);
}

String& String::insert(unsigned int pos, unsigned short const* p, unsigned int n) {
    if (isInside(p))
        return insert(pos, *this, static_cast<unsigned int>(p - _buffer), n);
    if (pos > _length)
        throwRange("The offset is out of range");
    checkSource(p, n);
    if (n == 0)
        return *this;
    if (overflows(_length, n))
        throwCount("the count is too long", "");
    return insertUnits(pos, p, n);
}

String& String::insert(unsigned int pos, unsigned short const* p) {
    return insert(pos, p, lengthOf(p));
}

String& String::insert(unsigned int pos, char const* p, unsigned int n) {
    if (pos > _length)
        throwRange("The offset is out of range");
    if (n == 0)
        return *this;
    AnsiText text(_allocator, p, n);
    if (overflows(_length, text.length()))
        throwCount("the count is too long", "");
    return insertUnits(pos, text.units(), text.length());
}

String& String::insert(unsigned int pos, char const* p) {
    return insert(pos, p, AnsiText::lengthOf(p));
}

String& String::insert(unsigned int pos, unsigned short c, unsigned int n) {
    if (pos > _length)
        throwRange("The offset is out of range");
    if (n == 0)
        return *this;
    if (overflows(_length, n))
        throwCount("the count is too long", "");
    unsigned int tail = _length - pos;
    growTo(_length + n);
    moveUnits(_buffer + pos + n, _buffer + pos, tail);
    fillUnits(_buffer + pos, c, n);
    setLength(_length + n);
    return *this;
}

//===-- Removal and replacement ------------------------------------------===//

String& String::remove(unsigned int pos, unsigned int n) {
    if (pos > _length)
        throwRange("The offset is out of range.");
    unsigned int k = minOf(_length - pos, n);
    if (k == 0)
        return *this;
    moveUnits(_buffer + pos, _buffer + pos + k, _length - pos - k);
    setLength(_length - k);
    return *this;
}

String& String::replace(unsigned int pos, unsigned int n, String const& s, unsigned int spos,
                        unsigned int sn) {
    if (pos > _length || spos > s._length)
        throwRange("The offset is out of range.");
    unsigned int k = minOf(n, _length - pos);
    unsigned int j = minOf(sn, s._length - spos);
    if (j >= 0xFFFFFFFFu - (_length - k))
        throwCount("the number of string is too long.", "number");
    if (&s == this)
        return splice(pos, k, nullptr, spos, j);
    return splice(pos, k, s._buffer + spos, 0, j);
}

String& String::replace(unsigned int pos, unsigned int n, String const& s) {
    return replace(pos, n, s, 0, NO_POSITION);
}

String& String::replace(unsigned int pos, unsigned int n, unsigned short const* p,
                        unsigned int pn) {
    if (isInside(p))
        return replace(pos, n, *this, static_cast<unsigned int>(p - _buffer), pn);
    if (pos > _length)
        throwRange("The offset is out of range.");
    checkSource(p, pn);
    unsigned int k = minOf(n, _length - pos);
    if (pn == 0 && k == 0)
        return *this;
    if (pn >= 0xFFFFFFFFu - (_length - k))
        throwCount("the number of string is too long.", "number");
    return splice(pos, k, p, 0, pn);
}

String& String::replace(unsigned int pos, unsigned int n, unsigned short const* p) {
    return replace(pos, n, p, lengthOf(p));
}

String& String::replace(unsigned int pos, unsigned int n, char const* p) {
    AnsiText text(_allocator, p, AnsiText::lengthOf(p));
    return replace(pos, n, text.units(), text.length());
}

String& String::replace(unsigned int pos, unsigned int n, unsigned int count, unsigned short c) {
    if (pos > _length)
        throwRange("The offset is out of range.");
    unsigned int k = minOf(n, _length - pos);
    if (count >= 0xFFFFFFFFu - (_length - k))
        throwCount("the number of string is too long.", "number");
    unsigned int tail = _length - pos - k;
    unsigned int newLength = _length - k + count;
    growTo(newLength);
    moveUnits(_buffer + pos + count, _buffer + pos + k, tail);
    fillUnits(_buffer + pos, c, count);
    setLength(newLength);
    return *this;
}

String& String::replace(unsigned short from, unsigned short to, bool all) {
    if (from == to)
        return *this;
    for (unsigned int i = 0; i < _length; ++i) {
        if (_buffer[i] == from) {
            _buffer[i] = to;
            if (!all)
                break;
        }
    }
    return *this;
}

String& String::resize(unsigned int n, unsigned short c) {
    if (n > _length)
        return append(c, n - _length);
    return remove(n, NO_POSITION);
}

//===-- Element access ---------------------------------------------------===//

unsigned short String::at(unsigned int i) const {
    if (i >= _length)
        throwRange("The index is out of range.");
    return _buffer[i];
}

unsigned short& String::at(unsigned int i) {
    if (i >= _length)
        throwRange("The index is out of range.");
    return _buffer[i];
}

unsigned int String::copy(unsigned short* dst, unsigned int n, unsigned int pos) const {
    if (pos > _length)
        throwRange("The offset is out of range");
    unsigned int k = minOf(n, _length - pos);
    if (k != 0 && dst == nullptr)
        throw ArgumentException(String("The destination pointer is null."), String("dst"));
    copyUnits(dst, _buffer + pos, k);
    return k;
}

} // namespace lang
} // namespace cpp
