#!/bin/sh
# install_steps.sh BUNDLE: the launcher's first run done with cp, unzip and zip, the yardstick
# that run_bench sets beside the launcher. Runs in the user's folder, with TEMP naming the
# temporary folder; the application is started with an empty argument, as the launcher does.
set -e
bundle=$1
user=$(pwd)
install="$TEMP/korvantel42"
mkdir -p "$install"
cp "$bundle" "$install/korvantelprincipal.zip"
unzip -qo "$install/korvantelprincipal.zip" -d "$install"
rm -f "$install/korvantelprincipal.zip"
unzip -qo "$install/Yap.zip" -d "$install"
rm -f "$install/Yap.zip"
if [ -f vevivur.zip ]; then cp vevivur.zip "$install/vevivur.zip"; fi
unzip -qo "$install/vevivur.zip" -d "$install/vevivur"
if [ -f trad_dyn.csv ]; then cp trad_dyn.csv "$install/trad_dyn.csv"; fi
# The archive keeps no permissions; the launcher, too, makes the program executable.
chmod +x "$install/korvantel.exe"
"$install/korvantel.exe" ""
if [ -f "$install/trad_dyn.pl" ]; then cp "$install/trad_dyn.pl" trad_dyn.pl; fi
if [ -f vevivur.zip ]; then
  rm -f vevivur.zip
  (cd "$install/vevivur" && zip -q "$user/vevivur.zip" -- *)
fi
rm -rf "$install"
