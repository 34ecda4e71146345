//===- wux/lang/String.h - Mutable UTF-16 text ------------------*- C++ -*-===//
//
// String is wux's only text type: a mutable, growable sequence of 16-bit code
// units that is always followed by a terminating 0 unit, so getCStr() can be
// handed to any wide-character Win32 call. There is no reference counting:
// every String owns its buffer, taken from an IAllocator (the library default
// allocator unless one is given).
//
//   String s("Hello");                  // narrow text: system ANSI code page
//   s += ", ";
//   s.append(L"world");                 // wide text
//   s.insert(0, '>', 2);                // ">>Hello, world"
//   s.replace(2, 5, "Goodbye");         // ">>Goodbye, world"
//   s.remove(0, 2);                     // "Goodbye, world"
//   ::MessageBoxW(0, s.getWCStr(), 0, 0);
//
// Positions and counts are unsigned 32-bit unit indexes; NO_POSITION means
// "up to the end" for counts (and "not found" for searches). Bad offsets throw
// OutOfRangeException, impossible counts ArgumentException, an exhausted
// allocator OutOfMemoryException; a failed operation leaves the string as it
// was. Operations whose source lies inside the string itself (s.append(s),
// s.insert(1, s.getCStr())) work on the original content.
//
// Capacity grows in steps of 8 units at first (9, 17, 25, ...), then by half.
//
// A String is not synchronised: concurrent reads are safe, writes need the
// caller's lock.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_STRING_H
#define WUX_LANG_STRING_H

#include "wux/lang/Export.h"

#include <cstdarg>
#include <cstring>
#include <vector>

namespace cpp {
namespace lang {

class IAllocator;
class IResourceLoader;

class WUX_API String {
public:
    /// Not found (searches) or up to the end (counts).
    static unsigned int const NO_POSITION = 0xFFFFFFFFu;
    /// The shared empty string, on the default allocator.
    static String const EMPTY;

    // Construction. A null allocator selects IAllocator::getWUXAllocator().

    /// An empty string with capacity 9.
    explicit String(IAllocator* a = nullptr);
    /// A copy on the allocator of \p s.
    String(String const& s);
    /// A copy on \p a (the default allocator when null, not that of \p s).
    String(String const& s, IAllocator* a);
    /// s[pos, pos + n) on \p a, or on the allocator of \p s when \p a is null.
    String(String const& s, unsigned int pos, unsigned int n, IAllocator* a = nullptr);
    /// \p n copies of the unit \p c.
    String(unsigned short c, unsigned int n, IAllocator* a = nullptr);
    /// Narrow text up to its 0 byte, in the system ANSI code page.
    String(char const* p, IAllocator* a = nullptr);
    /// Wide text up to its 0 unit.
    String(unsigned short const* p, IAllocator* a = nullptr);
    /// \p n narrow bytes in the system ANSI code page.
    String(char const* p, unsigned int n, IAllocator* a = nullptr);
    /// \p n units.
    String(unsigned short const* p, unsigned int n, IAllocator* a = nullptr);
    /// Wide literals (wchar_t is a 16-bit unit on Windows).
    String(wchar_t const* p, IAllocator* a = nullptr)
        : String(reinterpret_cast<unsigned short const*>(p), a) {}
    String(wchar_t const* p, unsigned int n, IAllocator* a = nullptr)
        : String(reinterpret_cast<unsigned short const*>(p), n, a) {}

    /// Gives the buffer back to its allocator.
    ~String();

    // Accessors.

    /// The units, terminated by a 0 unit.
    unsigned short const* getCStr() const { return _buffer; }
    /// The same units typed for wide-character Win32 calls.
    wchar_t const* getWCStr() const { return reinterpret_cast<wchar_t const*>(_buffer); }
    unsigned int getLength() const { return _length; }
    unsigned int getCapacity() const { return _capacity; }
    unsigned int getMaxSize() const { return 0xFFFFFFFFu; }
    bool isEmpty() const { return _length == 0; }
    IAllocator* getAllocator() const { return _allocator; }

