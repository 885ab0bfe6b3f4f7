#!/usr/bin/env bash
# Checks the Debian package the way a desktop and a package manager will meet it: the entry,
# the AppStream data and the package itself pass their validators, and the package unpacked
# into a temporary root (never installed here) holds every file, runs, and registers .scl.
# Usage: check_package.sh DEB VERSION APP_ID
set -uo pipefail
deb=$1 version=$2 id=$3

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

root=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT

[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }
dpkg -x "$deb" "$root/tree" || { echo "FAIL: dpkg -x $deb" >&2; exit 1; }
usr=$root/tree/usr
share=$usr/share

# Every file an installed desktop application is found by.
sides=(16 32 48 64 128 256)
expected=(bin/klangora "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    "share/mime/packages/$id.xml" share/man/man1/klangora.1.gz share/man/da/man1/klangora.1.gz
    share/doc/klangora/copyright share/doc/klangora/changelog.gz
    share/klangora/examples/kadence-kvintcirklen.mid share/klangora/examples/koral-c-dur.mid
    share/klangora/examples/jazzkoral-h-dur.mid share/klangora/lessons/middeltone.lektion
    share/klangora/lessons/well-temperaments.lektion share/doc/klangora/lessons.md)
for side in "${sides[@]}"; do
    expected+=("share/icons/hicolor/${side}x${side}/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -s "$usr/$file" ] || fail "the package lacks /usr/$file"
done

# A PNG's width and height are the two big-endian words after the IHDR tag.
pngSize() { od -An -tu1 -j16 -N8 "$1" | awk '{print $2*65536+$3*256+$4 "x" $6*65536+$7*256+$8}'; }
for side in "${sides[@]}"; do
    icon=$share/icons/hicolor/${side}x${side}/apps/$id.png
    [ -s "$icon" ] && [ "$(pngSize "$icon")" != "${side}x${side}" ] &&
        fail "the ${side}x${side} icon is $(pngSize "$icon")"
done

# The validators. Both can report faults and still exit 0, so their words are what counts.
desktop=$share/applications/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate exited $?"
[ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate-tree --no-net "$root/tree" 2>&1)
grep -Eq '^ *[EW]: |failed' <<<"$out" && fail "appstreamcli: $out"
# appstreamcli only informs about a missing content rating or launchable; the menu needs both.
metainfo=$share/metainfo/$id.metainfo.xml
grep -q '<content_rating type="oars-' "$metainfo" || fail "the AppStream data has no content rating"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the AppStream data does not launch $id.desktop"
out=$(lintian "$deb" 2>&1)
grep -q '^E: ' <<<"$out" && fail "lintian: $(grep '^E: ' <<<"$out")"

# One version everywhere: package, program, AppStream release and changelog.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" ||
    fail "the AppStream data has no release $version"
[ "$(zcat "$share/doc/klangora/changelog.gz" | dpkg-parsechangelog -l- -SVersion)" = "$version" ] ||
    fail "the changelog's latest entry is not $version"

# The program from the package, with the Qt and the fonts of this machine; it must not reach
# anyone's sound server.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$root PULSE_SERVER=unix:$root/no-server
out=$(timeout 30 "$usr/bin/klangora" --version 2>"$root/version.log") ||
    fail "klangora --version exited $?: $(cat "$root/version.log")"
[ "$out" = "klangora $version" ] || fail "klangora --version says: $out"

# Started, it is up once it has loaded Qt's offscreen platform and laid out its window in the
# font it asks for (which the package depends on); SIGTERM must then end it at once.
"$usr/bin/klangora" >"$root/run.log" 2>&1 &
pid=$!
up=
for _ in $(seq 600); do
    maps=$(cat "/proc/$pid/maps" 2>/dev/null) || break
    grep -q libqoffscreen <<<"$maps" && grep -q DejaVuSansCondensed <<<"$maps" && up=1 && break
    sleep 0.1
done
if [ -z "$up" ]; then
    fail "klangora did not come up: $(cat "$root/run.log")"
else
    kill -TERM "$pid"
    # A program that ignores or hangs on SIGTERM fails here within seconds, not at ctest's limit.
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid"
        wait "$pid"
        fail "klangora was still running 5 s after SIGTERM"
    else
        wait "$pid"
        status=$?
        [ "$status" -eq 143 ] || [ "$status" -eq 0 ] ||
            fail "klangora ended with status $status on SIGTERM: $(cat "$root/run.log")"
    fi
fi
pid=

# The desktop finds the type of a file by the globs update-mime-database compiles; x.scl must
# match exactly one, the first type the desktop entry offers to open (MIDI files follow it).
type=$(sed -n 's/^MimeType=\([^;]*\);.*$/\1/p' "$desktop")
grep -q '^MimeType=.*;audio/midi;' "$desktop" || fail "the desktop entry does not open audio/midi"
# (It tells that the root is not where desktops look: true, and beside the point here.)
out=$(update-mime-database "$share/mime" 2>&1) || fail "update-mime-database: $out"
matches=()
while IFS=: read -r _weight globType pattern _; do
    # shellcheck disable=SC2053 # the pattern is a glob on purpose
    [[ x.scl == $pattern ]] && matches+=("$globType")
done < <(grep -v '^#' "$share/mime/globs2" 2>/dev/null)
[ -n "$type" ] && [ "${matches[*]}" = "$type" ] ||
    fail "x.scl maps to '${matches[*]}', the desktop entry opens '$type'"
grep -qx "$type text/plain" "$share/mime/subclasses" 2>/dev/null ||
    fail "$type is not a kind of text/plain"

[ "$failures" -eq 0 ] && echo "package $deb: all checks passed"
exit $((failures > 0))
