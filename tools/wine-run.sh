#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix
# (tools/wine-env.sh), with Wine's server up for the run and stopped after it,
# and exits with the program's status. Meant for the ALSA machine
# (tools/alsa-vm.sh), where nothing else has started Wine.
set -euo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=wine-env.sh
source "$tools/wine-env.sh"
wine_server
trap wine_server_stop EXIT
wine "$@" </dev/null
