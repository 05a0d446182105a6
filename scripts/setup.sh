#!/usr/bin/env bash
# Installs what building, running and testing Velmora need on Debian 12; quiet and quick when all is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ libgtest-dev libgmock-dev googletest     # native build and unit tests
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64           # velmora.exe (objdump checks its imports)
    wine wine64 xvfb x11-utils                                     # Windows-side tests in a private display
    fonts-wqy-microhei                                             # Chinese captions under Wine
    imagemagick                                                    # screenshots (import)
    locales                                                        # zh_CN.UTF-8 for Wine's code page 936
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    if [ "$(id -u)" != 0 ]; then
        echo "setup.sh: missing ${missing[*]}; run as root to install them" >&2
        exit 1
    fi
    echo "setup.sh: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes code page 936 from LANG alone, but turns Chinese file names into Unix ones through the
# C library's locale: without zh_CN.UTF-8 generated, creating "录制.mrc" fails with "file not found".
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    if [ "$(id -u)" != 0 ]; then
        echo "setup.sh: the zh_CN.UTF-8 locale is missing; run as root to generate it" >&2
        exit 1
    fi
    echo "setup.sh: generating the zh_CN.UTF-8 locale"
    if grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
        sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen >/dev/null
fi
