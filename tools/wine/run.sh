#!/bin/sh
# Runs a Windows program under Wine in a prefix of the build's own (made by prefix.sh):
#   run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# Wine's debug output is off, and its .NET and HTML engines are not offered for installation.
# The program's exit status is this script's.
prefix=$1
shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
