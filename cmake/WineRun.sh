#!/bin/sh
# Runs a Windows program under Wine: WineRun.sh WINE PROGRAM [ARGS...]
#
# The Wine session (the server and a few system processes) starts with the
# first program and ends some seconds after the last one. Started by a test
# program, the session would keep the test's output pipes open, and ctest
# would wait for it to end after every test; so it is started here first,
# detached from our standard streams, and the program joins it.
wine=$1
shift
"$wine" cmd /c exit </dev/null >/dev/null 2>&1
exec "$wine" "$@"
