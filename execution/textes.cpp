#include "execution/textes.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"

#include <iterator>

namespace {

// Builds the Windows-1252 lines once from the readable literals below.
template <size_t N>
std::vector<std::string> enWindows1252(const char* const (&lignes)[N]) {
    std::vector<std::string> resultat;
    resultat.reserve(N);
    for (const char* ligne : lignes)
        resultat.push_back(depuisUtf8(ligne));
    return resultat;
}

} // namespace

const std::vector<std::string>& texteReference() {
    // Eight sections, starting at lines 1, 7, 14, 26, 32, 42, 61 and 77.
    // Every blank counts, at the start and at the end of a line.
    static const char* const lignes[] = {
        "    1/ Les commentaires",
        "  Tout texte écrit sur une ligne après un # est considéré comme un commentaire libre et n'est pas analysé.",
        "   Exemples :",
        "# Déclaration des variables :",
        "Entier  p   # p représente le nombre des diviseurs de n",
        "",
        "     2/ Les variables",
        "   Les variables, réelles ou entières, peuvent être des variables simples, des listes ou des tableaux.",
        "   Le nom d'une variable ne doit pas dépasser 4 caractères. Les caractères autorisés sont les lettres (non accentuées) et les chiffres. Le premier caractère doit être une lettre.",
        "  Exemples :",
        "Entier   i ; j ; L (1..100)",
        "Réel   x1 ; x2 ; y ; A (1..4 , 1..4)",
        "",
        "     3/ Les branchements ",
        " En l'absence de branchements, le programme est exécuté dans l'ordre de lecture des instructions (une seule instruction par ligne).",
        " Un branchement vers un point de branchement (texte entre crochets) amène à l'exécution de la première instruction qui suit ce point. Si aucune instruction ne suit, le programme se termine.",
        "  Exemples :",
        "[Début de la boucle]",
        "Aller à   [Début de la boucle]    si     n < 10",
        "Aller à   [Fin du programme]",
        "[Calcul de f(x)]",
        "Donner à y la valeur (2*x+3)/(x-5)",
        "Revenir",
        "Aller à   [Calcul de f(x)] et revenir",
        "",
        "     4/ Les affectations de valeurs à des variables ",
        "  Elles doivent respecter le type des variables : ne pas demander qu'un entier reçoive la valeur d'un réel. Voir plus loin la syntaxe des expressions numériques.",
        "  Exemples :",
        "Donner à    n    la valeur     n+1",
        "Donner à   A (1 , 3)   la valeur     (2*x + 1)*(3*x - 2)",
        "",
        "     5/ Les affichages",
        " On peut demander l'affichage d'une suite d'éléments tels que :",
        " du texte ; des expressions ; des plages de variables liste ou tableau.",
        "  Pour les réels, le nombre de décimales affichées est limité à 8. La fonction arrondi permet de le réduire : arrondi(pi,4) est égal à 3.1416",
        "  Exemples :",
        "Afficher     \"k = \" ; k ; \"x = \" ; x ; L (k)",
        "Afficher     \"Liste des diviseurs :\"",
        "Afficher     L (1..n)",
        "Afficher     A (1,1..4)",
        "",
        "     6/ Exemples de boucles",
        "  Boucle de type \"Tant que n < 10 faire ...\"",
        "[Début de la boucle]",
        "Aller à [Sortie de la boucle] si   non (n < 10)",
        "# ici le contenu de la boucle",
        "Aller à [Début de la boucle]",
        "[Sortie de la boucle]",
        "",
        "  Boucle de type \"Répéter ... jusqu'à ce que n = 10\"",
        "[Début de la boucle]",
        "# ici le contenu de la boucle",
        "Aller à  [Début de la boucle]  si   non (n = 10)",
        "  Boucle de type \"Pour k = 1 à 10 faire ...\"",
        "Donner à k la valeur 1",
        "[Début de la boucle]",
        "# ici le contenu de la boucle",
        "Donner à k la valeur k+1",
        "Aller à  [Début de la boucle]  si   k <= 10",
        "",
        "     7/ Syntaxe des expressions numériques",
        "La virgule étant réservée pour séparer les arguments des fonctions à plusieurs variables, le point décimal doit être utilisé pour les constantes décimales. ",
        " a. Opérateurs ou fonctions à valeur de type entier : ",
        "n! (factorielle n) ; E(x)  (partie entière de x) ; ",
        "quot(a,b) et reste(a,b) représentent le quotient et reste de la division euclidienne de a par b.",
        "Ehasard(n1,n2) donne un entier au hasard de l'intervalle [n1 ; n2]",
        "  b. Opérateurs ou fonctions à valeur de type entier ou réel selon les arguments :",
        "+ (addition) ; - (soustraction ou opposé) ;  * (signe multiplier non sous-entendu) ;",
        "min ; max ; abs (valeur absolue)",
        "  c. Opérateurs ou fonctions à valeur de type réel : ",
        "/ (division) ; ^ (puissance) (si y réel, x^y ne sera défini que pour x >0) ; ",
        "rac ; exp ; ln ; cos ; sin ; tan ;",
        "arrondi(x,n) donne l'arrondi de x avec n chiffres après la virgule ;",
        "Rhasard(a,b) donne un réel au hasard de l'intervalle [a,b[",
        "  d. Constante prédéfinie : pi",
        "",
        "     8/ Syntaxe des conditions",
        "  Opérateurs : =, <>, >, <, >=, <=, divise, premier, non, et, ou.",
        "  Exemple :",
        "Aller à [point 1] si (a divise 2*b) ou  non (p+1 premier)",
        "",
    };
    static_assert(std::size(lignes) == 81);
    static const std::vector<std::string> texte = enWindows1252(lignes);
    return texte;
}

const std::vector<std::string>& modeleProgramme() {
    // Lines 2, 4, 6 and 8 hold one blank each, not nothing.
    static const char* const lignes[] = {
        "# Déclaration des variables",
        " ",
        "# Entrées",
        " ",
        "# Déroulement de l'algorithme",
        " ",
        "# Sorties",
        " ",
        "# Phrases à copier et compléter :",
        "# Entier  ?",
        "# Réel  ?",
        "# [ ? ]",
        "# Aller à [ ? ] si  ?",
        "# Aller à [ ? ]",
        "# Aller à [ ? ] et revenir",
        "# Revenir",
        "# Donner à  ?  la valeur  ?",
        "# Afficher   ?",
    };
    static_assert(std::size(lignes) == 18);
    static const std::vector<std::string> texte = enWindows1252(lignes);
    return texte;
}

void afficherInformations(TdonneesCommunes& d) {
    for (const std::string& ligne : texteReference())
        ajouterLigneAffichage(d, ligne);
}

void modeleNouveauProgramme(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    f.legendeProgramme("Nouveau programme");
    f.remplacerTexteEditeur("");
    for (const std::string& ligne : modeleProgramme())
        f.ajouterLigneEditeur(ligne);
    f.effacerModificationEditeur();
}
