// The exception classes: default texts and error ids, every constructor form,
// messages fetched through a resource loader (and loaders that fail), the
// class hierarchy as seen by catch clauses and dynamic_cast, toString() with
// and without error providers, ArgumentException's composed message, and the
// cause chain, which every exception keeps as its own deep copy.
#include "wux/lang/Exception.h"
#include "wux/io/DirectoryNotFoundException.h"
#include "wux/io/EOFException.h"
#include "wux/io/FileNotFoundException.h"
#include "wux/io/IOException.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/ClassFoundException.h"
#include "wux/lang/FormatException.h"
#include "wux/lang/IErrorProvider.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/InstantiationException.h"
#include "wux/lang/InvalidOperationException.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/lang/OutOfMemoryException.h"
#include "wux/lang/OutOfRangeException.h"
#include "wux/lang/String.h"
#include "wux/lang/SystemErrorHandler.h"
#include "wux/net/SocketException.h"
#include "wux/net/SocketTimeoutException.h"
#include "wux/security/CryptoException.h"
#include "wux/security/SecurityException.h"
#include "wux/system/SharedLibraryException.h"
#include "wux/system/SystemException.h"
#include "wux/system/mt/InterruptedException.h"
#include "wux/system/mt/LockException.h"
#include "wux/system/mt/ThreadPoolException.h"
#include "wux/system/mt/ThreadStateException.h"
#include "wux/util/ResourceException.h"
#include "wux/xml/XmlConfigException.h"

#include "TestAllocator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>

namespace {

using cpp::io::DirectoryNotFoundException;
using cpp::io::EOFException;
using cpp::io::FileNotFoundException;
using cpp::io::IOException;
using cpp::lang::ArgumentException;
using cpp::lang::ClassFoundException;
using cpp::lang::Exception;
using cpp::lang::FormatException;
using cpp::lang::IErrorProvider;
using cpp::lang::InstantiationException;
using cpp::lang::InvalidOperationException;
using cpp::lang::IResourceLoader;
using cpp::lang::NotImplementedException;
using cpp::lang::OutOfMemoryException;
using cpp::lang::OutOfRangeException;
using cpp::lang::String;
using cpp::lang::SystemErrorHandler;
using cpp::net::SocketException;
using cpp::net::SocketTimeoutException;
using cpp::security::CryptoException;
using cpp::security::SecurityException;
using cpp::system::SharedLibraryException;
using cpp::system::SystemException;
using cpp::system::mt::InterruptedException;
using cpp::system::mt::LockException;
using cpp::system::mt::ThreadPoolException;
using cpp::system::mt::ThreadStateException;
using cpp::util::ResourceException;
using cpp::xml::XmlConfigException;

std::wstring text(String const& s) {
    return std::wstring(s.getWCStr(), s.getLength());
}

// The address of a temporary, to hand a cause that dies at the end of the
// full expression.
Exception const* ptr(Exception const& e) {
    return &e;
}

// Texts "id:<id>" and "key:<key>", so a test sees which overload was used.
class FakeLoader : public IResourceLoader {
public:
    String loadString(String const& key) override {
        String s("key:");
        s << key;
        return s;
    }
    String loadString(unsigned int id) override {
        String s("id:");
        s << std::to_string(id).c_str();
        return s;
    }
    String getResourceFileName() const override { return String("fake.mo"); }
    cpp::global::Locale const* getLocale() const override { return nullptr; }
    void* getResourceFileHandle() const override { return nullptr; }
};

// A loader whose lookups fail, with a library exception or with a foreign one.
class ThrowingLoader : public IResourceLoader {
public:
    explicit ThrowingLoader(bool foreign) : _foreign(foreign) {}
    String loadString(String const&) override { fail(); }
    String loadString(unsigned int) override { fail(); }
    String getResourceFileName() const override { return String(); }
    cpp::global::Locale const* getLocale() const override { return nullptr; }
    void* getResourceFileHandle() const override { return nullptr; }

private:
    [[noreturn]] void fail() {
        if (_foreign)
            throw std::runtime_error("catalog unreadable");
        throw ResourceException(String("catalog unreadable"), 2);
    }
    bool _foreign;
};

// Texts "<tag><errorId>"; counts its calls.
class FakeProvider : public IErrorProvider {
public:
    explicit FakeProvider(char const* tag) : _tag(tag) {}
    String toString(String const& prefix, int errorId) const override {
        ++calls;
        String s(prefix);
        s << _tag << std::to_string(errorId).c_str();
        return s;
    }
    String toString(int errorId) const override { return toString(String::EMPTY, errorId); }
    String getProviderName() const override { return String("Fake"); }

