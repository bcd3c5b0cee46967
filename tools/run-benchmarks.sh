#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release), runs them all and prints one
# table: figure | measured | baseline | ratio | target | met?
#
# STARTUP_RUNS (default 15) start-ups of each window, alternating, under a
# private Xvfb; FLOOD_SECONDS (default 10) of flood; HANDOVER_MESSAGES (default
# 2000) messages from a JACK client, one every other cycle; IDLE_SECONDS (default
# 60) of an editor waiting for the keyboard, then PLUGS (default 10) times the
# keyboard's ports appearing. The raw output stays in
# build-bench/results. Figures depend on the machine and its load: this is no
# test and exits non-zero only when a benchmark cannot run.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
startup_runs="${STARTUP_RUNS:-15}"
flood_seconds="${FLOOD_SECONDS:-10}"
handover_messages="${HANDOVER_MESSAGES:-2000}"
idle_seconds="${IDLE_SECONDS:-60}"
plugs="${PLUGS:-10}"

bash tools/install-deps.sh test

results=build-bench/results
mkdir -p "$results"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DHBX740_BUILD_TESTS=ON \
    -DHBX740_BUILD_BENCH=ON >"$results/build.log"
if ! cmake --build build-bench --parallel 2 --target hbx_bench_short_messages hbx_bench_files \
    hbx_bench_flood hbx_bench_editor_startup hbx_bench_bare_window hbx_bench_jack_handover \
    hbx_bench_cli hbx_bench_finding hbx740-sim \
    >>"$results/build.log" 2>&1; then
    cat "$results/build.log"
    exit 1
fi
bin=build-bench/bin

echo "Short messages, files and messages (Google Benchmark)..." >&2
benchmark_options=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    --benchmark_format=csv)
# Back to back and paced apart: their counters differ, and one CSV holds one set.
QT_QPA_PLATFORM=offscreen "$bin/hbx_bench_short_messages" "${benchmark_options[@]}" \
    --benchmark_filter=BackToBack >"$results/short_messages.csv" 2>"$results/short_messages.log"
QT_QPA_PLATFORM=offscreen "$bin/hbx_bench_short_messages" "${benchmark_options[@]}" \
    --benchmark_filter='Paced|AfterQuiet' >"$results/paced_messages.csv" \
    2>"$results/paced_messages.log"
QT_QPA_PLATFORM=offscreen "$bin/hbx_bench_files" "${benchmark_options[@]}" \
    >"$results/files.csv" 2>"$results/files.log"

echo "Incoming MIDI on a private JACK server (dummy driver), $handover_messages messages..." >&2
jack_server="hbx740-bench-$$"
# Real-time scheduling, as a musician's server runs, where the system grants it.
if ! JACK_REALTIME=1 bash tools/jack-server.sh start "$results/jack" "$jack_server" \
    >"$results/jack.log" 2>&1; then
    bash tools/jack-server.sh start "$results/jack" "$jack_server" >>"$results/jack.log"
fi
JACK_DEFAULT_SERVER="$jack_server" JACK_NO_START_SERVER=1 "$bin/hbx_bench_jack_handover" \
    --messages "$handover_messages" >"$results/handover.txt" 2>"$results/handover.log" || true

echo "hbx740ctl against the floor, with the simulator answering at once..." >&2
JACK_DEFAULT_SERVER="$jack_server" JACK_NO_START_SERVER=1 "$bin/hbx740-sim" --backend jack \
    >"$results/simulator.log" 2>&1 &
simulator=$!
sleep 1
JACK_DEFAULT_SERVER="$jack_server" JACK_NO_START_SERVER=1 QT_QPA_PLATFORM=offscreen \
    "$bin/hbx_bench_cli" --runs "${CLI_RUNS:-30}" >"$results/cli.txt" 2>"$results/cli.log" || true
kill "$simulator" 2>/dev/null || true
wait "$simulator" 2>/dev/null || true

echo "Waiting for the keyboard, $idle_seconds s, then plugging it in $plugs times..." >&2
JACK_DEFAULT_SERVER="$jack_server" JACK_NO_START_SERVER=1 QT_QPA_PLATFORM=offscreen \
    "$bin/hbx_bench_finding" --simulator "$bin/hbx740-sim" --idle-seconds "$idle_seconds" \
    --plugs "$plugs" >"$results/finding.txt" 2>"$results/finding.log" || true
bash tools/jack-server.sh stop "$results/jack"

