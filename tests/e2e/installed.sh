#!/usr/bin/env bash
# The build installed under a temporary prefix and then moved: the program in bin/, the simulated client
# in lib/sembrolin/ (the older one in legacy/, our NCP client in ncp/) reached through a relative RUNPATH, a valid menu entry and
# AppStream metadata, and crisp icons at every size. The moved program starts and runs on its simulated
# client; a client library earlier on LD_LIBRARY_PATH wins over it.
source "$(dirname "$0")/lib.sh"
build=$1
cmake --install "$build" --prefix "$E2E_TMP/prefix" >/dev/null || fail "the install failed"
mv "$E2E_TMP/prefix" "$E2E_TMP/moved"
prefix="$E2E_TMP/moved"
app_id=example.harrowby_software.Sembrolin

for file in bin/sembrolin lib/sembrolin/libnwsimstate.so lib/sembrolin/nwsim-ncpd lib/sembrolin/ncp/libsembrolin-ncp.so \
    lib/sembrolin/{,legacy/,ncp/}lib{calwin32,clxwin32,netwin32,locwin32}.so \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/doc/sembrolin/copyright share/doc/sembrolin/changelog.gz share/man/man1/sembrolin.1.gz; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
runpath=$(readelf -d "$prefix/bin/sembrolin" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ "$runpath" = '$ORIGIN/../lib/sembrolin' ] || fail "the program's RUNPATH is '$runpath'"
readelf -d "$prefix/bin/sembrolin" | grep -q '(RPATH)' && fail "the program has an RPATH, which LD_LIBRARY_PATH cannot override"
# The built program carries the same one, with no empty entry to search the working directory.
built=$(readelf -d "$build/bin/sembrolin" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
[ "$built" = "$runpath" ] || fail "the built program's RUNPATH is '$built'"

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "the menu entry is not valid"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null \
    || fail "the AppStream metadata is not valid: $(appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml")"

# Each icon is its size square and a whole-number enlargement of one 16 x 16 design.
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/sembrolin.png"
    [ -f "$icon" ] || fail "no $size-pixel icon"
    [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] || fail "the $size-pixel icon is not a $size-pixel PNG"
    convert "$icon" -sample 16x16 -sample "${size}x${size}" "$E2E_TMP/cells.png"
    differ=$(compare -metric AE "$icon" "$E2E_TMP/cells.png" null: 2>&1 || true)
    [ "$differ" = "0" ] || fail "the $size-pixel icon is smoothed ($differ pixels differ from whole cells)"
done

start_display
start_program "$prefix/bin/sembrolin"
wait_for_window FMain 15 >/dev/null || fail "the installed program shows no window: $(cat "$E2E_TMP/program.log")"
shot="$E2E_TMP/installed.png"
# The level meter's first LED lights once the simulated client has answered a tick.
wait_for_pixel "$shot" 315 220 != 000000 || fail "the installed program shows no reading"
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=""

# With a servers file it runs on the NCP client installed beside it, here against the installed nwsim-ncpd.
start_ncpd "$prefix/lib/sembrolin/nwsim-ncpd"
start_program "$prefix/bin/sembrolin" --servers "$E2E_TMP/servers"
wait_for_window FMain 15 >/dev/null || fail "the installed program shows no window on its NCP client: $(cat "$E2E_TMP/program.log")"
wait_for_pixel "$shot" 315 220 != 000000 || fail "the installed program shows no reading on its NCP client"
grep -q "connected to KESTREL" "$E2E_TMP/program.log" || fail "not connected to KESTREL: $(cat "$E2E_TMP/program.log")"
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=""

# A calls library without entry points, found first on the library path, stands for another client.
mkdir "$E2E_TMP/other"
cp "$prefix/lib/sembrolin/legacy/libnetwin32.so" "$E2E_TMP/other/libcalwin32.so"
start_program env LD_LIBRARY_PATH="$E2E_TMP/other" "$prefix/bin/sembrolin"
wait_for_window Information 15 >/dev/null \
    || fail "a client on LD_LIBRARY_PATH did not win over the private one: $(cat "$E2E_TMP/program.log")"
echo "installed ok"
