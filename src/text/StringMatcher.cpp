// Wildcard patterns and extension lists over file names.
//
// A wildcard piece is compiled into a singly linked list of tokens that runs
// from the piece's last token to its first: literal runs, "*" and "?". So
// xy*z?w becomes w, ?, z, *, xy. Matching reads the list the same way, from
// the end of the text towards its start.
//
// The stars cut the list into segments of literals and '?' (a segment may be
// empty). Every segment has a fixed width, so it either fits at a given end
// position or not:
// - the segment before the first star in the list is pinned to the end of
//   the text, the one after the last star to its start;
// - every segment in between takes the rightmost place where it fits in what
//   is left of the text. Any later segment fits in a longer rest at least as
//   well as in a shorter one, so the rightmost place never loses a match and
//   no backtracking is needed;
// - a list without a star is one segment that must cover the whole text.
// A literal or a '?' never reaches beyond the start of the text, so a text
// that runs out before the tokens do matches only when the tokens left are
// stars.
#include "wux/text/StringMatcher.h"

#include "wux/lang/IAllocator.h"

#include <new>
#include <utility>

namespace cpp {
namespace text {

using lang::IAllocator;
using lang::String;

namespace {

unsigned short const STAR = '*';
unsigned short const ONE_UNIT = '?';
unsigned short const BLANK = ' ';
unsigned short const DOT = '.';

} // namespace

struct StringMatcher::Token {
    Token* next;
    /// A literal run of units without '*' and '?', or one of those two.
    String text;

    Token(String const& t, IAllocator* a) : next(nullptr), text(t, a) {}

    bool isStar() const { return text.getLength() == 1 && text.getCStr()[0] == STAR; }
    bool isOneUnit() const { return text.getLength() == 1 && text.getCStr()[0] == ONE_UNIT; }

    /// A token on \p a, freed by destroy().
    static Token* create(String const& t, IAllocator* a) {
        void* block = a->malloc(sizeof(Token));
        try {
            return new (block) Token(t, a);
        } catch (...) {
            a->free(block);
            throw;
        }
    }

    static void destroy(Token* t, IAllocator* a) {
        t->~Token();
        a->free(t);
    }

    /// The first star at or after \p t, or null.
    static Token const* nextStar(Token const* t) {
        while (t != nullptr && !t->isStar())
            t = t->next;
        return t;
    }

    /// The units the segment [first, stop) covers.
    static unsigned int widthOf(Token const* first, Token const* stop) {
        unsigned int width = 0;
        for (Token const* t = first; t != stop; t = t->next)
            width += t->text.getLength();
        return width;
    }

    /// True when the segment [first, stop) of width \p width covers the
    /// units of \p text that end just before index \p end.
    static bool endsAt(Token const* first, Token const* stop, unsigned int width,
                       String const& text, unsigned int end) {
        if (width > end)
            return false;
        unsigned int pos = end;
        for (Token const* t = first; t != stop; t = t->next) {
            unsigned int m = t->text.getLength();
            pos -= m;
            if (!t->isOneUnit() && text.compareIgnoreCase(pos, m, t->text) != 0)
                return false;
        }
        return true;
    }

