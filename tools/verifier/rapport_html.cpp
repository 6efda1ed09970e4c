#include "analysis/codage.h"
#include "tools/verifier/rapports.h"
#include "tools/verifier/textes_rapport.h"

#include <algorithm>

namespace {

// Learner text for the page: controls replaced, then escaped.
std::string sur(std::string_view utf8) { return echapperHtml(sansControles(utf8)); }
std::string surLigne(const std::string& w1252) {
    std::string texte = sur(versUtf8(std::string_view(w1252).substr(0, longueurGardee)));
    if (w1252.size() >= longueurGardee)
        texte += "…";
    return texte;
}

// No script and no outside file: the content security policy forbids both,
// so even a mistake in the escaping could not run anything.
constexpr const char* entete = R"(<!DOCTYPE html>
<html lang="fr">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Vérification des programmes</title>
<style>
body { font-family: system-ui, sans-serif; margin: 1.5em; color: #111827; }
h1 { font-size: 1.4em; margin: 0 0 .3em; }
.contexte { color: #4b5563; margin: 0 0 1em; }
.bilan { display: flex; flex-wrap: wrap; gap: .5em; margin: 0 0 1.2em; padding: 0; list-style: none; }
.bilan li { padding: .35em .8em; border-radius: 1em; font-weight: 600; }
.bilan li.vide { opacity: .45; }
table.programmes { border-collapse: collapse; width: 100%; }
.programmes th, .programmes td { text-align: left; vertical-align: top; padding: .35em .6em; border-bottom: 1px solid #e5e7eb; }
.programmes th { background: #f3f4f6; }
.statut { white-space: nowrap; padding: .1em .5em; border-radius: .3em; font-weight: 600; }
.nombre { text-align: right; font-variant-numeric: tabular-nums; }
.fichier { font-family: ui-monospace, monospace; overflow-wrap: anywhere; }
table.sorties { border-collapse: collapse; margin: .4em 0 .2em; font-family: ui-monospace, monospace; font-size: .9em; }
.sorties th, .sorties td { border: 1px solid #d1d5db; padding: .1em .5em; white-space: pre; }
.sorties th { background: #f9fafb; font-family: system-ui, sans-serif; }
.sorties td.numero { color: #6b7280; text-align: right; }
.sorties tr.premiere td { background: #fef08a; font-weight: 600; }
.sorties .absente { color: #9ca3af; font-style: italic; font-family: system-ui, sans-serif; }
.note { color: #6b7280; font-size: .9em; }
</style>
</head>
<body>
)";

std::string pastille(Tstatut s) {
    const TdescriptionStatut& d = description(s);
    return "<span class=\"statut\" style=\"color:" + std::string(d.couleur) + ";background:" + std::string(d.fond) +
           "\">" + echapperHtml(d.libelle) + "</span>";
}

std::string celluleLigne(const std::vector<std::string>& lignes, size_t premiere, size_t i, const char* absente) {
    if (i >= premiere && i - premiere < lignes.size())
        return "<td>" + surLigne(lignes[i - premiere]) + "</td>";
    return std::string("<td class=\"absente\">") + absente + "</td>";
}

// The expected and obtained lines around the first difference, side by side.
std::string sortiesCoteACote(const Tverdict& v, const Tattendu& attendu) {
    const size_t debut = v.difference > contexteAvant ? v.difference - contexteAvant : 0;
    const size_t fin = std::min(std::max(attendu.lignes.size(), v.nombreObtenues), v.difference + contexteApres + 1);
    std::string t = "<table class=\"sorties\"><tr><th>n°</th><th>Attendu</th><th>Obtenu</th></tr>\n";
    if (debut > 0)
        t += "<tr><td class=\"numero\">…</td><td></td><td></td></tr>\n";
    for (size_t i = debut; i < fin; ++i) {
        t += i == v.difference ? "<tr class=\"premiere\">" : "<tr>";
        t += "<td class=\"numero\">" + std::to_string(i + 1) + "</td>";
        t += i < attendu.lignes.size() ? "<td>" + surLigne(attendu.lignes[i]) + "</td>"
                                       : "<td class=\"absente\">(aucune ligne)</td>";
        t += i < v.nombreObtenues ? celluleLigne(v.gardees, v.premiereGardee, i, "…")
                                  : "<td class=\"absente\">(ligne manquante)</td>";
        t += "</tr>\n";
    }
    t += "</table>\n";
    if (fin < std::max(attendu.lignes.size(), v.nombreObtenues))
        t += "<div class=\"note\">" + std::to_string(attendu.lignes.size()) + " lignes attendues, " +
             std::to_string(v.nombreObtenues) + " obtenues" + (v.interrompue ? " (sortie interrompue)" : "") +
             ".</div>\n";
    return t;
}

} // namespace

std::string rapportHtml(const std::vector<Tverdict>& verdicts, const Tattendu& attendu, const TcontexteHtml& c) {
    std::string t = entete;
    t += "<h1>Vérification des programmes</h1>\n<p class=\"contexte\">" + sur(c.source) + " · " +
         std::to_string(attendu.lignes.size()) + " lignes attendues · blancs " +
         (c.ignorerBlancs ? "ignorés" : "comptés") + " · au plus " + std::to_string(c.maxInstructions) +
         " instructions</p>\n";

    const auto nombres = compterStatuts(verdicts);
    t += "<ul class=\"bilan\"><li style=\"background:#f3f4f6\">" + std::to_string(verdicts.size()) +
         (verdicts.size() > 1 ? " programmes" : " programme") + "</li>";
    for (size_t s = 0; s < nombres.size(); ++s) {
        const TdescriptionStatut& d = descriptionsStatuts[s];
        t += std::string("<li class=\"") + (nombres[s] == 0 ? "vide" : "") + "\" style=\"color:" +
             std::string(d.couleur) + ";background:" + std::string(d.fond) + "\">" + echapperHtml(d.libelle) +
             " : " + std::to_string(nombres[s]) + "</li>";
    }
    t += "</ul>\n";

    t += "<table class=\"programmes\">\n<thead><tr><th>Fichier</th><th>Statut</th><th>Ligne</th><th>Détail</th>"
         "<th class=\"nombre\">Instructions</th></tr></thead>\n<tbody>\n";
    for (const Tverdict& v : verdicts) {
        t += "<tr><td class=\"fichier\">" + sur(nomLisible(v.fichier)) + "</td><td>" + pastille(v.statut) +
             "</td><td class=\"nombre\">" + (v.ligne > 0 ? std::to_string(v.ligne) : "") + "</td><td>";
        if (v.statut == Tstatut::sortieDifferente)
            t += sortiesCoteACote(v, attendu);
        else
            t += sur(v.detail);
        t += "</td><td class=\"nombre\">" + std::to_string(v.instructions) + "</td></tr>\n";
    }
    t += "</tbody>\n</table>\n</body>\n</html>\n";
    return t;
}
