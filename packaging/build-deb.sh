#!/usr/bin/env bash
# Builds the Debian package the way Debian builds its own: a build folder of
# its own, Debian's compiler and linker flags (with every hardening feature),
# no tests, then CPack.
#   packaging/build-deb.sh [BUILD_DIR]    (default: build-deb in the source)
# Prints the path of the .deb it made. Needs cmake, g++, qt6-base-dev,
# libjpeg62-turbo-dev, libexpat1-dev, libfontconfig-dev and dpkg-dev (dpkg-buildflags,
# dpkg-shlibdeps).
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$source/build-deb}")
cd "$source"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

# CPack builds only what the package holds (built below), not every target.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$build" -j"$(nproc)" --target piyoran piyoran-check piyoran_desktop_files >&2
(cd "$build" && cpack -G DEB >&2)
ls "$build"/piyoran_*.deb
