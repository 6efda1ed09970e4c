// The window operations: the only way the core reaches the window. The Qt
// window, the console runner and the tests each plug in their own.
//
// Every text crossing this interface is Windows-1252 bytes, one byte per
// character, except file paths, which are the system's own bytes (UTF-8).
// Whole texts join their lines with CR LF; a line break at the very end of a
// text does not start a further line.
#pragma once

#include "base/lecture_programme.h"

#include <cstddef>
#include <cstdint>
#include <string>

class Tfenetre {
public:
    virtual ~Tfenetre() = default;

    // Editor `editeur`.
    virtual std::string texteEditeur() = 0;
    virtual void remplacerTexteEditeur(const std::string& texte) = 0;
    virtual int32_t nombreLignesEditeur() = 0;
    virtual std::string ligneEditeur(int32_t i) = 0;
    // Appends one line as the editor's last line (`ajouterLigneProgramme`).
    virtual void ajouterLigneEditeur(const std::string& ligne) = 0;
    virtual bool editeurModifie() = 0;               // set by every change the user makes
    virtual void effacerModificationEditeur() = 0;
    virtual void editeurLectureSeule(bool lectureSeule) = 0;
    // Gives the editor the focus and selects `longueur` characters from
    // `debut`, counted as the program file counts them: a line end is two
    // characters. The selection is brought into view.
    virtual void selectionnerDansEditeur(int32_t debut, int32_t longueur) = 0;

    // Display pane `panneauAffichages`, read-only for the user.
    virtual void ajouterAffichage(const std::string& ligne) = 0;  // a new last line, exactly as given
    // The text a display instruction writes: by default a pane line like any
    // other, after the pane's blank. The checker overrides it to keep a
    // program's output apart from the run reports and the commentary, the
    // console runner to write it without a copy.
    virtual void ajouterSortie(const std::string& texte);
    virtual void viderAffichage() = 0;
    // Takes the last `nombre` lines off (the step back of a commented run).
    // By default through the whole text; a window may do it in place.
    virtual void retirerAffichages(size_t nombre);
    virtual std::string texteAffichage() = 0;
    virtual void remplacerTexteAffichage(const std::string& texte) = 0;
    // True once the pane holds as much text as it may keep: a burst then
    // stops at its next display and the run is suspended.
    virtual bool affichagePlein() { return false; }
    // The results set aside while the reference text is shown, and put back:
    // `garderAffichage` leaves in `texte` what `rendreAffichage` takes back.
    // By default the whole text; a window may keep a large text aside as it
    // is and leave a token of it in `texte`.
    virtual void garderAffichage(std::string& texte) { texte = texteAffichage(); }
    virtual void rendreAffichage(const std::string& texte) { remplacerTexteAffichage(texte); }

    // Captions of the window, of `bandeauAffichages` and of `bandeauProgramme`.
    virtual void legendeFenetre(const std::string& texte) = 0;
    virtual void legendeAffichages(const std::string& texte) = 0;
    virtual void legendeProgramme(const std::string& texte) = 0;
    virtual std::string legendeProgrammeActuelle() = 0;
    // The same with a file's path (after `debut`) or name in the system's
    // bytes (UTF-8), so that a name outside the code page shows as it is.
    virtual void legendeFenetreAvecChemin(const std::string& debut, const std::string& chemin) = 0;
    virtual void legendeProgrammeAvecNom(const std::string& nom) = 0;
    // A line that informs without stopping the user (what an Open changed);
    // an empty one clears it.
    virtual void afficherNote(const std::string& texte) = 0;

    // Menu items: `actionPoursuivre` and `actionArreter` always change together.
    virtual void activerPoursuivreArreter(bool actifs) = 0;
    virtual bool poursuivreArreterActifs() = 0;
    virtual void cocherInformations(bool coche) = 0;
    virtual void cocherResultat(bool coche) = 0;

    // Modal boxes. `afficherMessage`: no icon, one OK button.
    // `demanderConfirmation`: warning icon, Yes and No (the default); true on Yes only.
    // `afficherErreur`: the toolkit's error box titled "Trevane".
    virtual void afficherMessage(const std::string& texte, const std::string& legende) = 0;
    virtual bool demanderConfirmation(const std::string& texte, const std::string& legende) = 0;
    virtual void afficherErreur(const std::string& texte) = 0;

    // File dialogs: false on cancel, else the chosen path in `chemin`. The
    // save dialog proposes the path `chemin` holds on entry (none if empty).
    virtual bool choisirFichierAOuvrir(std::string& chemin) = 0;
    virtual bool choisirFichierAEnregistrer(std::string& chemin) = 0;
    // Reads and decodes a program file as lireProgramme does
    // (lecture_programme.h), and writes a whole file of bytes. A failed write
    // leaves any previous file of that name intact and puts in `raison` why
    // it failed, in the user's words (empty when unknown).
    virtual Tlecture lireFichier(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) = 0;
    virtual bool ecrireFichier(const std::string& chemin, const std::string& octets, std::string& raison) = 0;
    virtual bool fichierExiste(const std::string& chemin) = 0;
    // The program was just read from, or wholly written to, this file.
    virtual void fichierUtilise(const std::string& /*chemin*/) {}
};

struct TdonneesCommunes;

// Appends one line to the display pane: one blank, then the text.
void ajouterLigneAffichage(TdonneesCommunes& d, const std::string& texte);
// Both count the line in `nbLignesAjoutees`, except the output lines of the
// normal mode, which the step back never takes back.
// The same for the output line of a display instruction (`ajouterSortie`).
void ajouterLigneSortie(TdonneesCommunes& d, const std::string& texte);

// Gives the editor the focus and selects program line n: it starts at the sum
// over lines 0..n-1 of each line's length plus 2, and is as long as line n.
void selectionnerLigne(TdonneesCommunes& d, int32_t n);
