#!/bin/sh
# Creates the private Wine prefix of the build: make-prefix.sh PREFIX
# A prefix is finished once its marker file exists; a half-made one is made anew.
prefix=$1
here=$(dirname "$0")
. "$here/wine-env.sh"
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.jvmhost-ready-3" ] && exit 0
rm -rf "$prefix"
log="$prefix.log"
opener="\"Z:$(cd "$(dirname "$prefix")" && pwd | sed 's|/|\\|g')\\tests\\bin\\shell_open.exe\" \"%1\""
(
    $WINE64 wineboot --init &&
    # Without a window manager, closing a managed window waits two seconds.
    $WINE64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
    # Addresses the tests open go to a recorder of the build instead of a browser.
    $WINE64 reg add 'HKLM\Software\Classes\http\shell\open\command' /ve /d "$opener" /f &&
    $WINE64 reg add 'HKLM\Software\Classes\https\shell\open\command' /ve /d "$opener" /f &&
    # Wine finds the fonts of fonts-wine (Tahoma, and Marlett for the caption's glyphs) only in
    # the prefix's Fonts folder; Chinese and Japanese text takes the CJK font that
    # setup-debian installs in place of the Windows fonts Tahoma links to.
    { [ ! -d /usr/share/wine/fonts ] || cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"; } &&
    for face in 'MS UI Gothic' 'SimSun' 'PMingLiU' 'Gulim'; do
        $WINE64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' /f || exit 1
    done &&
    "$WINE_BIN/wineserver" -w
) 9>&- </dev/null >"$log" 2>&1 || { echo "make-prefix: Wine failed, see $log" >&2; exit 1; }
touch "$prefix/.jvmhost-ready-3"
