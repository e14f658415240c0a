# Picks the Windows build that runs on this machine, for the demo and the benchmarks (sourced,
# from the top of the tree): the i686 build, the deliverables, where the machine runs 32-bit
# programs (scripts/can-run-32bit), else the x86_64 test build under 64-bit Wine. Prints which
# and why; sets preset and build, and the Wine for it (scripts/wine-env.sh).
if why=$(scripts/can-run-32bit); then
  preset=windows
  export WINEARCH=win32
  echo "Windows build: i686 (the deliverables) under Wine, since this machine runs 32-bit programs"
else
  preset=windows64
  export WINEARCH=win64
  echo "Windows build: x86_64 (a test build of the same tree) under 64-bit Wine, since $why"
fi
build=build/$preset
source scripts/wine-env.sh
