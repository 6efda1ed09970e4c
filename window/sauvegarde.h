// The one checked way the window writes a file: program saves, recovery
// copies and the trace export go through it.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

// Writes the whole content of `chemin` as `remplir` puts it into the device
// (false from `remplir` when a write into the device failed). True only when
// every step succeeded; on false the file of that name is left byte for
// byte as it was (or absent when there was none), no temporary file
// remains, and `raison` (when given) holds the system's reason in the
// user's words ("Le disque est plein.").
bool sauvegarderFichier(const QString& chemin, const std::function<bool(QIODevice&)>& remplir,
                        QString* raison = nullptr);
bool sauvegarderFichier(const QString& chemin, QByteArrayView octets, QString* raison = nullptr);