echo "Flood, $flood_seconds s..." >&2
QT_QPA_PLATFORM=offscreen "$bin/hbx_bench_flood" --seconds "$flood_seconds" \
    >"$results/flood.txt" 2>"$results/flood.log" || true

echo "Start-up, $startup_runs runs of each window under Xvfb..." >&2
exec 3>"$results/xvfb.display"
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 2>"$results/xvfb.log" &
xvfb=$!
exec 3>&-
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -s "$results/xvfb.display" ] && break
    sleep 0.1
done
display=":$(head -n1 "$results/xvfb.display")"
: >"$results/startup_editor.txt"
: >"$results/startup_bare.txt"
start_once() {
    # The shell's clock just before the launch: the probe counts from it.
    HBX740_LAUNCHED_AT=$EPOCHREALTIME DISPLAY="$display" QT_QPA_PLATFORM=xcb \
        timeout 30 "$1" 2>>"$results/startup.log"
}
# One discarded run of each first: the editor writes its files on its first
# start, and both fill the caches.
start_once "$bin/hbx_bench_editor_startup" >/dev/null
start_once "$bin/hbx_bench_bare_window" >/dev/null
for _ in $(seq "$startup_runs"); do
    start_once "$bin/hbx_bench_editor_startup" >>"$results/startup_editor.txt"
    start_once "$bin/hbx_bench_bare_window" >>"$results/startup_bare.txt"
done

# The median of field `name` in lines of "name=value" pairs.
median() {
    tr ' ' '\n' <"$1" | sed -n "s/^$2=//p" | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# Column `column` (4 for CPU time, 3 for real or manual time, 11 for the
# allocation counter, 12 and 13 for the median and 99th percentile of paced
# sends) of a benchmark's median row; options may follow the name.
bench() {
    awk -F, -v name="\"$2" -v column="$3" 'index($1, name) == 1 && $1 ~ /_median"$/ &&
        substr($1, length(name) + 1, 1) ~ /[_\/]/ { print $column }' "$1"
}
flood() { sed -n "s/^$1=//p" "$results/flood.txt"; }
handover() { sed -n "s/^$1=//p" "$results/handover.txt"; }
cli() { sed -n "s/^$1=//p" "$results/cli.txt"; }
finding() { sed -n "s/^$1=//p" "$results/finding.txt"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0 ? "%.3g" : "-"), a / b }'; }
met() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "yes" : "NO") }'; }
fixed() { awk -v v="$1" -v d="$2" 'BEGIN { printf "%." d "f", v }'; }

short="$results/short_messages.csv"
line_ns=$(bench "$short" ShortMessage/BackToBack/MonitorLine 4)
queued_ns=$(bench "$short" ShortMessage/BackToBack/QueuedCall 4)
line_allocs=$(bench "$short" ShortMessage/BackToBack/MonitorLine 11)
queued_allocs=$(bench "$short" ShortMessage/BackToBack/QueuedCall 11)
short_ratio=$(ratio "$line_ns" "$queued_ns")
paced="$results/paced_messages.csv"
paced_line_ns=$(bench "$paced" ShortMessage/Paced/MonitorLine 12)
paced_queued_ns=$(bench "$paced" ShortMessage/Paced/QueuedCall 12)
paced_line_p99=$(bench "$paced" ShortMessage/Paced/MonitorLine 13)
paced_queued_p99=$(bench "$paced" ShortMessage/Paced/QueuedCall 13)
paced_line_allocs=$(bench "$paced" ShortMessage/Paced/MonitorLine 11)
paced_queued_allocs=$(bench "$paced" ShortMessage/Paced/QueuedCall 11)
paced_ratio=$(ratio "$paced_line_ns" "$paced_queued_ns")
paced_floor_ns=$(bench "$paced" ShortMessage/Paced/OneStore 12)
quiet_line_ns=$(bench "$paced" ShortMessage/AfterQuiet/MonitorLine 12)
quiet_ratio=$(ratio "$quiet_line_ns" "$paced_queued_ns")

files="$results/files.csv"
us() { awk -v ns="$(bench "$files" "$1" 3)" 'BEGIN { printf "%.1f", ns / 1000 }'; }
save_us=$(us Profile/Save)
write_us=$(us Profile/WriteInPlace)
load_us=$(us Profile/Load)
read_us=$(us Profile/ReadWhole)
build_us=$(us Message/BuildParameterSet)
dump_us=$(us Message/ReceiveDumpReply)

