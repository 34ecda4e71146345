// Explicit template instantiations for the Crypto++ subset library.
//
// Crypto++'s headers declare some template instantiations `extern` (through
// CRYPTOPP_DLL_TEMPLATE_CLASS); the library normally defines them in dll.cpp,
// which also references most other algorithms. Defining
// CRYPTOPP_MANUALLY_INSTANTIATE_TEMPLATES before the headers turns those
// declarations into definitions here, for the headers the subset uses.
// (strciphr.h then also compiles strciphr.cpp, and iterhash.cpp does its own.)
#define CRYPTOPP_MANUALLY_INSTANTIATE_TEMPLATES

#include "algparam.h"
#include "filters.h"
#include "modes.h"
#include "secblock.h"
#include "strciphr.h"

NAMESPACE_BEGIN(CryptoPP)

// misc.h declares this specialization; the library defines it in integer.cpp,
// which is not part of the subset (it brings in the big-integer arithmetic).
// Same conversion: digits of value in the given base, lowercase unless the
// high bit of base asks for uppercase.
template <>
std::string IntToString<word64>(word64 value, unsigned int base)
{
    const unsigned int HIGH_BIT = (1U << 31);
    const char CH = !!(base & HIGH_BIT) ? 'A' : 'a';
    base &= ~HIGH_BIT;

    CRYPTOPP_ASSERT(base >= 2);
    if (value == 0)
        return "0";

    std::string result;
    while (value > 0) {
        const word64 digit = value % base;
        result = char((digit < 10 ? '0' : (CH - 10)) + digit) + result;
        value /= base;
    }
    return result;
}

NAMESPACE_END
