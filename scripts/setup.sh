#!/usr/bin/env bash
# Installs every Debian package that the build, the application, the service stand-in and the
# tests need. Does nothing when they are all present already.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git ca-certificates openssl
  zlib1g-dev libxml2-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-positioning-dev libqt6positioning6-plugins qml6-module-qtpositioning
  qt6-webengine-dev qml6-module-qtwebengine
  qt6-httpserver-dev qt6-websockets-dev
  qt6-svg-dev qt6-l10n-tools qt6-tools-dev-tools
  qt6-qpa-plugins libqt6sql6-sqlite
  qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
  qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qtquick-shapes
  qml6-module-qtquick-dialogs
  fonts-wqy-microhei xvfb xauth python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
