#!/usr/bin/env bash
# Builds the Debian package build-package/tarvelle_<version>_<arch>.deb from a Release tree, checks
# it with lintian (no errors allowed), desktop-file-validate and appstreamcli, and prints the
# package's path as its last line. Install it with: apt install ./build-package/tarvelle_*.deb
set -euo pipefail
source "$(dirname "$0")/common.sh"

# dpkg-dev finds the packages of the libraries the binaries use; the others check the result.
PACKAGE_TOOLS=(dpkg-dev lintian desktop-file-utils appstream)
"$TOP/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" "${PACKAGE_TOOLS[@]}"

build="$TOP/build-package"
# Debian's compiler and linker hardening, as its own package builds have it.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
build_tree "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTARVELLE_BUILD_TESTS=OFF -DTARVELLE_BUILD_BENCHMARKS=OFF >&2

stage="$build/stage"
rm -rf "$stage" "$build"/tarvelle_*.deb
DESTDIR="$stage" cmake --install "$build" >&2
program_dir="$stage/usr/lib/tarvelle"
binaries=("$program_dir"/tarvelle "$program_dir"/*.so)
# As Debian's own packages strip them: no symbols beyond those the libraries export.
strip --remove-section=.comment --remove-section=.note --strip-unneeded "${binaries[@]}"

# dpkg-shlibdeps wants a source package's control file where it runs, an empty one does, and the
# staged tree's DEBIAN folder to tell the package's own libraries from others.
mkdir "$stage/DEBIAN"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/debian"
touch "$scratch/debian/control"
libraries="$(cd "$scratch" && dpkg-shlibdeps -O "${binaries[@]}")"
libraries="${libraries#shlibs:Depends=}"

{
    sed "s/\${shlibs:Depends}/$libraries/" "$build/packaging/control"
    echo "Architecture: $(dpkg --print-architecture)"
    echo "Installed-Size: $(du -sk --apparent-size "$stage/usr" | cut -f1)"
} > "$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
version="$(sed -n 's/^Version: //p' "$stage/DEBIAN/control")"
deb="$build/tarvelle_${version}_$(dpkg --print-architecture).deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >&2

# The desktop entry and the metainfo are checked as the package ships them.
desktop-file-validate "$stage"/usr/share/applications/*.desktop >&2
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml >&2
lintian --fail-on error "$deb" >&2
echo "$deb"
