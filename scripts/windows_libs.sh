#!/usr/bin/env bash
# Cross-builds the libraries zorvant-cli.exe links statically, for x86_64-w64-mingw32, from
# Debian's own source packages: cairo (image, PNG, PDF, FreeType fonts) with pixman, FreeType
# and libpng, and SQLite. zlib is Debian's libz-mingw-w64-dev. Debian ships none of the others
# for mingw-w64, but their sources are in its archive.
#
# The result is one prefix (include/, lib/) in the user's cache, named by the Debian versions
# and this script's own text, so that each set is built once and a second run only prints its
# path (on stdout; everything else goes to stderr). A prefix is built in a folder of its own and
# renamed when whole, so a half-built one never passes for a built one.
#
# usage: scripts/windows_libs.sh [--rebuild]
#   --rebuild            build the current set again even though its prefix exists
#   ZV_WIN_LIBS_CACHE    where the prefixes, the downloads and apt's lists go
#                        (default ${XDG_CACHE_HOME:-~/.cache}/zorvant2/winlibs)
#   ZV_JOBS              parallel jobs (default: the number of cores)
set -euo pipefail

triplet=x86_64-w64-mingw32
rebuild=0
case "${1:-}" in
  --rebuild) rebuild=1 ;;
  "") ;;
  *) echo "usage: $0 [--rebuild]" >&2; exit 2 ;;
esac
here=$(cd "$(dirname "$0")" && pwd)
cache=${ZV_WIN_LIBS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zorvant2/winlibs}
jobs=${ZV_JOBS:-$(nproc)}
# Messages go to the caller's stderr even from inside a block whose output goes to the log.
exec 8>&2
say() { printf '[windows libs] %s\n' "$*" >&8; }

mkdir -p "$cache"
# Two builds at once (two trees, two terminals) would fight over the same folders.
exec 9>"$cache/lock"
flock 9

# --- Debian's sources, through an apt configuration of our own --------------------------------
# deb-src entries for the suites the machine takes its packages from (its codename and the
# -updates/-security suites), with lists, state and downloads in the cache: the machine's own
# apt configuration and lists are left alone, and no root is needed.
apt_dir=$cache/apt
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
apt_options=(
  -o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State=$apt_dir" -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::State::status=/var/lib/dpkg/status" -o "Dir::Cache=$apt_dir/cache"
  # apt hands downloads to the _apt user when run as root, who cannot write into a home.
  -o "APT::Sandbox::User=$(id -un)"
)
codename=$(sed -n "s/^VERSION_CODENAME=//p" /etc/os-release)
# shellcheck disable=SC2016  # apt's own $(FIELD) placeholders
apt-get indextargets --no-release-info --format '$(REPO_URI) $(RELEASE)' \
    'Identifier: Packages' 'Component: main' 2>/dev/null |
  awk -v c="$codename" '$2 == c || index($2, c "-") == 1' | sort -u |
  while read -r uri suite; do printf 'deb-src %s %s main\n' "$uri" "$suite"; done \
  >"$apt_dir/sources/zorvant-winlibs.list.new"
if [ ! -s "$apt_dir/sources/zorvant-winlibs.list.new" ]; then
  say "the machine's apt sources name no Debian $codename archive to take sources from"
  exit 1
fi
mv "$apt_dir/sources/zorvant-winlibs.list.new" "$apt_dir/sources/zorvant-winlibs.list"
if ! apt-get "${apt_options[@]}" -qq update >"$apt_dir/update.log" 2>&1; then
  # Offline: the lists of the last update still name the versions built then.
  compgen -G "$apt_dir/lists/*Sources*" >/dev/null ||
    { cat "$apt_dir/update.log" >&2; say "cannot read Debian's source lists"; exit 1; }
  say "apt-get update failed; using the source lists of the last update"
fi

# The source packages, each with its Debian versions, newest first (the security suite's update
# before the release's own).
packages=(pixman freetype libpng1.6 cairo sqlite3)
declare -A offered
while read -r p v; do
  offered[$p]+="$v "
done < <(apt-cache "${apt_options[@]}" showsrc --only-source "${packages[@]}" 2>/dev/null |
  awk '/^Package:/ { p = $2 } /^Version:/ { print p, $2 }' | sort -k1,1 -k2Vr -u)
for p in "${packages[@]}"; do
  [ -n "${offered[$p]:-}" ] || { say "Debian's lists hold no source package $p"; exit 1; }
done
# The newest versions name the prefix, with this script's text (how they are built).
versions=$(for p in "${packages[@]}"; do echo "$p ${offered[$p]%% *}"; done)
key=$( { echo "$versions"; cat "$0" "$here/../cmake/mingw-w64.cmake"; } | sha256sum | cut -c1-12)
prefix=$cache/$triplet-$key
if [ -f "$prefix/VERSIONS" ] && [ "$rebuild" = 0 ]; then
  echo "$prefix"
  exit 0
fi
say "building into $prefix"

