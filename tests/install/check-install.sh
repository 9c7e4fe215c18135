#!/usr/bin/env bash
# Installs the built program into a temporary prefix with `cmake --install`
# and checks the tree a desktop needs: the program, its data folder where the
# program looks for it, the desktop entry, the icon in every size, the catalog
# file type and the AppStream metainfo; then runs the validators.
#
# check-install.sh BUILD_DIR DATA_FROM_BIN "ICON_SIZES" DOCUMENT...
#   DATA_FROM_BIN  the data folder as the program finds it from its own folder
#   DOCUMENT       help documents; those present in the source's docs/ must
#                  be installed
set -uo pipefail

build=$1
data_from_bin=$2
read -r -a icon_sizes <<<"$3"
shift 3
documents=("$@")
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
need_file() {
  [ -f "$1" ] || fail "missing ${1#"$prefix"/}"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
share=$prefix/share

# The program, and its data folder where the program looks for it.
[ -x "$prefix/bin/tempoloop" ] || fail "bin/tempoloop is missing or not executable"
data=$(cd "$prefix/bin" && cd "$data_from_bin" 2>/dev/null && pwd)
if [ "$data" != "$share/tempoloop" ]; then
  fail "the program looks for its data in bin/$data_from_bin, not share/tempoloop"
fi
need_file "$share/tempoloop/VideoClips/demo_counted_beat.mp4"
cmp -s "$source_dir/assets/VideoClips/demo_counted_beat.mp4" \
  "$share/tempoloop/VideoClips/demo_counted_beat.mp4" || fail "the installed demo clip differs"
for doc in "${documents[@]}"; do
  if [ -f "$source_dir/docs/$doc" ]; then
    need_file "$share/tempoloop/$doc"
  elif [ -e "$share/tempoloop/$doc" ]; then
    fail "$doc installed without a source"
  fi
done
# What the program writes goes to the user's folders, never into the prefix.
for written in config.txt VideoCatalogs; do
  [ ! -e "$share/tempoloop/$written" ] && [ ! -e "$prefix/bin/$written" ] || fail "$written installed"
done
# Installed, the program uses only libraries of the system, not of the build.
if readelf -d "$prefix/bin/tempoloop" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
  fail "bin/tempoloop still searches the build folder for libraries"
fi

# Desktop entry.
desktop=$share/applications/tempoloop.desktop
need_file "$desktop"
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  field() { sed -n "s/^$1=//p" "$desktop"; }
  [ "$(field Name)" = "Tempoloop" ] || fail "Name is '$(field Name)'"
  [ "$(field GenericName)" = "Video Player for Dancers" ] || fail "GenericName is '$(field GenericName)'"
  [ "$(field Categories)" = "AudioVideo;Video;Player;" ] || fail "Categories are '$(field Categories)'"
  [ "$(field Exec)" = "tempoloop %f" ] || fail "Exec is '$(field Exec)'"
  [ -x "$prefix/bin/$(field TryExec)" ] || fail "TryExec names no installed program"
  icon=$(field Icon)
  for type in application/x-tempoloop-catalog video/mpeg video/mp4 video/x-msvideo video/quicktime audio/mpeg; do
    field MimeType | tr ';' '\n' | grep -qxF "$type" || fail "MimeType lacks $type"
  done
fi

# Icon: the SVG and a PNG of each size, each as large as its folder says.
need_file "$share/icons/hicolor/scalable/apps/${icon:-tempoloop}.svg"
for size in "${icon_sizes[@]}"; do
  png=$share/icons/hicolor/${size}x${size}/apps/${icon:-tempoloop}.png
  need_file "$png"
  [ -f "$png" ] || continue
  # Width and height: big-endian words at bytes 16 and 20 of the PNG header.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done

# Catalog file type: the MIME database built from the installed definition
# maps *.tvc to it.
need_file "$share/mime/packages/tempoloop.xml"
if [ -f "$share/mime/packages/tempoloop.xml" ]; then
  if update-mime-database "$share/mime" >"$work/mime.log" 2>&1; then
    grep -qxF 'application/x-tempoloop-catalog:*.tvc' <(cut -d: -f2- "$share/mime/globs2") ||
      fail "*.tvc is not application/x-tempoloop-catalog"
  else
    cat "$work/mime.log"
    fail "update-mime-database"
  fi
fi

# AppStream metainfo, launching the desktop entry above.
metainfo=$share/metainfo/org.tempoloop.Tempoloop.metainfo.xml
need_file "$metainfo"
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  grep -qF '<launchable type="desktop-id">tempoloop.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch tempoloop.desktop"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s); installed tree:"
  (cd "$prefix" && find . | sort)
  exit 1
fi
echo "installed tree is complete"
