// Path's string operations: validation, splitting, combining and the
// resolution of relative paths. The two operations that ask the system (the
// current directory and the module's file name) live in PathSystem.cpp.
#include "wux/io/Path.h"

#include "wux/lang/ArgumentException.h"

#include <vector>

namespace cpp {
namespace io {

using lang::ArgumentException;
using lang::String;

unsigned short const Path::separator;
unsigned short const Path::altSeparator;
unsigned short const Path::pathSeparator;
unsigned short const Path::volumeSeparator;

namespace {

unsigned int const NPOS = String::NO_POSITION;

// Units that make a path invalid, in the order getInvalidPathChars() gives.
unsigned short const INVALID_PATH_CHARS[] = {0x22, 0x3C, 0x3E, 0x7C, 0x08, 0x10, 0x11, 0x12,
                                             0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19};
unsigned int const INVALID_PATH_CHAR_COUNT = 15;

// Units that isValidPath() rejects anywhere.
unsigned short const UNWANTED_CHARS[] = {'"', '<', '>', '|', '*', '?'};
unsigned int const UNWANTED_CHAR_COUNT = 6;

unsigned short const SEPARATOR_CHARS[] = {Path::separator, Path::altSeparator};

unsigned short const DOT = '.';

bool isSeparator(unsigned short u) {
    return u == Path::separator || u == Path::altSeparator;
}

bool hasInvalidChars(String const& path) {
    return path.findFirstOf(INVALID_PATH_CHARS, 0, INVALID_PATH_CHAR_COUNT) != NPOS;
}

bool endsInSeparator(String const& path) {
    return !path.isEmpty() && isSeparator(path[path.getLength() - 1]);
}

void checkFileNameChars(String const& path) {
    if (hasInvalidChars(path))
        throw ArgumentException(String("Illegal characters in path."), String("path"));
}

// The index of the last separator at or before pos, NPOS when none.
unsigned int lastSeparator(String const& path, unsigned int pos) {
    return path.findLastOf(SEPARATOR_CHARS, pos, 2);
}

// The index of the extension's dot, or NPOS when the path has no extension.
unsigned int extensionPosition(String const& path) {
    if (path.isEmpty())
        return NPOS;
    unsigned int dot = path.rfind(DOT);
    if (dot == NPOS)
        return NPOS;
    unsigned int sep = lastSeparator(path, NPOS);
    if (sep != NPOS && dot <= sep)
        return NPOS;
    return dot;
}

// The pieces of a path between separators. Every separator ends a piece, so
// leading separators give empty pieces; the text after the last separator
// is a piece when it is not empty.
std::vector<String> splitAtSeparators(String const& path) {
    std::vector<String> pieces;
    unsigned int start = 0;
    unsigned int length = path.getLength();
    for (unsigned int i = 0; i < length; ++i) {
        if (isSeparator(path[i])) {
            pieces.push_back(path.subString(start, i - start));
            start = i + 1;
        }
    }
    if (start < length)
        pieces.push_back(path.subString(start, NPOS));
    return pieces;
}

bool isDotSegment(String const& s, unsigned int dots) {
    if (s.getLength() != dots)
        return false;
    for (unsigned int i = 0; i < dots; ++i)
        if (s[i] != DOT)
            return false;
    return true;
}

// Resolves the . and .. segments of a relative path against the directory
// `base`. The root of `base` (C:\ or \\server\share\) is never climbed over.
String resolveDotted(String const& base, String const& path) {
    String root = Path::getPathRoot(base);
    std::vector<String> components = splitAtSeparators(base.subString(root.getLength(), NPOS));
    std::vector<String> segments = splitAtSeparators(path);
    for (String const& segment : segments) {
        if (segment.isEmpty() || isDotSegment(segment, 1))
            continue;
        if (isDotSegment(segment, 2)) {
            if (!components.empty())
                components.pop_back();
            continue;
        }
        components.push_back(segment);
    }
    String result(root);
    // A root given as C: or \\server\share (without a closing separator)
    // still needs one before the first component.
    if (!components.empty() && !result.isEmpty() && !endsInSeparator(result))
        result += Path::separator;
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0)
            result += Path::separator;
        result += components[i];
    }
    return result;
}

} // namespace

Path::Path() {}

String Path::getInvalidPathChars() {
    return String(INVALID_PATH_CHARS, INVALID_PATH_CHAR_COUNT);
}

String Path::getSeparatorChars() {
    return String(SEPARATOR_CHARS, 2);
}

bool Path::isAbsolutePath(String const& path) {
    if (path.isEmpty())
        return false;
    if (hasInvalidChars(path))
        throw ArgumentException(String("Illegal characters of parameter path in path."),
                                String("path"));
    if (isSeparator(path[0]))
        return true;
    if (path.getLength() < 2)
        return false;
    return path[1] == volumeSeparator;
}

bool Path::isValidPath(String const& path) {
    if (path.findFirstOf(UNWANTED_CHARS, 0, UNWANTED_CHAR_COUNT) != NPOS)
        return false;
    unsigned int firstColonAllowed = isAbsolutePath(path) ? 2 : 0;
    return path.find(volumeSeparator, firstColonAllowed) == NPOS;
}

