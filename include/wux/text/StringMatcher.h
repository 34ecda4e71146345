//===- wux/text/StringMatcher.h - File-name filters -------------*- C++ -*-===//
//
// StringMatcher tests texts, typically file names, against a filter given
// once at construction. The filter is either a wildcard pattern or a list of
// file-name extensions; both ignore case.
//
//   StringMatcher logs(L"*.log");              // wildcard pattern
//   logs.match(L"Server.LOG");                 // true
//   logs.match(L"server.log.1");               // false
//
//   StringMatcher code(L"a?c");
//   code.match(L"ABC");                        // true
//   code.match(L"ac");                         // false: '?' needs one unit
//
//   StringMatcher docs(L"txt.log", true);      // extensions, '.' separated
//   docs.match(L"readme.TXT");                 // true
//   docs.match(L"readme");                     // false: no extension
//   docs.match(L"notes.");                     // false: empty extension
//
//   StringMatcher all(L"   ");                 // blank filter
//   all.match(L"anything");                    // true
//
// The pattern loses its leading and trailing blanks (U+0020, not other white
// space); a pattern that is then empty makes a disabled matcher, which
// accepts every text. The text itself is matched as given.
//
// Wildcard mode: '*' stands for any run of units (none included), '?' for
// exactly one unit, every other unit for itself ignoring case. The whole
// text must be covered, so "*.txt" rejects "a.txt.bak". Units are UTF-16
// code units: '?' takes one half of a surrogate pair.
//
// Extension mode: the pattern is split at '.' into extensions; a text
// matches when the units after its last '.' equal one of the non-empty
// extensions ignoring case. A text without '.' or ending with '.' never
// matches. The extensions are compared literally ('*' and '?' are ordinary
// units there).
//
// Ignoring case means what String::compareIgnoreCase means: Char::toUpper
// and Char::toLower, which follow the C runtime's locale.
//
// match() does not change the matcher, so several threads may share one
// matcher. Nothing here throws for any pattern or text; only the default
// allocator may throw OutOfMemoryException.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TEXT_STRINGMATCHER_H
#define WUX_TEXT_STRINGMATCHER_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

#include <vector>

namespace cpp {
namespace lang {
class IAllocator;
}

namespace text {

class WUX_API StringMatcher {
public:
    /// A matcher for \p pattern: a wildcard pattern, or with \p extensionMode
    /// a '.' separated list of extensions. \p flag is kept with the matcher
    /// and has no effect on matching.
    explicit StringMatcher(lang::String const& pattern, bool extensionMode = false,
                           bool flag = false);
    StringMatcher(StringMatcher const& other);
    StringMatcher& operator=(StringMatcher const& other);
    /// Releases the compiled pattern.
    ~StringMatcher();

    /// True when \p text passes the filter (always, for a disabled matcher).
    bool match(lang::String const& text) const;

protected:
    /// The extension rule on \p text, whatever the mode; true when the
    /// matcher holds no extension at all.
    bool matchExtension(lang::String const& text) const;
    /// Splits the pattern into its pieces and, in wildcard mode, turns each
    /// piece into its token list. Replaces what an earlier call built.
    void compile();

private:
    /// One token of a compiled piece: a literal run, "*" or "?".
    struct Token;

    void release();
    void swap(StringMatcher& other);

    bool _enabled;
    bool _extensionMode;
    /// The pattern without its leading and trailing blanks.
    lang::String _pattern;
    /// One token list per piece (wildcard mode only), each running from the
    /// piece's last token to its first.
    std::vector<Token*> _compiled;
    /// The pattern split at the separator set.
    std::vector<lang::String> _pieces;
    /// "." in extension mode, empty otherwise.
    lang::String _separators;
    /// The default allocator: the tokens are allocated from it.
    lang::IAllocator* _allocator;
    bool _flag;
};

} // namespace text
} // namespace cpp

#endif // WUX_TEXT_STRINGMATCHER_H
