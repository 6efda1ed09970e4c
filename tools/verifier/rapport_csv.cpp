#include "tools/verifier/rapports.h"
#include "tools/verifier/textes_rapport.h"

#include "base/csv.h"

std::string rapportCsv(const std::vector<Tverdict>& verdicts) {
    std::string texte = std::string(bomUtf8) + "fichier;statut;ligne;detail;instructions\r\n";
    for (const Tverdict& v : verdicts) {
        texte += champCsvSansFormule(nomLisible(v.fichier));
        texte += ';';
        texte += description(v.statut).code;
        texte += ';';
        if (v.ligne > 0)
            texte += std::to_string(v.ligne);
        texte += ';';
        texte += champCsvSansFormule(sansControles(v.detail));
        texte += ';';
        texte += std::to_string(v.instructions);
        texte += "\r\n";
    }
    return texte;
}
