// How to use wux: a small tour that each subsystem extends.
//
// Strings live on an allocator (the library default or your own), grow as
// you edit them and are always terminated, so getWCStr() goes straight to a
// wide-character Win32 call. Failures arrive as exceptions that carry a
// message, an optional error id and a text for that id.
#include <windows.h>

#include <wux/wux.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::IAllocator;
using cpp::lang::OutOfRangeException;
using cpp::lang::String;

namespace {

void show(char const* what, String const& s) {
    std::printf("%-34s \"%ls\" (length %u, capacity %u)\n", what, s.getWCStr(), s.getLength(),
                s.getCapacity());
}

// An application's own allocator: plain runtime heap, counting its blocks.
class CountingAllocator : public IAllocator {
public:
    void* malloc(unsigned int size) override {
        ++_live;
        return std::malloc(size != 0 ? size : 1);
    }
    void free(void* p) override {
        if (p != nullptr) {
            --_live;
            std::free(p);
        }
    }
    void close() override {}
    void* calloc(unsigned int count, unsigned int size, unsigned short fill) override {
        void* p = malloc(count * size);
        std::memset(p, fill & 0xFF, count * size);
        return p;
    }
    void* realloc(void* p, unsigned int size) override {
        if (p == nullptr)
            ++_live;
        return std::realloc(p, size);
    }
    int live() const { return _live; }

private:
    int _live = 0;
};

void strings() {
    std::printf("== Strings on the default allocator\n");
    String s("Hello");
    show("String s(\"Hello\")", s);
    s << ", " << L"world";
    show("s << \", \" << L\"world\"", s);
    s.insert(0, static_cast<unsigned short>('>'), 2);
    show("s.insert(0, '>', 2)", s);
    s.replace(2, 5, "Goodbye");
    show("s.replace(2, 5, \"Goodbye\")", s);
    s.remove(0, 2);
    show("s.remove(0, 2)", s);
    s.append(s);
    show("s.append(s)", s);
    s.resize(7);
    show("s.resize(7)", s);
    s.replace(static_cast<unsigned short>('o'), static_cast<unsigned short>('0'), true);
    show("s.replace('o', '0', true)", s);

    std::printf("\n== A string on the application's own allocator\n");
    CountingAllocator mine;
    {
        String t(L"kept apart", &mine);
        show("String t(L\"kept apart\", &mine)", t);
        std::printf("blocks live on 'mine': %d\n", mine.live());
        String u(t); // a copy uses the source's allocator
        u.swap(s);   // different allocators: contents move, allocators stay
        show("u after u.swap(s)", u);
        show("s after u.swap(s)", s);
        std::printf("u still on 'mine': %s\n", u.getAllocator() == &mine ? "yes" : "no");
    }
    std::printf("blocks live on 'mine' after scope: %d\n", mine.live());
}

void exceptions() {
    std::printf("\n== Exceptions\n");
    String s("abc");
    try {
        s.at(3);
    } catch (OutOfRangeException const& e) {
        std::printf("s.at(3) threw OutOfRangeException: %ls\n", e.getMessage().getWCStr());
    }
    try {
        s.append(static_cast<unsigned short const*>(nullptr));
    } catch (ArgumentException const& e) {
        std::printf("append(null) threw ArgumentException: %ls\n", e.getMessage().getWCStr());
    }
    // An exception with a Win32 error id: toString() adds the system's text.
    Exception e(String("Opening the settings failed"), static_cast<int>(ERROR_FILE_NOT_FOUND));
    std::printf("with error id %d: %ls\n", e.getErrorId(), e.toString(nullptr).getWCStr());
    // A cause chain: the outer exception keeps its own copy of the cause.
    try {
        try {
            throw Exception(String("disk full"), 112);
        } catch (Exception const& inner) {
            throw Exception(String("Saving failed"), &inner);
        }
    } catch (Exception const& outer) {
        std::printf("%ls, because: %ls\n", outer.getMessage().getWCStr(),
                    outer.getBaseException()->toString(nullptr).getWCStr());
    }
}

} // namespace

int main() {
    strings();
    exceptions();
    return 0;
}
