#include "TriEtiquettes.h"

#include "Cp1252.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

namespace {

// Positions in the column table, in the order of ChampsRequis.
constexpr size_t ChampResponsable = 1;
constexpr size_t ChampEnfant = 6;
constexpr size_t ChampClasse = 7;

const std::string& Cellule(const Rangee& rangee, const TableIndexChamps& indexChamps, size_t k)
{
    static const std::string vide;
    const int32_t position = indexChamps[k];
    if (position < 0 || static_cast<size_t>(position) >= rangee.size())
        return vide;
    return rangee[static_cast<size_t>(position)];
}

// Without accents, in lower case, blanks simplified: what is compared first.
QString Replie(const QString& texte)
{
    const QString decompose = texte.normalized(QString::NormalizationForm_D);
    QString resultat;
    resultat.reserve(decompose.size());
    for (const QChar c : decompose) {
        if (!c.isMark())
            resultat += c;
    }
    return resultat.toCaseFolded().simplified();
}

struct CleDecodee {
    std::array<QString, 3> replies;   // class, child, parent, folded
    std::array<QString, 3> exactes;   // the same as written
};

int Compare(const QCollator& collateur, const std::array<QString, 3>& a,
            const std::array<QString, 3>& b)
{
    for (size_t k = 0; k < a.size(); ++k) {
        if (const int c = collateur.compare(a[k], b[k]); c != 0)
            return c;
    }
    return 0;
}

}  // namespace

std::vector<size_t> OrdreTri(const std::vector<CleTri>& cles)
{
    QCollator collateur{QLocale(QLocale::French, QLocale::France)};
    collateur.setNumericMode(true);
    collateur.setCaseSensitivity(Qt::CaseSensitive);

    std::vector<CleDecodee> decodees;
    decodees.reserve(cles.size());
    for (const CleTri& cle : cles) {
        CleDecodee d;
        d.exactes = {DecodeCp1252(cle.Classe), DecodeCp1252(cle.Enfant),
                     DecodeCp1252(cle.Responsable)};
        for (size_t k = 0; k < d.exactes.size(); ++k)
            d.replies[k] = Replie(d.exactes[k]);
        decodees.push_back(std::move(d));
    }

    std::vector<size_t> ordre(cles.size());
    std::iota(ordre.begin(), ordre.end(), size_t{0});
    // All three keys without accents and case first, so that "CE1", "ce1"
    // and "Cé1" make one class; only then as written.
    std::stable_sort(ordre.begin(), ordre.end(), [&](size_t a, size_t b) {
        const CleDecodee& x = decodees[a];
        const CleDecodee& y = decodees[b];
        if (const int c = Compare(collateur, x.replies, y.replies); c != 0)
            return c < 0;
        return Compare(collateur, x.exactes, y.exactes) < 0;
    });
    return ordre;
}

std::vector<int32_t> OrdreParClasse(const TCSV& table, const TableIndexChamps& indexChamps)
{
    const uint32_t nbRangees = table.NbRangees();
    std::vector<CleTri> cles;
    if (nbRangees > 1)
        cles.reserve(nbRangees - 1);
    for (uint32_t i = 1; i < nbRangees; ++i) {
        const Rangee rangee = table[static_cast<int32_t>(i)];
        cles.push_back({Cellule(rangee, indexChamps, ChampClasse),
                        Cellule(rangee, indexChamps, ChampEnfant),
                        Cellule(rangee, indexChamps, ChampResponsable)});
    }

    std::vector<int32_t> rangees;
    rangees.reserve(cles.size());
    for (const size_t position : OrdreTri(cles))
        rangees.push_back(static_cast<int32_t>(position + 1));
    return rangees;
}
