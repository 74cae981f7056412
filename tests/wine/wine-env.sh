# Sourced after setting $prefix: the environment every Wine call of the tests uses.
WINE_BIN=/usr/lib/wine
# Wine's loader is not position independent: it sits at 0x7d000000, and the kernel starts its
# brk heap at a random place up to 1 GiB above it. Now and then (2 of 3,000 starts measured)
# the heap covers the addresses Wine reserves for the shared user data at 0x7ff00000-0x7fff0000,
# and the program ends with status 1 before it runs ("failed to map the shared user data:
# c0000018").
# Wine's preloader, which would reserve them first, is not in Debian's package. Without
# address-space randomisation the heap starts right after the loader, so every Wine process of
# the tests is started that way (its children inherit it).
if setarch "$(uname -m)" -R true 2>/dev/null; then
    WINE64="setarch $(uname -m) -R $WINE_BIN/wine64"
else
    WINE64="$WINE_BIN/wine64"
fi
export WINEPREFIX="$prefix"
export WINEARCH=win64
# Never offer the Mono or Gecko installers.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Quiet, except for modules that fail to load (a missing DLL says why) and address-space
# conflicts at a process start (a program that ends before it runs says why).
export WINEDEBUG="${WINEDEBUG:--all,err+module,err+virtual}"
