#include "wux/lang/SystemErrorHandler.h"

#include <windows.h>
#include <wininet.h>

namespace cpp {
namespace lang {

namespace {

SystemErrorHandler* instance = nullptr;

DWORD const INTERNET_EXTENDED_ERROR = 12003;
// LANG_USER_DEFAULT: the user's default language.
DWORD const USER_DEFAULT_LANGUAGE = 0x400;

// Owns a LocalAlloc'ed text.
class LocalText {
public:
    LocalText() : _text(nullptr) {}
    ~LocalText() {
        if (_text != nullptr)
            LocalFree(_text);
    }
    LocalText(LocalText const&) = delete;
    LocalText& operator=(LocalText const&) = delete;

    wchar_t* get() const { return _text; }
    void reset(wchar_t* text) {
        if (_text != nullptr)
            LocalFree(_text);
        _text = text;
    }

private:
    wchar_t* _text;
};

// The server's last response text that WinINet keeps per thread; its length
// in units, 0 when there is none.
unsigned int lastResponseText(LocalText& text) {
    DWORD units = 1024 / sizeof(wchar_t);
    text.reset(static_cast<wchar_t*>(LocalAlloc(LMEM_ZEROINIT, 1024)));
    if (text.get() == nullptr)
        return 0;
    DWORD code = 0;
    if (!InternetGetLastResponseInfoW(&code, text.get(), &units)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return 0;
        text.reset(static_cast<wchar_t*>(LocalAlloc(LMEM_ZEROINIT, (units + 1) * sizeof(wchar_t))));
        if (text.get() == nullptr)
            return 0;
        units += 1;
        if (!InternetGetLastResponseInfoW(&code, text.get(), &units))
            return 0;
    }
    return static_cast<unsigned int>(lstrlenW(text.get()));
}

unsigned int systemText(int errorId, LocalText& text) {
    wchar_t* buffer = nullptr;
    DWORD count = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                 nullptr, static_cast<DWORD>(errorId), USER_DEFAULT_LANGUAGE,
                                 reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    text.reset(buffer);
    return buffer != nullptr ? static_cast<unsigned int>(count) : 0;
}

} // namespace

SystemErrorHandler* SystemErrorHandler::getInstance() {
    if (instance == nullptr)
        instance = new SystemErrorHandler();
    return instance;
}

void SystemErrorHandler::delInstance() {
    delete instance;
    instance = nullptr;
}

SystemErrorHandler::~SystemErrorHandler() = default;

String SystemErrorHandler::toString(int errorId) const {
    return toString(String::EMPTY, errorId);
}

String SystemErrorHandler::toString(String const& prefix, int errorId) const {
    LocalText text;
    unsigned int length = static_cast<DWORD>(errorId) == INTERNET_EXTENDED_ERROR
                              ? lastResponseText(text)
                              : systemText(errorId, text);
    if (text.get() == nullptr)
        return prefix;
    // Drop a trailing line end (at most two units: CR LF, LF CR, CR or LF).
    for (int i = 0; i < 2 && length > 0; ++i) {
        wchar_t last = text.get()[length - 1];
        if (last != L'\n' && last != L'\r')
            break;
        --length;
    }
    text.get()[length] = L'\0';
    String result(prefix.getAllocator());
    result.format(L"%s%s", prefix.getCStr(), text.get());
    return result;
}

String SystemErrorHandler::getProviderName() const {
    return String("System");
}

} // namespace lang
} // namespace cpp
