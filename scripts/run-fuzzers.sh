#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, starting from its committed seed
# corpus. Exits non-zero when any target finds a crash, a leak, an out-of-bounds access or
# undefined behaviour; the input that did it is left in fuzz/out/<target>/.
set -uo pipefail
bin_dir=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for pair in Md3Fuzzer:md3 ImageFuzzer:image LightFileFuzzer:light AnimationConfigFuzzer:animcfg SettingsFuzzer:settings \
            GameScriptFuzzer:scripts; do
  target=${pair%%:*}
  corpus=${pair#*:}
  out="$root/fuzz/out/$corpus"
  mkdir -p "$out/corpus"
  echo "== $target: ${seconds}s"
  if ! "$bin_dir/$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
       -timeout=10 -artifact_prefix="$out/" "$out/corpus" "$root/fuzz/corpus/$corpus" \
       >"$out/log.txt" 2>&1; then
    echo "!! $target found a problem; see $out/log.txt"
    tail -n 40 "$out/log.txt"
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs' "$out/log.txt" | tail -n 2
done
exit $status
