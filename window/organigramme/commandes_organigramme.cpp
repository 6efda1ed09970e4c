#include "window/organigramme/commandes_organigramme.h"

#include "base/donnees.h"
#include "base/fenetre.h"
#include "window/controles_fenetre.h"
#include "window/editeur/editeur_programme.h"
#include "window/impression/impression.h"
#include "window/organigramme/export_organigramme.h"
#include "window/organigramme/panneau_organigramme.h"

void brancherOrganigramme(const TcontrolesFenetre& c, TdonneesCommunes& d) {
    TpanneauOrganigramme* panneau = c.panneauOrganigramme;
    TediteurProgramme* editeur = c.editeur;
    panneau->texteProgramme = [&d] { return d.fenetre->texteEditeur(); };
    panneau->selectionnerLigne = [&d](int ligne) { selectionnerLigne(d, ligne); };
    QObject::connect(editeur, &QPlainTextEdit::textChanged, panneau, &TpanneauOrganigramme::programmeChange);
    QObject::connect(editeur, &QPlainTextEdit::cursorPositionChanged, panneau,
                     [panneau, editeur] { panneau->suivreCurseur(editeur->textCursor().blockNumber()); });
}

void commandeExporterOrganigramme(QWidget* parent, Tdialogues& boites, const TcontrolesFenetre& c,
                                  TdonneesCommunes& d) {
    c.panneauOrganigramme->actualiser();
    exporterOrganigramme(parent, boites, c.panneauOrganigramme->svg(),
                         propositionExport(d, QStringLiteral(".svg"), QStringLiteral("organigramme.svg")),
                         choisirFichierOrganigramme);
}
