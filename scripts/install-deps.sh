#!/usr/bin/env bash
# Installs everything Tempoloop needs to build, run and test on Debian 12:
# the tests also run under a headless Wayland compositor (weston, Qt's
# wayland platform) and on a session bus of their own (dbus-run-session,
# with playerctl as the desktop's media controls) and the sound tests record
# a PulseAudio server of their own; the build speaks the count-in with
# espeak-ng, and links with lld when it is there.
# Run as root (or through sudo). Skips apt when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev libqt6svg6 qt6-qpa-plugins
  libmpv-dev libavformat-dev libavcodec-dev libavutil-dev libswresample-dev mpv ffmpeg libxkbcommon-x11-dev libaubio-dev
  libgl1-mesa-dri xvfb xauth xdotool x11-xkb-utils imagemagick fonts-dejavu-core
  openbox x11-utils
  desktop-file-utils appstream shared-mime-info
  weston qt6-wayland
  lld
  libxcb-screensaver0-dev
  dbus
  playerctl
  # the sound tests: a PulseAudio server of their own, recorded with parec
  pulseaudio
  pulseaudio-utils
  # the beat finder's generated songs: a synthesiser, its soundfont, a voice
  # (which also speaks the count-in at build time), sox
  fluidsynth
  fluid-soundfont-gm
  espeak-ng
  sox
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
