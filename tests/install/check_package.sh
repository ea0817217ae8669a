#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks it with lintian,
# unpacks it into a temporary root and runs the programs from there as a user
# with a temporary home: settings must land in the user's copy of modules/
# and nothing may be written under the package.
# Usage: check_package.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2/package-check
rm -rf "$work"
mkdir -p "$work"
chmod 755 "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/kx20-config_*.deb)
echo "package: ${deb##*/}"

# Errors and warnings fail the check; the package has none.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian reports errors or warnings"

root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/kx20-config usr/bin/kx20-config-demo usr/bin/kx20ctl \
    usr/lib/kx20-config/kx20-config usr/lib/kx20-config/modules/setting/apConfig.bin \
    usr/lib/kx20-config/modules/i18n/French.ini usr/lib/kx20-config/modules/img/logo.ico \
    usr/share/applications/kx20-config.desktop usr/share/icons/hicolor/64x64/apps/kx20-config.png \
    lib/udev/rules.d/70-kx20-mouse.rules usr/share/man/man1/kx20ctl.1.gz \
    usr/share/man/man1/kx20-config.1.gz usr/share/man/man1/kx20-config-demo.1.gz \
    usr/share/bash-completion/completions/kx20ctl usr/share/doc/kx20-config/copyright; do
    [ -e "$root/$file" ] || fail "package lacks $file"
done
grep -qx 'Exec=kx20-config' "$root/usr/share/applications/kx20-config.desktop" || fail "desktop entry"
bash -n "$root/usr/share/bash-completion/completions/kx20ctl" || fail "completion script"

home=$work/home
runtime=$work/run
mkdir -p "$home" "$runtime"
chmod 700 "$runtime"
# The package's folder must be read-only for the user who runs it: as root
# (which may write anywhere) run as nobody; otherwise take write access away.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$home" "$runtime"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    chmod -R a-w "$root"
fi
run() {
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$runtime" LANG=C.UTF-8 "$@"
}
snapshot() { (cd "$root" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(snapshot)

# Help and version need no display.
help=$(run "${as_user[@]}" "$root/usr/bin/kx20-config" --help) || fail "kx20-config --help"
grep -q -- '--version' <<<"$help" || fail "kx20-config --help says nothing of --version"
run "${as_user[@]}" "$root/usr/bin/kx20-config-demo" --version | grep -q '^kx20-config-demo ' ||
    fail "kx20-config-demo --version"

run "${as_user[@]}" "$root/usr/bin/kx20ctl" --emulate info >"$work/info.out" 2>&1 || {
    cat "$work/info.out"; fail "kx20ctl --emulate info from the package"; }
copy=$home/.local/share/kx20-config/modules
[ -f "$copy/setting/apConfig.bin" ] || fail "kx20ctl made no user copy of modules/ in $copy"

# The demo runs until stopped; it must connect and keep its settings in the copy.
rm -f "$copy/setting/name.bin"
set +e
run QT_QPA_PLATFORM=offscreen "${as_user[@]}" timeout 8 "$root/usr/bin/kx20-config-demo" >"$work/demo.out" 2>&1
set -e
grep -q 'Device Connect' "$work/demo.out" || { cat "$work/demo.out"; fail "the packaged demo did not connect"; }
grep -q 'Settings cannot be saved' "$work/demo.out" && fail "the packaged demo cannot save its settings"
[ -f "$copy/setting/name.bin" ] || fail "the demo did not keep its profile list in the user's copy"

# The completion offers the effects and the macros of the user's copy.
mkdir -p "$copy/macro"
touch "$copy/macro/Burst.bin"
completions=$(run HOME="$home" bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$0/usr/share/bash-completion/completions/kx20ctl"
    PATH=$0/usr/bin:$PATH
    complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); _kx20ctl; echo "${COMPREPLY[*]}"; }
    complete_words kx20ctl ""; complete_words kx20ctl light ""; complete_words kx20ctl send-macro B' "$root")
grep -q 'send-macro' <<<"$completions" || fail "completion: no commands: $completions"
grep -q 'finger-moving' <<<"$completions" || fail "completion: no effect names: $completions"
grep -q 'Burst' <<<"$completions" || fail "completion: no macro names: $completions"

[ "$before" == "$(snapshot)" ] || fail "something was written under the package"
chmod -R u+w "$root" 2>/dev/null || true
echo "package check passed"