# --- Download ---------------------------------------------------------------------------------
# We build from the upstream tarball with Debian's fixes on top (see unpack). Not every file of
# the archive can be had: pixman's Debian diff and a security update's Debian tarball have been
# missing while its upstream tarball was there. apt-get fails a package when any of its files
# fails, so each version is tried in turn, newest first, until one arrives with its Debian
# tarball; failing that, the newest upstream tarball is built as it is, and VERSIONS says so.
downloads=$cache/sources
mkdir -p "$downloads"
upstream() { local v=${1#*:}; echo "${v%-*}"; }  # 1:2.3-4 -> 2.3
orig_tarball() {  # package version
  compgen -G "$downloads/${1}_$(upstream "$2").orig.tar.*" | grep -v '\.asc$' | head -n 1 || true
}
debian_tarball() { compgen -G "$downloads/${1}_${2#*:}.debian.tar.*" | head -n 1 || true; }
declare -A chosen
built=""
for p in "${packages[@]}"; do
  for v in ${offered[$p]}; do
    if [ -z "$(debian_tarball "$p" "$v")" ] || [ -z "$(orig_tarball "$p" "$v")" ]; then
      (cd "$downloads" && apt-get "${apt_options[@]}" -qq source --download-only --only-source \
        "$p=$v" >>"$apt_dir/source.log" 2>&1) || true
    fi
    [ -n "$(orig_tarball "$p" "$v")" ] && [ -z "${chosen[$p]:-}" ] && chosen[$p]=$v
    if [ -n "$(orig_tarball "$p" "$v")" ] && [ -n "$(debian_tarball "$p" "$v")" ]; then
      chosen[$p]=$v
      break
    fi
  done
  [ -n "${chosen[$p]:-}" ] || { tail "$apt_dir/source.log" >&2; say "no tarball of $p"; exit 1; }
  v=${chosen[$p]}
  if [ -n "$(debian_tarball "$p" "$v")" ]; then
    built+="$p $v"$'\n'
  else
    built+="$p $(upstream "$v") (upstream, without Debian's changes)"$'\n'
  fi
done
printf '%s' "$built" | sed 's/^/[windows libs]   /' >&2

# --- Build ------------------------------------------------------------------------------------
partial=$prefix.partial
work=$cache/work
# What an interrupted build left (we hold the lock: no other build is running).
rm -rf "$cache"/*.partial "$work"
mkdir -p "$partial/include" "$partial/lib" "$work"
log=$cache/build.log
: >"$log"
sqlite_pid=""
finish() {
  local status=$?
  [ -n "$sqlite_pid" ] && kill "$sqlite_pid" 2>/dev/null
  if [ "$status" != 0 ]; then
    say "the build failed; the end of its log ($log):"
    tail -n 40 "$log" >&8
  fi
}
trap finish EXIT

# Unpacks a package's upstream tarball into $work/NAME; from Debian's patches it applies the
# changes to the library's own source files (security and bug fixes), not those to Debian's
# packaging, build, tests or documentation, which the tarball's own build does not need.
# (A change to a Makefile.am would make the tarball's generated build want automake.)
# usage: unpack PACKAGE PATHS... (the source files to take changes to, as filterdiff -i globs)
unpack() {
  local p=$1 v=${chosen[$1]} dir=$work/$1 tarball series patch
  shift
  mkdir -p "$dir"
  # cairo's test images are most of its 42 MB; nothing here builds the tests.
  tar -xf "$(orig_tarball "$p" "$v")" -C "$dir" --strip-components=1 --exclude='*/test/reference'
  tarball=$(debian_tarball "$p" "$v")
  [ -n "$tarball" ] || return 0
  tar -xf "$tarball" -C "$dir" debian/patches
  series=$dir/debian/patches/series
  [ -f "$series" ] || return 0
  local globs=()
  for g in "$@"; do globs+=(-i "$g"); done
  while read -r patch _; do
    case "$patch" in "" | \#*) continue ;; esac
    filterdiff -p1 "${globs[@]}" "$dir/debian/patches/$patch" |
      patch -d "$dir" -p1 --batch --forward --silent >>"$log"
  done <"$series"
}

cflags="-O2 -ffunction-sections -fdata-sections"
export PKG_CONFIG_LIBDIR=$partial/lib/pkgconfig:/usr/$triplet/lib/pkgconfig
unset PKG_CONFIG_PATH
cmake_cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64.cmake"
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$cflags" -DCMAKE_INSTALL_PREFIX="$partial"
  -DBUILD_SHARED_LIBS=OFF -DZLIB_INCLUDE_DIR="/usr/$triplet/include"
  -DZLIB_LIBRARY="/usr/$triplet/lib/libz.a")

build_libpng() {
  unpack libpng1.6 '*.[ch]'
  cmake -S "$work/libpng1.6" -B "$work/libpng1.6/build" "${cmake_cross[@]}" -DPNG_SHARED=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF -Dld-version-script=OFF
  cmake --build "$work/libpng1.6/build" -j"$jobs"
  cmake --install "$work/libpng1.6/build"
}

