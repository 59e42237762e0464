#!/usr/bin/env bash
# A print server of the tests' own: a CUPS scheduler with its configuration, spool and logs in
# FOLDER, reached only through the socket FOLDER/cups.sock, with one queue "shopping-test" that
# writes every job, as the application sends it, to FOLDER/out/job-<number>.pdf. The machine's own
# print server, printers and settings are never touched.
#   print-server.sh start FOLDER   # starts it (does nothing when cupsd is not installed)
#   print-server.sh stop FOLDER    # stops the scheduler it started, by its PID, and removes FOLDER
set -euo pipefail
action=$1
folder=$2

stop() {
    if [ -f "$folder/cupsd.pid" ]; then
        local pid
        pid=$(cat "$folder/cupsd.pid")
        if [ "$(cat /proc/"$pid"/comm 2>/dev/null)" = cupsd ]; then
            kill "$pid"
            for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        fi
    fi
    rm -rf "$folder"
}

start() {
    command -v cupsd >/dev/null && command -v lpadmin >/dev/null || {
        echo "cupsd is not installed: the printing test will skip"
        return 0
    }
    stop
    mkdir -p "$folder"/{spool,cache,state,tmp,out}
    folder=$(cd "$folder" && pwd)
    # Run by root, the scheduler runs its backends as lp; run by a user, everything runs as that user.
    local accounts=""
    [ "$(id -u)" = 0 ] && accounts=$'User lp\nGroup lp\nSystemGroup root'
    chmod 755 "$folder"
    chmod 1777 "$folder/out"
    # The scheduler's programs, with one backend of our own that keeps each job as a file.
    mkdir -p "$folder/bin/backend"
    for part in /usr/lib/cups/*; do
        [ "$(basename "$part")" = backend ] || ln -s "$part" "$folder/bin/"
    done
    cat >"$folder/bin/backend/keep" <<'BACKEND'
#!/bin/sh
[ $# -eq 0 ] && { echo 'direct keep "Unknown" "Keeps each job as a file"'; exit 0; }
out=${DEVICE_URI#keep:}
if [ $# -ge 6 ]; then cat "$6"; else cat; fi >"$out/job-$1.part" && mv "$out/job-$1.part" "$out/job-$1.pdf"
BACKEND
    chmod 755 "$folder/bin/backend/keep"
    cat >"$folder/cupsd.conf" <<CONF
Listen $folder/cups.sock
Browsing No
LogLevel ${SHOPPING_CUPS_LOG:-warn}
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$folder/cups-files.conf" <<CONF
ServerRoot $folder
RequestRoot $folder/spool
CacheDir $folder/cache
StateDir $folder/state
TempDir $folder/tmp
ErrorLog $folder/error_log
AccessLog $folder/access_log
PageLog $folder/page_log
ServerBin $folder/bin
$accounts
CONF
    cupsd -f -c "$folder/cupsd.conf" -s "$folder/cups-files.conf" </dev/null >/dev/null 2>&1 &
    echo $! >"$folder/cupsd.pid"
    export CUPS_SERVER=$folder/cups.sock
    for _ in $(seq 1 100); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
    # A queue without a driver passes the application's PDF through unchanged.
    if ! lpadmin -p shopping-test -E -v "keep:$folder/out" 2>/dev/null ||
        ! lpadmin -d shopping-test; then
        echo "the test print server did not start:" >&2
        cat "$folder/error_log" >&2 || true
        stop
        exit 1
    fi
}

case "$action" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop FOLDER" >&2; exit 2 ;;
esac
