#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (as root, or through sudo).
# Each file in scripts/packages/ lists the packages one part of the project needs.
# apt-get runs only when one of them is missing; off Debian (no dpkg or apt-get)
# the script says so in one line and leaves the packages to you.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
  echo "setup: no dpkg/apt-get here, skipped (the packages are listed in scripts/packages/)"
  exit 0
fi

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

mapfile -t wanted < <(cat scripts/packages/*.txt | sed 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
# One query for all of them: each installed package prints its name once, whatever
# its architectures; anything not printed is missing.
mapfile -t installed < <(dpkg-query -W -f='${db:Status-Status} ${Package}\n' "${wanted[@]}" 2>/dev/null \
  | awk '$1 == "installed" { print $2 }' | sort -u)
mapfile -t missing < <(comm -23 <(printf '%s\n' "${wanted[@]}") <(printf '%s\n' "${installed[@]}"))
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_if_needed apt-get update
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