    mutable int calls = 0;

private:
    char const* _tag;
};

class ThrowingProvider : public IErrorProvider {
public:
    String toString(String const&, int) const override { throw ResourceException(); }
    String toString(int) const override { throw ResourceException(); }
    String getProviderName() const override { return String("Throwing"); }
};

// An exception with its own error provider (and optionally a cause), which
// only a derived class can set.
class ProviderException : public Exception {
public:
    ProviderException(String const& msg, int errorId, IErrorProvider* provider,
                      Exception const* cause = nullptr)
        : Exception(msg, errorId) {
        setErrorProvider(provider);
        if (cause != nullptr)
            setCause(cause);
    }
};

// ---------------------------------------------------------------------------
// Default texts and error ids

struct DefaultCase {
    char const* name;
    Exception* (*make)();
    wchar_t const* message;
    int errorId;
};

DefaultCase const defaultCases[] = {
    {"Exception", [] { return new Exception(); }, L"", 0},
    {"ArgumentException", []() -> Exception* { return new ArgumentException(); },
     L"Argument is invalid.", 0},
    {"OutOfRangeException", []() -> Exception* { return new OutOfRangeException(); },
     L"Out of range.", 0},
    {"OutOfMemoryException", []() -> Exception* { return new OutOfMemoryException(); }, L"",
     static_cast<int>(0x8007000Eu)},
    {"InvalidOperationException", []() -> Exception* { return new InvalidOperationException(); },
     L"Invalid operation exception.", 0},
    {"FormatException", []() -> Exception* { return new FormatException(); }, L"Invalid format.",
     0},
    {"NotImplementedException", []() -> Exception* { return new NotImplementedException(); },
     L"The method or operation is not implemented.", 0},
    {"ClassFoundException", []() -> Exception* { return new ClassFoundException(); }, L"", 0},
    {"InstantiationException", []() -> Exception* { return new InstantiationException(); }, L"", 0},
    {"IOException", []() -> Exception* { return new IOException(); }, L"I/O exception occurred.",
     0},
    {"EOFException", []() -> Exception* { return new EOFException(); },
     L"Have reached the end of file.", 0},
    {"FileNotFoundException", []() -> Exception* { return new FileNotFoundException(); },
     L"The specified file cannot be found.", 0},
    {"DirectoryNotFoundException", []() -> Exception* { return new DirectoryNotFoundException(); },
     L"The speicified directory cannot be found.", 0},
    {"SocketException", []() -> Exception* { return new SocketException(); },
     L"Socket exception thrown.", 0},
    {"SocketTimeoutException", []() -> Exception* { return new SocketTimeoutException(); },
     L"Time out", 0},
    {"SecurityException", []() -> Exception* { return new SecurityException(); },
     L"Security exception occurred.", 0},
    {"CryptoException", []() -> Exception* { return new CryptoException(); },
     L"Cryptography exception was thrown.", 0},
    {"SystemException", []() -> Exception* { return new SystemException(); },
     L"System exception occurred.", 0},
    {"InterruptedException", []() -> Exception* { return new InterruptedException(); },
     L"The thread interrupted.", 0},
    {"LockException", []() -> Exception* { return new LockException(); }, L"Lock exception.", 0},
    {"ThreadStateException", []() -> Exception* { return new ThreadStateException(); },
     L"Illegal thread state.", 0},
    {"ThreadPoolException", []() -> Exception* { return new ThreadPoolException(); }, L"", 0},
    {"ResourceException", []() -> Exception* { return new ResourceException(); },
     L"Resource exception occurred.", 0},
    {"XmlConfigException", []() -> Exception* { return new XmlConfigException(); },
     L"XML configuration exception was thrown.", 0},
};

TEST(ExceptionDefaults, MessageErrorIdAndNoCause) {
    for (DefaultCase const& c : defaultCases) {
        std::unique_ptr<Exception> e(c.make());
        EXPECT_EQ(text(e->getMessage()), c.message) << c.name;
        EXPECT_EQ(e->getErrorId(), c.errorId) << c.name;
        EXPECT_EQ(e->getCause(), nullptr) << c.name;
        EXPECT_EQ(e->getErrorProvider(), nullptr) << c.name;
        EXPECT_EQ(e->getBaseException(), e.get()) << c.name;
    }
}

TEST(ExceptionDefaults, DefaultArgumentExceptionHasNoArgumentName) {
    ArgumentException e;
    EXPECT_TRUE(e.getArgumentName().isEmpty());
    EXPECT_EQ(text(e.getMessage()), L"Argument is invalid.");
}

// ---------------------------------------------------------------------------
// Constructors with a message, an error id or a cause

struct FormCase {
    char const* name;
    Exception* (*make)();
    wchar_t const* message;
    int errorId;
    wchar_t const* causeMessage; // null: no cause
};

// Causes are temporaries: the exception must have kept its own copy.
FormCase const formCases[] = {
    {"Exception MI", [] { return new Exception(String("m"), 42); }, L"m", 42, nullptr},
    {"Exception MC", [] { return new Exception(String("m"), ptr(Exception(String("inner"), 7))); },
     L"m", 7, L"inner"},
    {"Exception MC null cause",
     [] { return new Exception(String("m"), static_cast<Exception const*>(nullptr)); }, L"m", 0,
     nullptr},
    {"Exception C", [] { return new Exception(ptr(IOException(String("inner"), 7))); }, L"inner", 7,
     L"inner"},
    {"Exception C null cause", [] { return new Exception(static_cast<Exception const*>(nullptr)); },
     L"", 0, nullptr},
    {"ArgumentException M", []() -> Exception* { return new ArgumentException(String("m")); }, L"m",
     0, nullptr},
    {"OutOfRangeException M", []() -> Exception* { return new OutOfRangeException(String("m")); },
     L"m", 0, nullptr},
    {"InvalidOperationException M",
     []() -> Exception* { return new InvalidOperationException(String("m")); }, L"m", 0, nullptr},
    {"InvalidOperationException MC",
     []() -> Exception* {
         return new InvalidOperationException(String("m"), ptr(Exception(String("inner"), 7)));
     },
     L"m", 7, L"inner"},
    {"FormatException MI", []() -> Exception* { return new FormatException(String("m"), 42); },
     L"m", 42, nullptr},
    {"FormatException MC",
     []() -> Exception* {
         return new FormatException(String("m"), ptr(Exception(String("inner"), 7)));
     },
     L"m", 7, L"inner"},
    {"NotImplementedException M",
     []() -> Exception* { return new NotImplementedException(String("m")); }, L"m", 0, nullptr},
    {"NotImplementedException MC",
     []() -> Exception* {
         return new NotImplementedException(String("m"), ptr(Exception(String("inner"), 7)));
     },
     L"m", 7, L"inner"},
    {"ClassFoundException M", []() -> Exception* { return new ClassFoundException(String("m")); },
     L"m", 0, nullptr},
    {"InstantiationException M",
     []() -> Exception* { return new InstantiationException(String("m")); }, L"m", 0, nullptr},
    {"InstantiationException MC",
     []() -> Exception* {
         return new InstantiationException(String("m"), ptr(Exception(String("inner"), 7)));
     },
     L"m", 7, L"inner"},
    {"IOException M", []() -> Exception* { return new IOException(String("m")); }, L"m", 0,
     nullptr},
    {"IOException MI", []() -> Exception* { return new IOException(String("m"), 42); }, L"m", 42,
     nullptr},
    {"EOFException M", []() -> Exception* { return new EOFException(String("m")); }, L"m", 0,
     nullptr},
    {"FileNotFoundException M",
     []() -> Exception* { return new FileNotFoundException(String("m")); }, L"m", 0, nullptr},
    {"FileNotFoundException MI",
     []() -> Exception* { return new FileNotFoundException(String("m"), 42); }, L"m", 42, nullptr},
    {"DirectoryNotFoundException M",
     []() -> Exception* { return new DirectoryNotFoundException(String("m")); }, L"m", 0, nullptr},
    {"DirectoryNotFoundException MI",
     []() -> Exception* { return new DirectoryNotFoundException(String("m"), 42); }, L"m", 42,
     nullptr},
    {"SocketException MI", []() -> Exception* { return new SocketException(String("m"), 42); },
     L"m", 42, nullptr},
    {"SocketTimeoutException M",
     []() -> Exception* { return new SocketTimeoutException(String("m")); }, L"m", 0, nullptr},
    {"SecurityException M", []() -> Exception* { return new SecurityException(String("m")); }, L"m",
     0, nullptr},
    {"SecurityException MI", []() -> Exception* { return new SecurityException(String("m"), 42); },
     L"m", 42, nullptr},
    {"CryptoException M", []() -> Exception* { return new CryptoException(String("m")); }, L"m", 0,
     nullptr},
    {"SystemException M", []() -> Exception* { return new SystemException(String("m")); }, L"m", 0,
     nullptr},
    {"SystemException MI", []() -> Exception* { return new SystemException(String("m"), 42); },
     L"m", 42, nullptr},
    {"SharedLibraryException M",
     []() -> Exception* { return new SharedLibraryException(String("m")); }, L"m", 0, nullptr},
    {"InterruptedException M", []() -> Exception* { return new InterruptedException(String("m")); },
     L"m", 0, nullptr},
    {"InterruptedException MC",
     []() -> Exception* {
         return new InterruptedException(String("m"), ptr(Exception(String("inner"), 7)));
     },
     L"m", 7, L"inner"},
    {"LockException M", []() -> Exception* { return new LockException(String("m")); }, L"m", 0,
     nullptr},
    {"LockException MI", []() -> Exception* { return new LockException(String("m"), 42); }, L"m",
     42, nullptr},
    {"ThreadStateException M", []() -> Exception* { return new ThreadStateException(String("m")); },
     L"m", 0, nullptr},
    {"ThreadPoolException M", []() -> Exception* { return new ThreadPoolException(String("m")); },
     L"m", 0, nullptr},
    {"ResourceException M", []() -> Exception* { return new ResourceException(String("m")); }, L"m",
     0, nullptr},
    {"ResourceException MI", []() -> Exception* { return new ResourceException(String("m"), 42); },
     L"m", 42, nullptr},
    {"XmlConfigException MI",
     []() -> Exception* { return new XmlConfigException(String("m"), 42); }, L"m", 42, nullptr},
};

TEST(ExceptionConstructors, MessageErrorIdAndCause) {
    for (FormCase const& c : formCases) {
        std::unique_ptr<Exception> e(c.make());
        // The stored message, not ArgumentException's composed one.
        EXPECT_EQ(text(e->Exception::getMessage()), c.message) << c.name;
        EXPECT_EQ(e->getErrorId(), c.errorId) << c.name;
        EXPECT_EQ(e->getErrorProvider(), nullptr) << c.name;
        if (c.causeMessage == nullptr) {
            EXPECT_EQ(e->getCause(), nullptr) << c.name;
        } else {
            ASSERT_NE(e->getCause(), nullptr) << c.name;
            EXPECT_EQ(text(e->getCause()->getMessage()), c.causeMessage) << c.name;
            EXPECT_EQ(e->getCause()->getErrorId(), c.errorId) << c.name;
        }
    }
}

// The cause-only constructor takes the cause's toString(), which includes the
// text of the cause's own error provider.
TEST(ExceptionConstructors, CauseOnlyFormUsesTheCausesToString) {
    FakeProvider provider("P");
    ProviderException cause(String("disk"), 5, &provider);
    Exception e(&cause);
    EXPECT_EQ(text(e.getMessage()), L"disk(P5)");
    EXPECT_EQ(e.getErrorId(), 5);
    EXPECT_EQ(e.getErrorProvider(), nullptr) << "the provider of the cause is not taken over";
}

TEST(ExceptionConstructors, MessageKeepsItsAllocator) {
    wuxtest::TestAllocator alloc;
    {
        Exception e(String("on a test allocator", &alloc), 1);
        EXPECT_EQ(e.getMessage().getAllocator(), &alloc);
        EXPECT_EQ(text(e.getMessage()), L"on a test allocator");
    }
    EXPECT_EQ(alloc.liveBlocks(), 0u);
}

// ---------------------------------------------------------------------------
// Messages through a resource loader

struct LoaderCase {
    char const* name;
    Exception* (*make)(IResourceLoader*);
    wchar_t const* loaded; // the message with FakeLoader
    int errorId;
};

Exception* withCause(IResourceLoader* loader, bool byKey) {
    // The cause dies before the exception is examined.
    Exception cause(String("inner"), 9);
    if (byKey)
        return new Exception(loader, String("IDS_X"), &cause);
    return new Exception(loader, 17u, &cause);
}

LoaderCase const loaderCases[] = {
    {"Exception LI", [](IResourceLoader* l) { return new Exception(l, 17u, 42); }, L"id:17", 42},
    {"Exception LK", [](IResourceLoader* l) { return new Exception(l, String("IDS_X"), 42); },
     L"key:IDS_X", 42},
    {"Exception L cause", [](IResourceLoader* l) { return withCause(l, false); }, L"id:17", 9},
    {"Exception K cause", [](IResourceLoader* l) { return withCause(l, true); }, L"key:IDS_X", 9},
    {"ArgumentException L",
     [](IResourceLoader* l) -> Exception* { return new ArgumentException(l, 17u, String("arg")); },
     L"id:17", 0},
    {"ArgumentException K",
     [](IResourceLoader* l) -> Exception* {
         return new ArgumentException(l, String("IDS_X"), String("arg"));
     },
     L"key:IDS_X", 0},
    {"OutOfRangeException L",
     [](IResourceLoader* l) -> Exception* { return new OutOfRangeException(l, 17u); }, L"id:17", 0},
    {"InvalidOperationException L",
     [](IResourceLoader* l) -> Exception* { return new InvalidOperationException(l, 17u); },
     L"id:17", 0},
    {"InvalidOperationException K",
     [](IResourceLoader* l) -> Exception* {
         return new InvalidOperationException(l, String("IDS_X"));
     },
     L"key:IDS_X", 0},
    {"IOException LI", [](IResourceLoader* l) -> Exception* { return new IOException(l, 17u, 42); },
     L"id:17", 42},
    {"IOException LK",
     [](IResourceLoader* l) -> Exception* { return new IOException(l, String("IDS_X"), 42); },
     L"key:IDS_X", 42},
    {"SocketException LI",
     [](IResourceLoader* l) -> Exception* { return new SocketException(l, 17u, 42); }, L"id:17",
     42},
    {"SocketException LK",
     [](IResourceLoader* l) -> Exception* { return new SocketException(l, String("IDS_X"), 42); },
     L"key:IDS_X", 42},
    {"SocketTimeoutException L",
     [](IResourceLoader* l) -> Exception* { return new SocketTimeoutException(l, 17u); }, L"id:17",
     0},
    {"SocketTimeoutException K",
     [](IResourceLoader* l) -> Exception* {
         return new SocketTimeoutException(l, String("IDS_X"));
     },
     L"key:IDS_X", 0},
    {"CryptoException L",
     [](IResourceLoader* l) -> Exception* { return new CryptoException(l, 17u); }, L"id:17", 0},
    {"CryptoException K",
     [](IResourceLoader* l) -> Exception* { return new CryptoException(l, String("IDS_X")); },
     L"key:IDS_X", 0},
    {"SystemException LI",
     [](IResourceLoader* l) -> Exception* { return new SystemException(l, 17u, 42); }, L"id:17",
     42},
    {"SystemException LK",
     [](IResourceLoader* l) -> Exception* { return new SystemException(l, String("IDS_X"), 42); },
     L"key:IDS_X", 42},
    {"InterruptedException LI",
     [](IResourceLoader* l) -> Exception* { return new InterruptedException(l, 17u, 42); },
     L"id:17", 42},
    {"InterruptedException LK",
     [](IResourceLoader* l) -> Exception* {
         return new InterruptedException(l, String("IDS_X"), 42);
     },
     L"key:IDS_X", 42},
    {"LockException LI",
     [](IResourceLoader* l) -> Exception* { return new LockException(l, 17u, 42); }, L"id:17", 42},
    {"LockException LK",
     [](IResourceLoader* l) -> Exception* { return new LockException(l, String("IDS_X"), 42); },
     L"key:IDS_X", 42},
    {"ThreadStateException L",
     [](IResourceLoader* l) -> Exception* { return new ThreadStateException(l, 17u); }, L"id:17",
     0},
    {"ThreadStateException K",
     [](IResourceLoader* l) -> Exception* { return new ThreadStateException(l, String("IDS_X")); },
     L"key:IDS_X", 0},
    {"ThreadPoolException LI",
     [](IResourceLoader* l) -> Exception* { return new ThreadPoolException(l, 17u, 42); }, L"id:17",
     42},
    {"ThreadPoolException LK",
     [](IResourceLoader* l) -> Exception* {
         return new ThreadPoolException(l, String("IDS_X"), 42);
     },
     L"key:IDS_X", 42},
    {"XmlConfigException LI",
     [](IResourceLoader* l) -> Exception* { return new XmlConfigException(l, 17u, 42); }, L"id:17",
     42},
    {"XmlConfigException LK",
     [](IResourceLoader* l) -> Exception* {
         return new XmlConfigException(l, String("IDS_X"), 42);
     },
     L"key:IDS_X", 42},
};

// Each form with a working loader, with none, and with loaders that throw:
// a failing loader leaves the message empty and the rest of the exception
// as with a working one.
TEST(ExceptionLoader, WorkingNullAndFailingLoaders) {
    FakeLoader fake;
    ThrowingLoader throwsLibrary(false);
    ThrowingLoader throwsForeign(true);
    struct {
        char const* name;
        IResourceLoader* loader;
        bool loads;
    } const loaders[] = {
        {"fake loader", &fake, true},
        {"null loader", nullptr, false},
        {"loader throwing a library exception", &throwsLibrary, false},
        {"loader throwing a foreign exception", &throwsForeign, false},
    };
    for (LoaderCase const& c : loaderCases) {
        for (auto const& l : loaders) {
            std::unique_ptr<Exception> e;
            ASSERT_NO_THROW(e.reset(c.make(l.loader))) << c.name << ", " << l.name;
            EXPECT_EQ(text(e->Exception::getMessage()), l.loads ? c.loaded : L"")
                << c.name << ", " << l.name;
            EXPECT_EQ(e->getErrorId(), c.errorId) << c.name << ", " << l.name;
        }
    }
}

TEST(ExceptionLoader, LoaderFormsOfArgumentExceptionKeepTheArgumentName) {
    FakeLoader fake;
    ArgumentException byId(&fake, 3u, String("size"));
    EXPECT_EQ(text(byId.getArgumentName()), L"size");
    EXPECT_EQ(text(byId.getMessage()), L"Argument size: id:3");
    ArgumentException byKey(&fake, String("IDS_NULL_ARGUMENT"), String("ptr"));
    EXPECT_EQ(text(byKey.getMessage()), L"Argument ptr: key:IDS_NULL_ARGUMENT");
    ArgumentException failed(static_cast<IResourceLoader*>(nullptr), 3u, String("size"));
    EXPECT_EQ(text(failed.getArgumentName()), L"size");
}

// ---------------------------------------------------------------------------
// ArgumentException's message

TEST(ArgumentExceptionMessage, ComposedFromNameAndMessage) {
    struct {
        char const* name;
        char const* message;
        char const* argName;
        wchar_t const* expected;
    } const cases[] = {
        {"with a name", "msg", "count", L"Argument count: msg"},
        {"library text", "The source pointer is null.", "ptr",
         L"Argument ptr: The source pointer is null."},
        {"empty name: message only", "msg", "", L"msg"},
        {"empty message", "", "x", L"Argument x: "},
        {"both empty", "", "", L""},
    };
    for (auto const& c : cases) {
        ArgumentException e{String(c.message), String(c.argName)};
        EXPECT_EQ(text(e.getMessage()), c.expected) << c.name;
        EXPECT_EQ(text(e.getArgumentName()),
                  std::wstring(c.argName, c.argName + std::strlen(c.argName)))
            << c.name;
        EXPECT_EQ(e.getErrorId(), 0) << c.name;
        // Through the base class the override is used as well.
        Exception const& base = e;
        EXPECT_EQ(text(base.getMessage()), c.expected) << c.name;
    }
}

TEST(ArgumentExceptionMessage, CopiesKeepTheArgumentName) {
    ArgumentException source(String("msg"), String("count"));
    ArgumentException copy(source);
    EXPECT_EQ(text(copy.getMessage()), L"Argument count: msg");
    ArgumentException assigned(String("other"), String("ptr"));
    assigned = source;
    EXPECT_EQ(text(assigned.getArgumentName()), L"count");
    EXPECT_EQ(text(assigned.getMessage()), L"Argument count: msg");
}

// ---------------------------------------------------------------------------
// The class hierarchy

template <class... Cs> struct ClassList {};

// In the order of the bits below.
using AllClasses =
    ClassList<Exception, ArgumentException, OutOfRangeException, OutOfMemoryException,
              InvalidOperationException, FormatException, NotImplementedException,
              ClassFoundException, InstantiationException, IOException, EOFException,
              FileNotFoundException, DirectoryNotFoundException, SocketException,
              SocketTimeoutException, SecurityException, CryptoException, SystemException,
              SharedLibraryException, InterruptedException, LockException, ThreadStateException,
              ThreadPoolException, ResourceException, XmlConfigException>;

enum : unsigned {
    EXC = 1u << 0,
    ARG = 1u << 1,
    RANGE = 1u << 2,
    OOM = 1u << 3,
    INVOP = 1u << 4,
    FORMAT = 1u << 5,
    NOTIMPL = 1u << 6,
    CLASSFOUND = 1u << 7,
    INST = 1u << 8,
    IO = 1u << 9,
    EOFX = 1u << 10,
    FILENF = 1u << 11,
    DIRNF = 1u << 12,
    SOCK = 1u << 13,
    SOCKTO = 1u << 14,
    SECURITY = 1u << 15,
    CRYPTO = 1u << 16,
    SYSTEM = 1u << 17,
    SHLIB = 1u << 18,
    INTERRUPTED = 1u << 19,
    LOCK = 1u << 20,
    THREADSTATE = 1u << 21,
    THREADPOOL = 1u << 22,
    RESOURCE = 1u << 23,
    XMLCONFIG = 1u << 24,
};

template <class C> bool catches(void (*thrower)()) {
    try {
        thrower();
    } catch (C const&) {
        return true;
    } catch (...) {
        return false;
    }
    return false;
}

// One bit for every class whose catch clause takes what \p thrower throws.
template <class... Cs> unsigned caughtAs(void (*thrower)(), ClassList<Cs...>) {
    unsigned mask = 0;
    unsigned bit = 1;
    ((mask |= (catches<Cs>(thrower) ? bit : 0u), bit <<= 1), ...);
    return mask;
}

// One bit for every class \p e can be cast to (0 for null).
template <class... Cs> unsigned castableTo(Exception const* e, ClassList<Cs...>) {
    unsigned mask = 0;
    unsigned bit = 1;
    ((mask |= (dynamic_cast<Cs const*>(e) != nullptr ? bit : 0u), bit <<= 1), ...);
    return mask;
}

struct HierarchyCase {
    char const* name;
    void (*thrower)();
    unsigned classes; // the class itself and every base
};

HierarchyCase const hierarchyCases[] = {
    {"Exception", [] { throw Exception(); }, EXC},
    {"ArgumentException", [] { throw ArgumentException(); }, EXC | ARG},
    {"OutOfRangeException", [] { throw OutOfRangeException(); }, EXC | RANGE},
    {"OutOfMemoryException", [] { throw OutOfMemoryException(); }, EXC | OOM},
    {"InvalidOperationException", [] { throw InvalidOperationException(); }, EXC | INVOP},
    {"FormatException", [] { throw FormatException(); }, EXC | FORMAT},
    {"NotImplementedException", [] { throw NotImplementedException(); }, EXC | NOTIMPL},
    {"ClassFoundException", [] { throw ClassFoundException(); }, EXC | CLASSFOUND},
    {"InstantiationException", [] { throw InstantiationException(); }, EXC | INST},
    {"IOException", [] { throw IOException(); }, EXC | IO},
    {"EOFException", [] { throw EOFException(); }, EXC | IO | EOFX},
    {"FileNotFoundException", [] { throw FileNotFoundException(); }, EXC | IO | FILENF},
    {"DirectoryNotFoundException", [] { throw DirectoryNotFoundException(); }, EXC | IO | DIRNF},
    {"SocketException", [] { throw SocketException(); }, EXC | IO | SOCK},
    {"SocketTimeoutException", [] { throw SocketTimeoutException(); }, EXC | IO | SOCK | SOCKTO},
    {"SecurityException", [] { throw SecurityException(); }, EXC | SECURITY},
    {"CryptoException", [] { throw CryptoException(); }, EXC | CRYPTO},
    {"SystemException", [] { throw SystemException(); }, EXC | SYSTEM},
    {"SharedLibraryException", [] { throw SharedLibraryException(String("m")); }, EXC | SHLIB},
    {"InterruptedException", [] { throw InterruptedException(); }, EXC | INTERRUPTED},
    {"LockException", [] { throw LockException(); }, EXC | LOCK},
    {"ThreadStateException", [] { throw ThreadStateException(); }, EXC | THREADSTATE},
    {"ThreadPoolException", [] { throw ThreadPoolException(); }, EXC | THREADPOOL},
    {"ResourceException", [] { throw ResourceException(); }, EXC | RESOURCE},
    {"XmlConfigException", [] { throw XmlConfigException(); }, EXC | XMLCONFIG},
};

TEST(ExceptionHierarchy, CaughtAsItsClassAndEveryBaseOnly) {
    for (HierarchyCase const& c : hierarchyCases)
        EXPECT_EQ(caughtAs(c.thrower, AllClasses{}), c.classes) << c.name;
}

TEST(ExceptionHierarchy, DynamicCastThroughTheBaseClass) {
    for (HierarchyCase const& c : hierarchyCases) {
        try {
            c.thrower();
            ADD_FAILURE() << c.name << ": nothing thrown";
        } catch (Exception const& e) {
            EXPECT_EQ(castableTo(&e, AllClasses{}), c.classes) << c.name;
        }
    }
}

// The copy an exception keeps of its cause is of the cause's own class.
TEST(ExceptionHierarchy, CauseKeepsItsClass) {
    for (HierarchyCase const& c : hierarchyCases) {
        std::unique_ptr<Exception> wrapper;
        try {
            c.thrower();
        } catch (Exception const& e) {
            wrapper.reset(new Exception(String("wrapper"), &e));
        }
        ASSERT_NE(wrapper, nullptr) << c.name;
        ASSERT_NE(wrapper->getCause(), nullptr) << c.name;
        EXPECT_EQ(castableTo(wrapper->getCause(), AllClasses{}), c.classes) << c.name;
    }
}

// ---------------------------------------------------------------------------
// toString

enum class Prov { None, F, G, Throws };

struct ToStringCase {
    char const* name;
    int errorId;
    Prov own;                    // the exception's own provider
    Prov given;                  // the argument of toString(provider)
    wchar_t const* withProvider; // toString(given)
    wchar_t const* plain;        // toString()
};

ToStringCase const toStringCases[] = {
    {"error id 0", 0, Prov::None, Prov::None, L"M", L"M"},
    {"error id 0 ignores the given provider", 0, Prov::None, Prov::F, L"M", L"M"},
    {"error id 0 ignores the own provider", 0, Prov::G, Prov::None, L"M", L"M"},
    {"given provider, no space before the parenthesis", 5, Prov::None, Prov::F, L"M(F5)", L"M"},
    {"given provider wins over the own one", 5, Prov::G, Prov::F, L"M(F5)", L"M(G5)"},
    {"null: the own provider", 5, Prov::G, Prov::None, L"M(G5)", L"M(G5)"},
    {"given provider throws, no own one: the message", 5, Prov::None, Prov::Throws, L"M", L"M"},
    {"given provider throws: falls back to toString(), which uses the own one", 5, Prov::G,
     Prov::Throws, L"M(G5)", L"M(G5)"},
    {"own provider throws: the message, no endless fallback", 5, Prov::Throws, Prov::None, L"M",
     L"M"},
    {"own provider throws, given one works", 5, Prov::Throws, Prov::F, L"M(F5)", L"M"},
    {"negative error id (an HRESULT)", -2147024882, Prov::None, Prov::F, L"M(F-2147024882)", L"M"},
};

TEST(ExceptionToString, ProviderSelectionAndFallback) {
    FakeProvider f("F");
    FakeProvider g("G");
    ThrowingProvider throwing;
    auto provider = [&](Prov p) -> IErrorProvider* {
        switch (p) {
        case Prov::F:
            return &f;
        case Prov::G:
            return &g;
        case Prov::Throws:
            return &throwing;
        case Prov::None:
            break;
        }
        return nullptr;
    };
    for (ToStringCase const& c : toStringCases) {
        ProviderException e(String("M"), c.errorId, provider(c.own));
        String withProvider;
        ASSERT_NO_THROW(withProvider = e.toString(provider(c.given))) << c.name;
        EXPECT_EQ(text(withProvider), c.withProvider) << c.name;
        String plain;
        ASSERT_NO_THROW(plain = e.toString()) << c.name;
        EXPECT_EQ(text(plain), c.plain) << c.name;
    }
}

TEST(ExceptionToString, ErrorIdZeroDoesNotAskTheProvider) {
    FakeProvider f("F");
    Exception e(String("M"), 0);
    EXPECT_EQ(text(e.toString(&f)), L"M");
    EXPECT_EQ(f.calls, 0);
}

TEST(ExceptionToString, WithoutAnyProviderTheSystemTextIsUsed) {
    String system = SystemErrorHandler::getInstance()->toString(5);
    std::wstring expected = L"M(" + text(system) + L")";
    Exception e(String("M"), 5);
    EXPECT_EQ(text(e.toString(nullptr)), expected);
    // toString() uses only the exception's own provider.
    EXPECT_EQ(text(e.toString()), L"M");
}

// ---------------------------------------------------------------------------
// Causes

TEST(ExceptionCause, BaseExceptionIsTheEndOfTheChain) {
    FileNotFoundException innermost(String("no file"), 2);
    Exception middle(String("middle"), &innermost);
    InvalidOperationException outer(String("outer"), &middle);

    ASSERT_NE(outer.getCause(), nullptr);
    ASSERT_NE(outer.getCause()->getCause(), nullptr);
    EXPECT_EQ(outer.getCause()->getCause()->getCause(), nullptr);
    Exception const* base = outer.getBaseException();
    EXPECT_EQ(base, outer.getCause()->getCause());
    EXPECT_EQ(text(base->getMessage()), L"no file");
    EXPECT_NE(dynamic_cast<FileNotFoundException const*>(base), nullptr);
    EXPECT_EQ(outer.getErrorId(), 2) << "error ids pass along the chain at construction";
    EXPECT_EQ(middle.getBaseException(), middle.getCause());
    EXPECT_EQ(innermost.getBaseException(), &innermost);
}

TEST(ExceptionCause, TemporaryCauseStaysValid) {
    Exception e(String("outer"), ptr(FileNotFoundException(String("gone"), 2)));
    // The temporary is destroyed; the copy the exception holds is not.
    ASSERT_NE(e.getCause(), nullptr);
    auto const* cause = dynamic_cast<FileNotFoundException const*>(e.getCause());
    ASSERT_NE(cause, nullptr);
    EXPECT_EQ(text(cause->getMessage()), L"gone");
    EXPECT_EQ(cause->getErrorId(), 2);
    EXPECT_EQ(e.getErrorId(), 2);
}

TEST(ExceptionCause, CatchBlockExceptionAsCause) {
    try {
        try {
            throw FileNotFoundException(String("missing.txt"), 2);
        } catch (FileNotFoundException const& e) {
            throw InvalidOperationException(String("cannot load"), &e);
        }
    } catch (InvalidOperationException const& wrapped) {
        // The inner exception object ended with its catch block.
        EXPECT_EQ(text(wrapped.getMessage()), L"cannot load");
        EXPECT_EQ(wrapped.getErrorId(), 2);
        auto const* cause = dynamic_cast<FileNotFoundException const*>(wrapped.getCause());
        ASSERT_NE(cause, nullptr);
        EXPECT_EQ(text(cause->getMessage()), L"missing.txt");
        EXPECT_EQ(cause->getErrorId(), 2);
    }
}

TEST(ExceptionCause, CauseIsACopyNotTheOriginal) {
    ArgumentException original(String("bad"), String("count"));
    Exception e(String("outer"), &original);
    ASSERT_NE(e.getCause(), nullptr);
    EXPECT_NE(e.getCause(), &original);
    auto const* cause = dynamic_cast<ArgumentException const*>(e.getCause());
    ASSERT_NE(cause, nullptr);
    EXPECT_EQ(text(cause->getArgumentName()), L"count");
    EXPECT_EQ(text(cause->getMessage()), L"Argument count: bad");
}

// ---------------------------------------------------------------------------
// Copies

// Every field: message, error id, provider and (deeply copied) cause chain.
::testing::AssertionResult isCopyOf(Exception const& copy, Exception const& source) {
    if (text(copy.getMessage()) != text(source.getMessage()))
        return ::testing::AssertionFailure() << "message differs";
    if (copy.getErrorId() != source.getErrorId())
        return ::testing::AssertionFailure() << "error id " << copy.getErrorId();
    if (copy.getErrorProvider() != source.getErrorProvider())
        return ::testing::AssertionFailure() << "error provider differs";
    Exception const* a = copy.getCause();
    Exception const* b = source.getCause();
    for (int depth = 1; a != nullptr || b != nullptr; ++depth) {
        if (a == nullptr || b == nullptr)
            return ::testing::AssertionFailure() << "chain length differs at " << depth;
        if (a == b)
            return ::testing::AssertionFailure() << "cause " << depth << " is shared";
        if (text(a->getMessage()) != text(b->getMessage()) || a->getErrorId() != b->getErrorId())
            return ::testing::AssertionFailure() << "cause " << depth << " differs";
        if (typeid(*a) != typeid(*b))
            return ::testing::AssertionFailure() << "cause " << depth << " changed its class";
        a = a->getCause();
        b = b->getCause();
    }
    return ::testing::AssertionSuccess();
}

class ExceptionCopy : public ::testing::Test {
protected:
    ExceptionCopy()
        : provider("P"),
          source(new ProviderException(
              String("msg"), 77, &provider,
              ptr(InvalidOperationException(String("middle"),
                                            ptr(FileNotFoundException(String("inner"), 2)))))) {}

