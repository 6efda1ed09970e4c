#include "base/csv.h"

std::string champCsv(std::string_view utf8) {
    if (utf8.find_first_of(";\"\r\n") == std::string_view::npos)
        return std::string(utf8);
    std::string champ = "\"";
    for (const char c : utf8) {
        if (c == '"')
            champ += '"';
        champ += c;
    }
    champ += '"';
    return champ;
}
