#!/bin/sh
# Succeeds when 32-bit Wine (Debian's wine32:i386) is installed, so 32-bit Windows programs run.
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"
