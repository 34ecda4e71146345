#!/usr/bin/env bash
# Builds the third-party libraries wux links against (expat and a subset of
# Crypto++) as static libraries for a Windows target with mingw-w64, from
# Debian's source packages, and installs each into a cache folder
# .deps/<target>/<package>-<debian version>/ that find_package(... CONFIG)
# can use.
#
# Usage:
#   scripts/deps.sh <target>       target: x86_64-w64-mingw32 | i686-w64-mingw32
#   scripts/deps.sh --tools        only install the build tools (apt-get)
#   source scripts/deps.sh         defines deps_install_tools and the other
#                                  functions without running anything
#
# Layout under the repository root:
#   .deps/apt/        private apt configuration and index (deb-src entries
#                     derived from the system's own sources; /etc/apt is
#                     never modified)
#   .deps/src/        unpacked source packages, shared by all targets
#   .deps/build/      CMake build trees, per target and package
#   .deps/logs/       build logs, per target and package
#   .deps/<target>/expat-<ver>/     lib/libexpat.a, include/, lib/cmake/expat-*/
#   .deps/<target>/cryptopp-<ver>/  lib/libcryptopp.a, include/cryptopp/,
#                                   lib/cmake/cryptopp/
# Each install folder gets a stamp file (.stamp) written last, naming the
# version and a hash of the build recipe; a folder without it, or with a
# stamp from another recipe, is rebuilt from scratch.
set -euo pipefail

DEPS_EXPAT_VERSION="2.5.0-1+deb12u2"
DEPS_CRYPTOPP_VERSION="8.7.0+git220824-1"

DEPS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEPS_DIR="$DEPS_ROOT/.deps"
DEPS_JOBS=2

# Packages the build needs. Each is installed only when dpkg does not report
# it as installed, so the common case costs a few dpkg-query calls.
DEPS_TOOL_PACKAGES=(
    dpkg-dev                    # dpkg-source, used by apt-get source
    g++-mingw-w64-x86-64-posix  # posix thread model: std::thread/std::mutex
    g++-mingw-w64-i686-posix
    cmake
    ninja-build
)

deps_log() { printf 'deps: %s\n' "$*" >&2; }
deps_die() { deps_log "error: $*"; exit 1; }

