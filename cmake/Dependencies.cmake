# Third-party libraries built by scripts/deps.sh into .deps/<triple>/.
# WUX_DEPS_DIR points at that folder; its prefixes are searched as part of the
# find root, since cross-compiling searches only re-rooted paths.
set(WUX_DEPS_DIR "${CMAKE_SOURCE_DIR}/.deps/${WUX_TARGET_TRIPLE}" CACHE PATH
    "Install prefixes of expat and Crypto++ for the target")
file(GLOB _wux_dep_prefixes LIST_DIRECTORIES true "${WUX_DEPS_DIR}/*")
list(APPEND CMAKE_FIND_ROOT_PATH ${_wux_dep_prefixes})

find_package(expat CONFIG REQUIRED)
find_package(cryptopp CONFIG REQUIRED)
