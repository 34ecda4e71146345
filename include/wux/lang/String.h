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

namespace cpp {
namespace lang {

class IAllocator;

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
    String& append(unsigned short const* p, unsigned int n);
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

private:
    friend class IAllocator;

    bool growTo(unsigned int n);
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

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_STRING_H