    // Assignment (the string keeps its allocator).

    String& assign(String const& s, unsigned int pos, unsigned int n);
    String& assign(String const& s);
    String& assign(unsigned short const* p, unsigned int n);
    String& assign(unsigned short const* p);
    String& assign(char const* p, unsigned int n);
    String& assign(char const* p);
    String& assign(unsigned short c, unsigned int n);
    String& assign(wchar_t const* p) { return assign(reinterpret_cast<unsigned short const*>(p)); }
    String& operator=(String const& s);
    String& operator=(unsigned short const* p);
    String& operator=(char const* p);
    String& operator=(unsigned short c);
    String& operator=(wchar_t const* p) { return assign(p); }

    // Appending.

    String& append(String const& s, unsigned int pos, unsigned int n);
    String& append(String const& s);
    /// Appends \p n units. The common case (the units fit the capacity and
    /// do not come from this string) is handled inline.
    String& append(unsigned short const* p, unsigned int n) {
        // (The explicit bound tells the compiler that n * 2 bytes cannot
        // overflow; capacities stay below it anyway.)
        if (p != nullptr && n < 0x40000000u && n <= _capacity - _length && !isInside(p)) {
            unsigned short* end = _buffer + _length;
            std::memcpy(end, p, n * sizeof(unsigned short));
            _length += n;
            end[n] = 0;
            return *this;
        }
        return appendSlow(p, n);
    }
    String& append(unsigned short const* p);
    String& append(char const* p, unsigned int n);
    String& append(char const* p);
    String& append(unsigned short c, unsigned int n);
    String& append(wchar_t const* p) { return append(reinterpret_cast<unsigned short const*>(p)); }
    String& operator+=(String const& s);
    String& operator+=(unsigned short const* p);
    String& operator+=(char const* p);
    String& operator+=(unsigned short c);
    String& operator+=(wchar_t const* p) { return append(p); }
    String& operator<<(String const& s);
    String& operator<<(unsigned short const* p);
    String& operator<<(char const* p);
    String& operator<<(unsigned short c);
    String& operator<<(wchar_t const* p) { return append(p); }

    // Insertion before index pos.

    String& insert(unsigned int pos, String const& s, unsigned int spos, unsigned int n);
    String& insert(unsigned int pos, String const& s);
    String& insert(unsigned int pos, unsigned short const* p, unsigned int n);
    String& insert(unsigned int pos, unsigned short const* p);
    String& insert(unsigned int pos, char const* p, unsigned int n);
    String& insert(unsigned int pos, char const* p);
    String& insert(unsigned int pos, unsigned short c, unsigned int n);

    // Removal and replacement.

    /// Removes min(length - pos, n) units at \p pos.
    String& remove(unsigned int pos, unsigned int n = NO_POSITION);
    String& replace(unsigned int pos, unsigned int n, String const& s, unsigned int spos,
                    unsigned int sn);
    String& replace(unsigned int pos, unsigned int n, String const& s);
    String& replace(unsigned int pos, unsigned int n, unsigned short const* p, unsigned int pn);
    String& replace(unsigned int pos, unsigned int n, unsigned short const* p);
    // Narrow and wchar_t literals would otherwise convert to bool and pick
    // replace(from, to, all).
    String& replace(unsigned int pos, unsigned int n, char const* p);
    String& replace(unsigned int pos, unsigned int n, wchar_t const* p) {
        return replace(pos, n, reinterpret_cast<unsigned short const*>(p));
    }
    String& replace(unsigned int pos, unsigned int n, unsigned int count, unsigned short c);
    /// Replaces the first unit equal to \p from (every one when \p all) by \p to.
    String& replace(unsigned short from, unsigned short to, bool all);

    // Size and storage.

