#!/bin/sh
# Runs one Windows program under Wine, quietly, in the prefix named by WINEPREFIX.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
