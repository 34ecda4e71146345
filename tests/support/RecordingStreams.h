//===- RecordingStreams.h - Streams that record their calls -----*- C++ -*-===//
//
// Test streams for the decorating streams: each call that reaches them is
// appended to a CallLog that outlives them (so that a stream deleted by its
// owner still leaves "destroyed" behind), and each can be told to fail.
//
//   CallLog log;
//   auto* sink = new RecordingOutputStream(&log);
//   BufferedOutputStream out(sink, true);
//   out.write(0x41);
//   out.close();
//   log.text();   // "write[1] flush close destroyed"
//
// RecordingOutputStream logs block writes as write[n] and single bytes as
// put:XX (hex); it keeps every byte received in data() and each block write
// in blocks(). RecordingInputStream serves a byte sequence, logs block reads
// as read[n] and single-byte reads as read1, and answers available() with
// the bytes left or with a fixed value.
//
// throwsExactly<E>(op, message[, argument]) checks that op throws an
// exception of exactly class E with the stored message given (and, for
// ArgumentException, the argument name and the composed getMessage()).
//
//===----------------------------------------------------------------------===//
#ifndef WUX_TESTS_SUPPORT_RECORDINGSTREAMS_H
#define WUX_TESTS_SUPPORT_RECORDINGSTREAMS_H

#include "wux/io/IOException.h"
#include "wux/io/InputStream.h"
#include "wux/io/OutputStream.h"
#include "wux/lang/ArgumentException.h"
#include "wux/lang/Exception.h"
#include "wux/lang/String.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <typeinfo>
#include <vector>

namespace wuxtest {

typedef std::vector<unsigned char> Bytes;

/// "01 02 FF": the bytes in hex, separated by blanks.
inline std::string hex(unsigned char const* p, std::size_t n) {
    std::string s;
    char part[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(part, sizeof part, "%02X", p[i]);
        if (i != 0)
            s += ' ';
        s += part;
    }
    return s;
}

inline std::string hex(Bytes const& b) {
    return hex(b.data(), b.size());
}

/// The bytes of a text like "01 02 FF".
inline Bytes bytesOf(char const* text) {
    Bytes b;
    unsigned int v = 0;
    int digits = 0;
    for (char const* p = text; *p != 0; ++p) {
        char c = *p;
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : -1;
        if (d < 0)
            continue;
        v = v * 16 + static_cast<unsigned int>(d);
        if (++digits == 2) {
            b.push_back(static_cast<unsigned char>(v));
            v = 0;
            digits = 0;
        }
    }
    return b;
}

/// The units of \p s as narrow text (non-ASCII units become '?').
inline std::string narrow(cpp::lang::String const& s) {
    std::string r;
    for (unsigned int i = 0; i < s.getLength(); ++i) {
        unsigned short u = s.getCStr()[i];
        r += u < 0x80 ? static_cast<char>(u) : '?';
    }
    return r;
}

template <class E, class Op>
::testing::AssertionResult throwsExactly(Op op, char const* message,
                                         char const* argument = nullptr) {
    try {
        op();
    } catch (cpp::lang::Exception const& e) {
        if (typeid(e) != typeid(E))
            return ::testing::AssertionFailure()
                   << "threw " << typeid(e).name() << " \"" << narrow(e.toString()) << "\"";
        std::string const stored = narrow(e.Exception::getMessage());
        if (stored != message)
            return ::testing::AssertionFailure() << "message \"" << stored << "\"";
        if (argument != nullptr) {
            auto const* a = dynamic_cast<cpp::lang::ArgumentException const*>(&e);
            if (a == nullptr)
                return ::testing::AssertionFailure() << "not an ArgumentException";
            if (narrow(a->getArgumentName()) != argument)
                return ::testing::AssertionFailure()
                       << "argument name \"" << narrow(a->getArgumentName()) << "\"";
            std::string const composed = std::string("Argument ") + argument + ": " + message;
            if (narrow(a->getMessage()) != composed)
                return ::testing::AssertionFailure()
                       << "getMessage() \"" << narrow(a->getMessage()) << "\"";
        }
        return ::testing::AssertionSuccess();
    } catch (...) {
        return ::testing::AssertionFailure() << "threw something that is not a wux exception";
    }
    return ::testing::AssertionFailure() << "nothing was thrown";
}

/// Names the instances of a parameterised test after the name field of
/// their case.
struct CaseName {
    template <class P> std::string operator()(::testing::TestParamInfo<P> const& p) const {
        return p.param.name;
    }
};

struct CallLog {
    std::vector<std::string> calls;

