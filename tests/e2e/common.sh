# Shared by the end-to-end scripts: a fresh working folder that sees the game data.
set -eu
game=$1
data=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
for entry in "$data"/*; do
  name=$(basename "$entry")
  [ "$name" = resolucion.cfg ] || ln -s "$entry" "$work/$name"
done
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
