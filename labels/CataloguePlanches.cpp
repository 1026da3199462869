#include "CataloguePlanches.h"

#include <QFile>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <utility>

namespace {

constexpr int32_t LargeurA4 = 2100;
constexpr int32_t HauteurA4 = 2970;
// Overrun of a nominal sheet that AppliquePlanche absorbs (half a millimetre).
constexpr int64_t ToleranceCatalogue = 5;
constexpr int NombreCellules = 11;

// Folded for the search: lower case, no accents, letters and digits only: "Étiq. L-7160" gives
// "etiql7160".
QString Plie(const QString& texte)
{
    const QString decompose = texte.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString resultat;
    resultat.reserve(decompose.size());
    for (const QChar c : decompose) {
        if (c.isLetterOrNumber())
            resultat += c;
    }
    return resultat;
}

QString NomCompare(const QString& marque, const QString& reference)
{
    return (marque.simplified() + QLatin1Char(' ') + reference.simplified()).toCaseFolded();
}

// Cells of one line, ";" between them; a cell may be enclosed in double
// quotes, a doubled quote standing for one.
QStringList Cellules(const QString& ligne)
{
    QStringList cellules;
    QString cellule;
    bool entreGuillemets = false;
    bool debutCellule = true;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        const QChar c = ligne[i];
        if (entreGuillemets) {
            if (c == u'"' && i + 1 < ligne.size() && ligne[i + 1] == u'"') {
                cellule += c;
                ++i;
            } else if (c == u'"') {
                entreGuillemets = false;
            } else {
                cellule += c;
            }
            continue;
        }
        if (c == u';') {
            cellules << cellule;
            cellule.clear();
            debutCellule = true;
            continue;
        }
        if (c == u'"' && debutCellule)
            entreGuillemets = true;
        else
            cellule += c;
        debutCellule = false;
    }
    cellules << cellule;
    return cellules;
}

bool LitEntier(const QString& cellule, int32_t mini, int32_t maxi, int32_t& valeur)
{
    bool ok = false;
    const int nombre = cellule.trimmed().toInt(&ok);
    if (!ok || nombre < mini || nombre > maxi)
        return false;
    valeur = nombre;
    return true;
}

std::optional<Planche> LitPlanche(const QString& ligne)
{
    const QStringList c = Cellules(ligne);
    if (c.size() != NombreCellules)
        return std::nullopt;
    Planche p;
    p.Marque = c[0].simplified();
    p.Reference = c[1].simplified();
    p.Description = c[2].simplified();
    if (p.Marque.isEmpty() || p.Reference.isEmpty())
        return std::nullopt;
    const bool ok = LitEntier(c[3], 1, LargeurA4, p.LargeurEtiq)
                    && LitEntier(c[4], 1, HauteurA4, p.HauteurEtiq)
                    && LitEntier(c[5], 1, 100, p.NbCols)
                    && LitEntier(c[6], 1, 100, p.NbLignes)
                    && LitEntier(c[7], 0, HauteurA4, p.MargeHaute)
                    && LitEntier(c[8], 0, LargeurA4, p.MargeDroite)
                    && LitEntier(c[9], 0, HauteurA4, p.MargeBasse)
                    && LitEntier(c[10], 0, LargeurA4, p.MargeGauche);
    if (!ok)
        return std::nullopt;
    return p;
}

// Letters to insert, remove, change or swap with their neighbour to turn a
// into b (optimal string alignment distance).
int Distance(const QString& a, const QString& b)
{
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    std::vector<std::vector<int>> d(static_cast<size_t>(n + 1),
                                    std::vector<int>(static_cast<size_t>(m + 1)));
    for (qsizetype i = 0; i <= n; ++i)
        d[i][0] = static_cast<int>(i);
    for (qsizetype j = 0; j <= m; ++j)
        d[0][j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= n; ++i) {
        for (qsizetype j = 1; j <= m; ++j) {
            const int cout = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cout});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[n][m];
}

