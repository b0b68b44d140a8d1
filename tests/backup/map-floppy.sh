#!/bin/sh
# map-floppy.sh PREFIX WINE-PREFIX-SCRIPT ARCH: links drive A: of the test prefix to C:\kaza-floppy.
set -eu
prefix=$1
WINEDEBUG=-all "$2" "$prefix" null "$3" 2>/dev/null
mkdir -p "$prefix/drive_c/kaza-floppy"
ln -sfn ../drive_c/kaza-floppy "$prefix/dosdevices/a:"
