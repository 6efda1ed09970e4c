#include "commands/fichiers.h"

#include "banc_execution.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

namespace {

namespace fs = std::filesystem;

// A new empty scratch folder, under a name no one else holds.
fs::path dossierNeuf() {
    std::random_device hasard;
    for (;;) {
        const fs::path dossier = fs::temp_directory_path() / ("trevane-fichiers-" + std::to_string(hasard()));
        if (fs::create_directory(dossier))
            return dossier;
    }
}

// A workspace as the window leaves it after start-up, on an in-memory window,
// with a scratch folder for the files.
struct Poste : banc::Tbanc {
    fs::path dossier;

    Poste() {
        dossier = dossierNeuf();
        demarrer();
    }
    ~Poste() { fs::remove_all(dossier); }

    // "/" between folders on every system, as the window's dialogs give paths;
    // the name's bytes as they are (a path object would convert them on Windows).
    std::string chemin(const std::string& nom) const { return dossier.generic_string() + "/" + nom; }
    std::string lire(const std::string& chemin) const {
        std::string octets;
        EXPECT_TRUE(lireFichierOctets(chemin, octets)) << chemin;
        return octets;
    }
    void ecrire(const std::string& chemin, const std::string& octets) const {
        ASSERT_TRUE(ecrireFichierOctets(chemin, octets)) << chemin;
    }
};

const std::string nouveau = depuisUtf8("Nouveau programme");
const std::string question = depuisUtf8(
    "Le programme a été modifié depuis la dernière sauvegarde.\r\n"
    "Renoncez-vous à enregistrer ces modifications ?");

} // namespace

TEST(fichiers, extension_des_noms_choisis) {
    const std::pair<const char*, const char*> cas[] = {
        {"tri", "tri.txt"},
        {"tri.doc", "tri.txt"},
        {"tri.txt", "tri.txt"},
        {"TRI.TXT", "TRI.txt"},
        {"tri.bis.txt", "tri.bis.txt"},
        {"tri.txt.bak", "tri.txt"},
        {"a.txt.txt", "a.txt"},
        {"/home/jean.dupont/tri", "/home/jean.dupont/tri.txt"},
        {"/home/jean.dupont/tri.v2.doc", "/home/jean.dupont/tri.txt"},
        {"/cours/tri.txtx", "/cours/tri.txt"},
        {"/cours/\xC3\xA9t\xC3\xA9", "/cours/\xC3\xA9t\xC3\xA9.txt"},
    };
    for (const auto& [choisi, ecrit] : cas)
        EXPECT_EQ(appliquerExtension(choisi), ecrit) << choisi;
}

TEST(fichiers, nom_du_programme) {
    EXPECT_EQ(nomProgramme("/home/cours/tri.txt"), "tri");
    EXPECT_EQ(nomProgramme("/home/cours/notes.txt.old"), "notes.old");
    EXPECT_EQ(nomProgramme("/home/cours.txt/a.txt.txt"), "a.txt");
    EXPECT_EQ(nomProgramme("tri.TXT"), "tri.TXT");
    EXPECT_EQ(nomProgramme("/x/Nouveau programme.txt"), "Nouveau programme");
    EXPECT_EQ(nomProgramme("/x/"), "");
}

