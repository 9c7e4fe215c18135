#!/usr/bin/env bash
# Checks the Debian package on a clean Debian 12 (a manual check, not part of
# ctest; run as root after scripts/make-deb.sh):
#  1. makes a minimal Debian 12 root with debootstrap, once, and keeps it
#     untouched in $ROOT; each run works on a fresh copy of it;
#  2. installs the package there with `apt install ./tempoloop_*.deb`, which
#     must pull in everything the program needs;
#  3. checks that the catalog file type and the desktop entry are registered;
#  4. opens a small catalog the way a double-click does (the desktop entry's
#     Exec line with the file for %f) under xvfb-run, saves a screenshot,
#     exits with the exit key, and checks that the settings and the catalog
#     folder were made in the user's folders, not under /usr.
#
# scripts/check-deb-in-chroot.sh [PACKAGE.deb]
#   ROOT    the clean root (default /tmp/deb12root); the work copy is
#           $ROOT-run, downloaded packages are kept in $ROOT-apt-cache
#   MIRROR  Debian mirror (default: the first one in this machine's apt sources)
#   SHOT    where the screenshot goes (default /tmp/tempoloop-chroot.png)
set -euo pipefail
cd "$(dirname "$0")/.."

root=${ROOT:-/tmp/deb12root}
run=$root-run
shot=${SHOT:-/tmp/tempoloop-chroot.png}
deb=${1:-$(ls build/tempoloop_*.deb 2>/dev/null | tail -n 1)}
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "No package: run scripts/make-deb.sh first, or name the .deb." >&2
  exit 1
fi
if [ -z "${MIRROR:-}" ]; then
  MIRROR=$(grep -rhoE '(URIs:|deb) +https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d/ \
    2>/dev/null | grep -oE 'https?://[^ ]+' | head -n 1 || true)
  MIRROR=${MIRROR:-http://deb.debian.org/debian}
fi

if [ ! -x "$root/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null || apt-get install -y --no-install-recommends debootstrap
  echo "== making a clean Debian 12 root in $root from $MIRROR"
  debootstrap --variant=minbase bookworm "$root" "$MIRROR"
fi

mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[$i]}" || true; done
}
trap cleanup EXIT
echo "== fresh copy of the clean root in $run"
rm -rf "$run"
cp -a "$root" "$run"
for m in proc sys dev dev/pts; do
  case $m in
  proc) mount -t proc proc "$run/proc" ;;
  sys) mount -t sysfs sys "$run/sys" ;;
  *) mount --bind "/$m" "$run/$m" ;;
  esac
  mounts+=("$run/$m")
done
# Downloaded packages are kept between runs; the root itself stays clean.
mkdir -p "$root-apt-cache"
mount --bind "$root-apt-cache" "$run/var/cache/apt/archives"
mounts+=("$run/var/cache/apt/archives")
cp /etc/resolv.conf "$run/etc/resolv.conf"
in_root() { chroot "$run" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

echo "== apt install ./$(basename "$deb")"
cp "$deb" "$run/tmp/"
in_root apt-get update -q
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")"
in_root dpkg -s tempoloop | sed -n 's/^\(Version\|Depends\|Recommends\):/  &/p'

echo "== the desktop knows Tempoloop"
in_root test -x /usr/bin/tempoloop
in_root grep -q 'application/x-tempoloop-catalog:\*\.tvc' /usr/share/mime/globs2 &&
  echo "  *.tvc is application/x-tempoloop-catalog" || echo "  (no MIME database: shared-mime-info not installed)"
in_root test -f /usr/share/icons/hicolor/48x48/apps/tempoloop.png

echo "== opening a catalog as a double-click does"
# Tools for the check only, after the package has shown what it pulls in.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb xauth x11-apps xdotool
printf '%s\r\n' \
  "----- HEADER INFO -----" "Category" "Name" "Learn" "Rating" "----- END OF HEADER INFO -----" \
  "Basics" "Counting the beat" \
  '00:00:01   00:00:05   "demo_counted_beat.mp4"   "/usr/share/tempoloop/VideoClips/"' \
  "a,5" "One to eight, slowly." "--------------------@B@" \
  >"$run/root/Beat practice.tvc"
exec_line=$(sed -n 's/^Exec=//p' "$run/usr/share/applications/tempoloop.desktop")
open_command=${exec_line/\%f/\"/root/Beat practice.tvc\"}
cat >"$run/tmp/open-catalog.sh" <<EOF
#!/bin/sh
# Runs inside xvfb-run: opens the catalog, waits for the windows, grabs the
# screen, then ends the program with its exit key so it writes its settings.
cd /root
$open_command >/tmp/tempoloop.log 2>&1 &
pid=\$!
sleep 10
xwd -root -silent -out /tmp/screen.xwd
main=\$(xdotool search --name '^Tempoloop\$' | head -n 1)
if [ -n "\$main" ]; then
  xdotool windowfocus --sync "\$main"
  xdotool key z
fi
for i in 1 2 3 4 5 6 7 8 9 10; do kill -0 \$pid 2>/dev/null || break; sleep 1; done
if kill -0 \$pid 2>/dev/null; then echo "still running: killed"; kill \$pid; fi
wait \$pid; echo "tempoloop ended with \$?"
EOF
chmod +x "$run/tmp/open-catalog.sh"
echo "  Exec=$exec_line: $open_command"
in_root xvfb-run -a -s "-screen 0 1280x1024x24" /tmp/open-catalog.sh
sed 's/^/  log: /' "$run/tmp/tempoloop.log" | head -n 20
convert "$run/tmp/screen.xwd" "$shot"
echo "  screenshot: $shot"

echo "== what the program wrote"
in_root find /root/.config /root/.local -path '*empoloop*' 2>/dev/null | sed 's/^/  /'
in_root test -f /root/.config/Tempoloop/config.txt && echo "  settings in the user's folder" ||
  echo "  NO settings in /root/.config/Tempoloop"
in_root test -d /root/.local/share/Tempoloop/VideoCatalogs && echo "  catalog folder in the user's folder" ||
  echo "  NO catalog folder in /root/.local/share/Tempoloop"
if in_root find /usr -newer "/tmp/$(basename "$deb")" \( -name config.txt -o -name VideoCatalogs \) | grep .; then
  echo "  WRONG: written under /usr"
  exit 1
fi
echo "  nothing written under /usr"
