//===- wux/lang/IErrorProvider.h - Texts for error ids ----------*- C++ -*-===//
//
// IErrorProvider turns the error id an Exception carries (a Win32 error code
// or an HRESULT) into readable text. SystemErrorHandler is the library's
// implementation over the operating system's message tables.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_IERRORPROVIDER_H
#define WUX_LANG_IERRORPROVIDER_H

#include "wux/lang/Export.h"
#include "wux/lang/String.h"

namespace cpp {
namespace lang {

class WUX_API IErrorProvider {
public:
    virtual ~IErrorProvider();
    /// \p prefix directly followed by the text of \p errorId.
    virtual String toString(String const& prefix, int errorId) const = 0;
    /// The text of \p errorId.
    virtual String toString(int errorId) const = 0;
    /// A short name of the provider ("System").
    virtual String getProviderName() const = 0;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_IERRORPROVIDER_H