# Installs the missing build tools with apt-get. Quick when all are present.
deps_install_tools() {
    local missing=() pkg status
    for pkg in "${DEPS_TOOL_PACKAGES[@]}"; do
        status="$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)"
        [[ "$status" == installed ]] || missing+=("$pkg")
    done
    ((${#missing[@]} == 0)) && return 0
    deps_log "installing ${missing[*]}"
    # The package index may be absent or stale on a fresh machine.
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Runs a command with its output appended to a log file; on failure prints
# the end of the log and stops.
deps_run_logged() {
    local log="$1"
    shift
    printf '\n$ %s\n' "$*" >>"$log"
    if ! "$@" >>"$log" 2>&1; then
        deps_log "command failed: $*"
        deps_log "last lines of $log:"
        tail -n 40 "$log" >&2
        exit 1
    fi
}

# ---------------------------------------------------------------------------
# Sources: apt-get source with a private configuration that has deb-src
# entries only.

DEPS_APT_DIR="$DEPS_DIR/apt"
DEPS_APT_OPTS=(
    -o "Dir::Etc::SourceList=/dev/null"
    -o "Dir::Etc::SourceParts=$DEPS_APT_DIR/sources.list.d"
    -o "Dir::State::Lists=$DEPS_APT_DIR/lists"
    -o "Dir::Cache=$DEPS_APT_DIR/cache"
)

# Prints deb-src entries equivalent to the system's deb entries. The archive
# URIs are taken from the system configuration at run time. The security
# archive is left out: its source index lists versions whose files it does
# not serve, so apt-get source could pick one of those and fail.
deps_derive_deb_src() {
    local deb822=/etc/apt/sources.list.d/debian.sources
    if [[ -f "$deb822" ]]; then
        # One deb822 stanza per paragraph: keep every field except Types
        # (replaced by deb-src) and comments; skip stanzas without deb.
        awk 'BEGIN { RS = ""; FS = "\n" }
        {
            out = ""; types = ""; suites = ""; enabled = "yes"
            for (i = 1; i <= NF; i++) {
                line = $i
                if (line ~ /^[[:space:]]*#/) continue
                if (line ~ /^Types:/) { types = line; continue }
                if (line ~ /^Suites:/) suites = line
                if (line ~ /^Enabled:/) enabled = tolower(line)
                out = out line "\n"
            }
            if (types !~ /[[:space:]]deb([[:space:]]|$)/) next
            if (suites ~ /-security/ || enabled ~ /no/) next
            printf "%sTypes: deb-src\n%s", (n++ ? "\n" : ""), out
        }' "$deb822"
    elif [[ -f /etc/apt/sources.list ]]; then
        # One-line format: "deb [options] uri suite components".
        sed -n -E '/-security/d; s/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list
    else
        deps_die "no apt sources found in /etc/apt"
    fi
}

# Writes the private apt configuration and downloads its source index once
# (again only if the derived entries change).
deps_apt_prepare() {
    local parts="$DEPS_APT_DIR/sources.list.d"
    local file="$parts/deb-src.sources" stamp="$DEPS_APT_DIR/lists/.updated"
    local wanted
    mkdir -p "$parts" "$DEPS_APT_DIR/lists/partial" "$DEPS_APT_DIR/cache/archives/partial"
    wanted="$(deps_derive_deb_src)"
    [[ -n "$wanted" ]] || deps_die "no deb entries to derive deb-src entries from"
    if [[ ! -f "$file" ]] || [[ "$(cat "$file")" != "$wanted" ]]; then
        printf '%s\n' "$wanted" >"$file"
        rm -f "$stamp"
    fi
    if [[ ! -f "$stamp" ]]; then
        deps_log "updating the private source package index"
        mkdir -p "$DEPS_DIR/logs"
        deps_run_logged "$DEPS_DIR/logs/apt.log" apt-get "${DEPS_APT_OPTS[@]}" update
        touch "$stamp"
    fi
}

# deps_fetch_source <source package> <version> <unpacked folder name>
# Downloads and unpacks (with Debian's patches applied) a source package into
# .deps/src, once per version.
deps_fetch_source() {
    local pkg="$1" version="$2" dir="$3"
    local src="$DEPS_DIR/src" stamp="$DEPS_DIR/src/.${dir}_${version}.stamp"
    [[ -f "$stamp" && -d "$src/$dir" ]] && return 0
    deps_apt_prepare
    deps_log "fetching source package $pkg $version"
    mkdir -p "$src" "$DEPS_DIR/logs"
    rm -rf "${src:?}/$dir"
    # The download goes straight into .deps/src, which the unprivileged _apt
    # user cannot write to; the files are still checked against the signed
    # index, so the download runs as root without apt's warning about it.
    (cd "$src" && deps_run_logged "$DEPS_DIR/logs/src-$pkg.log" \
        apt-get "${DEPS_APT_OPTS[@]}" -o APT::Sandbox::User=root \
        source --only-source "$pkg=$version")
    [[ -d "$src/$dir" ]] || deps_die "apt-get source $pkg did not create $src/$dir"
    touch "$stamp"
}

# ---------------------------------------------------------------------------
# Builds.

# Prints the CMake toolchain file for a target: the repository's own
# cmake/toolchain-<target>.cmake when present, otherwise an equivalent one
# written under .deps/.
deps_toolchain_file() {
    local target="$1"
    local file="$DEPS_ROOT/cmake/toolchain-$target.cmake"
    if [[ ! -f "$file" ]]; then
        file="$DEPS_DIR/toolchain-$target.cmake"
        mkdir -p "$DEPS_DIR"
        cat >"$file" <<TOOLCHAIN
# Written by scripts/deps.sh because cmake/toolchain-$target.cmake is missing.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${target%%-*})
set(CMAKE_C_COMPILER   $target-gcc-posix)
set(CMAKE_CXX_COMPILER $target-g++-posix)
set(CMAKE_RC_COMPILER  $target-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$target)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
    fi
    printf '%s\n' "$file"
}

# Prints the text a package's stamp file holds: the package version and a
# hash of everything that decides how it is built (this script, the toolchain
# file and, for Crypto++, scripts/cryptopp). A change to any of them makes
# the cached install count as outdated.
deps_recipe() {
    local target="$1" pkg="$2" version="$3"
    local files=("$DEPS_ROOT/scripts/deps.sh")
    [[ -f "$DEPS_ROOT/cmake/toolchain-$target.cmake" ]] &&
        files+=("$DEPS_ROOT/cmake/toolchain-$target.cmake")
    [[ "$pkg" == cryptopp ]] && files+=("$DEPS_ROOT"/scripts/cryptopp/*)
    printf '%s %s %s\n' "$pkg" "$version" "$(cat "${files[@]}" | sha256sum | cut -d' ' -f1)"
}

# deps_is_done <target> <package> <version>: true when the install folder
# has a stamp matching the current recipe.
deps_is_done() {
    local stamp="$DEPS_DIR/$1/$2-$3/.stamp"
    [[ -f "$stamp" ]] && [[ "$(cat "$stamp")" == "$(deps_recipe "$@")" ]]
}

deps_cmake_common() {
    local target="$1" prefix="$2"
    printf '%s\n' -G Ninja \
        "-DCMAKE_TOOLCHAIN_FILE=$(deps_toolchain_file "$target")" \
        -DCMAKE_BUILD_TYPE=Release \
        "-DCMAKE_INSTALL_PREFIX=$prefix" \
        -DCMAKE_INSTALL_LIBDIR=lib \
        -DCMAKE_INSTALL_INCLUDEDIR=include
}

# deps_cmake_build <target> <package> <version> <source dir> [cmake options]
# Configures, builds and installs a CMake project into a fresh install folder,
# then writes the stamp.
deps_cmake_build() {
    local target="$1" pkg="$2" version="$3" source="$4"
    shift 4
    local prefix="$DEPS_DIR/$target/$pkg-$version"
    local build="$DEPS_DIR/build/$target/$pkg"
    local log="$DEPS_DIR/logs/$target-$pkg.log"
    local common=()
    mapfile -t common < <(deps_cmake_common "$target" "$prefix")

    deps_log "building $pkg $version for $target (log: ${log#"$DEPS_ROOT"/})"
    # Installs of other versions go too: .deps/<target>/ then holds exactly
    # one prefix per package for consumers that search all of them.
    rm -rf "$build" "$DEPS_DIR/$target/$pkg"-*
    mkdir -p "$DEPS_DIR/logs"
    : >"$log"
    deps_run_logged "$log" cmake -S "$source" -B "$build" "${common[@]}" "$@"
    deps_run_logged "$log" cmake --build "$build" -j "$DEPS_JOBS"
    deps_run_logged "$log" cmake --install "$build"
    deps_recipe "$target" "$pkg" "$version" >"$prefix/.stamp"
}

deps_build_expat() {
    local target="$1" version="$DEPS_EXPAT_VERSION"
    deps_is_done "$target" expat "$version" && return 0
    local dir="expat-${version%%-*}"
    deps_fetch_source expat "$version" "$dir"
    local source="$DEPS_DIR/src/$dir/expat"

    # expat_config.h.cmake defines XML_DTD without a value, but the CVE fixes
    # in Debian's patches test it with "#if XML_DTD == 1": give it the value 1.
    local template="$source/expat_config.h.cmake"
    if grep -q '^#cmakedefine XML_DTD$' "$template"; then
        sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$template"
    fi
    grep -q '^#cmakedefine XML_DTD 1$' "$template" ||
        deps_die "unexpected XML_DTD line in $template"

    deps_cmake_build "$target" expat "$version" "$source" \
        "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" \
        -DEXPAT_SHARED_LIBS=OFF \
        -DEXPAT_BUILD_TOOLS=OFF \
        -DEXPAT_BUILD_EXAMPLES=OFF \
        -DEXPAT_BUILD_TESTS=OFF \
        -DEXPAT_BUILD_DOCS=OFF \
        -DEXPAT_BUILD_FUZZERS=OFF \
        -DEXPAT_BUILD_PKGCONFIG=OFF
}

deps_build_cryptopp() {
    local target="$1" version="$DEPS_CRYPTOPP_VERSION"
    deps_is_done "$target" cryptopp "$version" && return 0
    local dir="libcrypto++-${version%-*}"
    deps_fetch_source libcrypto++ "$version" "$dir"
    deps_cmake_build "$target" cryptopp "$version" "$DEPS_ROOT/scripts/cryptopp" \
        "-DCRYPTOPP_SOURCE_DIR=$DEPS_DIR/src/$dir"
}

deps_usage() {
    cat <<USAGE
usage: scripts/deps.sh <target>   build expat and Crypto++ into .deps/<target>/
       scripts/deps.sh --tools    install the build tools only
targets: x86_64-w64-mingw32, i686-w64-mingw32
USAGE
}

deps_main() {
    case "${1:-}" in
    x86_64-w64-mingw32 | i686-w64-mingw32) ;;
    --tools)
        deps_install_tools
        return 0
        ;;
    -h | --help)
        deps_usage
        return 0
        ;;
    *)
        deps_usage >&2
        return 2
        ;;
    esac
    local target="$1"
    local summary="$target: expat $DEPS_EXPAT_VERSION, cryptopp $DEPS_CRYPTOPP_VERSION in .deps/$target"

    if deps_is_done "$target" expat "$DEPS_EXPAT_VERSION" &&
        deps_is_done "$target" cryptopp "$DEPS_CRYPTOPP_VERSION"; then
        printf 'deps: up to date: %s\n' "$summary"
        return 0
    fi

    local start=$SECONDS
    deps_install_tools
    # One build at a time in this tree: concurrent runs (e.g. both targets)
    # would otherwise fetch into .deps/src together.
    mkdir -p "$DEPS_DIR"
    exec 9>"$DEPS_DIR/.lock"
    flock 9
    deps_build_expat "$target"
    deps_build_cryptopp "$target"
    exec 9>&-
    printf 'deps: built in %ss: %s\n' "$((SECONDS - start))" "$summary"
}

# Run only when executed, so that the functions can be sourced.
if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    deps_main "$@"
fi
