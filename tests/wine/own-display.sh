#!/bin/sh
# An X display of its own for a second set of tests, so that its windows, clicks and key
# presses never meet those of the first set on the test run's display:
#   own-display.sh start FILE    starts Xvfb and writes its display (":N") to FILE
#   own-display.sh stop FILE     ends that Xvfb
#   own-display.sh run FILE COMMAND [ARGUMENTS...]   runs COMMAND with DISPLAY from FILE
action=$1
file=$2
case "$action" in
    start)
        "$0" stop "$file"
        rm -f "$file.number"
        # Xvfb writes the display number it found free on descriptor 3 once it accepts clients.
        Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$file.number" \
            </dev/null >"$file.log" 2>&1 &
        echo $! >"$file.pid"
        tries=0
        until [ -s "$file.number" ]; do
            tries=$((tries + 1))
            if [ $tries -gt 100 ] || ! kill -0 "$(cat "$file.pid")" 2>/dev/null; then
                echo "own-display: Xvfb did not give its display number within 10 s; see $file.log" >&2
                exit 1
            fi
            sleep 0.1
        done
        echo ":$(head -n 1 "$file.number")" >"$file"
        ;;
    stop)
        if [ -f "$file.pid" ]; then
            kill "$(cat "$file.pid")" 2>/dev/null
            rm -f "$file.pid" "$file" "$file.number"
        fi
        ;;
    run)
        shift 2
        DISPLAY=$(cat "$file") || exit 1
        export DISPLAY
        exec "$@"
        ;;
    *)
        echo "usage: own-display.sh start|stop|run FILE [COMMAND...]" >&2
        exit 2
        ;;
esac
exit 0
