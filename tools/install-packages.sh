#!/bin/sh
# Installs the Debian packages named as arguments that are not installed yet, and says so.
# Uses apt-get as root, or through sudo otherwise. A package of another architecture
# (wine32:i386) first has its architecture added to dpkg's, when it is not there yet.
set -e
missing=""
for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing missing Debian packages:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
for p in $missing; do
    case "$p" in *:*) arch=${p#*:} ;; *) continue ;; esac
    if [ "$arch" != "$(dpkg --print-architecture)" ] &&
        ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
        echo "Adding the $arch architecture to dpkg's (dpkg --add-architecture $arch)"
        $sudo dpkg --add-architecture "$arch"
    fi
done
# A mirror caught mid-sync fails one index now and then; try again, and if an index still
# fails, go on with the lists apt has: the install below says whether a package is missing.
tries=0
until $sudo apt-get update -qq; do
    tries=$((tries + 1))
    if [ $tries -ge 3 ]; then
        echo "apt-get update failed $tries times; installing from the package lists apt has"
        break
    fi
    echo "apt-get update failed; trying again in 10 s"
    sleep 10
done
$sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
echo "Installed:$missing"