    /// The whole of \p text against the list that starts at \p first.
    static bool matchList(Token const* first, String const& text) {
        unsigned int end = text.getLength();
        Token const* star = nextStar(first);
        unsigned int width = widthOf(first, star);
        if (star == nullptr)
            return width == end && endsAt(first, nullptr, width, text, end);

        // The last segment of the pattern is pinned to the end of the text.
        if (!endsAt(first, star, width, text, end))
            return false;
        end -= width;

        // Segments between two stars, each at its rightmost place.
        Token const* segment = star->next;
        for (star = nextStar(segment); star != nullptr; star = nextStar(segment)) {
            width = widthOf(segment, star);
            while (!endsAt(segment, star, width, text, end)) {
                if (end <= width)
                    return false;
                --end;
            }
            end -= width;
            segment = star->next;
        }

        // The first segment of the pattern is pinned to the start.
        width = widthOf(segment, nullptr);
        return width <= end && endsAt(segment, nullptr, width, text, width);
    }
};

StringMatcher::StringMatcher(String const& pattern, bool extensionMode, bool flag)
    : _enabled(false), _extensionMode(extensionMode),
      _pattern(pattern.trim(BLANK), IAllocator::getWUXAllocator()), _compiled(), _pieces(),
      _separators(IAllocator::getWUXAllocator()), _allocator(IAllocator::getWUXAllocator()),
      _flag(flag) {
    if (_pattern.isEmpty())
        return;
    _enabled = true;
    if (_extensionMode)
        _separators.assign(DOT, 1);
    try {
        compile();
    } catch (...) {
        release();
        throw;
    }
}

StringMatcher::StringMatcher(StringMatcher const& other)
    : _enabled(other._enabled), _extensionMode(other._extensionMode),
      _pattern(other._pattern, other._allocator), _compiled(), _pieces(),
      _separators(other._separators, other._allocator), _allocator(other._allocator),
      _flag(other._flag) {
    if (!_enabled)
        return;
    try {
        compile();
    } catch (...) {
        release();
        throw;
    }
}

StringMatcher& StringMatcher::operator=(StringMatcher const& other) {
    if (this != &other) {
        StringMatcher copy(other);
        swap(copy);
    }
    return *this;
}

StringMatcher::~StringMatcher() {
    release();
}

bool StringMatcher::match(String const& text) const {
    if (!_enabled)
        return true;
    if (_extensionMode)
        return matchExtension(text);
    if (_compiled.empty())
        return true;
    for (Token const* list : _compiled) {
        if (Token::matchList(list, text))
            return true;
    }
    return false;
}

bool StringMatcher::matchExtension(String const& text) const {
    if (_pieces.empty())
        return true;
    unsigned int length = text.getLength();
    unsigned int dot = text.rfind(DOT);
    if (length == 0 || dot == String::NO_POSITION || dot == length - 1)
        return false;
    unsigned int extLength = length - dot - 1;
    for (String const& piece : _pieces) {
        if (!piece.isEmpty() && text.compareIgnoreCase(dot + 1, extLength, piece) == 0)
            return true;
    }
    return false;
}

void StringMatcher::compile() {
    release();
    _pattern.split(_separators, _pieces);
    if (_extensionMode)
        return;
    for (String const& rawPiece : _pieces) {
        String piece = rawPiece.trim(BLANK);
        if (piece.isEmpty())
            continue;
        // The list is linked into _compiled before it is filled, so that a
        // failed allocation leaves every token reachable by release().
        _compiled.push_back(nullptr);
        Token** tail = &_compiled.back();
        unsigned short const* units = piece.getCStr();
        // Scan from the last unit to the first; [i + 1, runEnd) is the
        // literal run to the right of the unit at i.
        unsigned int runEnd = piece.getLength();
        for (unsigned int i = runEnd; i-- > 0;) {
            if (units[i] != STAR && units[i] != ONE_UNIT)
                continue;
            if (i + 1 < runEnd) {
                *tail = Token::create(piece.subString(i + 1, runEnd - i - 1), _allocator);
                tail = &(*tail)->next;
            }
            *tail = Token::create(String(units[i], 1, _allocator), _allocator);
            tail = &(*tail)->next;
            runEnd = i;
        }
        if (runEnd > 0)
            *tail = Token::create(piece.subString(0, runEnd), _allocator);
    }
}

void StringMatcher::release() {
    for (Token* list : _compiled) {
        while (list != nullptr) {
            Token* next = list->next;
            Token::destroy(list, _allocator);
            list = next;
        }
    }
    _compiled.clear();
    _pieces.clear();
}

void StringMatcher::swap(StringMatcher& other) {
    std::swap(_enabled, other._enabled);
    std::swap(_extensionMode, other._extensionMode);
    _pattern.swap(other._pattern);
    _compiled.swap(other._compiled);
    _pieces.swap(other._pieces);
    _separators.swap(other._separators);
    std::swap(_allocator, other._allocator);
    std::swap(_flag, other._flag);
}

} // namespace text
} // namespace cpp
