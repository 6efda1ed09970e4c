// The one checked way the window writes a file: program saves, and any later
// recovery file or export, go through it.
#pragma once

#include <QByteArrayView>
#include <QString>

// Writes `octets` as the whole content of `chemin`. True only when every
// step succeeded; on false the file of that name is left byte for byte as it
// was (or absent when there was none) and no temporary file remains, and
// `raison` (when given) holds the system's reason.
bool sauvegarderFichier(const QString& chemin, QByteArrayView octets, QString* raison = nullptr);
