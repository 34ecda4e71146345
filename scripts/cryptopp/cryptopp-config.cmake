# Package configuration of the Crypto++ subset built by scripts/cryptopp:
# defines the imported static library target cryptopp::cryptopp, whose
# include directory holds the headers as cryptopp/<name>.h.
include("${CMAKE_CURRENT_LIST_DIR}/cryptopp-targets.cmake")
