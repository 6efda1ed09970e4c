#include "window/organigramme/mise_en_page.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <memory>

namespace {

// One context for the whole run of the program: it loads the plug-ins once.
GVC_t* contexte() {
    static const std::unique_ptr<GVC_t, int (*)(GVC_t*)> gvc(gvContext(), gvFreeContext);
    return gvc.get();
}

} // namespace

QByteArray svgDuDot(const QByteArray& dot, QString* erreur) {
    GVC_t* gvc = contexte();
    Agraph_t* graphe = agmemread(dot.constData());
    if (!graphe) {
        if (erreur)
            *erreur = QStringLiteral("Graphviz ne lit pas le graphe.");
        return {};
    }
    QByteArray svg;
    if (gvLayout(gvc, graphe, "dot") == 0) {
        char* donnees = nullptr;
        unsigned int longueur = 0;
        if (gvRenderData(gvc, graphe, "svg", &donnees, &longueur) == 0 && donnees)
            svg = QByteArray(donnees, static_cast<qsizetype>(longueur));
        gvFreeRenderData(donnees);
        gvFreeLayout(gvc, graphe);
    }
    agclose(graphe);
    if (svg.isEmpty() && erreur)
        *erreur = QStringLiteral("Graphviz n'a pas pu disposer le graphe.");
    return svg;
}
