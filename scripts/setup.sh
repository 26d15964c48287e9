#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libcairo2-dev libx11-dev libfontconfig-dev fonts-liberation
  libsndfile1-dev libsmf-dev
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth zenity
  g++-mingw-w64-x86-64-posix wine wine64
  clang-format
)

if [ "$(id -u)" -eq 0 ]; then
  run() { "$@"; }
else
  run() { sudo "$@"; }
fi

export DEBIAN_FRONTEND=noninteractive
run apt-get update -qq
run apt-get install -y -qq --no-install-recommends "${packages[@]}"
