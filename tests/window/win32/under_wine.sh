#!/usr/bin/env bash
# under_wine.sh PROGRAM [ARGUMENT...]: runs a Windows program under Wine in a private session,
# exiting with the program's exit code.
set -euo pipefail
. "$(dirname "$0")/wine_session.sh"
wine "$@"
