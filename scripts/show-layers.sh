#!/bin/sh
# Prints which folder of src/ includes which, with the number of #include lines, as Graphviz
# dot text and as a plain list. Includes the layer table refuses (with the window's rules on)
# are red in the dot text and marked "breaks the layers" in the list.
#   scripts/show-layers.sh                             both
#   scripts/show-layers.sh --list                      the list only
#   scripts/show-layers.sh --dot | dot -Tsvg > l.svg   a picture (needs graphviz)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
format=both
case "$1" in
  --dot) format=dot ;;
  --list) format=list ;;
  "") ;;
  *) echo "usage: $0 [--dot|--list]" >&2; exit 2 ;;
esac
exec cmake -DSRC="$root/src" -DMODE=graph -DFORMAT=$format -P "$root/cmake/CheckLayers.cmake"
