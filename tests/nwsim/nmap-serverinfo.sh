#!/usr/bin/env bash
# nmap's NCP server-information script, an independent client, against nwsim-ncpd: it must read the simulated
# server's name, OS version and tree. Also checks that the face refuses an address off the loopback network.
set -euo pipefail
ncpd=$1
if ! command -v nmap >/dev/null; then
    echo "nmap is not installed (scripts/install-deps test)"
    exit 77
fi
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

status=0
"$ncpd" --listen 192.0.2.1:524 2>"$work/refused" || status=$?
if [ "$status" -ne 2 ] || ! grep -q "not a loopback address" "$work/refused"; then
    echo "an address off loopback was not refused with exit code 2 (got $status):"
    cat "$work/refused"
    exit 1
fi

cat >"$work/scenario" <<'SCENARIO'
tree ACORN
login CN=OPS.O=ACORN
server KESTREL version=5.70 tree=yes volumes=2
password KESTREL OPS Tr0ut
SCENARIO
"$ncpd" --scenario "$work/scenario" --listen 127.0.0.1:0 --servers-file "$work/servers" >"$work/stdout" &
pid=$!
for _ in $(seq 100); do
    [ -e "$work/servers" ] && break
    sleep 0.1
done
if [ ! -e "$work/servers" ]; then
    echo "nwsim-ncpd wrote no servers file:"
    cat "$work/stdout"
    exit 1
fi
port=$(sed -n 's/^server 127\.0\.0\.1:\([0-9]*\) user=OPS password=Tr0ut$/\1/p' "$work/servers")
if [ -z "$port" ] || [ "$(stat -c %a "$work/servers")" != 600 ] || [ "$(wc -l <"$work/servers")" != 1 ]; then
    echo "no private servers file with the server's port and login:"
    cat "$work/servers" "$work/stdout" 2>/dev/null || true
    exit 1
fi

nmap -sT -Pn -p "$port" --script +ncp-serverinfo 127.0.0.1 >"$work/nmap"
cat "$work/nmap"
for expected in "Server name: KESTREL" "OS Version: 5.70" "Tree Name: ACORN" "127.0.0.1 $port/tcp" "VOL1"; do
    if ! grep -q "$expected" "$work/nmap"; then
        echo "nmap did not show \"$expected\""
        exit 1
    fi
done

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
if [ "$status" -ne 0 ]; then
    echo "nwsim-ncpd ended with $status on SIGTERM"
    exit 1
fi
echo "1 passed, 0 failed"
