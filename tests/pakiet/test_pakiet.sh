#!/usr/bin/env bash
# The Debian package built from this build folder: its contents and
# dependencies, then, as root, installed with dpkg into a private root (never
# the system's), where the programs must run from /opt/konwerter, every path
# the package installs must belong to root and be writable by nobody else, a
# member of dialout must be able to keep files in /var/lib/konwerter and
# nowhere else, and an upgrade must keep the user's settings.
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
./opt/konwerter/docs/screenshots/identyfikacja.png
./opt/konwerter/docs/screenshots/kontrola.png
./opt/konwerter/docs/screenshots/monitor.png
./opt/konwerter/docs/screenshots/parametry.png
./opt/konwerter/docs/screenshots/polaczenie.png
./opt/konwerter/docs/screenshots/start.png
./opt/konwerter/docs/screenshots/symulator.png
./opt/konwerter/docs/screenshots/tryb.png
./opt/konwerter/docs/screenshots/wykres.png
./opt/konwerter/folder-danych
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
dane=$korzen/var/lib/konwerter

# owner:group and mode of a path, as "root:root 755".
wlasciciel() {
  stat -c '%U:%G %a' "$1"
}

# Every path the package installed belongs to root and nobody else may write
# it; the data folder and the files in it belong to group dialout.
sprawdz_prawa() {
  while read -r sciezka; do
    p=$korzen$sciezka
    if [ -L "$p" ]; then
      [ "$(stat -c %U:%G "$p")" = root:root ] || blad "$sciezka: $(stat -c %U:%G "$p")"
      continue
    fi
    w=$(wlasciciel "$p")
    [ "${w% *}" = root:root ] || blad "$sciezka: $w"
    [ $((0${w#* } & 022)) -eq 0 ] || blad "$sciezka: writable by others than root: $w"
  done < <(dpkg --root="$korzen" -L konwerter)
  [ "$(wlasciciel "$dane")" = "root:dialout 2775" ] || blad "$dane: $(wlasciciel "$dane")"
  for f in "$dane"/*; do
    [ "$(stat -c %G "$f")" = dialout ] || blad "$f: $(wlasciciel "$f")"
    [ $((0$(stat -c %a "$f") & 0660)) -eq $((0660)) ] || blad "$f: $(wlasciciel "$f")"
  done
}

cmp "$dane/settings.ini" "$folder/settings.ini.default" || blad "settings.ini not put in place"
cmp "$dane/set.lng" "$folder/set.lng.default" || blad "set.lng not put in place"
for f in settings.ini set.lng; do
  [ "$(wlasciciel "$dane/$f")" = "root:dialout 664" ] || blad "$dane/$f: $(wlasciciel "$dane/$f")"
  [ ! -e "$folder/$f" ] || blad "$f beside the programs"
done
sprawdz_prawa
[ "$(cat "$folder/folder-danych")" = /var/lib/konwerter ] || blad "folder-danych: $(cat "$folder/folder-danych")"

# The installed programs run with /var/lib/konwerter as their folder: the
# private root's, over the system's, in a mount namespace of their own. Never
# run them without --folder outside one: they would fill the system's.
if unshare -m true 2>/dev/null; then
  w_danych() {
    unshare -m sh -c 'mount -t tmpfs none /var/lib && mkdir /var/lib/konwerter &&
                      mount --bind "$1" /var/lib/konwerter && shift && exec "$@"' sh "$dane" "$@"
  }
else
  echo "No mount namespace: the programs get --folder."
  w_danych() {
    "$@" --folder "$dane"
  }
fi

ramka=$("$folder/konwerter-cli" --folder "$dane" frame 1234 --type 1)
[ "$ramka" = "+  1234 kg" ] || blad "konwerter-cli --folder: '$ramka'"
# The frame type of the shipped [parametry], with its sign place: the settings
# were found.
ramka=$(w_danych "$folder/konwerter-cli" frame -- -1234)
[ "$ramka" = "-  1.234 kg" ] || blad "konwerter-cli with its data folder: '$ramka'"
gotowy=$(KONWERTER_POMIAR_STARTU=1 QT_QPA_PLATFORM=offscreen w_danych timeout 30 "$folder/konwerter")
[ "$gotowy" = ready ] || blad "the window did not start: '$gotowy'"

# A technician: no root, nogroup as the primary group, dialout beside it. The
# tool writes the missing port message into set.lng, as the window would, with
# the placeholder for the port; the programs stay out of reach.
sed -i '/^BrakPortu=/d' "$dane/set.lng"
technik=(setpriv --reuid=65534 --regid=65534 --groups="$(getent group dialout | cut -d: -f3)")
if w_danych "${technik[@]}" "$folder/konwerter-cli" --device /nonexistent get max 2>"$tmp/bledy"; then
  blad "get max succeeded without a port"
fi
grep -qF 'Port com1 (/nonexistent) nie jest zainstalowany' "$tmp/bledy" || blad "message: $(cat "$tmp/bledy")"
grep -q '^BrakPortu=Port %1 nie jest zainstalowany' "$dane/set.lng" || blad "the technician could not write set.lng"
[ "$(stat -c %G "$dane/set.lng")" = dialout ] || blad "set.lng lost its group"
if "${technik[@]}" sh -c "echo x >>'$folder/konwerter-cli' || echo x >'$folder/nowy'" 2>/dev/null; then
  blad "the technician could change the program folder"
fi
sprawdz_prawa

# An upgrade keeps what the user has, whatever case its name is in. One from
# a version that kept the user's files beside the programs, in a folder open
# to dialout, moves them and closes the folder.
printf 'uzytkownik=1\r\n' >>"$dane/settings.ini"
cp "$dane/settings.ini" "$tmp/ustawienia"
mv "$dane/set.lng" "$dane/SET.LNG"
dpkg_prywatny -i "$deb"
cmp "$dane/settings.ini" "$tmp/ustawienia" || blad "the upgrade replaced settings.ini"
[ ! -e "$dane/set.lng" ] || blad "the upgrade put a second set.lng beside SET.LNG"
mv "$dane/settings.ini" "$folder/Settings.ini"
chgrp -R dialout "$folder"
chmod -R g+w "$folder"
chmod g+s "$folder"
dpkg_prywatny -i "$deb"
cmp "$dane/Settings.ini" "$tmp/ustawienia" || blad "the upgrade lost the settings kept beside the programs"
[ ! -e "$dane/settings.ini" ] && [ ! -e "$folder/Settings.ini" ] || blad "settings.ini left twice: $(ls "$dane" "$folder")"
sprawdz_prawa

dpkg_prywatny -r konwerter
[ -f "$dane/Settings.ini" ] || blad "removing the package took the settings"
[ ! -e "$folder/konwerter" ] || blad "removing the package left the program"
dpkg_prywatny -P konwerter
[ ! -e "$dane" ] || blad "purging left $(ls "$dane")"
[ ! -e "$folder" ] || blad "purging left $(ls "$folder")"
echo "OK: $(basename "$deb")"
