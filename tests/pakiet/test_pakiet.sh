#!/usr/bin/env bash
# The Debian package built from this build folder: its contents and
# dependencies, then, as root, installed with dpkg into a private root (never
# the system's), where the programs must run from /opt/konwerter, a member of
# dialout must be able to keep files there, and an upgrade must keep the
# user's settings.
#
# test_pakiet.sh BUILD_FOLDER CPACK
set -euo pipefail

budowa=$1
cpack=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The dialout member below must be able to reach the private root.
chmod 755 "$tmp"

blad() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$budowa" && "$cpack" -G DEB -B "$tmp/out" --config "$budowa/CPackConfig.cmake") >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; blad "cpack"; }
deb=$(echo "$tmp"/out/konwerter_*.deb)
[ -f "$deb" ] || blad "no konwerter_*.deb in: $(ls "$tmp/out")"

dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | grep -v '/$' | sort >"$tmp/zawartosc"
sort >"$tmp/oczekiwana" <<'LISTA'
./opt/konwerter/README.md
./opt/konwerter/docs/screenshots/parametry.png
./opt/konwerter/docs/screenshots/polaczenie.png
./opt/konwerter/docs/screenshots/start.png
./opt/konwerter/docs/screenshots/symulator.png
./opt/konwerter/docs/screenshots/tryb.png
./opt/konwerter/docs/screenshots/wykres.png
./opt/konwerter/konwerter
./opt/konwerter/konwerter-cli
./opt/konwerter/konwerter-emu
./opt/konwerter/lang/en/set.lng
./opt/konwerter/set.lng.default
./opt/konwerter/settings.ini.default
./usr/bin/konwerter -> /opt/konwerter/konwerter
./usr/bin/konwerter-cli -> /opt/konwerter/konwerter-cli
./usr/bin/konwerter-emu -> /opt/konwerter/konwerter-emu
./usr/share/applications/konwerter.desktop
./usr/share/icons/hicolor/scalable/apps/konwerter.svg
LISTA
diff -u "$tmp/oczekiwana" "$tmp/zawartosc" || blad "package contents"

zalezy=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins libc6 libstdc++6; do
  [[ ", $zalezy," == *", $p "* || ", $zalezy," == *", $p,"* ]] || blad "Depends lacks $p: $zalezy"
done
[[ $zalezy != *-dev* ]] || blad "Depends names a development package: $zalezy"

dpkg-deb -x "$deb" "$tmp/x"
pulpit=$tmp/x/usr/share/applications/konwerter.desktop
for linia in 'Exec=konwerter' 'Icon=konwerter' 'Categories=Utility;Electronics;' 'Type=Application'; do
  grep -qxF "$linia" "$pulpit" || blad "desktop entry lacks $linia"
done
grep -q '<svg' "$tmp/x/usr/share/icons/hicolor/scalable/apps/konwerter.svg" || blad "icon"

if [ "$(id -u)" -ne 0 ]; then
  echo "Not root: the installation with dpkg is left out."
  exit 77
fi

korzen=$tmp/korzen
mkdir -p "$korzen/var/lib/dpkg/info" "$korzen/var/lib/dpkg/updates"
touch "$korzen/var/lib/dpkg/status"
# The maintainer scripts run outside the private root and find it in DPKG_ROOT;
# the libraries the package depends on are the system's, unknown to that root.
dpkg_prywatny() {
  dpkg --root="$korzen" --force-script-chrootless --force-depends "$@" >>"$tmp/dpkg.log" 2>&1 ||
    { cat "$tmp/dpkg.log"; blad "dpkg $*"; }
}
dpkg_prywatny -i "$deb"
folder=$korzen/opt/konwerter

cmp "$folder/settings.ini" "$folder/settings.ini.default" || blad "settings.ini not put in place"
cmp "$folder/set.lng" "$folder/set.lng.default" || blad "set.lng not put in place"
for f in "$folder" "$folder/lang" "$folder/settings.ini" "$folder/konwerter"; do
  [ "$(stat -c %G "$f")" = dialout ] || blad "$f: group $(stat -c %G "$f")"
  [ $((0$(stat -c %a "$f") & 020)) -ne 0 ] || blad "$f: not group-writable"
done
[ -g "$folder" ] || blad "the folder does not pass its group on"

ramka=$("$folder/konwerter-cli" --folder "$folder" frame -- -1234)
[ "$ramka" = "-  1.234 kg" ] || blad "konwerter-cli --folder: '$ramka'"
ramka=$("$folder/konwerter-cli" frame 1234 --type 1)
[ "$ramka" = "+  1234 kg" ] || blad "konwerter-cli beside its files: '$ramka'"
gotowy=$(KONWERTER_POMIAR_STARTU=1 QT_QPA_PLATFORM=offscreen timeout 30 "$folder/konwerter")
[ "$gotowy" = ready ] || blad "the window did not start: '$gotowy'"

# A technician: no root, nogroup as the primary group, dialout beside it. The
# tool writes the missing port message into set.lng, as the window would,
# with the placeholder for the port.
sed -i '/^BrakPortu=/d' "$folder/set.lng"
if setpriv --reuid=65534 --regid=65534 --groups="$(getent group dialout | cut -d: -f3)" "$folder/konwerter-cli" --device /nonexistent get max 2>"$tmp/bledy"; then
  blad "get max succeeded without a port"
fi
grep -qF 'Port com1 (/nonexistent) nie jest zainstalowany' "$tmp/bledy" || blad "message: $(cat "$tmp/bledy")"
grep -q '^BrakPortu=Port %1 nie jest zainstalowany' "$folder/set.lng" || blad "the technician could not write set.lng"
[ "$(stat -c %G "$folder/set.lng")" = dialout ] || blad "set.lng lost its group"

# An upgrade keeps what the user has, whatever case its name is in.
printf 'uzytkownik=1\r\n' >>"$folder/settings.ini"
cp "$folder/settings.ini" "$tmp/ustawienia"
mv "$folder/set.lng" "$folder/SET.LNG"
dpkg_prywatny -i "$deb"
cmp "$folder/settings.ini" "$tmp/ustawienia" || blad "the upgrade replaced settings.ini"
[ ! -e "$folder/set.lng" ] || blad "the upgrade put a second set.lng beside SET.LNG"

dpkg_prywatny -r konwerter
[ -f "$folder/settings.ini" ] || blad "removing the package took the settings"
[ ! -e "$folder/konwerter" ] || blad "removing the package left the program"
dpkg_prywatny -P konwerter
[ ! -e "$folder" ] || blad "purging left $(ls "$folder")"
echo "OK: $(basename "$deb")"
