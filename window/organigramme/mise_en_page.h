// The flowchart's layout by Graphviz (`dot` through libgvc), rendered as
// SVG: the boxes keep the ids the core gave them ("ligne12"), so the panel
// finds each box's place in the drawing.
#pragma once

#include <QByteArray>
#include <QString>

// The SVG of a DOT text (UTF-8); empty with the reason in `erreur` when
// Graphviz refuses it.
QByteArray svgDuDot(const QByteArray& dot, QString* erreur = nullptr);