    /// Appends copies of \p c up to \p n units, or cuts the string to \p n.
    String& resize(unsigned int n, unsigned short c = 0);
    /// Grows the capacity to \p n when n >= length; never shrinks.
    String& reserve(unsigned int n);
    /// Reallocates the buffer to the capacity of a fresh copy.
    String& shrink();
    /// Length 0; the capacity is kept.
    String& clear();
    /// Exchanges the contents; each string keeps its allocator.
    void swap(String& other);

    // Element access.

    unsigned short at(unsigned int i) const;
    unsigned short& at(unsigned int i);
    unsigned short operator[](unsigned int i) const { return at(i); }
    unsigned short& operator[](unsigned int i) { return at(i); }
    /// Copies min(n, length - pos) units from \p pos to \p dst (no
    /// terminator) and returns their count.
    unsigned int copy(unsigned short* dst, unsigned int n, unsigned int pos = 0) const;

    // Searching. Each search returns the index found or NO_POSITION. The
    // pattern is a String, a terminated wide text, n wide units, a narrow
    // text (converted from the ANSI code page; an empty narrow pattern finds
    // nothing) or a single unit. Forward searches start at 0, backward ones
    // at the end.
    //
    //   String s(L"a,b;c");
    //   s.find(',');                 // 1
    //   s.findFirstOf(L";,", 2);     // 3
    //   s.rfind("b");                // 2

    unsigned int find(String const& s, unsigned int pos = 0) const;
    unsigned int find(unsigned short const* p, unsigned int pos = 0) const;
    unsigned int find(unsigned short const* p, unsigned int pos, unsigned int n) const;
    unsigned int find(char const* p, unsigned int pos = 0) const;
    unsigned int find(char const* p, unsigned int pos, unsigned int n) const;
    unsigned int find(unsigned short c, unsigned int pos = 0) const;

    unsigned int rfind(String const& s, unsigned int pos = NO_POSITION) const;
    unsigned int rfind(unsigned short const* p, unsigned int pos = NO_POSITION) const;
    unsigned int rfind(unsigned short const* p, unsigned int pos, unsigned int n) const;
    unsigned int rfind(char const* p, unsigned int pos = NO_POSITION) const;
    unsigned int rfind(char const* p, unsigned int pos, unsigned int n) const;
    unsigned int rfind(unsigned short c, unsigned int pos = NO_POSITION) const;

    /// The first unit at or after \p pos that is one of the pattern's units.
    unsigned int findFirstOf(String const& s, unsigned int pos = 0) const;
    unsigned int findFirstOf(unsigned short const* p, unsigned int pos = 0) const;
    unsigned int findFirstOf(unsigned short const* p, unsigned int pos, unsigned int n) const;
    unsigned int findFirstOf(char const* p, unsigned int pos = 0) const;
    unsigned int findFirstOf(char const* p, unsigned int pos, unsigned int n) const;
    unsigned int findFirstOf(unsigned short c, unsigned int pos = 0) const;

    /// The last unit at or before \p pos that is one of the pattern's units.
    unsigned int findLastOf(String const& s, unsigned int pos = NO_POSITION) const;
    unsigned int findLastOf(unsigned short const* p, unsigned int pos = NO_POSITION) const;
    unsigned int findLastOf(unsigned short const* p, unsigned int pos, unsigned int n) const;
    unsigned int findLastOf(char const* p, unsigned int pos = NO_POSITION) const;
    unsigned int findLastOf(char const* p, unsigned int pos, unsigned int n) const;
    unsigned int findLastOf(unsigned short c, unsigned int pos = NO_POSITION) const;

    /// The first unit at or after \p pos that is none of the pattern's units.
    unsigned int findFirstNotOf(String const& s, unsigned int pos = 0) const;
    unsigned int findFirstNotOf(unsigned short const* p, unsigned int pos = 0) const;
    unsigned int findFirstNotOf(unsigned short const* p, unsigned int pos, unsigned int n) const;
    unsigned int findFirstNotOf(char const* p, unsigned int pos = 0) const;
    unsigned int findFirstNotOf(char const* p, unsigned int pos, unsigned int n) const;
    unsigned int findFirstNotOf(unsigned short c, unsigned int pos = 0) const;