TEST(fichiers, nouveau_ne_demande_que_si_modifie) {
    Poste p;
    p.d->nomFichier = "/x/a.txt";
    p.f.fenetre = "Trevane - /x/a.txt";
    EXPECT_TRUE(nouveauProgramme(*p.d));
    EXPECT_TRUE(p.f.confirmations.empty());
    EXPECT_EQ(p.f.fenetre, "Trevane");
    EXPECT_EQ(p.d->nomFichier, "");

    p.f.taper("Entier n");
    p.d->nomFichier = "/x/a.txt";
    p.f.programme = "a";
    itemNouveauClick(*p.d);   // No: nothing changes
    ASSERT_EQ(p.f.confirmations.size(), 1u);
    EXPECT_EQ(p.f.confirmations[0].first, question);
    EXPECT_EQ(p.f.confirmations[0].second, "Attention");
    EXPECT_EQ(p.f.lignesEditeur, std::vector<std::string>{"Entier n"});
    EXPECT_TRUE(p.f.modifie);
    EXPECT_EQ(p.f.programme, "a");
    EXPECT_EQ(p.d->nomFichier, "/x/a.txt");

    p.f.reponsesConfirmation.push_back(true);
    itemNouveauClick(*p.d);   // Yes: the template again
    EXPECT_EQ(p.f.lignesEditeur, modeleProgramme());
    EXPECT_FALSE(p.f.modifie);
    EXPECT_EQ(p.f.programme, nouveau);
    EXPECT_EQ(p.d->nomFichier, "");
}

TEST(fichiers, nouveau_garde_les_informations_et_vide_les_resultats) {
    Poste p;
    itemNouveauClick(*p.d);
    EXPECT_EQ(p.d->modeAffichage, modeInformations);
    EXPECT_EQ(p.f.lignesAffichage.size(), texteReference().size());
    EXPECT_EQ(p.d->resultatsSauves, "");

    choisirAffichage(*p.d, modeResultats);
    ajouterLigneAffichage(*p.d, "2");
    itemNouveauClick(*p.d);
    EXPECT_EQ(p.d->modeAffichage, modeResultats);
    EXPECT_TRUE(p.f.lignesAffichage.empty());
}

