// Searching the display pane from the keyboard: Ctrl+F in the pane opens a
// line "Rechercher dans les affichages" under it; Enter (or F3) selects the
// next place of the text after the caret, wrapping around to the top;
// Shift+Enter the previous one; Escape closes the line and gives the focus
// back to the pane. `chercher` is the toolkit-free search on the lines.
#pragma once

#include "commands/lignes_affichees.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <string_view>

class QLabel;
class QLineEdit;
class TpanneauAffichages;

struct Ttrouve {
    int64_t ligne = 0;
    int32_t colonne = 0;
    bool operator==(const Ttrouve&) const = default;
};

// The first place of `motif` (Windows-1252, letters matched in either case)
// starting after (ligne, colonne) going forward, or before it going back,
// wrapping around the text; none for an empty motif or none found.
std::optional<Ttrouve> chercher(const TlignesAffichees& lignes, std::string_view motif, int64_t ligne, int32_t colonne,
                                bool enAvant = true);

class TrechercheAffichages : public QWidget {
    Q_OBJECT
public:
    // Made hidden, under the pane in its column's layout.
    explicit TrechercheAffichages(TpanneauAffichages* panneau);

    void ouvrir();
    void fermer();
    // Selects the next (or previous) place; false when none.
    bool suivant(bool enAvant = true);

    QLineEdit* saisie = nullptr;
    QLabel* etat = nullptr;   // "Introuvable" when nothing was found

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    TpanneauAffichages* panneau;
};
