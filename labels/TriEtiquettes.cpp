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

std::string Cellule(const VueRangee& rangee, const TableIndexChamps& indexChamps, size_t k)
{
    const int32_t position = indexChamps[k];
    if (position < 0)
        return std::string();
    return std::string(rangee[static_cast<uint32_t>(position)]);
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
    int niveau = 0;                   // school level of the class
    std::array<QString, 3> replies;   // rest of the class, child, parent, folded
    std::array<QString, 3> exactes;   // class, child, parent as written
};

// The levels in school order; a longer code is tried before its prefix.
constexpr std::array<const char*, 9> Niveaux{"TPS", "PS", "MS", "GS", "CP",
                                             "CE1", "CE2", "CM1", "CM2"};
constexpr int NiveauInconnu = 9;
constexpr int SansClasse = 10;

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

int NiveauClasse(const QString& classe, QString& reste)
{
    const QString replie = Replie(classe);
    // The letters and digits of the name and where each one stands.
    QString compacte;
    std::vector<qsizetype> positions;
    for (qsizetype i = 0; i < replie.size(); ++i) {
        if (replie.at(i).isLetterOrNumber()) {
            compacte += replie.at(i).toUpper();
            positions.push_back(i);
        }
    }
    if (compacte.isEmpty()) {
        reste = replie;
        return SansClasse;
    }
    for (size_t n = 0; n < Niveaux.size(); ++n) {
        const QLatin1String code(Niveaux[n]);
        const auto longueur = code.size();
        // "CE12" is no CE1: a digit right after the level's own digit
        // makes another number ("CE1 12" is CE1).
        const qsizetype apres = compacte.startsWith(code)
            ? positions[static_cast<size_t>(longueur - 1)] + 1
            : -1;
        const bool autreNombre = QChar(code.back()).isDigit() && apres >= 0
            && apres < replie.size() && replie.at(apres).isDigit();
        if (apres >= 0 && !autreNombre) {
            reste = compacte.size() > longueur
                ? replie.mid(positions[static_cast<size_t>(longueur)]).trimmed()
                : QString();
            return static_cast<int>(n);
        }
    }
    reste = replie;
    return NiveauInconnu;
}

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
        d.niveau = NiveauClasse(d.exactes[0], d.replies[0]);
        for (size_t k = 1; k < d.exactes.size(); ++k)
            d.replies[k] = Replie(d.exactes[k]);
        decodees.push_back(std::move(d));
    }

    std::vector<size_t> ordre(cles.size());
    std::iota(ordre.begin(), ordre.end(), size_t{0});
    // The level, then all three keys without accents and case, so that
    // "CE1", "ce1" and "Cé1" make one class; only then as written.
    std::stable_sort(ordre.begin(), ordre.end(), [&](size_t a, size_t b) {
        const CleDecodee& x = decodees[a];
        const CleDecodee& y = decodees[b];
        if (x.niveau != y.niveau)
            return x.niveau < y.niveau;
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
        const VueRangee rangee = table.Vue(static_cast<int32_t>(i));
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