    /// The last unit at or before \p pos that is none of the pattern's units.
    unsigned int findLastNotOf(String const& s, unsigned int pos = NO_POSITION) const;
    unsigned int findLastNotOf(unsigned short const* p, unsigned int pos = NO_POSITION) const;
    unsigned int findLastNotOf(unsigned short const* p, unsigned int pos, unsigned int n) const;
    unsigned int findLastNotOf(char const* p, unsigned int pos = NO_POSITION) const;
    unsigned int findLastNotOf(char const* p, unsigned int pos, unsigned int n) const;
    unsigned int findLastNotOf(unsigned short c, unsigned int pos = NO_POSITION) const;

    /// The first index >= \p pos whose unit occurs in \p set; pos = length
    /// gives NO_POSITION, pos > length throws OutOfRangeException.
    unsigned int findAny(unsigned int pos, String const& set) const;
    unsigned int findAny(String const& set) const;
    /// The last index <= \p pos whose unit occurs in \p set; pos =
    /// NO_POSITION gives NO_POSITION, another pos >= length throws.
    unsigned int findLastOfAny(unsigned int pos, String const& set) const;
    unsigned int findLastOfAny(String const& set) const;

    /// The number of units equal to \p c.
    int freq(unsigned short c) const;
    /// True when the string begins with the units of \p p (an empty wide
    /// pattern gives true, an empty narrow one false).
    bool startsWith(unsigned short const* p) const;
    bool startsWith(String const& s) const;
    bool startsWith(char const* p) const;

    // Comparison, ordinal on unsigned 16-bit units: -1, 0 or 1. The compared
    // part of this string is [pos, pos + min(n, length - pos)).

    int compare(unsigned int pos, unsigned int n, unsigned short const* p, unsigned int pn) const;
    int compare(unsigned int pos, unsigned int n, String const& s, unsigned int spos,
                unsigned int sn) const;
    int compare(String const& s) const;
    int compare(unsigned short const* p) const;
    int compare(unsigned short const* p, unsigned int pn) const;
    int compare(unsigned int pos, unsigned int n, String const& s) const;
    int compare(unsigned int pos, unsigned int n, unsigned short const* p) const;

    /// As compare(), but two units also count as equal when their upper-case
    /// forms (Char::toUpper) are equal or the lower-case forms of those are.
    int compareIgnoreCase(unsigned int pos, unsigned int n, unsigned short const* p,
                          unsigned int pn) const;
    int compareIgnoreCase(unsigned int pos, unsigned int n, String const& s, unsigned int spos,
                          unsigned int sn) const;
    int compareIgnoreCase(String const& s) const;
    int compareIgnoreCase(unsigned short const* p) const;
    int compareIgnoreCase(unsigned short const* p, unsigned int pn) const;
    int compareIgnoreCase(unsigned int pos, unsigned int n, String const& s) const;
    int compareIgnoreCase(unsigned int pos, unsigned int n, unsigned short const* p) const;

    // Pieces. New strings are on this string's allocator unless stated.

    /// Units [pos, pos + min(n, length - pos)).
    String subString(unsigned int pos, unsigned int n = NO_POSITION) const;
    /// The first \p n units; n > length throws ArgumentException.
    String leftString(unsigned int n) const;
    /// The last \p n units; n > length throws ArgumentException.
    String rightString(unsigned int n) const;
    /// The units before the first \p c (all of them when c is absent).
    String beforeFirst(unsigned short c) const;
    /// The units before the last \p c (all of them when c is absent).
    String beforeLast(unsigned short c) const;
    /// The units after the first \p c, on the default allocator (empty when
    /// c is absent).
    String afterFirst(unsigned short c) const;
    /// The units after the last \p c, on the default allocator (all of them
    /// when c is absent).
    String afterLast(unsigned short c) const;
    /// A copy without the leading and trailing runs of \p c.
    String trim(unsigned short c = ' ') const;
    /// Maps every unit through Char::toUpper, in place.
    String& toUpper();
    /// Maps every unit through Char::toLower, in place.
    String& toLower();
    /// Appends to \p out the pieces between units of \p separators: a
    /// leading separator gives an empty first piece, adjacent separators
    /// give empty pieces, a trailing separator none. \p out is not cleared.
    ///
    ///   String(L",a,,b,").split(',', out);   // "", "a", "", "b"
    void split(String const& separators, std::vector<String>& out) const;
    void split(unsigned short c, std::vector<String>& out) const;

