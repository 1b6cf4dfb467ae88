#!/usr/bin/env bash
# Sets up a fresh machine, builds Quaywise with its data and starts the desktop program
# on the default data (needs a display; the command-line tool is build/bin/quaywise-cli).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build
exec "$root/build/bin/quaywise" "$@"
