// Runs a command and writes "STATUS PEAK_KB" to a file: its exit status (128 +
// the signal when killed) and its peak resident memory. A command started
// straight from a large test process would count that process's memory as
// its own (the peak survives exec), so the tests start it from this small one.
//   trevane-pic-memoire RESULT_FILE COMMAND [ARGUMENT...]
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3)
        return 64;
    const pid_t enfant = fork();
    if (enfant == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int etat = 0;
    rusage usage{};
    if (enfant < 0 || wait4(enfant, &etat, 0, &usage) != enfant)
        return 70;
    std::FILE* resultat = std::fopen(argv[1], "w");
    if (!resultat)
        return 73;
    const int statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
    const bool ecrit = std::fprintf(resultat, "%d %ld\n", statut, usage.ru_maxrss) > 0;
    return std::fclose(resultat) == 0 && ecrit ? 0 : 74;
}
