#!/usr/bin/env bash
# Sets up a fresh machine, builds Quaywise with its data and runs it on the default data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build
exec "$root/build/bin/quaywise-cli" "$@"
