#include "wux/lang/Exception.h"

#include "wux/lang/IErrorProvider.h"
#include "wux/lang/IResourceLoader.h"
#include "wux/lang/SystemErrorHandler.h"

namespace cpp {
namespace lang {

namespace {

int errorIdOf(Exception const* cause) {
    return cause != nullptr ? cause->getErrorId() : Exception::NO_MAPPED_ERROR_ID;
}

} // namespace

Exception::Exception() : _cause(nullptr), _errorId(NO_MAPPED_ERROR_ID), _errorProvider(nullptr) {}

Exception::Exception(String const& msg, int errorId)
    : _message(msg), _cause(nullptr), _errorId(errorId), _errorProvider(nullptr) {}

Exception::Exception(String const& msg, Exception const* cause)
    : _message(msg), _cause(nullptr), _errorId(errorIdOf(cause)), _errorProvider(nullptr) {
    setCause(cause);
}

Exception::Exception(Exception const* cause)
    : _cause(nullptr), _errorId(errorIdOf(cause)), _errorProvider(nullptr) {
    if (cause != nullptr)
        _message = cause->toString();
    setCause(cause);
}

Exception::Exception(IResourceLoader* loader, unsigned int id, int errorId)
    : _cause(nullptr), _errorId(errorId), _errorProvider(nullptr) {
    loadMessage(loader, id);
}

Exception::Exception(IResourceLoader* loader, String const& key, int errorId)
    : _cause(nullptr), _errorId(errorId), _errorProvider(nullptr) {
    loadMessage(loader, key);
}

Exception::Exception(IResourceLoader* loader, unsigned int id, Exception const* cause)
    : _cause(nullptr), _errorId(errorIdOf(cause)), _errorProvider(nullptr) {
    loadMessage(loader, id);
    setCause(cause);
}

Exception::Exception(IResourceLoader* loader, String const& key, Exception const* cause)
    : _cause(nullptr), _errorId(errorIdOf(cause)), _errorProvider(nullptr) {
    loadMessage(loader, key);
    setCause(cause);
}

Exception::Exception(Exception const& other)
    : _message(other._message), _cause(nullptr), _errorId(other._errorId),
      _errorProvider(other._errorProvider) {
    if (other._cause != nullptr)
        _cause = other._cause->clone();
}

Exception& Exception::operator=(Exception const& other) {
    if (this != &other) {
        Exception* cause = other._cause != nullptr ? other._cause->clone() : nullptr;
        try {
            _message = other._message;
        } catch (...) {
            delete cause;
            throw;
        }
        delete _cause;
        _cause = cause;
        _errorId = other._errorId;
        _errorProvider = other._errorProvider;
    }
    return *this;
}

Exception::~Exception() {
    delete _cause;
}

void Exception::setCause(Exception const* cause) {
    // The cause is copied: callers often pass the exception of a catch block
    // (or a temporary) that is gone before the new exception is caught.
    Exception* copy = cause != nullptr ? cause->clone() : nullptr;
    delete _cause;
    _cause = copy;
}

void Exception::setMessage(String const& msg) {
    _message = msg;
}

void Exception::loadMessage(IResourceLoader* loader, unsigned int id) {
    if (loader == nullptr)
        return;
    try {
        _message = loader->loadString(id);
    } catch (...) {
        // A failing loader leaves the message as far as it got.
    }
}

void Exception::loadMessage(IResourceLoader* loader, String const& key) {
    if (loader == nullptr)
        return;
    try {
        _message = loader->loadString(key);
    } catch (...) {
        // A failing loader leaves the message as far as it got.
    }
}

String Exception::toString(IErrorProvider* provider) const {
    if (_errorId == NO_MAPPED_ERROR_ID)
        return toString();
    IErrorProvider* p = provider;
    if (p == nullptr)
        p = _errorProvider;
    try {
        if (p == nullptr)
            p = SystemErrorHandler::getInstance();
        String text = p->toString(_errorId);
        String result(_message.getAllocator());
        result.format(L"%s(%s)", _message.getCStr(), text.getCStr());
        return result;
    } catch (...) {
        // toString() asks the own provider: when that is the one that just
        // failed, the message is all there is to give.
        if (p == _errorProvider)
            return _message;
        return toString();
    }
}

String Exception::toString() const {
    if (_errorProvider != nullptr && _errorId != NO_MAPPED_ERROR_ID)
        return toString(_errorProvider);
    return _message;
}

String Exception::getMessage() const {
    return _message;
}

Exception const* Exception::getBaseException() const {
    Exception const* e = this;
    while (e->_cause != nullptr)
        e = e->_cause;
    return e;
}

Exception* Exception::clone() const {
    return new Exception(*this);
}

} // namespace lang
} // namespace cpp
