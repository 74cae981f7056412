#!/bin/sh
# Runs a Windows program under Wine in the build's private prefix:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is created on first use.
prefix=$1
shift
here=$(dirname "$0")
. "$here/wine-env.sh"
[ -f "$prefix/.jvmhost-ready-3" ] || "$here/make-prefix.sh" "$prefix" || exit 1
exec $WINE64 "$@"
