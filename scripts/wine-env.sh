# The Wine that runs a Windows build (sourced by the scripts that run Wine). WINEARCH=win64 (the
# x86_64 test build, which the windows64 test preset sets) takes 64-bit Wine, Debian's loader
# /usr/lib/wine/wine64 (its `wine` command takes the 32-bit loader whenever that is installed),
# in the prefix WINEPREFIX64 (by default ~/.wine-velomark64); anything else 32-bit Wine in the
# prefix WINEPREFIX (by default ~/.wine-velomark). Exports WINEARCH and WINEPREFIX, sets `wine`
# to the loader.
if [ "${WINEARCH:-}" = win64 ]; then
  export WINEPREFIX="${WINEPREFIX64:-${HOME}/.wine-velomark64}"
  export WINELOADER=/usr/lib/wine/wine64  # the loader of the processes that Wine starts
  wine=$WINELOADER
else
  export WINEARCH=win32
  export WINEPREFIX="${WINEPREFIX:-${HOME}/.wine-velomark}"
  wine=wine
fi
