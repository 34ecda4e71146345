// Uses the installed package the way an application does: the umbrella
// header, a String on the default allocator, and a library exception.
#include <windows.h>

#include <wux/wux.h>

#include <cstdio>
#include <cwchar>

int main() {
    using namespace cpp::lang;
    String s("consumer");
    s << ": " << L"ok";
    try {
        s.at(100);
        return 1;
    } catch (OutOfRangeException const& e) {
        if (std::wcscmp(e.getMessage().getWCStr(), L"The index is out of range.") != 0)
            return 2;
    }
    std::printf("%ls\n", s.getWCStr());
    return 0;
}
