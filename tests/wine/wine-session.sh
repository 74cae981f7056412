#!/bin/sh
# Starts or ends the Wine server of a test run: wine-session.sh start|stop PREFIX
# The server and Wine's own background programs are started detached from the caller's
# output, so that ctest does not wait for them after every test, and with the caller's
# DISPLAY, which message boxes and windows need.
action=$1
prefix=$2
here=$(dirname "$0")
. "$here/wine-env.sh"
case "$action" in
    start)
        [ -f "$prefix/.jvmhost-ready-3" ] || "$here/make-prefix.sh" "$prefix" || exit 1
        "$WINE_BIN/wineserver" -k >/dev/null 2>&1
        "$WINE_BIN/wineserver" -w >/dev/null 2>&1
        "$WINE_BIN/wineserver" -p </dev/null >/dev/null 2>&1
        $WINE64 cmd /c exit </dev/null >/dev/null 2>&1
        ;;
    stop)
        "$WINE_BIN/wineserver" -k >/dev/null 2>&1
        "$WINE_BIN/wineserver" -w >/dev/null 2>&1
        ;;
    *)
        echo "usage: wine-session.sh start|stop PREFIX" >&2
        exit 2
        ;;
esac
exit 0
