// brivane-pdf's "--pages" value and its whole command line: any text reads
// without harm; an accepted range is 1 ≤ first ≤ last and reads back from its
// own plain form.

#include "LigneCommandePdf.h"
#include "Verifie.h"

#include <QStringList>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QByteArray octets(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const QString texte = QString::fromUtf8(octets);

    int32_t premiere = -5;
    int32_t derniere = -5;
    if (LitPlagePages(texte, premiere, derniere)) {
        VERIFIE(premiere >= 1 && premiere <= derniere);
        int32_t p = 0;
        int32_t d = 0;
        VERIFIE(LitPlagePages(QStringLiteral("%1-%2").arg(premiere).arg(derniere), p, d));
        VERIFIE(p == premiere && d == derniere);
    } else {
        VERIFIE(premiere == -5 && derniere == -5);
    }

    // The same bytes as a command line, arguments separated by NUL.
    QStringList arguments{QStringLiteral("brivane-pdf")};
    for (const QByteArray& argument : octets.split('\0'))
        arguments << QString::fromUtf8(argument);
    const LigneCommandePdf ligne = AnalyseLigneCommande(arguments);
    if (ligne.issue == LigneCommandePdf::Issue::Exporter) {
        // The test page needs no extraction; everything else needs one.
        VERIFIE(!ligne.options.sortie.isEmpty());
        VERIFIE(ligne.options.pageTest == ligne.options.extraction.isEmpty());
        if (ligne.options.plageDonnee)
            VERIFIE(ligne.options.premiere >= 1
                    && ligne.options.premiere <= ligne.options.derniere);
        VERIFIE(ligne.options.debut >= 1);
    } else if (ligne.issue == LigneCommandePdf::Issue::Erreur) {
        VERIFIE(!ligne.erreur.isEmpty());
    }
    return 0;
}
