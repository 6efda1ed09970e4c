// The window's checked way to write a whole file: the new bytes replace the
// old file only once every step has succeeded, so a full disk or a crash
// never leaves a half-written file behind.
#pragma once

#include <QByteArray>
#include <QString>

// Writes `octets` to `chemin` through QSaveFile, checking the open, the
// write of every byte and the commit. False on any failure, the reason in
// `raison` (when given) and any previous file of that name intact.
bool ecrireAtomiquement(const QString& chemin, const QByteArray& octets, QString* raison = nullptr);
