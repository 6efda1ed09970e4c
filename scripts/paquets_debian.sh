# Sourced by the scripts that need Debian packages: installer_paquets PAQUET...
# installs those that are missing (as root), or prints the exact command to
# type first and stops the script.
installer_paquets() {
    local manquants=() paquet
    for paquet in "$@"; do
        dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$paquet")
    done
    [ ${#manquants[@]} -eq 0 ] && return 0
    if [ "$(id -u)" = 0 ]; then
        echo "Installation de : ${manquants[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${manquants[@]}"
    else
        echo "Il manque des paquets. Lancez d'abord :"
        echo "  sudo apt-get install -y ${manquants[*]}"
        exit 1
    fi
}