    FakeProvider provider;
    std::unique_ptr<ProviderException> source;
};

TEST_F(ExceptionCopy, CopyConstructorCopiesAllFieldsAndTheChain) {
    Exception copy(*source);
    EXPECT_TRUE(isCopyOf(copy, *source));
    EXPECT_EQ(copy.getErrorId(), 77);
    EXPECT_EQ(copy.getErrorProvider(), &provider);

    // The copy outlives its source.
    source.reset();
    ASSERT_NE(copy.getBaseException(), nullptr);
    EXPECT_EQ(text(copy.getBaseException()->getMessage()), L"inner");
    EXPECT_EQ(text(copy.toString()), L"msg(P77)");
}

TEST_F(ExceptionCopy, AssignmentReplacesAllFieldsAndTheChain) {
    Exception target(String("old"), ptr(IOException(String("old cause"), 3)));
    target = *source;
    EXPECT_TRUE(isCopyOf(target, *source));

    source.reset();
    auto const* cause = dynamic_cast<InvalidOperationException const*>(target.getCause());
    ASSERT_NE(cause, nullptr);
    EXPECT_EQ(text(cause->getMessage()), L"middle");
    EXPECT_NE(dynamic_cast<FileNotFoundException const*>(target.getBaseException()), nullptr);
}

TEST_F(ExceptionCopy, AssignmentOfAnExceptionWithoutCauseDropsTheCause) {
    Exception target(*source);
    Exception plain(String("plain"), 1);
    target = plain;
    EXPECT_TRUE(isCopyOf(target, plain));
    EXPECT_EQ(target.getCause(), nullptr);
    EXPECT_EQ(target.getErrorProvider(), nullptr);
}

TEST_F(ExceptionCopy, SelfAssignmentKeepsEverything) {
    Exception target(*source);
    Exception const* causeBefore = target.getCause();
    Exception& alias = target;
    target = alias;
    EXPECT_TRUE(isCopyOf(target, *source));
    EXPECT_EQ(target.getCause(), causeBefore);
}

TEST_F(ExceptionCopy, SubclassCopiesKeepTheirFields) {
    FileNotFoundException fileSource(String("no file"), 2);
    FileNotFoundException fileCopy(fileSource);
    EXPECT_TRUE(isCopyOf(fileCopy, fileSource));
    FileNotFoundException fileTarget;
    fileTarget = fileSource;
    EXPECT_TRUE(isCopyOf(fileTarget, fileSource));

    InvalidOperationException wrapped(String("wrapped"), source.get());
    InvalidOperationException wrappedCopy(wrapped);
    EXPECT_TRUE(isCopyOf(wrappedCopy, wrapped));
    InvalidOperationException wrappedTarget;
    wrappedTarget = wrapped;
    EXPECT_TRUE(isCopyOf(wrappedTarget, wrapped));
}

} // namespace
