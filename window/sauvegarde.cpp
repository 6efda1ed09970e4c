#include "window/sauvegarde.h"

#include <QSaveFile>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace {

// The data on the disk itself, so that a delayed allocation failure shows
// here rather than after the old file is gone; commit() ignores its own sync.
bool synchroniser(QSaveFile& fichier) {
#if defined(Q_OS_UNIX)
    return ::fsync(fichier.handle()) == 0;
#else
    Q_UNUSED(fichier);
    return true;
#endif
}

} // namespace

bool sauvegarderFichier(const QString& chemin, QByteArrayView octets, QString* raison) {
    // The new content goes to a temporary file that replaces the old one
    // only once wholly written.
    QSaveFile fichier(chemin);
    const auto echec = [&] {
        if (raison)
            *raison = fichier.errorString();
        return false;
    };
    if (!fichier.open(QIODevice::WriteOnly))
        return echec();
    // The bytes first sit in the write buffer: a refused write (disk full,
    // file size limit) then only happens inside commit(), which some Qt
    // versions do not report before renaming the short file over the old
    // one. So the buffer is flushed and checked here, before commit().
    const bool ecrit = fichier.write(octets.data(), octets.size()) == octets.size() && fichier.flush() &&
                       fichier.error() == QFileDevice::NoError && synchroniser(fichier);
    if (!ecrit) {
        const bool rendu = echec();
        fichier.cancelWriting();   // the temporary file is removed, the old file untouched
        return rendu;
    }
    return fichier.commit() || echec();
}
