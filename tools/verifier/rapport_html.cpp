#include "base/codage.h"
#include "tools/verifier/rapports.h"
#include "tools/verifier/textes_rapport.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

// Learner text for the page: controls replaced, then escaped.
std::string sur(std::string_view utf8) { return echapperHtml(sansControles(utf8)); }

// What one program's side-by-side table may hold beyond its first differing
// row: a class of programs that write long lines full of "&" makes a page
// that a browser still opens.
constexpr size_t octetsParProgramme = 8 << 10;

// A line of output for a cell, cut at `longueurGardee` characters with "…".
// In a differing row every blank shows as "·" and the line's end as "⏎": a
// difference made of blanks is seen.
std::string surLigne(std::string_view w1252, bool blancsVisibles) {
    const bool coupee = w1252.size() > longueurGardee;
    const std::string texte = sur(versUtf8(w1252.substr(0, longueurGardee)));
    std::string cellule;
    for (size_t i = 0; i < texte.size();) {
        if (!blancsVisibles || texte[i] != ' ') {
            cellule += texte[i++];
            continue;
        }
        cellule += "<span class=\"blanc\">";   // one mark for a run of blanks
        for (; i < texte.size() && texte[i] == ' '; ++i)
            cellule += "·";
        cellule += "</span>";
    }
    if (coupee)
        cellule += "…";
    else if (blancsVisibles)
        cellule += "<span class=\"blanc\">⏎</span>";
    return cellule;
}

// When two lines differ only by blanks at their end, that difference in
// words ("un blanc en fin de ligne"); empty otherwise.
std::string differenceDeBlancsFinaux(std::string_view attendue, std::string_view obtenue) {
    const bool enTrop = obtenue.size() > attendue.size();
    const std::string_view courte = enTrop ? attendue : obtenue;
    const std::string_view longue = enTrop ? obtenue : attendue;
    if (courte.size() == longue.size() || longue.substr(0, courte.size()) != courte ||
        longue.find_first_not_of(' ', courte.size()) != std::string_view::npos || longue.size() > longueurGardee)
        return {};
    const size_t n = longue.size() - courte.size();
    std::string blancs = n == 1 ? "un blanc" : std::to_string(n) + " blancs";
    if (!enTrop)
        blancs += n == 1 ? " manquant" : " manquants";
    return "Seule différence : " + blancs + " en fin de ligne.";
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
.blanc { color: #9ca3af; font-weight: normal; }
</style>
</head>
<body>
)";

std::string pastille(Tstatut s) {
    const TdescriptionStatut& d = description(s);
    return "<span class=\"statut\" style=\"color:" + std::string(d.couleur) + ";background:" + std::string(d.fond) +
           "\">" + echapperHtml(d.libelle) + "</span>";
}

// The row of line `i` (from 0), expected then obtained; null texts are absent lines.
std::string rangee(const Tverdict& v, const Tattendu& attendu, size_t i) {
    std::optional<std::string_view> attendue, obtenue;
    if (i < attendu.lignes.size())
        attendue = attendu.lignes[i];
    if (i >= v.premiereGardee && i - v.premiereGardee < v.gardees.size())
        obtenue = v.gardees[i - v.premiereGardee];
    if (attendue)   // as far as the obtained line was kept
        attendue = attendue->substr(0, longueurGardee + 1);
    const bool differente = attendue != obtenue;
    std::string t = i == v.difference ? "<tr class=\"premiere\">" : "<tr>";
    t += "<td class=\"numero\">" + std::to_string(i + 1) + "</td>";
    t += attendue ? "<td>" + surLigne(*attendue, differente) + "</td>" : "<td class=\"absente\">(aucune ligne)</td>";
    if (obtenue)
        t += "<td>" + surLigne(*obtenue, differente) + "</td>";
    else
        t += i < v.nombreObtenues ? "<td class=\"absente\">…</td>" : "<td class=\"absente\">(ligne manquante)</td>";
    return t + "</tr>\n";
}

std::string rangeeOmise(size_t nombre) {
    return "<tr><td class=\"numero\">…</td><td class=\"absente\" colspan=\"2\">" + std::to_string(nombre) +
           (nombre > 1 ? " lignes non montrées" : " ligne non montrée") + "</td></tr>\n";
}

// The expected and obtained lines around the first difference, side by side:
// that row always, then those after it, then those before it, as long as
// they fit in `octetsParProgramme`.
std::string sortiesCoteACote(const Tverdict& v, const Tattendu& attendu) {
    const size_t total = std::max(attendu.lignes.size(), v.nombreObtenues);
    size_t reste = octetsParProgramme;
    size_t fin = v.difference + 1;
    const size_t finMax = std::min(total, v.difference + contexteApres + 1);
    for (size_t taille; fin < finMax && (taille = rangee(v, attendu, fin).size()) <= reste; ++fin)
        reste -= taille;
    size_t debut = v.difference;
    const size_t debutMin = v.difference > contexteAvant ? v.difference - contexteAvant : 0;
    for (size_t taille; debut > debutMin && (taille = rangee(v, attendu, debut - 1).size()) <= reste; --debut)
        reste -= taille;

    std::string t = "<table class=\"sorties\"><tr><th>n°</th><th>Attendu</th><th>Obtenu</th></tr>\n";
    if (debut > 0)
        t += rangeeOmise(debut);
    for (size_t i = debut; i < fin; ++i)
        t += rangee(v, attendu, i);
    if (fin < total)
        t += rangeeOmise(total - fin);
    t += "</table>\n";
    const std::optional<std::string_view> obtenue =
        v.difference >= v.premiereGardee && v.difference - v.premiereGardee < v.gardees.size()
            ? std::optional<std::string_view>(v.gardees[v.difference - v.premiereGardee])
            : std::nullopt;
    if (obtenue && v.difference < attendu.lignes.size())
        if (const std::string mots = differenceDeBlancsFinaux(attendu.lignes[v.difference], *obtenue); !mots.empty())
            t += "<div class=\"note\">" + mots + "</div>\n";
    if (fin < total)
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
    if (nombres[static_cast<size_t>(Tstatut::sortieDifferente)] > 0)
        t += "<p class=\"note\">Dans les lignes qui diffèrent, <span class=\"blanc\">·</span> marque un blanc "
             "et <span class=\"blanc\">⏎</span> la fin de la ligne.</p>\n";

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
