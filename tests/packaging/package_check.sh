#!/usr/bin/env bash
# The packages as a user gets them, made by cpack in the Release tree: the Debian package's
# files and dependencies, its commands, man pages and completion run from a throw-away root it
# is unpacked into (and, on CI as root, the package installed for real with apt and removed);
# the Windows zip's files. A sanitized tree, when given, must refuse to be installed or packed.
# usage: package_check.sh RELEASE_TREE [SANITIZED_TREE]
set -uo pipefail
tree=$(realpath "$1")
sanitized=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # name, status; returns the status, so that a failure can say more
  if [ "$2" = 0 ]; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
  return "$2"
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")
rm -rf "$tree/packages"
(cd "$tree" && cpack >"$work/cpack.log" 2>&1)
check "cpack makes both packages" $? || tail -n 20 "$work/cpack.log"
deb=$tree/packages/zorvant-cli_${version}_$(dpkg --print-architecture).deb
zip=$tree/packages/zorvant2-${version}-win64.zip

# The Debian package: exactly these files, and the libraries it links as dependencies.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sort >"$work/files"
sort >"$work/expected" <<EOF
./usr/bin/kvar2-emu
./usr/bin/zorvant-cli
./usr/share/bash-completion/completions/zorvant-cli
./usr/share/doc/zorvant-cli/README.md
./usr/share/doc/zorvant-cli/changelog.gz
./usr/share/doc/zorvant-cli/copyright
./usr/share/doc/zorvant-cli/schemas/archive-list.schema.json
./usr/share/doc/zorvant-cli/schemas/archive-log.schema.json
./usr/share/doc/zorvant-cli/schemas/archive-show.schema.json
./usr/share/doc/zorvant-cli/schemas/archive-verify.schema.json
./usr/share/doc/zorvant-cli/schemas/info.schema.json
./usr/share/doc/zorvant-cli/schemas/ports.schema.json
./usr/share/doc/zorvant-cli/schemas/read.schema.json
./usr/share/doc/zorvant-cli/schemas/report.schema.json
./usr/share/doc/zorvant-cli/schemas/verify.schema.json
./usr/share/man/man1/kvar2-emu.1.gz
./usr/share/man/man1/zorvant-cli.1.gz
EOF
diff "$work/expected" "$work/files"
check "the package's files" $?
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libc6* && $depends == *libstdc++6* && $depends == *fonts-dejavu-core* ]]
check "dependencies found by dpkg-shlibdeps, and the font: $depends" $?
# Debian's own judge of a package: no error (its informational tags are not failures).
lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1
! grep -q "^E: " "$work/lintian.log"
check "lintian reports no error" $? || grep "^E: " "$work/lintian.log"
# Read once: grep -q leaving a pipe early would fail the writer under pipefail.
description=$(dpkg-deb -f "$deb" Description)
grep -q "PNG" <<<"$description" && grep -q "PDF" <<<"$description" &&
  grep -q "report" <<<"$description" && grep -q "archive" <<<"$description"
check "the description names PNG, PDF, the report and the archive" $?

# Its commands, unpacked into a throw-away root.
root=$work/root
dpkg -x "$deb" "$root"
[ "$("$root/usr/bin/zorvant-cli" --version)" = "zorvant-cli $version" ]
check "zorvant-cli --version says $version" $?
[ "$("$root/usr/bin/kvar2-emu" --version)" = "kvar2-emu $version" ]
check "kvar2-emu --version says $version" $?
"$root/usr/bin/kvar2-emu" --help | grep -q -- "--link"
check "kvar2-emu --help" $?
for page in zorvant-cli kvar2-emu; do
  LC_ALL=C MANPAGER=cat man -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 |
    grep -q "^ *$page - "
  check "man -l $page.1.gz" $?
  zcat "$root/usr/share/man/man1/$page.1.gz" |
    grep -qE '^\.TH [^ ]+ "1" "[0-9]{4}-[0-9]{2}-[0-9]{2}"' &&
    ! zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^ *Options:$"
  check "$page.1: an ISO date, no stray \"Options:\" line" $?
