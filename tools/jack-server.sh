#!/usr/bin/env bash
# Starts or stops a private JACK server with the dummy driver and without
# realtime scheduling, for the tests that need a real MIDI service; with
# JACK_REALTIME=1 in the environment it schedules in real time, as a musician's
# server does (the benchmarks use that where the system allows it).
#
#   jack-server.sh start STATE_DIR SERVER_NAME
#   jack-server.sh stop  STATE_DIR
#
# STATE_DIR keeps the server's process id and log. A named server lets several
# build folders test at once without sharing or stopping each other's server.
# Works as root, without dbus and without standard input.
set -euo pipefail

command=${1:?start or stop}
state_dir=${2:?state folder}
pid_file="$state_dir/jackd.pid"
log_file="$state_dir/jackd.log"

# The process id in the pid file, when that process is still a jackd.
running_pid() {
    [ -f "$pid_file" ] || return 1
    local pid
    pid=$(cat "$pid_file")
    [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = jackd ] && echo "$pid"
}

stop_server() {
    local pid
    if pid=$(running_pid); then
        kill -TERM "$pid" 2>/dev/null || true
        # Clients still attached slow the shutdown down.
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$pid_file"
}

case "$command" in
start)
    server=${3:?server name}
    mkdir -p "$state_dir"
    # A server left behind by an interrupted run would hold the name.
    stop_server
    export JACK_NO_AUDIO_RESERVATION=1 JACK_NO_START_SERVER=1
    # Detached from the test's output pipes, so the setup test can end while
    # the server goes on.
    scheduling=(-r)
    [ "${JACK_REALTIME:-0}" = 1 ] && scheduling=(-R -P 70)
    setsid jackd -n "$server" "${scheduling[@]}" -d dummy -r 48000 -p 256 </dev/null >"$log_file" 2>&1 &
    echo $! >"$pid_file"
    if ! jack_wait -s "$server" -w -t 10 </dev/null >/dev/null 2>&1 || ! running_pid >/dev/null; then
        echo "The JACK server \"$server\" did not start; its log:" >&2
        cat "$log_file" >&2
        stop_server
        exit 1
    fi
    echo "JACK server \"$server\" runs as process $(cat "$pid_file")."
    ;;
stop)
    stop_server
    ;;
*)
    echo "usage: $0 start STATE_DIR SERVER_NAME | stop STATE_DIR" >&2
    exit 2
    ;;
esac
