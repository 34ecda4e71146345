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
#include <string>
#include <vector>

using cpp::lang::ArgumentException;
using cpp::lang::Exception;
using cpp::lang::IAllocator;
using cpp::lang::OutOfRangeException;
using cpp::lang::String;
using cpp::text::Conversion;
using cpp::text::EncodingType;

namespace {

// Text for the console: UTF-8 bytes (the console is switched to UTF-8).
std::string u8(String const& s) {
    cpp::text::UTF8Conversion utf8;
    std::string bytes(utf8.getByteCount(s), '\0');
    bytes.resize(utf8.toBytes(s, &bytes[0], static_cast<unsigned int>(bytes.size())));
    return bytes;
}

void show(char const* what, String const& s) {
    std::printf("%-34s \"%s\" (length %u, capacity %u)\n", what, u8(s).c_str(), s.getLength(),
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
        std::printf("s.at(3) threw OutOfRangeException: %s\n", u8(e.getMessage()).c_str());
    }
    try {
        s.append(static_cast<unsigned short const*>(nullptr));
    } catch (ArgumentException const& e) {
        std::printf("append(null) threw ArgumentException: %s\n", u8(e.getMessage()).c_str());
    }
    // An exception with a Win32 error id: toString() adds the system's text.
    Exception e(String("Opening the settings failed"), static_cast<int>(ERROR_FILE_NOT_FOUND));
    std::printf("with error id %d: %s\n", e.getErrorId(), u8(e.toString(nullptr)).c_str());
    // A cause chain: the outer exception keeps its own copy of the cause.
    try {
        try {
            throw Exception(String("disk full"), 112);
        } catch (Exception const& inner) {
            throw Exception(String("Saving failed"), &inner);
        }
    } catch (Exception const& outer) {
        std::printf("%s, because: %s\n", u8(outer.getMessage()).c_str(),
                    u8(outer.getBaseException()->toString(nullptr)).c_str());
    }
}

void hex(char const* what, unsigned char const* bytes, unsigned int n) {
    std::printf("%-24s", what);
    for (unsigned int i = 0; i < n; ++i)
        std::printf(" %02X", bytes[i]);
    std::printf("\n");
}

// Text through a byte encoding and back: the bytes differ, the text does not.
void roundTrip(char const* name, Conversion const& conversion, String const& text) {
    std::vector<unsigned char> bytes(conversion.getByteCount(text));
    unsigned int n =
        conversion.toBytes(text, bytes.data(), static_cast<unsigned int>(bytes.size()));
    hex(name, bytes.data(), n);
    String back = Conversion::toString(bytes.data(), n, conversion.getEncodingType());
    std::printf("%-24s %s\n",
                "  back to UTF-16:", back.compare(text) == 0 ? "same text" : "DIFFERENT");
}

void textAndNumbers() {
    std::printf("\n== Searching, splitting, formatting\n");
    String csv(L"name, size ,date");
    std::vector<String> fields;
    csv.split(',', fields);
    for (String const& f : fields)
        std::printf("field [%s] trimmed [%s]\n", u8(f).c_str(), u8(f.trim(' ')).c_str());
    std::printf("find(\"size\") = %u, rfind('e') = %u\n", csv.find("size"),
                csv.rfind(static_cast<unsigned short>('e')));
    String message;
    message.format(L"%s holds %d items, %I64d bytes", L"archive.zip", 42, 5000000000LL);
    std::printf("format: %s\n", u8(message).c_str());
    String numbers;
    numbers << 7 << L' ' << 2.5 << L' ' << true;
    std::printf("numbers: %s\n", u8(numbers).c_str());

    std::printf("\n== Conversions (\"gr\u00fc\u00dfe \u4e16\u754c \U0001F600\")\n");
    String text(L"gr\u00fc\u00dfe \u4e16\u754c \U0001F600");
    roundTrip("UTF-8:", cpp::text::UTF8Conversion(), text);
    roundTrip("UTF-7:", cpp::text::UTF7Conversion(), text);
    roundTrip("UTF-32LE:", cpp::text::UTF32LEConversion(), text);
}

void dataStreams() {
    using namespace cpp::io;
    std::printf("\n== A record in the big-endian data layout\n");
    cpp::text::UTF8Conversion utf8;
    std::vector<unsigned char> bytes;
    MemoryOutputStream mem;
    {
        DataOutputStream out(&mem, false);
        out.writeInt(42);
        out.writeString(String(L"caf\u00e9"));
        out.writeString(String(L"caf\u00e9"), &utf8);
        out.writeInt64(-2);
        out.writeBool(true);
        // Closing the data stream closes the memory stream: copy first.
        bytes.assign(mem.getBuffer(), mem.getBuffer() + mem.getLength());
    }
    hex("record bytes:", bytes.data(), static_cast<unsigned int>(bytes.size()));
    DataInputStream in(
        new MemoryInputStream(bytes.data(), static_cast<unsigned int>(bytes.size()), false), true);
    int i = in.readInt();
    String s1 = in.readString();
    String s2;
    in.readString(&utf8, s2);
    long long big = in.readInt64();
    bool flag = in.readBool();
    std::printf("read back: %d, \"%s\", \"%s\", %lld, %s\n", i, u8(s1).c_str(), u8(s2).c_str(), big,
                flag ? "true" : "false");

    std::printf("\n== Nested chunks with patched lengths\n");
    MemoryOutputStream chunkBytes;
    {
        cpp::system::DataChunkOutputStream out(&chunkBytes, false, false,
                                               IAllocator::getWUXAllocator());
        out.startChunk(1);
        out.writeInt(5);
        out.startChunk(2);
        out.writeByte(7);
        out.endChunk();
        out.endChunk();
        out.close();
    }
    hex("chunk 1 { 5, chunk 2 { 7 } }:", chunkBytes.getBuffer(), chunkBytes.getLength());
}

void filesAndFolders() {
    using namespace cpp::io;
    using cpp::global::Date;
    std::printf("\n== Files and folders\n");
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    Directory folder(String(temp) + L"wux-example");
    if (folder.exists())
        folder.removeTree();
    folder.create();

    // Write a small file through a file stream, then copy it block by block.
    String source = folder.getFullName() + L"\\notes.txt";
    {
        FileOutputStream out(source, FileMode::CreateNew, FileShare::None);
        char const text[] = "wux writes this file and copies it.\r\n";
        for (int i = 0; i < 100; ++i)
            out.write(reinterpret_cast<unsigned char const*>(text), sizeof text - 1);
    }
    {
        FileInputStream in(source, FileShare::Read);
        FileOutputStream out(folder.getFullName() + L"\\copy.txt", FileMode::CreateNew,
                             FileShare::None);
        unsigned char block[4096];
        for (int n; (n = in.read(block, sizeof block)) > 0;)
            out.write(block, static_cast<unsigned int>(n));
    }
    folder.createSubDirectory(String(L"archive"));

    std::vector<SystemFile*> entries;
    folder.list(entries, String(L"*"));
    for (SystemFile* e : entries) {
        Date changed(e->getLastModified());
        File* file = dynamic_cast<File*>(e);
        std::printf("%-10s %-12s %8lld bytes  %04d-%02u-%02u %02u:%02u UTC\n",
                    file != nullptr ? "file" : "folder", u8(e->getName()).c_str(),
                    file != nullptr ? static_cast<long long>(file->getLength()) : 0LL,
                    changed.getYear(), changed.getMonth(), changed.getDay(), changed.getHours(),
                    changed.getMinutes());
        delete e;
    }

    // A missing file: the exception class says what went wrong.
    try {
        FileInputStream in(folder.getFullName() + L"\\missing.txt", FileShare::Read);
    } catch (FileNotFoundException const& e) {
        std::printf("opening a missing file threw FileNotFoundException \"%s\"\n",
                    u8(e.getMessage()).c_str());
    }
    folder.removeTree();
}

// Text files: a UTF-16LE file with its byte-order mark written by
// StreamWriter, a UTF-8 file without a mark written as raw bytes; StreamReader
// finds out which is which and reads both line by line.
void textFiles() {
    using namespace cpp::io;
    std::printf("\n== Text files\n");
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    String utf16 = String(temp) + L"wux-example-utf16.txt";
    String utf8 = String(temp) + L"wux-example-utf8.txt";
    {
        StreamWriter out(utf16, false, cpp::text::UTF16LE);
        out.writeLine(String(L"first line"));
        out.writeLine(String(L"gr\u00fc\u00dfe \U0001F600"));
        out.close();
    }
    {
        FileOutputStream out(utf8, FileMode::Create, FileShare::None);
        char const text[] = "caf\xC3\xA9\r\nna\xC3\xAFve\nlast line without an end";
        out.write(reinterpret_cast<unsigned char const*>(text), sizeof text - 1);
    }
    for (String const& name : {utf16, utf8}) {
        StreamReader reader(name);
        std::printf("%s (%s):\n", u8(Path::getFileName(name)).c_str(),
                    u8(cpp::text::Encoding::getEncodingName(reader.getEncodingType())).c_str());
        while (reader.hasMore())
            std::printf("  [%s]\n", u8(reader.readLine()).c_str());
        reader.close();
        File(name).remove();
    }
}

// The library's own texts come from a GNU gettext catalog shipped beside
// wux.dll (locale\en_US\wux.mo). Until the library sets up its loader itself,
// the application installs one.
void messageCatalog() {
    using namespace cpp::io;
    std::printf("\n== Messages from the shipped catalog\n");
    String folder = Path::getCurrentModulePath();
    String catalog = Path::combine(folder, String(L"locale\\en_US\\wux.mo"));
    cpp::util::MoResourceLoader english(catalog);
    cpp::util::interim::setLibraryLoader(&english);
    try {
        FileInputStream in(String(L"no-such-file.txt"), FileShare::Read);
    } catch (FileNotFoundException const& e) {
        std::printf("FileNotFoundException: %s\n", u8(e.toString()).c_str());
    }
    cpp::util::interim::setLibraryLoader(nullptr); // before `english` goes away
}

} // namespace

int main() {
    SetConsoleOutputCP(CP_UTF8);
    strings();
    exceptions();
    textAndNumbers();
    dataStreams();
    filesAndFolders();
    textFiles();
    messageCatalog();
    return 0;
}
