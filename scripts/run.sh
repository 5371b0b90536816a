#!/usr/bin/env bash
# Runs Varnel under Wine. The main window does not exist yet, so for now
# this builds the Windows test binary and runs it under Wine instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VARNEL_ROOT"

varnel_ensure_packages
cmake --preset windows >/dev/null
cmake --build --preset windows

if [ -z "${DISPLAY:-}" ]; then varnel_start_display; fi
varnel_start_wine
varnel_log "the editor window is not built yet: running the Windows test binary under Wine instead"
wine "$VARNEL_BUILD/windows/tests/varnel_tests.exe"
