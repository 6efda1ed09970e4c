#!/usr/bin/env bash
# Builds the web edition's static site into build-web/site/ (the folder to
# put on any web host, at any path): the page (web/page/) bundled and
# minified by esbuild, the core for the browser (web/Makefile, target
# navigateur), the examples, the icons, and the service worker with the
# list of every file and a version drawn from their contents.
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=${TREVANE_BUILD_WEB:-build-web}
site=$dossier/site
# npm ci only when the packages are missing or older than the lock.
if [ ! -d node_modules ] || [ package-lock.json -nt node_modules ]; then
    npm ci --no-audit --no-fund
    touch node_modules
fi
# The core for the browser, by the same build as the Node one.
TREVANE_BUILD_WEB="$dossier" TREVANE_WEB_TESTS=0 TREVANE_WEB_MAKE=navigateur scripts/web.sh

rm -rf "$site.tmp"
mkdir -p "$site.tmp/exemples"
esbuild=node_modules/.bin/esbuild
options=(--bundle --minify --format=esm --target=es2022 --log-level=warning
         --alias:trevane-session=./"$dossier"/navigateur/trevane-session.mjs)
"$esbuild" web/page/principal.js "${options[@]}" --outfile="$site.tmp/trevane.js"
"$esbuild" web/page/travailleur.js "${options[@]}" --outfile="$site.tmp/travailleur.js"
"$esbuild" web/page/style.css --bundle --minify --log-level=warning --outfile="$site.tmp/trevane.css"
cp web/page/index.html web/page/manifest.webmanifest "$site.tmp/"
cp "$dossier/navigateur/trevane-session.wasm" "$site.tmp/"
cp exemples/*.txt "$site.tmp/exemples/"
cp window/trevane.svg "$site.tmp/icone.svg"

# The PNG icons the manifest needs are window/trevane.svg drawn at 192 and
# 512 pixels, kept beside the page so that building needs no browser.
cp web/page/icone-192.png web/page/icone-512.png "$site.tmp/"

# The service worker's list: every file but itself, and a version that
# changes with any of them.
liste=$(cd "$site.tmp" && find . -type f | sed 's|^\./||' | sort)
empreinte=$(cd "$site.tmp" && sha256sum $liste | sha256sum | cut -c1-16)
fichiers=$(printf '%s\n' $liste | sed "s/.*/'&'/" | paste -sd, -)
sed -e "s/@VERSION@/trevane-$empreinte/" -e "s|@FICHIERS@|$fichiers|" web/page/sw.js > "$site.tmp/sw.js"
rm -rf "$site"
mv "$site.tmp" "$site"
echo "$site : $(du -sb "$site" | cut -f1) octets"
