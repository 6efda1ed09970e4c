#!/usr/bin/env bash
# The Debian package, end to end (as root, after ./tester): builds it from
# debian/ with dpkg-buildpackage in a copy of the sources (the tests already
# ran: nocheck), checks it with lintian --pedantic and appstreamcli, installs
# it into this machine with apt-get, runs the installed programs, removes it
# and checks that nothing is left. Exits 0 only when all of that holds.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD

if [ "$(id -u)" != 0 ]; then
    echo "scripts/paquet.sh installe le paquet dans la machine : lancez-le en root (sudo)." >&2
    exit 1
fi
if dpkg-query -W -f='${db:Status-Status}' trevane 2>/dev/null | grep -qx installed; then
    echo "Le paquet trevane est déjà installé : ce test ne le remplace pas." >&2
    exit 1
fi
. scripts/paquets_debian.sh
installer_paquets debhelper dpkg-dev lintian appstream
echec() { echo "ÉCHEC : $*" >&2; exit 1; }
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=600 "$@"; }
debut=$(date +%s)
travail=$(mktemp -d)
avant=$(mktemp) apres=$(mktemp) liste=$(mktemp) sortie=$(mktemp)
trap 'rm -rf "$travail" "$avant" "$apres" "$liste" "$sortie"' EXIT

echo "== construction du paquet"
# The files of the checkout (not its build folders), as a source package has them.
mkdir "$travail/trevane"
git ls-files -z --cached --others --exclude-standard | tar -c --null -T - | tar -x -C "$travail/trevane"
if ! (cd "$travail/trevane" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" \
      dpkg-buildpackage -us -uc -b >"$travail/journal" 2>&1); then
    tail -40 "$travail/journal" >&2
    echec "dpkg-buildpackage"
fi
grep -q -- '-D_FORTIFY_SOURCE=2' "$travail/journal" || echec "construit sans _FORTIFY_SOURCE"
paquets=("$travail"/trevane_*_"$(dpkg --print-architecture)".deb)
[ ${#paquets[@]} = 1 ] && [ -f "${paquets[0]}" ] || echec "pas un seul paquet trevane_*.deb"
paquet=${paquets[0]}
echo "$(basename "$paquet") : $(stat -c %s "$paquet") octets ($(($(date +%s) - debut)) s)"
dpkg-deb -c "$paquet" | awk '{print $1, $3, $6}'
dpkg-deb -f "$paquet" Depends

echo "== lintian"
lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$travail"/trevane_*.changes

# The directories that the package touches, listed before it comes and after
# it goes: the two listings must agree.
temoin() {
    dpkg-deb -c "$paquet" | awk '{print $6}' | sed 's|^\./|/|' | while read -r chemin; do
        dirname "$chemin"
    done | sort -u | while read -r repertoire; do
        if [ -d "$repertoire" ]; then find "$repertoire" -maxdepth 1 | sort; fi
    done
}
temoin >"$avant"

echo "== installation"
apt install "$paquet" >/dev/null
dpkg -L trevane >"$liste"
version=$(dpkg-query -W -f='${Version}' trevane)
for fichier in /usr/bin/trevane /usr/bin/trevane-run /usr/share/applications/trevane.desktop \
               /usr/share/icons/hicolor/scalable/apps/trevane.svg /usr/share/metainfo/trevane.metainfo.xml \
               /usr/share/man/man1/trevane.1.gz /usr/share/man/man1/trevane-run.1.gz \
               /usr/bin/trevane-verifier /usr/share/doc/trevane/copyright; do
    grep -qx "$fichier" "$liste" && [ -f "$fichier" ] || echec "$fichier n'est pas installé"
done
grep -q '^Exec=trevane %f$' /usr/share/applications/trevane.desktop || echec "entrée de menu sans %f"
grep -q '^Categories=Education;' /usr/share/applications/trevane.desktop || echec "entrée de menu hors de Education"
appstreamcli validate --no-net /usr/share/metainfo/trevane.metainfo.xml >/dev/null ||
    echec "appstreamcli refuse la fiche AppStream"

# Every installed program, found on the PATH, has its man page and tells its
# version with no display at all (the window's too); then a program is run by
# the console runner.
for programme in $(grep '^/usr/bin/' "$liste"); do
    nom=$(basename "$programme")
    grep -qx "/usr/share/man/man1/$nom.1.gz" "$liste" || echec "$nom n'a pas de page de manuel"
    (cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$nom" --version) >"$sortie"
    [ "$(cat "$sortie")" = "$nom $version" ] || echec "$nom --version : $(cat "$sortie")"
    echo "$nom --version : $(cat "$sortie")"
done
(cd / && trevane-run "$racine/tests/programmes/exemple_normal.txt") >"$sortie" 2>/dev/null
cmp -s "$sortie" "$racine/tests/programmes/exemple_normal.attendu" || echec "trevane-run exemple_normal.txt"
echo "trevane-run exemple_normal.txt : $(wc -l <"$sortie") lignes attendues"

echo "== désinstallation"
apt remove trevane >/dev/null
etat=$(dpkg-query -W -f='${db:Status-Status}' trevane 2>/dev/null || true)
[ -z "$etat" ] || [ "$etat" = not-installed ] || echec "trevane reste dans l'état « $etat »"
while read -r chemin; do
    [ "$chemin" = /. ] && continue
    if [ -d "$chemin" ] && [ ! -L "$chemin" ]; then
        [ -n "$(dpkg-query -S "$chemin" 2>/dev/null)" ] || echec "le répertoire $chemin est resté"
    elif [ -e "$chemin" ] || [ -L "$chemin" ]; then
        echec "$chemin est resté"
    fi
done <"$liste"
temoin >"$apres"
diff "$avant" "$apres" || echec "les répertoires du paquet ont changé"
echo "== paquet installé, essayé et retiré sans reste ($(($(date +%s) - debut)) s)"
