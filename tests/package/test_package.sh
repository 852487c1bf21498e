#!/usr/bin/env bash
# Builds the Debian package from a finished build, installs it into a scratch root (or, as root
# in CI, into the system) and checks that it works and puts every file where the desktop, man,
# udev and bash look for it, and that it names no home page or maintainer but those the build
# was given. Usage: test_package.sh BUILD_DIR VERSION APPSTREAM_ID HOMEPAGE MAINTAINER
set -uo pipefail
build=$(cd "$1" && pwd)
version=$2
metainfo=usr/share/metainfo/$3.metainfo.xml
homepage=$4
maintainer=$5
work=$(mktemp -d)
installed=
cleanup() {
    [ -n "$installed" ] && dpkg --purge qtr318-cps >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# Runs a command; its output goes to the log, and a failure is counted.
check() {
    local what=$1
    shift
    if ! "$@" >"$work/out" 2>&1; then
        fail "$what"
        sed 's/^/    /' "$work/out" >&2
    fi
}

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1)
deb=$(echo "$work"/package/qtr318-cps_*.deb)
[ -f "$deb" ] || { cat "$work/cpack.log" >&2; echo "FAIL: no package built" >&2; exit 1; }

root=$work/root
if [ "$(id -u)" = 0 ] && [ "${CI:-}" = true ]; then
    check "dpkg -i" dpkg -i "$deb"
    installed=1
    root=/
else
    dpkg-deb -x "$deb" "$root"
fi
usr=$root/usr

# Every file where the package says, and nowhere else.
expected=(
    usr/bin/qtr318 usr/bin/qtr318-cps usr/bin/qtr318-radio-sim
    usr/share/applications/qtr318-cps.desktop
    usr/share/mime/packages/qtr318-cps.xml
    "$metainfo"
    usr/share/icons/hicolor/scalable/apps/qtr318-cps.svg
    usr/lib/udev/rules.d/60-qtr318-cable.rules
    usr/share/man/man1/qtr318.1.gz usr/share/man/man1/qtr318-cps.1.gz
    usr/share/man/man1/qtr318-radio-sim.1.gz
    usr/share/bash-completion/completions/qtr318
    usr/share/doc/qtr318-cps/copyright usr/share/doc/qtr318-cps/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=(usr/share/icons/hicolor/${size}x${size}/apps/qtr318-cps.png)
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | sort >"$work/listed"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
check "package contents" diff -u "$work/expected" "$work/listed"

# The installed programs run outside the build tree, and are stripped.
for program in qtr318 qtr318-cps qtr318-radio-sim; do
    file "$usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
[ "$("$usr/bin/qtr318" --version 2>&1)" = "qtr318 $version" ] || fail "qtr318 --version is not 'qtr318 $version'"
check "qtr318 new" "$usr/bin/qtr318" new -o "$work/new.sin"
[ "$(stat -c %s "$work/new.sin" 2>/dev/null)" = 1024 ] || fail "qtr318 new wrote no 1024-byte file"
# The English texts are inside the program, not in a file beside it.
LANG=en_US.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES= "$usr/bin/qtr318" show "$work/new.sin" 2>&1 |
    grep -qx 'Tuning values' || fail "installed qtr318 does not speak English under LANG=en_US.UTF-8"
# The window starts and keeps running (timeout ends it: 124); a crash or early exit fails.
QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/qtr318-cps" "$work/new.sin" >"$work/out" 2>&1
status=$?
[ $status = 124 ] || { fail "qtr318-cps exited with $status at start-up"; cat "$work/out" >&2; }

# The desktop entry names the installed program, icon and file type.
desktop=$usr/share/applications/qtr318-cps.desktop
check "desktop-file-validate" desktop-file-validate "$desktop"
for line in 'Exec=qtr318-cps %f' 'Icon=qtr318-cps' 'MimeType=application/x-qtr318-image;'; do
    grep -qxF "$line" "$desktop" || fail "desktop entry lacks $line"
done
check "appstreamcli validate" appstreamcli validate --no-net "$root/$metainfo"
[ "$(dpkg-deb -f "$deb" Homepage)" = "$homepage" ] || fail "Homepage is not '$homepage'"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "$maintainer" ] || fail "Maintainer is not '$maintainer'"
if [ -z "$homepage" ] && grep -q 'https\?://' "$root/$metainfo"; then
    fail "AppStream data names a web address though the build was given none"
fi

# A file manager would find the type of a .sin file in the database built from the package.
mkdir -p "$work/mime/packages"
cp "$usr/share/mime/packages/qtr318-cps.xml" "$work/mime/packages/"
check "update-mime-database" update-mime-database "$work/mime"
grep -q '^[0-9]*:application/x-qtr318-image:\*\.sin' "$work/mime/globs2" ||
    fail ".sin is not application/x-qtr318-image"

# The manual pages render without a warning.
for page in qtr318 qtr318-cps qtr318-radio-sim; do
    errors=$(zcat "$usr/share/man/man1/$page.1.gz" | groff -ww -man -Tutf8 -z 2>&1)
    [ -z "$errors" ] || fail "$page(1): $errors"
done
check "bash completion syntax" bash -n "$usr/share/bash-completion/completions/qtr318"

grep -q 'TAG+="uaccess"' "$usr/lib/udev/rules.d/60-qtr318-cable.rules" || fail "udev rule gives no access"

# Maintainer scripts and lintian.
dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
    [ -x "$work/control/$script" ] || fail "$script is not executable"
    grep -q 'udevadm control --reload-rules' "$work/control/$script" || fail "$script does not reload udev"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends not from dpkg-shlibdeps"
check "lintian" lintian --fail-on error "$deb"

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package $(basename "$deb") checked"