String Path::getPathRoot(String const& path) {
    if (path.isEmpty())
        return path;
    if (!isAbsolutePath(path))
        return String();
    unsigned int length = path.getLength();
    if (length == 1)
        return String(separator, 1);
    if (isSeparator(path[0]) && isSeparator(path[1])) {
        // \\server\share: up to the separator after the share name.
        unsigned int i = path.findFirstOf(SEPARATOR_CHARS, 2, 2);
        if (i == NPOS)
            i = length;
        unsigned int j = i + 1;
        if (j < length) {
            j = path.findFirstOf(SEPARATOR_CHARS, j, 2);
            if (j == NPOS)
                j = length;
        }
        if (j > length)
            j = length;
        String root(separator, 2);
        String middle = path.subString(2, j - 2);
        middle.replace(altSeparator, separator, true);
        root += middle;
        root += separator;
        return root;
    }
    if (isSeparator(path[0]))
        return String(separator, 1);
    // Drive: C:\ when a separator follows the colon, else C:.
    if (length >= 3 && isSeparator(path[2]))
        return path.leftString(3);
    return path.leftString(2);
}

String Path::getDirectoryName(String const& path) {
    if (path.isEmpty())
        throw ArgumentException(String("The parameter path is not of a legal form."),
                                String("path"));
    String root = getPathRoot(path);
    if (root.compare(path) == 0)
        return path;
    unsigned int length = path.getLength();
    unsigned int from = endsInSeparator(path) ? length - 2 : length - 1;
    unsigned int s = length >= 2 || !endsInSeparator(path) ? lastSeparator(path, from) : NPOS;
    if (s == NPOS || s < 2)
        return String();
    String d = path.leftString(s);
    if (d.getLength() >= 2 && d[d.getLength() - 1] == volumeSeparator)
        d += separator;
    return d;
}

String Path::getFileName(String const& path) {
    if (path.isEmpty())
        return path;
    checkFileNameChars(path);
    unsigned int length = path.getLength();
    unsigned int s;
    if (endsInSeparator(path))
        s = length >= 2 ? lastSeparator(path, length - 2) : NPOS;
    else
        s = lastSeparator(path, NPOS);
    if (s == NPOS)
        return String();
    return path.subString(s + 1, NPOS);
}

String Path::getExtensionName(String const& path) {
    checkFileNameChars(path);
    unsigned int p = extensionPosition(path);
    if (p != NPOS && p < path.getLength() - 1)
        return path.subString(p, NPOS);
    return String();
}

void Path::changeExtension(String& path, String const& extension) {
    checkFileNameChars(path);
    unsigned int p = extensionPosition(path);
    if (extension.isEmpty()) {
        if (p != NPOS)
            path.remove(p, NPOS);
        return;
    }
    String e;
    if (extension[0] != DOT)
        e += DOT;
    e += extension;
    if (p == NPOS)
        path += e;
    else
        path.replace(p, NPOS, e);
}

String Path::combine(String const& path1, String const& path2) {
    if (path1.isEmpty())
        return path2;
    if (path2.isEmpty())
        return path1;
    if (isAbsolutePath(path2))
        return path2;
    if (hasInvalidChars(path1))
        throw ArgumentException(String("Illegal characters of parameter path1 in path"),
                                String("path1"));
    String result(path1);
    if (!endsInSeparator(result))
        result += separator;
    result += path2;
    return result;
}

bool Path::equal(String const& path1, String const& path2) {
    String a = path1.trim(' ');
    String b = path2.trim(' ');
    if (!endsInSeparator(a))
        a += separator;
    if (!endsInSeparator(b))
        b += separator;
    return a.compareIgnoreCase(b) == 0;
}

String Path::makeFullPath(String const& path) {
    if (path.trim(' ').isEmpty())
        throw ArgumentException(String("The parameter path is not of a legal form."),
                                String("path"));
    unsigned int length = path.getLength();
    if (length >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        if (length == 2 || path.find(path[0], 2) == NPOS)
            throw ArgumentException(String("UNC path should be of the form \\\\server\\share."),
                                    String("path"));
        if (path[0] == separator)
            return path;
        String unc(path);
        unc.replace(altSeparator, separator, true);
        return unc;
    }
    if (!isAbsolutePath(path)) {
        String current = getCurrentPath();
        if (path[0] == DOT)
            return resolveDotted(current, path);
        return combine(current, path);
    }
    if (length >= 2 && isSeparator(path[0])) {
        // Rooted without a drive: on the current directory's drive (or
        // share, when the current directory is a UNC path).
        String current = getCurrentPath();
        String result;
        if (current.getLength() >= 2 && current[1] == volumeSeparator) {
            result = current.leftString(2);
        } else if (current.getLength() >= 2 && isSeparator(current[0]) && isSeparator(current[1])) {
            result = getPathRoot(current);
            if (endsInSeparator(result))
                result.remove(result.getLength() - 1, 1);
        }
        result += path;
        return result;
    }
    return path;
}

} // namespace io
} // namespace cpp
