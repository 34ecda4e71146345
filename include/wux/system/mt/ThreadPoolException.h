//===- wux/system/mt/ThreadPoolException.h ----------------------*- C++ -*-===//
//
// A failure of the thread pool.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_SYSTEM_MT_THREADPOOLEXCEPTION_H
#define WUX_SYSTEM_MT_THREADPOOLEXCEPTION_H

#include "wux/lang/Exception.h"
#include "wux/lang/Export.h"
#include "wux/lang/IResourceLoader.h"

namespace cpp {
namespace system {
namespace mt {

class WUX_API ThreadPoolException : public lang::Exception {
public:
    /// An empty message.
    ThreadPoolException();
    /// Message.
    explicit ThreadPoolException(lang::String const& msg);
    /// Message loaded by id, error id.
    ThreadPoolException(lang::IResourceLoader* loader, unsigned int id, int errorId);
    /// Message loaded by key, error id.
    ThreadPoolException(lang::IResourceLoader* loader, lang::String const& key, int errorId);
    ThreadPoolException(ThreadPoolException const& other);
    ThreadPoolException& operator=(ThreadPoolException const& other);
    ~ThreadPoolException() override;

protected:
    lang::Exception* clone() const override;
};

} // namespace mt
} // namespace system
} // namespace cpp

#endif // WUX_SYSTEM_MT_THREADPOOLEXCEPTION_H