TEST(fichiers, ouvrir_charge_le_fichier) {
    Poste p;
    const std::string chemin = p.chemin("tri.txt");
    p.ecrire(chemin, "Entier n\r\nDonner \xE0 n la valeur 2\r\nAfficher n");
    p.f.cheminsOuverture.push_back(chemin);
    itemOuvrirClick(*p.d);
    EXPECT_TRUE(p.f.confirmations.empty());
    EXPECT_EQ(p.f.lignesEditeur, (std::vector<std::string>{"Entier n", "Donner \xE0 n la valeur 2", "Afficher n"}));
    EXPECT_FALSE(p.f.modifie);
    EXPECT_EQ(p.f.programme, "tri");
    EXPECT_EQ(p.f.fenetre, "Trevane - " + chemin);
    EXPECT_EQ(p.d->nomFichier, chemin);
    EXPECT_EQ(p.d->modeAffichage, modeResultats);
    EXPECT_TRUE(p.f.lignesAffichage.empty());
    EXPECT_EQ(p.f.affichages, depuisUtf8("Affichage - Résultats"));

    // Line ends other than CR LF are read too.
    p.ecrire(chemin, "a\nb\rc");
    p.f.cheminsOuverture.push_back(chemin);
    itemOuvrirClick(*p.d);
    EXPECT_EQ(p.f.lignesEditeur, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(fichiers, ouvrir_annule_garde_les_modifications) {
    Poste p;
    p.f.taper("Entier n");
    p.f.reponsesConfirmation.push_back(true);
    p.f.cheminsOuverture.push_back(std::nullopt);
    itemOuvrirClick(*p.d);
    EXPECT_EQ(p.f.confirmations.size(), 1u);
    EXPECT_TRUE(p.f.modifie);
    EXPECT_EQ(p.f.lignesEditeur, std::vector<std::string>{"Entier n"});
    EXPECT_EQ(p.d->modeAffichage, modeInformations);

    itemOuvrirClick(*p.d);   // asks again; No stops before the dialog
    EXPECT_EQ(p.f.confirmations.size(), 2u);
    EXPECT_TRUE(p.f.modifie);
}

TEST(fichiers, ouvrir_un_fichier_illisible) {
    Poste p;
    p.f.taper("Entier n");
    const std::string absent = p.chemin("absent.txt");
    p.f.reponsesConfirmation.push_back(true);
    p.f.cheminsOuverture.push_back(absent);
    itemOuvrirClick(*p.d);
    ASSERT_EQ(p.f.erreurs.size(), 1u);
    EXPECT_EQ(p.f.erreurs[0], "Impossible d'ouvrir le fichier " + absent + ".");
    EXPECT_EQ(p.d->fichierChoisi, absent);
    EXPECT_EQ(p.d->nomFichier, "");
    EXPECT_FALSE(p.f.modifie);
    EXPECT_EQ(p.f.lignesEditeur, std::vector<std::string>{"Entier n"});
    EXPECT_EQ(p.f.programme, nouveau);
    EXPECT_EQ(p.f.fenetre, "Trevane");
    EXPECT_EQ(p.d->modeAffichage, modeResultats);

    // A folder cannot be opened either; a path ending in "." or "-" gets no full stop.
    p.f.cheminsOuverture.push_back(p.dossier.string());
    p.f.cheminsOuverture.push_back(p.chemin("absent."));
    p.f.cheminsOuverture.push_back(p.chemin("absent-"));
    itemOuvrirClick(*p.d);
    itemOuvrirClick(*p.d);
    itemOuvrirClick(*p.d);
    ASSERT_EQ(p.f.erreurs.size(), 4u);
    EXPECT_EQ(p.f.erreurs[1], "Impossible d'ouvrir le fichier " + p.dossier.string() + ".");
    EXPECT_EQ(p.f.erreurs[2], "Impossible d'ouvrir le fichier " + p.chemin("absent."));
    EXPECT_EQ(p.f.erreurs[3], "Impossible d'ouvrir le fichier " + p.chemin("absent-"));
}

TEST(fichiers, enregistrer_un_nouveau_programme_demande_un_nom) {
    Poste p;
    p.f.taper("Entier n\r\nAfficher \"\xE9t\xE9\"");
    p.f.cheminsEnregistrement.push_back(std::nullopt);
    itemEnregistrerClick(*p.d);   // cancelled: nothing changes
    EXPECT_TRUE(p.f.cheminsEnregistrement.empty());
    EXPECT_TRUE(p.f.modifie);
    EXPECT_EQ(p.f.programme, nouveau);

    const std::string choisi = p.chemin("essai.doc");
    p.f.cheminsEnregistrement.push_back(choisi);
    itemEnregistrerClick(*p.d);
    const std::string ecrit = p.chemin("essai.txt");
    EXPECT_EQ(p.lire(ecrit), "Entier n\r\nAfficher \"\xE9t\xE9\"");
    EXPECT_FALSE(fs::exists(choisi));
    EXPECT_FALSE(p.f.modifie);
    EXPECT_EQ(p.d->nomFichier, ecrit);
    EXPECT_EQ(p.f.programme, "essai");
    EXPECT_EQ(p.f.fenetre, "Trevane - " + ecrit);
    EXPECT_TRUE(p.f.confirmations.empty());

    // Save again writes to the same file, without a dialog, and replaces it.
    p.f.taper("Afficher 1");
    p.f.fenetre = "inchange";
    itemEnregistrerClick(*p.d);
    EXPECT_EQ(p.lire(ecrit), "Afficher 1");
    EXPECT_FALSE(p.f.modifie);
    EXPECT_EQ(p.f.fenetre, "inchange");
}

TEST(fichiers, enregistrer_sous_puis_rouvrir) {
    Poste p;
    const std::string original = p.chemin("tri.txt");
    const std::string octets = "# tri \x80\x9C\r\n\r\n  Entier n ; \xFF\r\nAfficher n";
    p.ecrire(original, octets);
    p.f.cheminsOuverture.push_back(original);
    itemOuvrirClick(*p.d);

    p.f.cheminsEnregistrement.push_back(p.chemin("copie"));
    itemEnregistrerSousClick(*p.d);
    EXPECT_EQ(p.lire(p.chemin("copie.txt")), octets);
    EXPECT_EQ(p.f.fenetre, "Trevane - " + p.chemin("copie.txt"));

    p.f.cheminsOuverture.push_back(p.chemin("copie.txt"));
    itemOuvrirClick(*p.d);
    EXPECT_EQ(p.f.texteEditeur(), octets);
    EXPECT_EQ(p.f.programme, "copie");
}

TEST(fichiers, nom_nouveau_programme_redemande_un_nom) {
    Poste p;
    const std::string chemin = p.chemin("Nouveau programme.txt");
    p.ecrire(chemin, "Afficher 1");
    p.f.cheminsOuverture.push_back(chemin);
    itemOuvrirClick(*p.d);
    EXPECT_EQ(p.f.programme, nouveau);
    itemEnregistrerClick(*p.d);   // the dialog is shown, and cancelled
    EXPECT_TRUE(p.f.erreurs.empty());
    EXPECT_EQ(p.f.fenetre, "Trevane - " + chemin);
}

TEST(fichiers, enregistrer_dans_un_dossier_absent) {
    Poste p;
    p.f.taper("Afficher 1");
    const std::string choisi = p.chemin("absent/tri");
    p.f.cheminsEnregistrement.push_back(choisi);
    itemEnregistrerSousClick(*p.d);
    ASSERT_EQ(p.f.erreurs.size(), 1u);
    EXPECT_EQ(p.f.erreurs[0], "Impossible de cr\xE9" "er le fichier " + choisi + ".txt.");
    EXPECT_EQ(p.d->fichierChoisi, choisi + ".txt");
    EXPECT_EQ(p.d->nomFichier, "");
    EXPECT_TRUE(p.f.modifie);
    EXPECT_EQ(p.f.programme, nouveau);
    EXPECT_EQ(p.f.fenetre, "Trevane");
}

TEST(fichiers, chemins_non_ascii_dans_les_legendes) {
    Poste p;
    const std::string chemin = p.chemin("\xC3\xA9t\xC3\xA9.txt");   // UTF-8 on disk
    p.ecrire(chemin, "Afficher 1");
    p.f.cheminsOuverture.push_back(chemin);
    itemOuvrirClick(*p.d);
    EXPECT_EQ(p.f.programme, "\xE9t\xE9");
    EXPECT_EQ(p.f.fenetre, "Trevane - " + depuisUtf8(chemin));
    EXPECT_EQ(p.d->nomFichier, chemin);
}

TEST(fichiers, fichier_trop_long_refuse_sans_toucher_l_editeur) {
    Poste p;
    p.f.taper("Afficher 1");
    p.f.reponsesConfirmation = {true, true};
    // 150,000 lines with text far past line 1000: refused before loading.
    std::string long_(150000 * 3, 'x');
    for (size_t i = 1; i < long_.size(); i += 3)
        long_[i] = '\r', long_[i + 1] = '\n';
    p.ecrire(p.chemin("long.txt"), long_);
    p.f.cheminsOuverture = {p.chemin("long.txt")};
    itemOuvrirClick(*p.d);
    ASSERT_EQ(p.f.erreurs.size(), 1u);
    EXPECT_EQ(p.f.erreurs[0], depuisUtf8("Impossible d'ouvrir le fichier ") + p.chemin("long.txt") +
                                  ".\r\nTrop de lignes de programme");
    EXPECT_EQ(p.f.lignesEditeur, std::vector<std::string>{"Afficher 1"});
    EXPECT_EQ(p.f.fenetre, "Trevane");

    // 1001 lines followed by blank lines is still a program: it opens.
    std::string programme;
    for (int i = 0; i < 1001; ++i)
        programme += "Afficher 1\r\n";
    programme += std::string(200000, '\n');
    p.ecrire(p.chemin("blancs.txt"), programme);
    p.f.cheminsOuverture = {p.chemin("blancs.txt")};
    itemOuvrirClick(*p.d);
    EXPECT_EQ(p.f.erreurs.size(), 1u);
    EXPECT_EQ(p.f.lignesEditeur.size(), 201001u);
}
