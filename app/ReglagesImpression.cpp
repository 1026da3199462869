#include "ReglagesImpression.h"

#include "UIni.h"

namespace {

const QString Section = QStringLiteral("Impression");
const QString CleTri = QStringLiteral("TriClasse");
const QString CleAjuster = QStringLiteral("AjusterTexte");
const QString CleX = QStringLiteral("DecalageX");
const QString CleY = QStringLiteral("DecalageY");

}  // namespace

int32_t DecalageValide(int32_t decalage)
{
    if (decalage < -ReglagesImpression::DecalageMax || decalage > ReglagesImpression::DecalageMax)
        return 0;
    return decalage;
}

ReglagesImpression LitReglagesImpression(const UIni& ini)
{
    ReglagesImpression r;
    ini.LitBooleen(Section, CleTri, r.TriClasse);
    ini.LitBooleen(Section, CleAjuster, r.AjusterTexte);
    ini.LitEntier(Section, CleX, r.DecalageX);
    ini.LitEntier(Section, CleY, r.DecalageY);
    r.DecalageX = DecalageValide(r.DecalageX);
    r.DecalageY = DecalageValide(r.DecalageY);
    return r;
}

ReglagesImpression LitReglagesImpression(const QString& fichierIni)
{
    UIni ini;
    ini.Charge(fichierIni);  // an unreadable file reads as an empty one
    return LitReglagesImpression(ini);
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
