#!/usr/bin/env bash
# Makes the Debian package of the build with CPack into a folder of its own
# (emptied first). Exit 77 when dpkg-deb or dpkg-shlibdeps (dpkg-dev) is
# missing. Usage: deb-build.sh CPACK BUILD OUTDIR
set -u
cpack=$1
build=$2
out=$3

for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

# CPack installs the build into a staging folder, which writes the build
# folder's install manifests: they are put back as they were.
saved=$(mktemp -d)
cp -p "$build"/install_manifest*.txt "$saved"/ 2>/dev/null
restore() {
    rm -f "$build"/install_manifest*.txt
    cp -p "$saved"/* "$build"/ 2>/dev/null
    rm -rf "$saved"
}
trap restore EXIT

rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" || { echo "FAILED: cpack"; exit 1; }
debs=("$out"/piyoran_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAILED: cpack made no single piyoran_*.deb"; exit 1; }
echo "made ${debs[0]}"