flood_p99=$(flood flood_lateness_ms_p99)
idle_p99=$(flood idle_lateness_ms_p99)
flood_rss_mb=$(awk -v k="$(flood flood_rss_growth_kib)" 'BEGIN { printf "%.2f", k / 1024 }')
idle_rss_mb=$(awk -v k="$(flood idle_rss_growth_kib)" 'BEGIN { printf "%.2f", k / 1024 }')
monitor=$([ "$(flood monitor_ends_on_last)" = 1 ] && echo yes || echo NO)
messages=$(flood flood_messages)

editor_ms=$(median "$results/startup_editor.txt" first_paint_ms)
bare_ms=$(median "$results/startup_bare.txt" first_paint_ms)
editor_mb=$(awk -v k="$(median "$results/startup_editor.txt" peak_rss_kib)" 'BEGIN { printf "%.1f", k / 1024 }')
bare_mb=$(awk -v k="$(median "$results/startup_bare.txt" peak_rss_kib)" 'BEGIN { printf "%.1f", k / 1024 }')
time_ratio=$(ratio "$editor_ms" "$bare_ms")
memory_ratio=$(ratio "$editor_mb" "$bare_mb")

row() { printf '| %s | %s | %s | %s | %s | %s |\n' "$@"; }
row "figure" "measured" "baseline" "ratio" "target" "met?"
row "---" "---" "---" "---" "---" "---"
row "short message back to back, MIDI thread CPU per message (monitor line vs queued call)" \
    "$(fixed "$line_ns" 1) ns" "$(fixed "$queued_ns" 0) ns" "$short_ratio" "<= 1/20 (0.05)" \
    "$(met "$short_ratio" 0.05)"
row "short message back to back, heap allocations per message after warm-up" \
    "$(fixed "$line_allocs" 2)" "$(fixed "$queued_allocs" 2)" "-" "0" "$(met "$line_allocs" 0)"
row "short message one a millisecond (window thread asleep), MIDI thread time, median send" \
    "$(fixed "$paced_line_ns" 0) ns" "$(fixed "$paced_queued_ns" 0) ns" "$paced_ratio" \
    "<= 1/20 (0.05)" "$(met "$paced_ratio" 0.05)"
row "short message one a millisecond, 99th percentile send" \
    "$(fixed "$paced_line_p99" 0) ns" "$(fixed "$paced_queued_p99" 0) ns" \
    "$(ratio "$paced_line_p99" "$paced_queued_p99")" "-" "-"
row "short message one a millisecond, heap allocations per message" \
    "$(fixed "$paced_line_allocs" 2)" "$(fixed "$paced_queued_allocs" 2)" "-" "0" \
    "$(met "$paced_line_allocs" 0)"
row "one store of a 32-bit word a millisecond, median (the least a message can cost)" \
    "$(fixed "$paced_floor_ns" 0) ns" "$(fixed "$paced_queued_ns" 0) ns" \
    "$(ratio "$paced_floor_ns" "$paced_queued_ns")" "-" "-"
row "first short message after a quiet second (wakes the window), median of 5" \
    "$(fixed "$quiet_line_ns" 0) ns" "$(fixed "$paced_queued_ns" 0) ns" "$quiet_ratio" "-" "-"
row "incoming MIDI on JACK, process cycle with one message, median (editor's service vs RtMidi)" \
    "$(handover service_callback_ns_p50) ns" "$(handover rtmidi_callback_ns_p50) ns" \
    "$(ratio "$(handover service_callback_ns_p50)" "$(handover rtmidi_callback_ns_p50)")" "-" "-"
row "incoming MIDI on JACK, process cycle with one message, 99th percentile" \
    "$(handover service_callback_ns_p99) ns" "$(handover rtmidi_callback_ns_p99) ns" \
    "$(ratio "$(handover service_callback_ns_p99)" "$(handover rtmidi_callback_ns_p99)")" "-" "-"
row "incoming MIDI on JACK, heap calls / mutex locks / wake-ups per message in the cycle" \
    "$(handover service_heap_per_message) / $(handover service_locks_per_message) / $(handover service_wakes_per_message)" \
    "$(handover rtmidi_heap_per_message) / $(handover rtmidi_locks_per_message) / $(handover rtmidi_wakes_per_message)" \
    "-" "0 / 0 / 0" "$(met "$(awk -v a="$(handover service_heap_per_message)" -v b="$(handover service_locks_per_message)" \
        -v c="$(handover service_wakes_per_message)" 'BEGIN { print a + b + c }')" 0)"
row "incoming MIDI on JACK, wake-ups per message after the cycle is signalled done" \
    "$(handover service_wakes_after_cycle_per_message)" "-" "-" "-" "-"
