#include "window/sauvegarde.h"

#include <QSaveFile>

#include <cerrno>

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

// The reasons a learner can act on, in French; any other keeps the
// system's own words.
QString raisonLisible(int numero, const QString& systeme) {
    switch (numero) {
    case ENOSPC:
#if defined(EDQUOT)
    case EDQUOT:
#endif
        return QString::fromUtf8("Le disque est plein.");
    case EFBIG:
        return QString::fromUtf8("Le fichier dépasse la taille permise.");
    case EROFS:
        return QString::fromUtf8("Le disque est en lecture seule.");
    case EACCES:
    case EPERM:
        return QString::fromUtf8("Permission refusée.");
    case ENOENT:
        return QString::fromUtf8("Le dossier n'existe pas.");
    default:
        return systeme;
    }
}

} // namespace

bool sauvegarderFichier(const QString& chemin, const std::function<bool(QIODevice&)>& remplir, QString* raison) {
    // The new content goes to a temporary file that replaces the old one
    // only once wholly written.
    QSaveFile fichier(chemin);
    // errno is read right after the step that failed, before anything else
    // can change it.
    const auto echec = [&](int numero) {
        if (raison)
            *raison = raisonLisible(numero, fichier.errorString());
        return false;
    };
    errno = 0;
    if (!fichier.open(QIODevice::WriteOnly))
        return echec(errno);
    // The bytes first sit in the write buffer: a refused write (disk full,
    // file size limit) then only happens inside commit(), which some Qt
    // versions do not report before renaming the short file over the old
    // one. So the buffer is flushed and checked here, before commit().
    errno = 0;
    const bool ecrit = remplir(fichier) && fichier.flush() && fichier.error() == QFileDevice::NoError &&
                       synchroniser(fichier);
    if (!ecrit) {
        const bool rendu = echec(errno);
        fichier.cancelWriting();   // the temporary file is removed, the old file untouched
        return rendu;
    }
    errno = 0;
    return fichier.commit() || echec(errno);
}

bool sauvegarderFichier(const QString& chemin, QByteArrayView octets, QString* raison) {
    return sauvegarderFichier(
        chemin, [&](QIODevice& fichier) { return fichier.write(octets.data(), octets.size()) == octets.size(); },
        raison);
}