QString Millimetres(int32_t dixiemes)
{
    if (dixiemes % 10 == 0)
        return QLocale().toString(dixiemes / 10);
    return QLocale().toString(dixiemes / 10.0, 'f', 1);
}

}  // namespace

QString Planche::Nom() const
{
    return Marque + QLatin1Char(' ') + Reference;
}

QString TailleEtiquetteMm(const Planche& planche)
{
    return Millimetres(planche.LargeurEtiq) + QStringLiteral(" × ")
           + Millimetres(planche.HauteurEtiq) + QStringLiteral(" mm");
}

bool CataloguePlanches::Charge(const QByteArray& contenu)
{
    m_planches.clear();
    m_cles.clear();
    QByteArray octets = contenu;
    if (octets.startsWith("\xEF\xBB\xBF"))
        octets.remove(0, 3);
    const QStringList lignes = QString::fromUtf8(octets).split(QLatin1Char('\n'));

    bool toutLu = true;
    bool entete = true;
    QSet<QString> noms;
    for (QString ligne : lignes) {
        if (ligne.endsWith(QLatin1Char('\r')))
            ligne.chop(1);
        if (ligne.trimmed().isEmpty())
            continue;
        if (entete) {
            entete = false;
            continue;
        }
        const std::optional<Planche> planche = LitPlanche(ligne);
        const QString nom = planche ? NomCompare(planche->Marque, planche->Reference) : QString();
        if (!planche || noms.contains(nom)) {
            toutLu = false;
            continue;
        }
        noms.insert(nom);
        m_planches.push_back(*planche);
        m_cles.push_back({Plie(planche->Marque), Plie(planche->Reference)});
    }
    return toutLu && !entete;
}

std::vector<const Planche*> CataloguePlanches::Filtre(const QString& requete) const
{
    QStringList mots;
    for (const QString& mot : requete.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString replie = Plie(mot);
        if (!replie.isEmpty())
            mots << replie;
    }

    struct Trouvee {
        const Planche* planche;
        int rang;  // 0: reference named, 1: reference started, 2: other
    };
    std::vector<Trouvee> trouvees;
    for (size_t i = 0; i < m_planches.size(); ++i) {
        const QString& marque = m_cles[i].marque;
        const QString& reference = m_cles[i].reference;
        const QString nom = marque + reference;
        int rang = 2;
        bool correspond = true;
        for (const QString& mot : mots) {
            if (!marque.contains(mot) && !reference.contains(mot) && !nom.contains(mot)) {
                correspond = false;
                break;
            }
            if (reference == mot)
                rang = 0;
            else if (reference.startsWith(mot))
                rang = std::min(rang, 1);
        }
        if (correspond)
            trouvees.push_back({&m_planches[i], rang});
    }
    std::stable_sort(trouvees.begin(), trouvees.end(),
                     [](const Trouvee& a, const Trouvee& b) { return a.rang < b.rang; });

    std::vector<const Planche*> resultat;
    resultat.reserve(trouvees.size());
    for (const Trouvee& t : trouvees)
        resultat.push_back(t.planche);
    return resultat;
}

const Planche* CataloguePlanches::Trouve(const QString& nom) const
{
    const QString cherche = nom.simplified().toCaseFolded();
    if (cherche.size() > LongueurNomMax)
        return nullptr;
    for (const Planche& p : m_planches) {
        if (NomCompare(p.Marque, p.Reference) == cherche)
            return &p;
    }
    return nullptr;
}

