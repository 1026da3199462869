#include "LectureReference.h"

#include <algorithm>
#include <utility>

std::vector<Rangee> LectureReference(const std::string& octets)
{
    std::vector<Rangee> rangees;
    Rangee rangee;
    std::string cellule;
    enum { Debut, Guillemets, Cellule } etat = Debut;
    const std::size_t n = octets.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = octets[i];
        const char suivant = i + 1 < n ? octets[i + 1] : '\0';
        const bool finLigne = c == '\n' || (c == '\r' && suivant == '\n');
        if (etat == Guillemets) {
            if (c != '"') {
                cellule += c;
            } else if (suivant == '"') {
                cellule += '"';
                ++i;
            } else {
                etat = Cellule;
            }
        } else if (etat == Debut && c == '"') {
            etat = Guillemets;
        } else if (finLigne) {
            i += c == '\r' ? 1 : 0;
            rangee.push_back(std::move(cellule));
            cellule.clear();
            rangees.push_back(std::move(rangee));
            rangee.clear();
            etat = Debut;
        } else if (c == ';') {
            rangee.push_back(std::move(cellule));
            cellule.clear();
            etat = Debut;
        } else {
            cellule += c;
            etat = Cellule;
        }
    }
    if (etat != Debut)
        rangee.push_back(cellule);
    if (!rangee.empty())
        rangees.push_back(rangee);
    std::size_t largeur = 0;
    for (const Rangee& r : rangees)
        largeur = std::max(largeur, r.size());
    for (Rangee& r : rangees)
        r.resize(largeur);
    return rangees;
}