row "incoming MIDI on JACK, messages received of $(handover messages) sent" \
    "$(handover received_service)" "$(handover received_rtmidi)" "-" "all" \
    "$([ "$(handover received_service)" = "$(handover messages)" ] && echo yes || echo NO)"
row "incoming MIDI, cycle start to handler, median (vs the relay fed by a plain thread)" \
    "$(handover latency_us_p50) us" "$(handover floor_latency_us_p50) us" "-" "-" "-"
row "incoming MIDI, cycle start to handler, 99th percentile (vs the relay fed by a plain thread)" \
    "$(handover latency_us_p99) us" "$(handover floor_latency_us_p99) us" "-" "<= 1000 us" \
    "$(met "$(handover latency_us_p99)" 1000)"
for command in identity read; do
    row "hbx740ctl $command, process start to exit, median (vs the floor: a C client over libjack)" \
        "$(cli ${command}_ctl_ms) ms" "$(cli ${command}_floor_ms) ms" \
        "$(ratio "$(cli ${command}_ctl_ms)" "$(cli ${command}_floor_ms)")" "<= 1.5" \
        "$(met "$(ratio "$(cli ${command}_ctl_ms)" "$(cli ${command}_floor_ms)")" 1.5)"
    row "hbx740ctl $command (vs the floor that also lists the ports once)" \
        "$(cli ${command}_ctl_ms) ms" "$(cli ${command}_floor_listing_ms) ms" \
        "$(ratio "$(cli ${command}_ctl_ms)" "$(cli ${command}_floor_listing_ms)")" "-" "-"
done
row "the window's SYNC TO PC, click to completion box, median" "$(cli window_sync_to_pc_ms) ms" \
    "-" "-" "-" "-"
row "waiting for the keyboard, one look (USB list and port names) on the window's thread, median / p99" \
    "$(finding look_median_us) / $(finding look_p99_us) us" "-" "-" "-" "-"
row "waiting for the keyboard, editor's CPU over $(finding idle_seconds) s" \
    "$(finding idle_cpu_percent) %" "-" "-" "-" "-"
row "keyboard's ports appearing to \"Connect\", median / max of $(finding plugs)" \
    "$(finding connect_median_ms) / $(finding connect_max_ms) ms" "-" "-" "<= 2000 ms" \
    "$(met "$(finding connect_max_ms)" 2000)"
row "flood $messages messages in $(fixed "$(flood flood_seconds)" 1) s, 5 ms timer lateness p50 (vs idle)" \
    "$(flood flood_lateness_ms_p50) ms" "$(flood idle_lateness_ms_p50) ms" \
    "$(ratio "$(flood flood_lateness_ms_p50)" "$(flood idle_lateness_ms_p50)")" "-" "-"
row "flood, 5 ms timer lateness p99 (vs idle)" "$flood_p99 ms" "$idle_p99 ms" \
    "$(ratio "$flood_p99" "$idle_p99")" "<= 16 ms" "$(met "$flood_p99" 16)"
row "flood, 5 ms timer lateness max (vs idle)" "$(flood flood_lateness_ms_max) ms" \
    "$(flood idle_lateness_ms_max) ms" \
    "$(ratio "$(flood flood_lateness_ms_max)" "$(flood idle_lateness_ms_max)")" "-" "-"
row "flood, monitor line ends on the last message" "$monitor" "-" "-" "yes" "$monitor"
row "flood, resident memory growth (vs idle period)" "$flood_rss_mb MB" "$idle_rss_mb MB" "-" \
    "<= 1 MB" "$(met "$flood_rss_mb" 1)"
row "start-up to first paint, Xvfb, median of $startup_runs (editor vs bare window)" \
    "$editor_ms ms" "$bare_ms ms" "$time_ratio" "<= 1.4" "$(met "$time_ratio" 1.4)"
row "start-up peak resident memory VmHWM, median (editor vs bare window)" "$editor_mb MB" \
    "$bare_mb MB" "$memory_ratio" "<= 1.25" "$(met "$memory_ratio" 1.25)"
row "SaveParaToFile (vs plain write in place)" "$save_us us" "$write_us us" \
    "$(ratio "$save_us" "$write_us")" "-" "-"
row "LoadParaFromFile (vs plain read of the file)" "$load_us us" "$read_us us" \
    "$(ratio "$load_us" "$read_us")" "-" "-"
row "BuildParameterSet" "$build_us us" "-" "-" "-" "-"
row "48-byte dump reply, callback to model, panel and repaint" "$dump_us us" "-" "-" "-" "-"