QStringList CataloguePlanches::Proches(const QString& nom, int nombre) const
{
    // The distance costs the product of the two lengths.
    const QString cherche = Plie(nom.simplified().left(LongueurNomMax));
    std::vector<std::pair<int, size_t>> distances;
    distances.reserve(m_planches.size());
    for (size_t i = 0; i < m_planches.size(); ++i) {
        const QString& reference = m_cles[i].reference;
        const int d = std::min(Distance(cherche, m_cles[i].marque + reference),
                               Distance(cherche, reference));
        distances.emplace_back(d, i);
    }
    std::stable_sort(distances.begin(), distances.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    QStringList noms;
    for (const auto& [d, i] : distances) {
        if (noms.size() >= nombre)
            break;
        noms << m_planches[i].Nom();
    }
    return noms;
}

QString CataloguePlanches::MessagePlancheInconnue(const QString& nom) const
{
    QString echo = nom.simplified();
    if (echo.size() > LongueurNomMax)
        echo = echo.left(LongueurNomMax) + QStringLiteral("…");
    QString message = QStringLiteral("Planche inconnue : « %1 ».").arg(echo);
    const QStringList proches = Proches(nom);
    if (!proches.isEmpty())
        message += QStringLiteral(" Planches proches : %1.").arg(proches.join(QStringLiteral(", ")));
    return message;
}

// Q_INIT_RESOURCE cannot sit in a namespace.
static CataloguePlanches ChargeCatalogueA4()
{
    Q_INIT_RESOURCE(planches);
    CataloguePlanches catalogue;
    QFile fichier(QStringLiteral(":/planches/planches-a4.csv"));
    if (fichier.open(QIODevice::ReadOnly))
        catalogue.Charge(fichier.readAll());
    return catalogue;
}

const CataloguePlanches& CataloguePlanchesA4()
{
    static const CataloguePlanches catalogue = ChargeCatalogueA4();
    return catalogue;
}

QString AppliquePlanche(const Planche& planche, Parametres& p)
{
    p.LargeurPage = LargeurA4;
    p.HauteurPage = HauteurA4;
    p.Orientation = false;
    p.LargeurEtiq = planche.LargeurEtiq;
    p.HauteurEtiq = planche.HauteurEtiq;
    p.NbCols = planche.NbCols;
    p.NbLignes = planche.NbLignes;
    p.MargeHaute = planche.MargeHaute;
    p.MargeDroite = planche.MargeDroite;
    p.MargeBasse = planche.MargeBasse;
    p.MargeGauche = planche.MargeGauche;

    const auto absorbe = [](int64_t exces, int32_t& marge) {
        if (exces > 0 && exces <= ToleranceCatalogue)
            marge = static_cast<int32_t>(std::max<int64_t>(0, marge - exces));
    };
    absorbe(int64_t{planche.MargeGauche} + planche.MargeDroite
                + int64_t{planche.NbCols} * planche.LargeurEtiq - LargeurA4,
            p.MargeDroite);
    absorbe(int64_t{planche.MargeHaute} + planche.MargeBasse
                + int64_t{planche.NbLignes} * planche.HauteurEtiq - HauteurA4,
            p.MargeBasse);

    QStringList ramenees;
    const auto ajuste = [&](int32_t taille, int32_t& marge1, const char* cle1, int32_t& marge2,
                            const char* cle2) {
        if (2 * (int64_t{taille} - marge1 - marge2) > taille)
            return;
        const int32_t huitieme = taille / 8;
        ramenees << QStringLiteral("%1 et %2 passent de %3 et %4 à %5 chacune")
                        .arg(QLatin1String(cle1), QLatin1String(cle2), QString::number(marge1),
                             QString::number(marge2), QString::number(huitieme));
        marge1 = marge2 = huitieme;
    };
    ajuste(p.LargeurEtiq, p.MargesInternes.left, "MargeInterneGauche", p.MargesInternes.right,
           "MargeInterneDroite");
    ajuste(p.HauteurEtiq, p.MargesInternes.top, "MargeInterneHaute", p.MargesInternes.bottom,
           "MargeInterneBasse");
    if (ramenees.isEmpty())
        return {};
    return QStringLiteral("Attention : les marges internes des réglages laissent trop peu de "
                          "place au texte sur les étiquettes de %1 de la planche « %2 » : %3.")
        .arg(TailleEtiquetteMm(planche), planche.Nom(), ramenees.join(QStringLiteral(" ; ")));
}
