#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and fuzz.
# Idempotent: packages already present are left alone; apt-get update runs only when
# something is missing.
set -euo pipefail

packages=(
  # toolchain
  build-essential g++-12 cmake ninja-build pkg-config git python3
  clang-14 libclang-rt-14-dev lld-14 clang-format
  # test and benchmark frameworks
  libgtest-dev libgmock-dev libbenchmark-dev
  # drawing, text and images
  libcairo2-dev libpango1.0-dev libgdk-pixbuf-2.0-dev libgif-dev libpng-dev libjpeg-dev libfontconfig-dev
  librsvg2-common
  # SVG icons and an independent renderer of their path data, for the SVG path tests
  adwaita-icon-theme librsvg2-bin
  # windows
  libgtk-3-dev libx11-dev libx11-xcb-dev
  # headless display and driving it in tests
  xvfb xauth xdotool x11-utils imagemagick xclip
  # the accessibility bus, GTK's bridge to it and a screen reader's Python bindings, for
  # the test that reads scenes as a reader does (dbus-run-session comes with dbus)
  at-spi2-core libatk-adaptor dbus python3-pyatspi
  # pinned fonts for pixel tests
  fonts-dejavu-core fonts-liberation2
  # benchmark baseline for the blur
  libagg-dev
  # a locale with a decimal comma, to test that value text ignores the locale
  locales
  # the API reference (cmake --build build --target docs)
  doxygen
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
else
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "install-deps: generating the de_DE.UTF-8 locale"
  $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
