// A caption strip ("Programme", "Affichages"): centred plain text, 13
// pixels tall as it always was, taller whenever its font needs it (a
// projector's larger text), so that no letter loses its foot.
#pragma once

#include <QLabel>

class Tbandeau : public QLabel {
public:
    static constexpr int hauteurMinimale = 13;

    Tbandeau(const QString& texte, QWidget* parent);

protected:
    void changeEvent(QEvent* evenement) override;

private:
    void ajusterHauteur();
};
