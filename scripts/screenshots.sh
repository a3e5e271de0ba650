#!/usr/bin/env bash
# Takes the user guide's pictures (docs/pictures/*.png) from the real program
# under wine, in English with a few rows in its lists: run it again after a
# change to what a page shows, look at the pictures, and commit them.
. "$(dirname "$0")/lib.sh"
fixed_address_layout "$0" "$@"

ensure_packages pictures
build_windows --target guide_pictures

shots=$BUILD/windows/artefacts/guide
pictures=$ROOT/docs/pictures
rm -rf -- "$shots"
trap stop_wine EXIT
start_wine virtual-desktop
(cd "$BUILD/windows/tests/e2e" && wine ./guide_pictures.exe </dev/null) || { log "the pictures could not all be taken"; exit 1; }

mkdir -p "$pictures"
for shot in "$shots"/*.bmp; do
  name=$(basename "$shot" .bmp)
  case $name in
    # The whole desktop was taken: only its corner with the icon and its menu.
    tray-menu) /usr/bin/convert "$shot" -gravity SouthEast -crop 360x150+0+0 +repage "$pictures/$name.png" ;;
    *) /usr/bin/convert "$shot" "$pictures/$name.png" ;;
  esac
done
log "$(ls "$pictures" | wc -l) pictures in $pictures"
