// brivane-genere N SORTIE.csv [GRAINE]: writes a generated electoral-list
// extraction of N voters, for trying the program on a realistic file.

#include "GenerateurExtraction.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool LitEntier(const char* texte, unsigned long maximum, unsigned long& valeur)
{
    char* fin = nullptr;
    errno = 0;
    const unsigned long lu = std::strtoul(texte, &fin, 10);
    if (errno != 0 || fin == texte || *fin != '\0' || texte[0] == '-' || lu > maximum)
        return false;
    valeur = lu;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    unsigned long nombre = 0;
    unsigned long graine = 1;
    if ((argc != 3 && argc != 4) || !LitEntier(argv[1], 10'000'000, nombre)
        || (argc == 4 && !LitEntier(argv[3], 0xFFFFFFFFul, graine))) {
        std::fprintf(stderr,
                     "Usage : brivane-genere N SORTIE.csv [GRAINE]\n"
                     "  N : nombre d'électeurs (0 à 10000000), GRAINE : entier (1 par défaut)\n");
        return 2;
    }
    const std::string extraction =
        GenereExtraction(static_cast<int>(nombre), static_cast<uint32_t>(graine));
    if (!EcritFichier(argv[2], extraction)) {
        std::fprintf(stderr, "Impossible d'écrire %s\n", argv[2]);
        return 1;
    }
    std::printf("%s : %lu électeurs, %zu octets\n", argv[2], nombre, extraction.size());
    return 0;
}