    // Numbers and booleans as text.

    static String toString(bool b);                     ///< "True" / "False"
    static String toString(short v);                    ///< "%d"
    static String toString(unsigned short c);           ///< the unit itself
    static String toString(int v);                      ///< "%d"
    static String toString(unsigned int v);             ///< "%u"
    static String toString(__int64 const& v);           ///< "%I64d"
    static String toString(unsigned __int64 const& v);  ///< "%I64u"
    static String toString(float v);                    ///< "%f"
    static String toString(double v);                   ///< "%g"

    String& operator<<(bool b);
    String& operator<<(int v);
    String& operator<<(unsigned int v);
    String& operator<<(__int64 const& v);
    String& operator<<(unsigned __int64 const& v);
    String& operator<<(float v);
    String& operator<<(double v);
    /// A narrow character (ANSI code page) or a wide one (wchar_t, char16_t)
    /// is appended as a character, not as its number.
    String& operator<<(char c);
    String& operator<<(wchar_t c) { return append(static_cast<unsigned short>(c), 1); }
    String& operator<<(char16_t c) { return append(static_cast<unsigned short>(c), 1); }

    // printf-style formatting with the runtime's wide conventions (%s takes a
    // wide string, %d, %u, %I64d, ...); the content is replaced.
    //
    //   s.format(L"%s has %d items", name.getWCStr(), 3);
    //
    // A bad format throws FormatException "Cannot format the string.".

    String& format(unsigned short const* fmt, ...);
    String& format(wchar_t const* fmt, ...);
    String& formatv(unsigned short const* fmt, va_list args);
    /// The pattern is loader->loadString(id) or loadString(key). A null
    /// loader throws ArgumentException "The resource loader is null."; a
    /// loader that fails gives FormatException with the loader's exception
    /// as cause.
    String& format(IResourceLoader* loader, unsigned int id, ...);
    String& format(IResourceLoader* loader, unsigned short const* key, ...);
    String& formatv(IResourceLoader* loader, unsigned int id, va_list args);
    String& formatv(IResourceLoader* loader, unsigned short const* key, va_list args);

private:
    friend class IAllocator;

    bool growTo(unsigned int n);
    String& appendSlow(unsigned short const* p, unsigned int n);
    void initCopy(unsigned short const* p, unsigned int n);
    bool isInside(unsigned short const* p) const { return p >= _buffer && p < _buffer + _length; }
    String& appendUnits(unsigned short const* p, unsigned int n);
    String& insertUnits(unsigned int pos, unsigned short const* p, unsigned int n);
    String& splice(unsigned int pos, unsigned int k, unsigned short const* p, unsigned int spos,
                   unsigned int j);
    void setLength(unsigned int n);
    static void rehomeEmpty();

    unsigned short* _buffer;
    IAllocator* _allocator;
    unsigned int _capacity;
    unsigned int _length;
};

// Concatenation: a new String holding the left operand followed by the right
// one, on the allocator of the String operand.
WUX_API String operator+(String const& a, String const& b);
WUX_API String operator+(String const& a, unsigned short c);
WUX_API String operator+(String const& a, unsigned short const* p);
WUX_API String operator+(String const& a, char const* p);
WUX_API String operator+(String const& a, wchar_t const* p);
WUX_API String operator+(unsigned short c, String const& b);
WUX_API String operator+(unsigned short const* p, String const& b);
WUX_API String operator+(char const* p, String const& b);
WUX_API String operator+(wchar_t const* p, String const& b);

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_STRING_H
