// The INI reader and writer on any file: loading keeps every byte, a value
// that is written reads back the same (before and after a save and reload),
// another key of the section keeps its value, and a refused write changes
// nothing.
//
// Input: four lengths (bytes 0 to 3: section, key, value, other key, in UTF-16
// code units, so lone surrogates come up), the UTF-16 text of the four, then
// the file's bytes.

#include "UIni.h"
#include "Verifie.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>

namespace {

QString Utf16(const uint8_t*& donnees, size_t& reste, size_t unites)
{
    unites = std::min(unites, reste / 2);
    QString texte(static_cast<qsizetype>(unites), Qt::Uninitialized);
    std::memcpy(texte.data(), donnees, unites * 2);
    donnees += unites * 2;
    reste -= unites * 2;
    return texte;
}

// The first 2047 code points, a surrogate pair counting as one.
QString Coupe(const QString& texte)
{
    qsizetype i = 0;
    for (int n = 0; n < UIni::LongueurValeurMax && i < texte.size(); ++n)
        i += (texte[i].isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate())
                 ? 2
                 : 1;
    return texte.left(i);
}

bool Ecrire(const QString& chemin, const QByteArray& octets)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && fichier.write(octets) == octets.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    static QTemporaryDir dossier;
    static const QString chemin = dossier.filePath(QStringLiteral("essai.ini"));
    if (taille < 4)
        return 0;
    const size_t longueurs[4] = {donnees[0], donnees[1], donnees[2], donnees[3]};
    donnees += 4;
    size_t reste = taille - 4;
    const QString section = Utf16(donnees, reste, longueurs[0]);
    const QString cle = Utf16(donnees, reste, longueurs[1]);
    const QString valeur = Utf16(donnees, reste, longueurs[2]);
    const QString autreCle = Utf16(donnees, reste, longueurs[3]);
    const QByteArray fichier(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(reste));

    if (!Ecrire(chemin, fichier))
        std::abort();
    UIni ini;
    // A UTF-16 file is refused whole, never read nor written to.
    if (fichier.startsWith("\xFF\xFE") || fichier.startsWith("\xFE\xFF")) {
        VERIFIE(!ini.Charge(chemin) && ini.Contenu().isEmpty());
        return 0;
    }
    VERIFIE(ini.Charge(chemin));
    VERIFIE(ini.Contenu() == fichier);
    const std::optional<QString> autreAvant = ini.LitTexte(section, autreCle);

    if (!ini.EcritTexte(section, cle, valeur)) {
        VERIFIE(ini.Contenu() == fichier);
        return 0;
    }
    VERIFIE(ini.LitTexte(section, cle) == Coupe(valeur));
    const bool memeCle = QString::compare(cle, autreCle, Qt::CaseInsensitive) == 0;
    if (!memeCle)
        VERIFIE(ini.LitTexte(section, autreCle) == autreAvant);

    VERIFIE(ini.Sauve(chemin));
    UIni relu;
    VERIFIE(relu.Charge(chemin));
    VERIFIE(relu.Contenu() == ini.Contenu());
    VERIFIE(relu.LitTexte(section, cle) == Coupe(valeur));
    if (!memeCle)
        VERIFIE(relu.LitTexte(section, autreCle) == autreAvant);
    return 0;
}
