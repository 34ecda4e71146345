//===- AnsiText.h - Narrow text in the system ANSI code page ----*- C++ -*-===//
//
// Converts narrow text (system ANSI code page) to UTF-16 units in a buffer
// taken from a given allocator and given back when the object goes away.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SRC_LANG_ANSITEXT_H
#define WUX_SRC_LANG_ANSITEXT_H

namespace cpp {
namespace lang {

class IAllocator;

class AnsiText {
public:
    /// Converts the \p n bytes at \p p through the UTF-16LE conversion
    /// from the ANSI code page. Throws ArgumentException for a null \p p
    /// with n > 0; conversion failures come from the conversion.
    AnsiText(IAllocator* a, char const* p, unsigned int n);
    ~AnsiText();
    AnsiText(AnsiText const&) = delete;
    AnsiText& operator=(AnsiText const&) = delete;

    unsigned short const* units() const { return _units; }
    unsigned int length() const { return _length; }

    /// Bytes before the first 0 byte of \p p; throws ArgumentException "The
    /// source pointer is null." ("ptr") for a null \p p.
    static unsigned int lengthOf(char const* p);

private:
    IAllocator* _allocator;
    unsigned short* _units;
    unsigned int _length;
};

} // namespace lang
} // namespace cpp

#endif
