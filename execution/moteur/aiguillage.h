// How the normal-mode engine (execution/moteur/moteur.cpp) goes from one
// micro-operation to the next. Where the compiler has labels as values, each
// micro-operation carries the address of its entry and the engine jumps
// there (one indirect jump per entry, each predicted on its own); elsewhere,
// or with TREVANE_AIGUILLAGE_SWITCH, it carries the entry's number and one
// `switch` sends it on. The engine is written once with these macros:
//   TREVANE_ENTREE(label, number)  an element of the engine's entry tables
//   TREVANE_SUIVANTE(p)            on to the entry of micro-operation *p
//   TREVANE_AIGUILLAGE(p, cases)   the `switch` (nothing with labels as values)
//   TREVANE_CAS(label, number)     one of its cases
// Only the engine includes this header; Tsaut is in decodage.h.
#pragma once

#include "execution/moteur/decodage.h"

#if TREVANE_SAUTS_CALCULES
#define TREVANE_ENTREE(etiquette, numero) &&etiquette
#define TREVANE_SUIVANTE(p) goto*(p)->saut
#define TREVANE_AIGUILLAGE(p, cas)
#define TREVANE_CAS(etiquette, numero)
#else
#define TREVANE_ENTREE(etiquette, numero) Tsaut{numero}
#define TREVANE_SUIVANTE(p) goto aiguillage
#define TREVANE_AIGUILLAGE(p, cas) \
    aiguillage:                    \
    switch ((p)->saut) {           \
        cas                        \
    }                              \
    goto general;
#define TREVANE_CAS(etiquette, numero) \
    case numero:                       \
        goto etiquette;
#endif
