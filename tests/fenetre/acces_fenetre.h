// The one way the window's tests (and the window's measures in bench/) reach
// the main window's private controls. The controls carry their names as
// objectName too, for a test that finds one with findChild.
#pragma once

#include "window/controles_fenetre.h"
#include "window/fenetre_principale.h"

struct TaccesFenetre {
    static const TcontrolesFenetre& controles(const TfenetrePrincipale& fenetre) { return fenetre.c; }
};

inline const TcontrolesFenetre& controles(const TfenetrePrincipale& fenetre) { return TaccesFenetre::controles(fenetre); }
inline const TcontrolesFenetre& controles(const TfenetrePrincipale* fenetre) { return TaccesFenetre::controles(*fenetre); }
