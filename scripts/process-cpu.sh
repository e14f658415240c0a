# Shell functions for the benchmarks that measure the CPU of programs under Wine (sourced).

# CPU time of a thread (/proc/<pid>/task/<tid>) or process folder in nanoseconds (schedstat,
# else ticks).
thread_ns() {
  if [ -r "$1/schedstat" ]; then
    cut -d' ' -f1 "$1/schedstat"
  else
    local f; f=($(sed 's/.*) //' "$1/stat"))
    echo $(((f[11] + f[12]) * 1000000000 / $(getconf CLK_TCK)))
  fi
}

# CPU time of a process in nanoseconds: the sum over its threads.
cpu_ns() {
  local total=0 t
  for t in /proc/"$1"/task/*; do total=$((total + $(thread_ns "$t"))); done
  echo "$total"
}

# The process whose program (the first word of its command line) ends in the text $1, and
# whose command line holds the text $2 (by default $1); or nothing.
process_of_program() {
  local p program
  for p in $(grep -l -a -F "${2:-$1}" /proc/[0-9]*/cmdline 2>/dev/null | cut -d/ -f3 || true); do
    program=$(tr '\0' '\n' 2>/dev/null < "/proc/$p/cmdline" | head -1 || true)
    if [[ "$program" == *"$1" ]]; then echo "$p"; return; fi
  done
}

# The wineserver of the Wine prefix WINEPREFIX, or nothing.
wineserver_of_prefix() {
  local p
  for p in /proc/[0-9]*; do
    [[ "$(cat "$p/comm" 2>/dev/null)" == wineserver* ]] || continue
    if tr '\0' '\n' 2>/dev/null < "$p/environ" | grep -q -x -F "WINEPREFIX=$WINEPREFIX"; then
      echo "${p#/proc/}"; return
    fi
  done
}

# Percent of one core that the CPU time from a to b nanoseconds is over ns nanoseconds.
cpu_percent() {
  awk -v a="$1" -v b="$2" -v ns="$3" 'BEGIN { printf "%.3f", (b - a) * 100 / ns }'
}
