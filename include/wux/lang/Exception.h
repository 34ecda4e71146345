//===- wux/lang/Exception.h - The root of wux's exceptions ------*- C++ -*-===//
//
// Every failure of wux is thrown as an object of a class derived from
// Exception; no operation reports failure through a return code. An exception
// carries a message, an optional cause, an error id (a Win32 error code or an
// HRESULT, 0 when none) and an optional error provider that turns the id into
// text.
//
//   try {
//       ...
//   } catch (cpp::io::FileNotFoundException const& e) {
//       wprintf(L"%ls\n", e.toString().getWCStr()); // message(system text)
//   } catch (cpp::lang::Exception const& e) {
//       ...
//   }
//
// Messages are literal texts or are fetched once, at construction, through an
// IResourceLoader by numeric id or by key. A loader that fails leaves the
// message empty; constructing an exception never fails because of it.
//
// Causes: an exception keeps its own copy of the cause it is given (made with
// clone(), so the cause keeps its class), so a cause may be a temporary or the
// exception of a catch block that ends before the new exception is caught.
// getCause() points at that copy, valid for as long as this exception lives.
// Classes derived outside the library override clone() to keep their class
// in cause chains; otherwise the copy is of the nearest class that does.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_EXCEPTION_H
#define WUX_LANG_EXCEPTION_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {

class IResourceLoader;
class IErrorProvider;

class WUX_API Exception {
public:
    /// The error id meaning "no error id".
    static int const NO_MAPPED_ERROR_ID = 0;

    /// Empty message, no cause, error id 0.
    Exception();
    Exception(String const& msg, int errorId);
    /// Error id taken from \p cause (0 when null).
    Exception(String const& msg, Exception const* cause);
    /// Message cause->toString() (empty when null), error id of \p cause.
    explicit Exception(Exception const* cause);
    Exception(IResourceLoader* loader, unsigned int id, int errorId);
    Exception(IResourceLoader* loader, String const& key, int errorId);
    Exception(IResourceLoader* loader, unsigned int id, Exception const* cause);
    Exception(IResourceLoader* loader, String const& key, Exception const* cause);
    Exception(Exception const& other);
    Exception& operator=(Exception const& other);
    virtual ~Exception();

    /// The message followed directly by the provider's text for the error id
    /// in parentheses ("message(text)"); the provider is \p provider, else
    /// the exception's own, else SystemErrorHandler. With error id 0, or when
    /// the provider fails, the message alone.
    virtual String toString(IErrorProvider* provider) const;
    /// toString(own provider) when one is set and the error id is not 0;
    /// otherwise the message.
    virtual String toString() const;
    virtual String getMessage() const;
    /// The last exception of the cause chain; this one when it has no cause.
    virtual Exception const* getBaseException() const;

    Exception const* getCause() const { return _cause; }
    int getErrorId() const { return _errorId; }
    IErrorProvider* getErrorProvider() const { return _errorProvider; }

protected:
    /// Stores a copy of \p cause (null clears it).
    void setCause(Exception const* cause);
    void setErrorId(int errorId) { _errorId = errorId; }
    void setMessage(String const& msg);
    void setErrorProvider(IErrorProvider* provider) { _errorProvider = provider; }
    /// Loads the message through \p loader; failures leave it empty.
    void loadMessage(IResourceLoader* loader, unsigned int id);
    void loadMessage(IResourceLoader* loader, String const& key);

    /// A heap copy of this exception of its own class; used to keep causes.
    virtual Exception* clone() const;

private:
    String _message;
    Exception* _cause;
    int _errorId;
    IErrorProvider* _errorProvider;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_EXCEPTION_H
