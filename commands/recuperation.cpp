#include "commands/recuperation.h"

#include "base/codage.h"
#include "base/lecture_programme.h"
#include "analysis/texte.h"
#include "commands/fichiers.h"

#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view enTete = "Trevane copie de secours 1";
constexpr std::string_view cleFichier = "fichier=";
constexpr std::string_view cleDate = "date=";

// The header's lines: one for the mark, the file, the date, and the empty one.
constexpr size_t lignesEnTete = 4;

// Every byte but letters, digits and "-._~" as "%XX" (RFC 3986), so that the
// path holds no line break.
std::string enPourcents(std::string_view octets) {
    static constexpr char chiffres[] = "0123456789ABCDEF";
    std::string texte;
    for (const char c : octets) {
        const auto o = static_cast<unsigned char>(c);
        if ((o >= 'A' && o <= 'Z') || (o >= 'a' && o <= 'z') || (o >= '0' && o <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            texte += c;
        } else {
            texte += '%';
            texte += chiffres[o >> 4];
            texte += chiffres[o & 15];
        }
    }
    return texte;
}

// "%XX" back to its byte; a "%" without two hexadecimal digits stays.
std::string depuisPourcents(std::string_view texte) {
    std::string octets;
    for (size_t i = 0; i < texte.size(); ++i) {
        const int fort = texte[i] == '%' && i + 2 < texte.size() ? valeurHexa(texte[i + 1]) : -1;
        const int faible = fort >= 0 ? valeurHexa(texte[i + 2]) : -1;
        if (faible < 0) {
            octets += texte[i];
            continue;
        }
        octets += static_cast<char>(fort * 16 + faible);
        i += 2;
    }
    return octets;
}

std::string_view sansExtension(std::string_view chemin, std::string_view extension) {
    return chemin.substr(0, chemin.size() >= extension.size() ? chemin.size() - extension.size() : 0);
}

} // namespace

std::string nomCopie(int64_t processus, int64_t instant) {
    return std::to_string(processus) + "-" + std::to_string(instant) + std::string(extensionCopie);
}

std::string verrouDeCopie(std::string_view copie) {
    return std::string(sansExtension(copie, extensionCopie)) + std::string(extensionVerrou);
}

std::string copieDuVerrou(std::string_view verrou) {
    return std::string(sansExtension(verrou, extensionVerrou)) + std::string(extensionCopie);
}

std::string encoderCopie(const TcopieSecours& copie) {
    std::string octets(enTete);
    octets += '\n';
    octets += std::string(cleFichier) + enPourcents(copie.fichier) + '\n';
    octets += std::string(cleDate) + copie.date + '\n';
    octets += '\n';
    octets += copie.texte;
    return octets;
}

bool decoderCopie(std::string_view octets, TcopieSecours& copie) {
    const size_t fin = octets.find("\n\n");
    if (fin == std::string_view::npos)
        return false;
    std::vector<std::string_view> lignes;
    for (size_t debut = 0;;) {
        const size_t saut = octets.find('\n', debut);
        if (saut >= fin) {
            lignes.push_back(octets.substr(debut, fin - debut));
            break;
        }
        lignes.push_back(octets.substr(debut, saut - debut));
        debut = saut + 1;
    }
    if (lignes[0] != enTete)
        return false;
    copie = {};
    for (const std::string_view ligne : lignes) {
        if (ligne.starts_with(cleFichier))
            copie.fichier = depuisPourcents(ligne.substr(cleFichier.size()));
        else if (ligne.starts_with(cleDate))
            copie.date = ligne.substr(cleDate.size());
    }
    copie.texte = octets.substr(fin + 2);
    return true;
}

TlectureCopie lireCopie(const std::string& chemin, TcopieSecours& copie) {
    // Copies are the editor's Windows-1252 bytes: read as they are, not decoded.
    std::string octets;
    TsuiviLignes lignes(lignesOuvrablesMax + lignesEnTete);
    const bool lue = lireOctetsProgramme(chemin, octets) == Tlecture::complete;
    if (lue)
        lignes.lire(octets);
    if (!lue || lignes.tropDeLignes())
        return TlectureCopie::illisible;
    return decoderCopie(octets, copie) ? TlectureCopie::lue : TlectureCopie::etrangere;
}

bool offerteAvant(const TcopieSecours& a, const TcopieSecours& b) { return a.date > b.date; }

std::string questionCopie(const TcopieSecours& copie, const std::optional<TmomentLocal>& quand) {
    const std::string nom = copie.fichier.empty() ? "Nouveau programme" : nomProgramme(copie.fichier);
    std::string date = "à une date inconnue";
    if (quand) {
        char texte[64];
        std::snprintf(texte, sizeof texte, "le %02d/%02d/%04d à %02d:%02d", quand->jour, quand->mois, quand->annee,
                      quand->heure, quand->minute);
        date = texte;
    }
    return depuisUtf8("Trevane s'est arrêté sans que les dernières modifications du programme « " + nom +
                      " » soient enregistrées.\r\nUne copie en a été faite " + date +
                      ".\r\nRestaurer ce programme ?\r\n(Non : la copie est gardée et proposée au prochain démarrage.)");
}
