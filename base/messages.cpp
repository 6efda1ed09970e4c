#include "base/messages.h"

#include "base/codage.h"
#include "base/donnees.h"

#include <string>
#include <vector>

namespace {

struct TmessageErreur {
    int32_t code;
    const char* texte;   // UTF-8
};
#define TREVANE_MESSAGE_ERREUR(nom, code, message) {code, message},
constexpr TmessageErreur messagesErreurs[] = {
    TREVANE_ERREURS_ANALYSE(TREVANE_MESSAGE_ERREUR)
    TREVANE_ERREURS_EXECUTION(TREVANE_MESSAGE_ERREUR)
};
#undef TREVANE_MESSAGE_ERREUR

// The messages in Windows-1252 by code, empty where a code has none.
const std::vector<std::string>& textes() {
    static const std::vector<std::string> t = [] {
        std::vector<std::string> v(derniereErreurExecution + 1);
        for (const TmessageErreur& m : messagesErreurs)
            v[static_cast<size_t>(m.code)] = depuisUtf8(m.texte);
        return v;
    }();
    return t;
}

} // namespace

const std::string& messageErreur(int32_t code) {
    const auto& t = textes();
    if (code < 0 || code >= static_cast<int32_t>(t.size()))
        return t[0];
    return t[static_cast<size_t>(code)];
}

const std::string& messageAnalyse(int32_t code) {
    return messageErreur(code >= 1 && code <= derniereErreurAnalyse ? code : 0);
}

bool signalerErreur(TdonneesCommunes& d, int32_t code) {
    if (d.codeErreur == 0)
        d.codeErreur = code;
    return false;
}

bool signalerErreur(TdonneesCommunes& d, int32_t code, int32_t ligne) {
    if (d.codeErreur == 0) {
        d.codeErreur = code;
        d.ligneErreur = ligne;
    }
    return false;
}
