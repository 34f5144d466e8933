# Installs missing Debian packages; sourced by the run and test commands.

say() { printf '==> %s\n' "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "error: '$*' needs root, and sudo is not installed" >&2
        exit 1
    fi
}

is_installed() {
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

# ensure_packages PACKAGE...: installs those that are missing, refreshing the index only then.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        is_installed "$package" || missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        say "packages present: $*"
        return
    fi
    # Wine's 32-bit half (wine32:i386) comes from Debian's i386 architecture.
    if [[ "${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        say "adding the i386 architecture to dpkg"
        as_root dpkg --add-architecture i386
    fi
    say "installing ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# The captions are Simplified Chinese: make sure some font can show them.
ensure_chinese_font() {
    ensure_packages fontconfig
    if [ -n "$(fc-list :lang=zh-cn family 2>/dev/null)" ]; then
        say "a Simplified Chinese font is present"
    else
        ensure_packages fonts-wqy-microhei
    fi
}

BUILD_PACKAGES=(cmake ninja-build g++ pkgconf qt6-base-dev libxcb1-dev libfontconfig-dev)
# The Windows programs, 64-bit and 32-bit: the cross compilers (the -posix ones alone: the
# metapackages would make the win32-threads compilers the default), GoogleTest's sources, and Wine
# with its 32-bit half, a window manager, a file-drag source and a Chinese font for their tests.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 g++-mingw-w64-i686-posix
                  binutils-mingw-w64-i686 googletest wine64 wine wine32:i386 openbox tk8.6 tkdnd
                  fonts-wqy-microhei)

# configure_and_build PRESET: configures only when the build folder is new; the build itself
# re-runs CMake when a build file changed.
configure_and_build() {
    if [ ! -f "build/$1/CMakeCache.txt" ]; then
        say "configuring preset $1"
        cmake --preset "$1"
    fi
    say "building preset $1"
    cmake --build --preset "$1"
}
