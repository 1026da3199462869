#include "ChampsElecteurs.h"

#include "Cp1252.h"

#include <QLocale>

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

QCollator CollateurChamps()
{
    QCollator collateur{QLocale(QLocale::French, QLocale::France)};
    collateur.setCaseSensitivity(Qt::CaseInsensitive);
    return collateur;
}

bool CorrespondChamp(std::string_view cellule, const QString& nom, const QCollator& collateur)
{
    // One byte is one character in Windows-1252, and French case pairs have
    // the same length: a cell of another length cannot be the name. This also
    // keeps characters the collation ignores (controls, soft hyphen) from
    // letting a longer cell pass.
    if (cellule.size() != static_cast<std::size_t>(nom.size()))
        return false;
    return collateur.compare(DecodeCp1252(cellule), nom) == 0;
}

bool CorrespondChamp(std::string_view cellule, const QString& nom)
{
    return CorrespondChamp(cellule, nom, CollateurChamps());
}

int ChercherChamps(const Rangee& entete, std::array<int32_t, 20>& indexChamps)
{
    const QCollator collateur = CollateurChamps();
    const std::array<QString, 8>& champs = ChampsRequis();
    const std::size_t nbCellules =
        std::min<std::size_t>(entete.size(), std::numeric_limits<int32_t>::max());
    for (std::size_t k = 0; k < champs.size(); ++k) {
        bool trouve = false;
        for (std::size_t i = 0; i < nbCellules && !trouve; ++i) {
            if (CorrespondChamp(entete[i], champs[k], collateur)) {
                indexChamps[k] = static_cast<int32_t>(i);
                trouve = true;
            }
        }
        if (!trouve)
            return static_cast<int>(k);
    }
    return -1;
}
