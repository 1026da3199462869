#include "Ubalisage.h"

namespace {
const QString Ouvrant = QStringLiteral("<");
const QString Fermant = QStringLiteral(">");

// The upper-case name between a "<" at `ouvrant` and a ">" at `fermant`.
QString NomEntre(const QString& texte, int ouvrant, int fermant)
{
    return texte.mid(ouvrant, fermant - ouvrant - 1).toUpper();
}

// Leading blanks and control characters dropped.
QString SansBlancsDevant(const QString& texte)
{
    int i = 0;
    while (i < texte.size() && texte.at(i).unicode() <= u' ')
        ++i;
    return texte.mid(i);
}
}  // namespace

int Balisage::FindNext(const QString& texte, const QString& motif, int debut)
{
    if (debut < 1)
        debut = 1;
    if (debut > texte.size())
        return 0;
    return texte.indexOf(motif, debut - 1) + 1;
}

bool Balisage::AppliqueStyle(const QString& nom, StyleTexte& style)
{
    const bool fermeture = nom.startsWith(QLatin1Char('/'));
    const QString base = fermeture ? nom.mid(1) : nom;
    bool* champ = nullptr;
    if (base == QLatin1String("B"))
        champ = &style.Gras;
    else if (base == QLatin1String("I"))
        champ = &style.Italique;
    else if (base == QLatin1String("U"))
        champ = &style.Souligne;
    else if (base == QLatin1String("STRIKE"))
        champ = &style.Barre;
    if (!champ)
        return false;
    *champ = !fermeture;
    return true;
}

void Balisage::ParseLine(const QString& ligne, LignesBulle& lignes)
{
    QString reste = ligne;
    AlignementBulle courant = AlignementBulle::Gauche;
    AlignementBulle ouvert = AlignementBulle::Gauche;
    int p = 1;
    for (;;) {
        const int ouvrant = reste.isEmpty() ? 0 : FindNext(reste, Ouvrant, p);
        const int fermant = ouvrant == 0 ? 0 : FindNext(reste, Fermant, p);
        if (fermant == 0) {
            lignes.push_back({reste, courant});
            return;
        }
        if (fermant < ouvrant) {
            p = fermant + 1;
            continue;
        }
        const QString nom = NomEntre(reste, ouvrant, fermant);
        const QString avant = reste.left(ouvrant - 1);
        const bool centre = nom == QLatin1String("CENTER");
        const bool fermeture =
            nom == QLatin1String("/CENTER") || nom == QLatin1String("/RIGHT");
        if (centre || nom == QLatin1String("RIGHT")) {
            if (ouvrant != 1)
                lignes.push_back({avant, courant});
            ouvert = courant = centre ? AlignementBulle::Centre : AlignementBulle::Droite;
        } else if (nom == QLatin1String("BR")) {
            lignes.push_back({avant, courant});
        } else if (fermeture) {
            lignes.push_back({avant, ouvert});
            courant = AlignementBulle::Gauche;
        } else {
            p = ouvrant + 1;  // not a layout tag: it stays in the text
            continue;
        }
        reste = SansBlancsDevant(reste.mid(fermant));
        p = 1;
        if (fermeture && reste.isEmpty())
            return;
    }
}

bool Balisage::OnlyContainsTags(const QString& texte)
{
    bool style = false;
    QString reste = texte;
    while (!reste.isEmpty()) {
        if (reste.at(0) != QLatin1Char('<'))
            return false;
        const int fermant = reste.indexOf(QLatin1Char('>'));
        if (fermant < 0)
            return false;
        StyleTexte essai;
        if (AppliqueStyle(NomEntre(reste, 1, fermant + 1), essai))
            style = true;
        reste = reste.mid(fermant + 1);
    }
    return style;
}

void Balisage::Parcourt(const QString& texte,
                        const std::function<void(const QString& morceau)>& morceau,
                        const std::function<void(const QString& nom)>& balise)
{
    QString reste = texte;
    int p = 1;
    while (!reste.isEmpty()) {
        const int ouvrant = FindNext(reste, Ouvrant, p);
        const int fermant = ouvrant == 0 ? 0 : FindNext(reste, Fermant, p);
        if (fermant == 0) {
            morceau(reste);
            return;
        }
        if (fermant < ouvrant) {
            p = fermant + 1;
            continue;
        }
        const QString nom = NomEntre(reste, ouvrant, fermant);
        StyleTexte essai;
        if (AppliqueStyle(nom, essai)) {
            morceau(reste.left(ouvrant - 1));
            balise(nom);
        } else {
            morceau(reste.left(fermant));
        }
        reste = reste.mid(fermant);
        p = 1;
    }
}

QString Balisage::SansBalises(const QString& texte)
{
    QString lisible;
    Parcourt(texte, [&](const QString& m) { lisible += m; }, [](const QString&) {});
    return lisible;
}
