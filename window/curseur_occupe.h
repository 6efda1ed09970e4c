// The busy cursor of a long command. A command marks its start and end; long
// work inside it signals now and then, and the cursor turns busy once the
// command has taken more than about 0.2 s, so short commands never flicker.
#pragma once

class TcommandeEnCours {
public:
    TcommandeEnCours();
    ~TcommandeEnCours();
    TcommandeEnCours(const TcommandeEnCours&) = delete;
    TcommandeEnCours& operator=(const TcommandeEnCours&) = delete;

    // Called from long loops: shows the busy cursor when the command is long.
    static void signaler();
};