    void add(std::string const& call) { calls.push_back(call); }
    /// The calls separated by blanks.
    std::string text() const {
        std::string s;
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (i != 0)
                s += ' ';
            s += calls[i];
        }
        return s;
    }
    bool has(std::string const& call) const {
        for (auto const& c : calls)
            if (c == call)
                return true;
        return false;
    }
    std::size_t count(std::string const& call) const {
        std::size_t n = 0;
        for (auto const& c : calls)
            if (c == call)
                ++n;
        return n;
    }
    void clear() { calls.clear(); }
};

class RecordingOutputStream : public cpp::io::OutputStream {
public:
    explicit RecordingOutputStream(CallLog* log) : _log(log) {}
    ~RecordingOutputStream() override { _log->add("destroyed"); }

    void write(unsigned char const* bytes, unsigned int count) override {
        _log->add("write[" + std::to_string(count) + "]");
        if (failWrite)
            throw cpp::io::IOException(cpp::lang::String("write failed"));
        _blocks.push_back(Bytes(bytes, bytes + count));
        _data.insert(_data.end(), bytes, bytes + count);
    }
    void write(int b) override {
        unsigned char byte = static_cast<unsigned char>(b & 0xFF);
        _log->add("put:" + hex(&byte, 1));
        if (failWrite)
            throw cpp::io::IOException(cpp::lang::String("write failed"));
        _data.push_back(byte);
    }
    __int64 seek(__int64 offset, cpp::io::SeekOrigin origin) override {
        _log->add("seek(" + std::to_string(offset) + "," + std::to_string(origin) + ")");
        return seekResult;
    }
    void flush() override {
        _log->add("flush");
        if (failFlush)
            throw cpp::io::IOException(cpp::lang::String("flush failed"));
    }
    void close() override {
        _log->add("close");
        if (failClose)
            throw cpp::io::IOException(cpp::lang::String("close failed"));
    }
    unsigned char const* getBuffer() const override {
        return _data.empty() ? nullptr : _data.data();
    }

    Bytes const& data() const { return _data; }
    std::vector<Bytes> const& blocks() const { return _blocks; }

    bool failWrite = false;
    bool failFlush = false;
    bool failClose = false;
    __int64 seekResult = 0;

private:
    CallLog* _log;
    Bytes _data;
    std::vector<Bytes> _blocks;
};

class RecordingInputStream : public cpp::io::InputStream {
public:
    RecordingInputStream(CallLog* log, Bytes data) : _log(log), _data(std::move(data)) {}
    ~RecordingInputStream() override { _log->add("destroyed"); }

    int read(unsigned char* bytes, int count) override {
        _log->add("read[" + std::to_string(count) + "]");
        if (count <= 0)
            return 0;
        std::size_t left = _data.size() - _pos;
        if (left == 0)
            return endResult;
        std::size_t n =
            static_cast<std::size_t>(count) < left ? static_cast<std::size_t>(count) : left;
        if (maxPerRead != 0 && n > maxPerRead)
            n = maxPerRead;
        for (std::size_t i = 0; i < n; ++i)
            bytes[i] = _data[_pos + i];
        _pos += n;
        return static_cast<int>(n);
    }
    int read() override {
        _log->add("read1");
        if (_pos >= _data.size())
            return -1;
        return _data[_pos++];
    }
    __int64 seek(__int64 offset, cpp::io::SeekOrigin origin) override {
        _log->add("seek(" + std::to_string(offset) + "," + std::to_string(origin) + ")");
        if (failSeek)
            throw cpp::io::IOException(cpp::lang::String("seek failed"));
        __int64 base = origin == cpp::io::Begin     ? 0
                       : origin == cpp::io::Current ? static_cast<__int64>(_pos)
                                                    : static_cast<__int64>(_data.size());
        __int64 target = base + offset;
        if (target < 0)
            target = 0;
        if (target > static_cast<__int64>(_data.size()))
            target = static_cast<__int64>(_data.size());
        _pos = static_cast<std::size_t>(target);
        return target;
    }
    void close() override {
        _log->add("close");
        if (failClose)
            throw cpp::io::IOException(cpp::lang::String("close failed"));
    }
    __int64 available() const override {
        if (failAvailable)
            throw cpp::io::IOException(cpp::lang::String("available failed"));
        if (fixedAvailable >= 0)
            return fixedAvailable;
        return static_cast<__int64>(_data.size() - _pos);
    }

    std::size_t position() const { return _pos; }

    /// What a block read returns at the end of the data (-1, or 0 for
    /// streams that answer so).
    int endResult = -1;
    /// Non-zero: no block read returns more than this.
    std::size_t maxPerRead = 0;
    /// 0 or more: available() answers this instead of the bytes left.
    __int64 fixedAvailable = -1;
    bool failClose = false;
    bool failSeek = false;
    bool failAvailable = false;

private:
    CallLog* _log;
    Bytes _data;
    std::size_t _pos = 0;
};

} // namespace wuxtest

#endif // WUX_TESTS_SUPPORT_RECORDINGSTREAMS_H