build_freetype() {
  # Only the faces we ship are loaded: no bzip2, brotli, harfbuzz or PNG glyphs.
  unpack freetype 'src/*.[ch]' 'include/*.h'
  cmake -S "$work/freetype" -B "$work/freetype/build" "${cmake_cross[@]}" \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_PNG=ON \
    -DFT_REQUIRE_ZLIB=ON
  cmake --build "$work/freetype/build" -j"$jobs"
  cmake --install "$work/freetype/build"
}

build_pixman() {
  unpack pixman 'pixman/*.[ch]'
  # A static library must not mark its functions dllexport: the .exe would export them all.
  sed -i "s/cc.has_function_attribute('dllexport')/false/" "$work/pixman/pixman/meson.build"
  cat >"$work/pixman/cross.txt" <<EOF
[binaries]
c = '$triplet-gcc'
ar = '$triplet-ar'
strip = '$triplet-strip'
pkgconfig = 'pkg-config'
[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
  (cd "$work/pixman" && meson setup build --cross-file cross.txt --prefix="$partial" \
    --libdir=lib --buildtype=plain -Dc_args="$cflags" -Ddefault_library=static \
    -Dtests=disabled -Dgtk=disabled -Dlibpng=disabled -Dopenmp=disabled -Dtimers=false \
    -Dgnuplot=false)
  ninja -C "$work/pixman/build" -j"$jobs" install
}

build_cairo() {
  unpack cairo 'src/*.[ch]'
  # Only the backends the pictures use; fonts come from files through FreeType, never from
  # fontconfig or the Windows font API, so Windows and Linux draw the same glyphs. Without its
  # Win32 backend cairo's locks are critical sections that only its DLL entry point would set
  # up, and the first FreeType font waits on one for ever: the CLI draws on one thread, so
  # cairo is built without locks.
  (cd "$work/cairo" && ./configure --host=$triplet --prefix="$partial" --enable-static \
    --disable-shared CFLAGS="$cflags" CPPFLAGS="-I$partial/include -DCAIRO_NO_MUTEX=1" \
    LDFLAGS="-L$partial/lib" \
    --enable-png --enable-pdf --enable-ft --disable-fc --disable-ps --disable-svg \
    --disable-script --disable-xlib --disable-xcb --disable-win32 --disable-win32-font \
    --disable-gobject --disable-trace --disable-interpreter --disable-symbol-lookup \
    --disable-tee --disable-xml --disable-pthread --disable-valgrind --disable-gtk-doc \
    --disable-dependency-tracking)
  # The library and its headers; the utilities, tests and documentation are not needed.
  make -C "$work/cairo/src" -j"$jobs" install
}

build_sqlite() {
  unpack sqlite3 'src/*.[ch]' 'ext/*.[ch]'
  # The amalgamation (sqlite3.c and sqlite3.h) is made from the canonical tree with tclsh.
  mkdir -p "$work/sqlite3/native"
  (cd "$work/sqlite3/native" && ../configure --disable-tcl --disable-readline &&
    make sqlite3.c)
  # For an archive: foreign keys on, strings only in single quotes, no extension loading, and
  # serialized (thread-safe) connections.
  local flags
  read -ra flags <<<"$cflags"
  "$triplet-gcc" "${flags[@]}" -DSQLITE_THREADSAFE=1 -DSQLITE_DEFAULT_FOREIGN_KEYS=1 -DSQLITE_DQS=0 \
    -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DEFAULT_MEMSTATUS=0 -DSQLITE_LIKE_DOESNT_MATCH_BLOBS \
    -c "$work/sqlite3/native/sqlite3.c" -o "$work/sqlite3/sqlite3.o"
  "$triplet-ar" rcs "$partial/lib/libsqlite3.a" "$work/sqlite3/sqlite3.o"
  cp "$work/sqlite3/native/sqlite3.h" "$partial/include/"
}

start=$(date +%s)
# SQLite is one long compile that cannot use a second core, and cairo's configure is one long
# script: run SQLite beside the others so that neither core waits.
build_sqlite >"$work/sqlite.log" 2>&1 &
sqlite_pid=$!
# One at a time, each stopping the script on an error (set -e does not reach into a function
# called as part of a && list).
{
  build_libpng
  build_freetype
  build_pixman
  build_cairo
} >>"$log" 2>&1
sqlite_ok=0
wait "$sqlite_pid" || sqlite_ok=$?
sqlite_pid=""
cat "$work/sqlite.log" >>"$log"
[ "$sqlite_ok" = 0 ] || { cat "$work/sqlite.log" >&2; false; }

# The prefix moves once built: its pkg-config files must name where it ends up. libtool's
# archives and libpng-config would name the build folder, and nothing here uses them or the
# manual pages.
sed -i "s|$partial|$prefix|g" "$partial"/lib/pkgconfig/*.pc
rm -rf "${partial:?}"/lib/*.la "${partial:?}/bin" "${partial:?}/share"
printf '%s' "$built" >"$partial/VERSIONS"
rm -rf "$prefix" "$work"
mv "$partial" "$prefix"
say "built in $(($(date +%s) - start)) s"
echo "$prefix"
