#include "UnomCouleur.h"

#include "Ucouleurs.h"

#include <QColor>
#include <algorithm>

namespace {
// Below this spread between the strongest and the weakest channel a colour
// reads as grey rather than as a hue.
constexpr int ChromaGris = 40;

struct Teinte {
    int jusqua;  // hues below this angle, in degrees
    const char* nom;
};

// The colour wheel cut where French speakers change words.
constexpr Teinte Teintes[] = {
    {15, "rouge"}, {45, "orange"}, {70, "jaune"}, {165, "vert"},
    {195, "turquoise"}, {260, "bleu"}, {290, "violet"}, {345, "rose"}, {360, "rouge"},
};
}  // namespace

QString NomCouleur(uint32_t couleur)
{
    const QColor c = VersQColor(couleur);
    const int plusFort = std::max({c.red(), c.green(), c.blue()});
    const int plusFaible = std::min({c.red(), c.green(), c.blue()});

    if (plusFort < 48)
        return QStringLiteral("noir");
    if (plusFort - plusFaible < ChromaGris)
        return plusFaible >= 245 ? QStringLiteral("blanc") : QStringLiteral("gris");

    const int teinte = c.hsvHue();
    // A dark orange is what people call brown.
    if (teinte >= 15 && teinte < 45 && plusFort < 160)
        return QStringLiteral("marron");
    for (const Teinte& t : Teintes)
        if (teinte < t.jusqua)
            return QString::fromLatin1(t.nom);
    return QStringLiteral("rouge");
}
