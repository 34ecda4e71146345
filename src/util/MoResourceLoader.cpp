#include "wux/util/MoResourceLoader.h"

#include "util/MoCatalog.h"
#include "wux/io/FileInputStream.h"
#include "wux/io/FileMode.h"
#include "wux/lang/IAllocator.h"
#include "wux/lang/NotImplementedException.h"
#include "wux/util/ResourceException.h"

namespace cpp {
namespace util {

using lang::String;

namespace {

// The most bytes one read asks for.
int const READ_BLOCK = 1 << 20;

// A block of the default allocator, given back when the holder goes.
class ByteBuffer {
public:
    explicit ByteBuffer(unsigned int size)
        : _allocator(lang::IAllocator::getWUXAllocator()),
          _bytes(static_cast<unsigned char*>(_allocator->malloc(size == 0 ? 1 : size))) {}
    ByteBuffer(ByteBuffer const&) = delete;
    ByteBuffer& operator=(ByteBuffer const&) = delete;
    ~ByteBuffer() { _allocator->free(_bytes); }

    unsigned char* get() const { return _bytes; }

private:
    lang::IAllocator* _allocator;
    unsigned char* _bytes;
};

} // namespace

MoResourceLoader::MoResourceLoader(String const& fileName)
    : _fileName(fileName), _locale(nullptr), _fileHandle(nullptr) {
    init(fileName);
}

MoResourceLoader::MoResourceLoader(String const& fileName, global::Locale const* locale)
    : _fileName(fileName), _locale(locale), _fileHandle(nullptr) {
    init(fileName);
}

MoResourceLoader::MoResourceLoader(MoResourceLoader const& other)
    : lang::IResourceLoader(other), _fileName(other._fileName), _locale(other._locale),
      _fileHandle(nullptr), _messages(other._messages) {}

MoResourceLoader& MoResourceLoader::operator=(MoResourceLoader const& other) {
    if (this != &other) {
        MessageMap messages(other._messages);
        _fileName = other._fileName;
        _locale = other._locale;
        _messages.swap(messages);
    }
    return *this;
}

MoResourceLoader::~MoResourceLoader() = default;

String MoResourceLoader::loadString(String const& key) {
    return find(key);
}

String MoResourceLoader::loadString(unsigned int) {
    throw lang::NotImplementedException();
}

String MoResourceLoader::getResourceFileName() const {
    return _fileName;
}

global::Locale const* MoResourceLoader::getLocale() const {
    return _locale;
}

void* MoResourceLoader::getResourceFileHandle() const {
    return _fileHandle;
}

MoResourceLoader::MessageMap const& MoResourceLoader::getMessages() const {
    return _messages;
}

void MoResourceLoader::init(String const& fileName) {
    io::FileInputStream in(fileName, io::ReadWrite);
    __int64 available = in.available();
    unsigned __int64 size = available < 0 ? 0 : static_cast<unsigned __int64>(available);
    // Checked before the buffer is taken: a larger file cannot be a catalog.
    if (size > LARGEST_MO_CATALOG)
        throwNotMoCatalog(fileName);
    ByteBuffer buffer(static_cast<unsigned int>(size));
    unsigned __int64 got = 0;
    while (got < size) {
        unsigned __int64 left = size - got;
        int n = in.read(buffer.get() + got, left < static_cast<unsigned __int64>(READ_BLOCK)
                                                ? static_cast<int>(left)
                                                : READ_BLOCK);
        if (n <= 0)
            break;
        got += static_cast<unsigned int>(n);
    }
    in.close();
    if (got < size) {
        String message;
        message.format(L"mo file for domain '%s' not found.", fileName.getWCStr());
        throw ResourceException(message);
    }

    // Parsed into a map of its own, so that a failure leaves nothing behind.
    MessageMap messages;
    readMoCatalog(buffer.get(), size, fileName, messages);
    _messages.swap(messages);
}

String MoResourceLoader::find(String const& key) const {
    MessageMap::const_iterator it = _messages.find(key);
    if (it == _messages.end())
        return key;
    return it->second;
}

} // namespace util
} // namespace cpp
