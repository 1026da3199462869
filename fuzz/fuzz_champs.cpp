// The search for the eight required columns in any header row: the position
// found is the leftmost cell that matches, a missing column is one that no
// cell matches, and matching is a case-insensitive comparison of the decoded
// cell, whatever bytes the cells hold.

#include "ChampsElecteurs.h"
#include "Cp1252.h"
#include "Verifie.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    // Cells separated by ';', as the header line of an extraction.
    Rangee entete(1);
    for (size_t i = 0; i < taille; ++i) {
        if (donnees[i] == ';')
            entete.emplace_back();
        else
            entete.back() += static_cast<char>(donnees[i]);
    }

    std::array<int32_t, 20> index;
    index.fill(-7);
    const int manquant = ChercheChamps(entete, index);
    const auto& champs = ChampsRequis();
    VERIFIE(manquant >= -1 && manquant < static_cast<int>(champs.size()));
    const std::size_t trouves = manquant < 0 ? champs.size() : static_cast<std::size_t>(manquant);
    for (std::size_t k = 0; k < champs.size(); ++k) {
        std::size_t premier = entete.size();
        for (std::size_t i = 0; i < entete.size() && premier == entete.size(); ++i) {
            const bool correspond = CorrespondChamp(entete[i], champs[k]);
            VERIFIE(correspond
                    == (QString::compare(DecodeCp1252(entete[i]), champs[k], Qt::CaseInsensitive)
                            == 0
                        && entete[i].size() == static_cast<std::size_t>(champs[k].size())));
            if (correspond)
                premier = i;
        }
        if (k < trouves)
            VERIFIE(index[k] == static_cast<int32_t>(premier));
        else if (k == trouves)
            VERIFIE(premier == entete.size());
        else
            VERIFIE(index[k] == -7);
    }
    if (manquant >= 0)
        VERIFIE(MessageChampNonTrouve(manquant).endsWith(champs[manquant]));
    return 0;
}
