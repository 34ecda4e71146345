//===- wux/io/Path.h - Path strings in Windows form -------------*- C++ -*-===//
//
// Path is a set of static operations on path strings in Windows form: drive
// paths (C:\dir\file.ext), rooted paths without a drive (\dir), UNC paths
// (\\server\share\dir) and relative paths. Both \ and / are accepted as
// separators; operations that build a path insert \. Path never touches the
// disk except to ask for the current directory and the module's file name.
//
//   Path::getPathRoot(L"\\\\srv\\share\\d\\f");     // "\\srv\share\"
//   Path::getDirectoryName(L"C:\\a\\b.txt");        // "C:\a"
//   Path::getFileName(L"C:\\a\\b.txt");             // "b.txt"
//   Path::getExtensionName(L"x.tar.gz");            // ".gz"
//   String p(L"a.txt");
//   Path::changeExtension(p, L"log");               // p is "a.log"
//   Path::combine(L"C:\\a", L"b");                  // "C:\a\b"
//   // With the current directory C:\work\sub:
//   Path::makeFullPath(L"..\\x");                   // "C:\work\x"
//
// The units " < > | and the controls 0x08 and 0x10-0x19 are invalid in a
// path: the operations that inspect a path's structure throw
// ArgumentException for them (see each operation for its message).
//
// All operations are re-entrant.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_IO_PATH_H
#define WUX_IO_PATH_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace io {

class WUX_API Path {
public:
    /// The separator that built paths use: backslash.
    static unsigned short const separator = 0x5C;
    /// The other separator accepted on input: slash.
    static unsigned short const altSeparator = 0x2F;
    /// The separator of path lists: semicolon.
    static unsigned short const pathSeparator = 0x3B;
    /// The unit after a drive letter: colon.
    static unsigned short const volumeSeparator = 0x3A;

    /// The 15 units that make a path invalid: " < > | 0x08 0x10 ... 0x19.
    static lang::String getInvalidPathChars();
    /// The two separators, \ then /.
    static lang::String getSeparatorChars();

    /// True when \p path begins with a separator or its second unit is a
    /// colon (so C:dir counts as absolute); false for an empty path.
    /// Throws ArgumentException "Illegal characters of parameter path in
    /// path." (argument "path") for invalid units.
    static bool isAbsolutePath(lang::String const& path);
    /// False when \p path contains one of " < > | * ?, or a colon anywhere
    /// but at index 1 of an absolute path. Throws as isAbsolutePath().
    static bool isValidPath(lang::String const& path);
    /// The root: "C:\" (or "C:/", "C:"), "\", "\\server\share\" (slashes
    /// made backslashes), or empty for a relative path. Throws as
    /// isAbsolutePath().
    static lang::String getPathRoot(lang::String const& path);
    /// The path without its last component (a trailing separator does not
    /// count as one); the root itself when the path is a root; empty when
    /// there is nothing before the last separator but one or two units.
    /// Throws ArgumentException "The parameter path is not of a legal form."
    /// for an empty path.
    static lang::String getDirectoryName(lang::String const& path);
    /// The units after the last separator (after the last but one when the
    /// path ends in a separator, which is then kept: C:\a\ gives "a\");
    /// empty when there is no separator. Throws ArgumentException "Illegal
    /// characters in path." for invalid units.
    static lang::String getFileName(lang::String const& path);
    /// The extension with its dot: the units from the last dot after the
    /// last separator; empty when there is none or it ends the path.
    /// Throws as getFileName().
    static lang::String getExtensionName(lang::String const& path);
    /// Replaces the extension of \p path by \p extension (a dot is added
    /// when it has none), appends it when there is no extension, or removes
    /// the extension with its dot when \p extension is empty. Throws as
    /// getFileName().
    static void changeExtension(lang::String& path, lang::String const& extension);
    /// \p path2 when it is absolute or \p path1 is empty; \p path1 when
    /// \p path2 is empty; otherwise both joined by one backslash (none is
    /// added when \p path1 ends in a separator). Throws ArgumentException
    /// "Illegal characters of parameter path1 in path" (argument "path1")
    /// for invalid units in \p path1, and as isAbsolutePath() for \p path2.
    static lang::String combine(lang::String const& path1, lang::String const& path2);
    /// True when both paths, trimmed of blanks and given a trailing \, are
    /// equal ignoring case. \ and / are not alike.
    static bool equal(lang::String const& path1, lang::String const& path2);
    /// The absolute form of \p path:
    /// - a UNC path is returned with its slashes made backslashes (throws
    ///   ArgumentException "UNC path should be of the form \\server\share."
    ///   when it has no separator after the server);
    /// - a relative path beginning with a dot is resolved against the
    ///   current directory, with . and .. segments applied (.. never climbs
    ///   above the current directory's root);
    /// - any other relative path is appended to the current directory;
    /// - a rooted path without a drive (\x) gets the current drive;
    /// - drive paths (also drive-relative C:x) and a lone \ are returned
    ///   as they are.
    /// Throws ArgumentException "The parameter path is not of a legal form."
    /// when \p path is empty or blank.
    static lang::String makeFullPath(lang::String const& path);
    /// The process's current directory, of any length. A system failure
    /// throws the file-system exception of its error code.
    static lang::String getCurrentPath();
    /// The directory of the library's own module file (of the program's
    /// executable when the library is linked into it), of any length.
    static lang::String getCurrentModulePath();

private:
    Path();
};

} // namespace io
} // namespace cpp

#endif // WUX_IO_PATH_H
