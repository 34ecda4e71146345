//===- wux/lang/SystemErrorHandler.h - Operating-system texts ---*- C++ -*-===//
//
// The process-wide IErrorProvider backed by FormatMessageW (and, for WinINet's
// extended error 12003, by the server's last response text).
//
//   String text = SystemErrorHandler::getInstance()->toString(2);
//   // "The system cannot find the file specified." on Windows
//
// An error id without a system text gives back the prefix unchanged; the
// handler never throws for an unknown id. getInstance() is not locked: the
// first call normally happens during start-up.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_LANG_SYSTEMERRORHANDLER_H
#define WUX_LANG_SYSTEMERRORHANDLER_H

#include "wux/lang/Export.h"
#include "wux/lang/IErrorProvider.h"

namespace cpp {
namespace lang {

class WUX_API SystemErrorHandler : public IErrorProvider {
public:
    /// The singleton, created on first use.
    static SystemErrorHandler* getInstance();
    /// Destroys the singleton; a later getInstance() creates a new one.
    static void delInstance();

    ~SystemErrorHandler() override;
    /// \p prefix directly followed by the system text of \p errorId without
    /// its trailing line end; \p prefix alone when there is no such text.
    String toString(String const& prefix, int errorId) const override;
    String toString(int errorId) const override;
    /// "System".
    String getProviderName() const override;

private:
    SystemErrorHandler() {}
    SystemErrorHandler(SystemErrorHandler const&) = delete;
    SystemErrorHandler& operator=(SystemErrorHandler const&) = delete;
};

} // namespace lang
} // namespace cpp

#endif // WUX_LANG_SYSTEMERRORHANDLER_H