done
# bash-completion loads the script from <datadir>/bash-completion/completions by itself.
got=$(PATH=$root/usr/bin:$PATH XDG_DATA_DIRS=$root/usr/share bash -c '
  source /usr/share/bash-completion/bash_completion
  __load_completion zorvant-cli || exit 1
  COMP_WORDS=(zorvant-cli re) COMP_CWORD=1 COMP_LINE="zorvant-cli re" COMP_POINT=14
  _zorvant_cli
  echo "${COMPREPLY[*]}"')
[[ " $got " == *" read "* ]]
check "the installed completion loads and completes 'zorvant-cli re' ($got)" $?

# On CI, as root, on a machine of its own: the real install, then its removal.
if [ "${CI:-}" = true ] && [ "$(id -u)" = 0 ] && ! dpkg -s zorvant-cli >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1
  check "apt-get install the package" $? || tail -n 20 "$work/apt.log"
  [ "$(zorvant-cli --version)" = "zorvant-cli $version" ]
  check "installed: zorvant-cli --version" $?
  LC_ALL=C MANPAGER=cat man zorvant-cli 2>&1 | grep -q "^COMMAND READ"
  check "installed: man zorvant-cli" $?
  dpkg -r zorvant-cli >/dev/null
  check "dpkg -r the package" $?
fi

# The Windows zip: the two programs and the README in one folder, the CLI's fonts (DejaVu Sans,
# as installed here) with their licence in fonts/ beside them.
python3 - "$zip" "zorvant2-$version-win64" <<'EOF'
import struct, sys, zipfile
path, folder = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(path) as z:
    names = sorted(n for n in z.namelist() if not n.endswith("/"))
    fonts = ("fonts/DejaVuSans.ttf", "fonts/DejaVuSans-Bold.ttf", "fonts/LICENSE.txt")
    want = sorted(f"{folder}/{n}" for n in ("README.txt", "zorvant-cli.exe", "zorvant2.exe") + fonts)
    assert names == want, f"files {names}"
    for font in fonts[:2]:
        with open(f"/usr/share/fonts/truetype/dejavu/{font[6:]}", "rb") as f:
            assert z.read(f"{folder}/{font}") == f.read(), f"{font}: not Debian's"
    assert b"DejaVu" in z.read(f"{folder}/fonts/LICENSE.txt"), "fonts/LICENSE.txt"
    assert b"cairo" not in z.read(f"{folder}/zorvant2.exe"), "zorvant2.exe links cairo"
    for exe in ("zorvant2.exe", "zorvant-cli.exe"):
        data = z.read(f"{folder}/{exe}")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[:2] == b"MZ" and data[pe:pe + 6] == b"PE\0\0\x64\x86", f"{exe}: not x86-64 PE"
    readme = z.read(f"{folder}/README.txt")
    assert readme.startswith(b"\xef\xbb\xbf") and b"\n" not in readme.replace(b"\r\n", b""), \
        "README.txt: UTF-8 with a byte-order mark and CRLF"
    text = readme.decode("utf-8")
    assert "archive verify" in text and "report" in text, "README.txt: no report or archive"
    assert b"sqlite" in z.read(f"{folder}/zorvant-cli.exe").lower(), "zorvant-cli.exe: no SQLite"
    import os
    cli = z.getinfo(f"{folder}/zorvant-cli.exe").file_size
    print(f"     the zip: {os.path.getsize(path)} bytes; zorvant-cli.exe in it: {cli} bytes")
EOF
check "the zip's files" $?

if [ -n "$sanitized" ]; then
  ! cmake --install "$sanitized" --prefix "$work/sanitized" >"$work/install.log" 2>&1 &&
    grep -q "built with sanitizers" "$work/install.log"
  check "a sanitized tree refuses cmake --install" $?
  ! (cd "$sanitized" && cpack -G DEB >"$work/cpack-sanitized.log" 2>&1) &&
    grep -q "built with sanitizers" "$work/cpack-sanitized.log"
  check "a sanitized tree refuses cpack" $?
fi
exit $((failures > 0))
