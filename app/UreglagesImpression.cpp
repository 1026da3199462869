#include "UreglagesImpression.h"

#include "UIni.h"

#include <utility>

namespace {

const QString Section = QStringLiteral("Impression");
const QString CleTri = QStringLiteral("TriClasse");
const QString CleAjuster = QStringLiteral("AjusterTexte");
const QString CleX = QStringLiteral("DecalageX");
const QString CleY = QStringLiteral("DecalageY");

}  // namespace

ReglagesImpression LitReglagesImpression(const UIni& ini, QStringList* avertissements)
{
    ReglagesImpression r;
    ini.LitBooleen(Section, CleTri, r.TriClasse);
    ini.LitBooleen(Section, CleAjuster, r.AjusterTexte);
    for (const auto& [cle, decalage] : {std::pair(CleX, &r.DecalageX), std::pair(CleY, &r.DecalageY)}) {
        ini.LitEntier(Section, cle, *decalage);
        if (DecalageValide(*decalage) != *decalage && avertissements != nullptr)
            *avertissements << QStringLiteral("Attention : %1 vaut %2 dans la section [%3] des "
                                              "réglages ; le réglage de l'imprimante va de %4 à %5 "
                                              "dixièmes de millimètre : il est remplacé par 0.")
                                   .arg(cle, QString::number(*decalage), Section,
                                        QString::number(-ReglagesImpression::DecalageMax),
                                        QString::number(ReglagesImpression::DecalageMax));
        *decalage = DecalageValide(*decalage);
    }
    return r;
}

ReglagesImpression LitReglagesImpression(const QString& fichierIni, QStringList* avertissements)
{
    UIni ini;
    ini.Charge(fichierIni);  // an unreadable file reads as an empty one
    return LitReglagesImpression(ini, avertissements);
}

bool EcritReglagesImpression(const ReglagesImpression& reglages, UIni& ini)
{
    return ini.EcritBooleen(Section, CleTri, reglages.TriClasse)
           && ini.EcritEntier(Section, CleX, DecalageValide(reglages.DecalageX))
           && ini.EcritEntier(Section, CleY, DecalageValide(reglages.DecalageY))
           && ini.EcritBooleen(Section, CleAjuster, reglages.AjusterTexte);
}

bool EcritReglagesImpression(const ReglagesImpression& reglages, const QString& fichierIni,
                             QString& erreur)
{
    UIni ini;
    // A file that exists but cannot be read is not replaced by one that would
    // lose its other sections.
    const bool ok = ini.Charge(fichierIni) && EcritReglagesImpression(reglages, ini)
                    && ini.Sauve(fichierIni);
    if (!ok)
        erreur = QStringLiteral("Impossible d'écrire dans %1").arg(fichierIni);
    return ok;
}
