#include "Ureglages.h"

#include "Plateforme.h"
#include "UIni.h"

#include <QDir>

#include <string>

namespace {

const QString Section = QStringLiteral("Brivane");

// Sets the field only from a readable value, so the default stays otherwise.
void Lit(const UIni& ini, const char* cle, int32_t& champ)
{
    ini.LitEntier(Section, QLatin1String(cle), champ);
}

void Lit(const UIni& ini, const char* cle, bool& champ)
{
    ini.LitBooleen(Section, QLatin1String(cle), champ);
}

QString TexteFonte(const Fonte& fonte)
{
    return QString::fromStdString(fonte.ToString());
}

void LitCles(Parametres& p, const UIni& ini)
{
    p.PathFich = ini.LitTexte(Section, QStringLiteral("PathFich"), p.PathFich);
    const QString fonte = ini.LitTexte(Section, QStringLiteral("Fonte"), TexteFonte(p.Fonte));
    if (!fonte.isEmpty())
        p.Fonte.FromString(fonte.toStdString());
    Lit(ini, "LargeurPage", p.LargeurPage);
    Lit(ini, "HauteurPage", p.HauteurPage);
    Lit(ini, "Orientation", p.Orientation);
    Lit(ini, "LargeurEtiq", p.LargeurEtiq);
    Lit(ini, "HauteurEtiq", p.HauteurEtiq);
    Lit(ini, "NbCols", p.NbCols);
    Lit(ini, "NbLignes", p.NbLignes);
    Lit(ini, "MargeHaute", p.MargeHaute);
    Lit(ini, "MargeDroite", p.MargeDroite);
    Lit(ini, "MargeGauche", p.MargeGauche);
    Lit(ini, "MargeBasse", p.MargeBasse);
    Lit(ini, "ImprimerAdresse", p.ImprimerAdresse);
    Lit(ini, "ImprimerEnfant", p.ImprimerEnfant);
    Lit(ini, "ImprimerClasse", p.ImprimerClasse);
    Lit(ini, "MargeInterneHaute", p.MargesInternes.top);
    Lit(ini, "MargeInterneDroite", p.MargesInternes.right);
    Lit(ini, "MargeInterneGauche", p.MargesInternes.left);
    Lit(ini, "MargeInterneBasse", p.MargesInternes.bottom);
    Lit(ini, "ImprimerSignature", p.ImprimerSignature);
}

}  // namespace

void LitParametres(Parametres& p, const QString& fichierIni)
{
    QString erreur;
    LitParametres(p, fichierIni, erreur);  // an unreadable file reads as an empty one
}

bool ChargeReglages(UIni& ini, const QString& fichierIni, QString& erreur)
{
    QString raison;
    if (ini.Charge(fichierIni, &raison))
        return true;
    erreur = QStringLiteral("Impossible de lire le fichier de réglages « %1 » : %2")
                 .arg(fichierIni, raison);
    return false;
}

void LitParametres(Parametres& p, const UIni& ini)
{
    InitParametres(p);
    LitCles(p, ini);
}

bool LitParametres(Parametres& p, const QString& fichierIni, QString& erreur)
{
    UIni ini;
    const bool lu = ChargeReglages(ini, fichierIni, erreur);
    LitParametres(p, ini);
    return lu;
}

bool EcritParametres(const Parametres& p, UIni& ini)
{
    bool ok = true;
    auto texte = [&](const char* cle, const QString& valeur) {
        ok = ok && ini.EcritTexte(Section, QLatin1String(cle), valeur);
    };
    auto entier = [&](const char* cle, int32_t valeur) {
        ok = ok && ini.EcritEntier(Section, QLatin1String(cle), valeur);
    };
    auto booleen = [&](const char* cle, bool valeur) {
        ok = ok && ini.EcritBooleen(Section, QLatin1String(cle), valeur);
    };

    // A file name holding a line break cannot stand on one line of the file:
    // that path is forgotten rather than every other setting.
    texte("PathFich", UIni::ValeurEnregistrable(p.PathFich) ? p.PathFich : QString());
    texte("Fonte", TexteFonte(p.Fonte));
    entier("LargeurPage", p.LargeurPage);
    entier("HauteurPage", p.HauteurPage);
    booleen("Orientation", p.Orientation);
    entier("LargeurEtiq", p.LargeurEtiq);
    entier("HauteurEtiq", p.HauteurEtiq);
    entier("NbCols", p.NbCols);
    entier("NbLignes", p.NbLignes);
    entier("MargeHaute", p.MargeHaute);
    entier("MargeDroite", p.MargeDroite);
    entier("MargeGauche", p.MargeGauche);
    entier("MargeBasse", p.MargeBasse);
    booleen("ImprimerAdresse", p.ImprimerAdresse);
    booleen("ImprimerEnfant", p.ImprimerEnfant);
    booleen("ImprimerClasse", p.ImprimerClasse);
    entier("MargeInterneHaute", p.MargeInterneHaute());
    entier("MargeInterneDroite", p.MargeInterneDroite());
    entier("MargeInterneGauche", p.MargeInterneGauche());
    entier("MargeInterneBasse", p.MargeInterneBasse());
    booleen("ImprimerSignature", p.ImprimerSignature);
    return ok;
}

bool EcritParametres(const Parametres& p, const QString& fichierIni, QString& erreur)
{
    UIni ini;
    // A file that exists but cannot be read is not replaced by one that would
    // lose its other sections.
    const bool ok = ini.Charge(fichierIni) && EcritParametres(p, ini) && ini.Sauve(fichierIni);
    if (!ok)
        erreur = QStringLiteral("Impossible d'écrire dans %1").arg(fichierIni);
    return ok;
}

bool EcritReglages(const Parametres& p, const ReglagesImpression& impression,
                   const QString& fichierIni, QString& erreur)
{
    UIni ini;
    const bool ok = ini.Charge(fichierIni) && EcritParametres(p, ini)
                    && EcritReglagesImpression(impression, ini) && ini.Sauve(fichierIni);
    if (!ok)
        erreur = QStringLiteral("Impossible d'écrire dans %1").arg(fichierIni);
    return ok;
}

QString CheminFichierIniSansCreer()
{
    const QString dossier = DossierDonneesUtilisateur();
    if (dossier.isEmpty())
        return QStringLiteral("Brivane.ini");
    return dossier + QStringLiteral("/Kelvora/Brivane.ini");
}

QString CheminFichierIni()
{
    return CheminFichierIni(DossierDonneesUtilisateur());
}

QString CheminFichierIni(const QString& dossierConfig)
{
    const QString nom = QStringLiteral("Brivane.ini");
    if (dossierConfig.isEmpty())
        return nom;
    const QString dossier = dossierConfig + QStringLiteral("/Kelvora");
    // A fresh account may not have ~/.config yet: create it too, or every
    // setting would be lost at close. A failure shows when writing.
    if (!QDir(dossier).exists())
        QDir().mkpath(dossier);
    return dossier + QLatin1Char('/') + nom;
}
