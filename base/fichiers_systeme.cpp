#include "base/fichiers_systeme.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/types.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#ifdef _WIN32
#include <io.h>
#include <windows.h>

namespace {

std::wstring large(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring texte(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), texte.data(), n);
    return texte;
}

} // namespace

std::FILE* ouvrirFichier(const std::string& chemin, const char* mode) {
    return _wfopen(large(chemin).c_str(), large(mode).c_str());
}

bool fichierOrdinaire(const std::string& chemin, uint64_t& taille) {
    struct _stat64 etat {};
    if (_wstat64(large(chemin).c_str(), &etat) != 0 || (etat.st_mode & _S_IFMT) != _S_IFREG)
        return false;
    taille = static_cast<uint64_t>(etat.st_size);
    return true;
}

bool forcerSurDisque(std::FILE* fichier) { return _commit(_fileno(fichier)) == 0; }

static std::FILE* creerExclusif(const std::string& chemin) {
    const int fd = _wopen(large(chemin).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    std::FILE* fichier = _fdopen(fd, "wb");
    if (!fichier)
        _close(fd);
    return fichier;
}

// Windows' rename refuses an existing target.
bool remplacerFichier(const std::string& provisoire, const std::string& chemin) {
    return MoveFileExW(large(provisoire).c_str(), large(chemin).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool supprimerFichier(const std::string& chemin) { return _wremove(large(chemin).c_str()) == 0; }

#else

std::FILE* ouvrirFichier(const std::string& chemin, const char* mode) { return std::fopen(chemin.c_str(), mode); }

bool fichierOrdinaire(const std::string& chemin, uint64_t& taille) {
    struct stat etat {};
    if (stat(chemin.c_str(), &etat) != 0 || !S_ISREG(etat.st_mode))
        return false;
    taille = static_cast<uint64_t>(etat.st_size > 0 ? etat.st_size : 0);
    return true;
}

bool forcerSurDisque(std::FILE* fichier) { return fsync(fileno(fichier)) == 0; }

// O_EXCL fails on any existing name, a link included; the mode is the usual
// one for a new file (the umask applies).
static std::FILE* creerExclusif(const std::string& chemin) {
    const int fd = open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    std::FILE* fichier = fdopen(fd, "wb");
    if (!fichier)
        close(fd);
    return fichier;
}

bool remplacerFichier(const std::string& provisoire, const std::string& chemin) {
    return std::rename(provisoire.c_str(), chemin.c_str()) == 0;
}

bool supprimerFichier(const std::string& chemin) { return std::remove(chemin.c_str()) == 0; }

#endif

std::FILE* creerProvisoire(const std::string& chemin, std::string& provisoire) {
#ifdef _WIN32
    const size_t barre = chemin.find_last_of("/\\:");
#else
    const size_t barre = chemin.rfind('/');
#endif
    const std::string dossier = barre == std::string::npos ? std::string() : chemin.substr(0, barre + 1);
    constexpr char signes[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device hasard;
    for (int essai = 0; essai < 100; ++essai) {
        std::string nom = ".trevane-";
        for (int k = 0; k < 10; ++k)
            nom += signes[hasard() % (sizeof signes - 1)];
        errno = 0;
        if (std::FILE* fichier = creerExclusif(dossier + nom)) {
            provisoire = dossier + nom;
            return fichier;
        }
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

std::filesystem::path versCheminFs(const std::string& chemin) {
    return std::filesystem::path(std::u8string(chemin.begin(), chemin.end()));
}

std::string depuisCheminFs(const std::filesystem::path& chemin) {
    const std::u8string octets = chemin.generic_u8string();
    return std::string(octets.begin(), octets.end());
}
