#!/bin/sh
# Stops the Wine server of a prefix and waits until it has gone; nothing to do if none runs.
#   stop.sh PREFIX
WINEPREFIX="$1" wineserver -k 2>/dev/null
WINEPREFIX="$1" wineserver -w 2>/dev/null
exit 0
