#!/bin/sh
# Stands in for a web browser under Wine: writes down each address it is
# handed, one a line, beside itself.
printf '%s\n' "$@" >>"$(dirname "$0")/browser-log.txt"
