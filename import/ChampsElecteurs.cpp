#include "ChampsElecteurs.h"

#include "Cp1252.h"

#include <algorithm>
#include <limits>

const std::array<QString, 8>& ChampsRequis()
{
    static const std::array<QString, 8> champs{
        QStringLiteral("civilité responsable"),
        QStringLiteral("nom responsable"),
        QStringLiteral("prénom responsable"),
        QStringLiteral("adresse responsable"),
        QStringLiteral("cp responsable"),
        QStringLiteral("commune responsable"),
        QStringLiteral("nom enfant 1"),
        QStringLiteral("classe enfant 1"),
    };
    return champs;
}

bool CorrespondChamp(std::string_view cellule, const QString& nom)
{
    // Upper and lower case alike by Unicode case folding (É and é, Œ and œ),
    // everything else character for character: a locale collation would also
    // take a no-break space, a superscript digit or an ordinal mark for the
    // plain character, and ignore control characters altogether.
    if (cellule.size() != static_cast<std::size_t>(nom.size()))
        return false;
    return QString::compare(DecodeCp1252(cellule), nom, Qt::CaseInsensitive) == 0;
}

int ChercheChamps(const Rangee& entete, std::array<int32_t, 20>& indexChamps)
{
    const std::array<QString, 8>& champs = ChampsRequis();
    const std::size_t nbCellules =
        std::min<std::size_t>(entete.size(), std::numeric_limits<int32_t>::max());
    for (std::size_t k = 0; k < champs.size(); ++k) {
        bool trouve = false;
        for (std::size_t i = 0; i < nbCellules && !trouve; ++i) {
            if (CorrespondChamp(entete[i], champs[k])) {
                indexChamps[k] = static_cast<int32_t>(i);
                trouve = true;
            }
        }
        if (!trouve)
            return static_cast<int>(k);
    }
    return -1;
}

QString MessageChampNonTrouve(int k)
{
    return QStringLiteral("Champ non trouvé : ") + ChampsRequis().at(static_cast<std::size_t>(k));
}
