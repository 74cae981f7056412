# Sourced after setting $prefix: the environment every Wine call of the tests uses.
WINE_BIN=/usr/lib/wine
export WINEPREFIX="$prefix"
export WINEARCH=win64
# Never offer the Mono or Gecko installers.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Quiet, except for modules that fail to load (a missing DLL says why) and address-space
# conflicts at a process start (a program that ends before it runs says why).
export WINEDEBUG="${WINEDEBUG:--all,err+module,err+virtual}"
