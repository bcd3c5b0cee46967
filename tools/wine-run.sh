#!/usr/bin/env bash
# Runs one GoogleTest program for Windows under Wine in the project's prefix
# (tools/wine-env.sh), with Wine's server up for the run and stopped after it,
# and exits by its results (wine_gtest). Meant for the ALSA machine
# (tools/alsa-vm.sh), where nothing else has started Wine.
set -euo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=wine-env.sh
source "$tools/wine-env.sh"
wine_server
trap wine_server_stop EXIT
wine_gtest "$@"
