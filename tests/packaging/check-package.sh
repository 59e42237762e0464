#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as the distribution's tools do;
# then unpacks it into a temporary root and runs the program from there, the way an installed
# program runs: its own folder not writable, its user's folders under a temporary home. The
# settings must land in that home and survive a restart, and nothing may be written beside the
# program.
#   check-package.sh BUILD_DIR VERSION      (exit code 77: a packaging tool is missing)
set -euo pipefail
build=$1
version=$2

for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli desktop-file-validate \
    update-mime-database readelf setpriv; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed: skipping"; exit 77; }
done

work=$(mktemp -d /tmp/shopping-package.XXXXXX)
pid=
cleanup() {
    [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/out/shopping_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/out")"
echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Depends Recommends
dpkg-deb -c "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 fonts-liberation2 fonts-comic-neue \
    fonts-dejavu-core; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"

dpkg-deb -x "$deb" "$work/root"
root=$work/root
id=example.torvy.shopping
! readelf -S "$root/usr/bin/shopping" | grep -q debug_ || fail "the program keeps debug information"
echo "== appstreamcli"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo does not validate"
echo "== desktop-file-validate"
found=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) || true
[ -z "$found" ] || fail "desktop entry: $found"
grep -qx 'Exec=shopping %f' "$root/usr/share/applications/$id.desktop" || fail "Exec"
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/$id.xml" "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null 2>&1
grep -q '^[0-9]*:application/x-shopping-list:\*\.shp$' "$work/mime/globs2" ||
    fail "*.shp is not a shopping list"

# The command line, without a display.
program=$root/usr/bin/shopping
[ "$("$program" --version)" = "shopping $version" ] || fail "--version"
status=0
"$program" one.shp two.shp 2>"$work/usage" || status=$?
[ "$status" = 2 ] && [ "$(wc -l <"$work/usage")" = 1 ] || fail "two files: exit $status"

# The program, run by a user who cannot write where it is installed: as root, by nobody.
home=$work/home
mkdir -p "$home/Documents"
printf '1,Milk,Dairy,\r\n' >"$home/week.shp"
as_user=()
if [ "$(id -u)" = 0 ]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chown -R nobody:nogroup "$home"
fi
chmod -R a-w "$root"
chmod 755 "$work"
listing() { (cd "$root" && find . -printf '%p %s %T@\n' | sort); }
listing >"$work/before"

# Starts the program, waits until it handles SIGTERM, and ends it so: it then writes its
# settings as when its window closes.
run() {
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
        XDG_CONFIG_HOME="$home/config" XDG_STATE_HOME="$home/state" \
        XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
        "${as_user[@]}" "$program" "$@" &
    pid=$!
    local sigterm=$((1 << 14)) caught
    for _ in $(seq 1 600); do
        # The shell that starts it catches signals too, until it has become the program.
        caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null) || true
        [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$program" ] && [ -n "$caught" ] &&
            (((16#$caught & sigterm) != 0)) && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
        sleep 0.1
    done
    kill -TERM "$pid"
    for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end on SIGTERM"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" = 0 ] || fail "the program ended with $status"
}

mkdir -m 700 "$home/runtime"
[ "$(id -u)" != 0 ] || chown nobody:nogroup "$home/runtime"
run
settings=$home/config/shopping/shopping.ini
[ -f "$settings" ] || fail "no settings in $home/config/shopping: $(find "$home")"
grep -q '^listCol2= 2200' "$settings" || fail "settings: $(cat "$settings")"
cmp "$root/usr/share/shopping/catalogue/headings.txt" "$home/data/shopping/headings.txt" ||
    fail "the catalogue was not copied to the user's folder"

# The user widens a column and edits the catalogue; a restart keeps both.
sed -i 's/^listCol2= 2200/listCol2= 3000/' "$settings"
printf 'Dairy\r\n' >"$home/data/shopping/headings.txt"
run "$home/week.shp"
grep -q '^listCol2= 3000' "$settings" || fail "the settings did not survive: $(cat "$settings")"
[ "$(cat "$home/data/shopping/headings.txt")" = $'Dairy\r' ] || fail "the user's catalogue changed"

# Ended while the start-up shows a message (a list file that is not there): it still ends, and
# still writes its settings.
rm "$settings"
run "$home/missing.shp"
grep -q '^listCol2= 2200' "$settings" || fail "no settings after an end during the start-up"

listing | diff "$work/before" - || fail "the program wrote beside itself"
echo "== the installed program keeps its files in the user's folders:"
(cd "$home" && find config state data -type f | sort)
