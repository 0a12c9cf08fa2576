#!/usr/bin/env bash
# Installs what building and testing kelvo needs on Debian 12, skipping what is already there.
set -euo pipefail
packages=(build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev faketime poppler-utils xvfb xauth
          libcurl4-openssl-dev python3-pyftpdlib python3-openssl openssl python3-aiosmtpd zbar-tools
          libcups2-dev cups-daemon cups-client ca-certificates ccache postgresql libpq-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
