#include "ExportPdf.h"

#include "CataloguePlanches.h"
#include "DebutPlanche.h"
#include "DescripteurFichier.h"
#include "EcriturePdf.h"
#include "ExtractionChargee.h"
#include "ImpressionEtiquettes.h"
#include "PageTest.h"
#include "Parametres.h"
#include "RapportExtraction.h"
#include "ReglagesImpression.h"
#include "UIni.h"
#include "UreglagesImpression.h"
#include "Ucsv.h"
#include "Ureglages.h"
#include "VerificationFormat.h"

#include <QFileInfo>
#include <QPrinter>

#include <exception>
#include <functional>
#include <new>

namespace {

ResultatExport Echec(const QString& message, int code = ResultatExport::kEchec)
{
    ResultatExport resultat;
    resultat.code = code;
    resultat.message = message;
    return resultat;
}

// Tenths of a millimetre: 3 and 14,400 points, the smallest and largest
// sides of a PDF page.
constexpr int32_t kCotePdfMin = 11;
constexpr int32_t kCotePdfMax = 50800;

QString RefusCote(const char* cle, int32_t valeur)
{
    if (valeur < kCotePdfMin)
        return QStringLiteral("La feuille ne peut pas être une page PDF : %1 vaut %2 dans les "
                              "réglages (il faut au moins %3, soit 1,1 mm).")
            .arg(QLatin1String(cle)).arg(valeur).arg(kCotePdfMin);
    if (valeur > kCotePdfMax)
        return QStringLiteral("La feuille ne peut pas être une page PDF : %1 vaut %2 dans les "
                              "réglages (une page PDF mesure au plus %3, soit 5,08 m).")
            .arg(QLatin1String(cle)).arg(valeur).arg(kCotePdfMax);
    return QString();
}

QString AvertissementTaille(const char* cle, int32_t valeur)
{
    return QStringLiteral("Attention : %1 vaut %2 dans les réglages ; une étiquette doit "
                          "mesurer plus de 0.")
        .arg(QLatin1String(cle)).arg(valeur);
}

QString AvertissementMarges(const char* taille, int32_t valeurTaille, const char* marge1,
                            int32_t valeur1, const char* marge2, int32_t valeur2)
{
    return QStringLiteral("Attention : %1 (%2) et %3 (%4) ne laissent aucune place au texte "
                          "dans %5 (%6) : les étiquettes resteront blanches.")
        .arg(QLatin1String(marge1)).arg(valeur1).arg(QLatin1String(marge2)).arg(valeur2)
        .arg(QLatin1String(taille)).arg(valeurTaille);
}

// Runs imprime on a PDF printer writing the output; the document reaches the
// file only once complete and checked (see EcriturePdf.h).
ResultatExport EcritPdf(const QString& sortie, int32_t pages,
                        const std::function<void(QPrinter&)>& imprime)
{
    // Refused at once rather than after the whole document is made.
    const QString refus = RaisonRefusSortie(sortie);
    if (!refus.isEmpty())
        return Echec(QStringLiteral("Impossible d'écrire le fichier PDF « %1 » : %2.")
                         .arg(sortie, refus));
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(sortie);
    try {
        imprime(imprimante);
    } catch (const std::bad_alloc&) {
        return Echec(QStringLiteral("Mémoire insuffisante pour imprimer les étiquettes"));
    } catch (const std::exception& erreur) {
        return Echec(QString::fromUtf8(erreur.what()));
    }

    ResultatExport resultat;
    resultat.code = ResultatExport::kSucces;
    resultat.pages = pages;
    return resultat;
}

// What the settings file says: the format, and beside it the order and the
// printer's calibration.
struct Reglages {
    Parametres parametres;
    ReglagesImpression impression;
};

// The format's test page, without any extraction. A grid without a label is
// refused as it is for the labels: its test page would be blank.
ResultatExport ExportePageTest(const OptionsPdf& options, const Reglages& reglages)
{
    if (EtiquettesParPage(reglages.parametres) <= 0)
        return Echec(QStringLiteral("Etiquettes non définies"));
    return EcritPdf(options.sortie, 1, [&](QPrinter& imprimante) {
        ImprimeTest(imprimante, reglages.parametres, reglages.impression.Decalage());
    });
}

}  // namespace

QStringList AvertissementsFormat(const Parametres& p)
{
    QStringList avertissements;
    if (p.LargeurEtiq <= 0)
        avertissements << AvertissementTaille("LargeurEtiq", p.LargeurEtiq);
    if (p.HauteurEtiq <= 0)
        avertissements << AvertissementTaille("HauteurEtiq", p.HauteurEtiq);
    if (static_cast<int64_t>(p.LargeurEtiq) - p.MargeInterneGauche() - p.MargeInterneDroite() <= 0)
        avertissements << AvertissementMarges("LargeurEtiq", p.LargeurEtiq, "MargeInterneGauche",
                                              p.MargeInterneGauche(), "MargeInterneDroite",
                                              p.MargeInterneDroite());
    if (static_cast<int64_t>(p.HauteurEtiq) - p.MargeInterneHaute() - p.MargeInterneBasse() <= 0)
        avertissements << AvertissementMarges("HauteurEtiq", p.HauteurEtiq, "MargeInterneHaute",
                                              p.MargeInterneHaute(), "MargeInterneBasse",
                                              p.MargeInterneBasse());
    return avertissements;
}

QString RefusFeuillePdf(const Parametres& p)
{
    const QString largeur = RefusCote("LargeurPage", p.LargeurPage);
    return largeur.isEmpty() ? RefusCote("HauteurPage", p.HauteurPage) : largeur;
}

namespace {

// Findings of the extraction's check written on standard error.
constexpr std::size_t kLignesRapport = 20;

// `rapport` receives the lines to check in the extraction, whatever the outcome.
ResultatExport ExporteEtiquettes(const OptionsPdf& options, const Reglages& reglages,
                                 QStringList& rapport)
{
    const Parametres& parametres = reglages.parametres;
    const int64_t parPage = EtiquettesParPage(parametres);
    if (parPage > 0 && !DebutValide(parPage, options.debut))
        return Echec(QStringLiteral("Étiquette de départ incorrecte : %1 (une planche compte %2 "
                                    "étiquettes, numérotées de 1 à %2)")
                         .arg(options.debut)
                         .arg(parPage),
                     ResultatExport::kUsage);

    // The extraction, loaded and checked as step 1 of the window does.
    ExtractionChargee extraction;
    if (!extraction.Charge(options.extraction))
        return Echec(QStringLiteral("Impossible de charger le fichier « %1 » : %2")
                         .arg(options.extraction, RaisonErreurFichier(extraction.Erreur())));
    if (extraction.EtatCourant() == ExtractionChargee::Etat::ChampManquant)
        return Echec(extraction.MessageChampManquant());
    // An extraction without voter is named incorrect rather than not loaded.
    const QString refus = extraction.RefusImpression(
        parametres, ExtractionChargee::RefusSansElecteur::Incorrecte);
    if (!refus.isEmpty())
        return Echec(refus);
    const TCSV& table = extraction.Table();
    const TableIndexChamps& indexChamps = extraction.IndexChamps();

    // The rows that would print wrong labels, named on standard error; the
    // labels are printed all the same, unless none has anything to print.
    const RapportExtraction verification = extraction.Verification();
    if (!verification.Vide())
        rapport = QStringList{QStringLiteral("Attention : lignes à vérifier dans « %1 » :")
                                  .arg(options.extraction)}
            + verification.Lignes(kLignesRapport);
    if (verification.ElecteursVides() == extraction.NbElecteurs())
        return Echec(QStringLiteral("Aucune étiquette à imprimer : tous les électeurs de « %1 » "
                                    "sont vides")
                         .arg(options.extraction));

    OptionsImpression disposition;
    disposition.TriClasse = options.triClasse.value_or(reglages.impression.TriClasse);
    disposition.Debut = options.debut;
    disposition.Decalage = reglages.impression.Decalage();
    disposition.AjusterTexte = options.ajusterTexte || reglages.impression.AjusterTexte;
    const ImpressionEtiquettes job(parametres, table, indexChamps, disposition);

    const int32_t nbPages = job.NombrePages();
    if (options.plageDonnee && options.derniere > nbPages)
        return Echec(QStringLiteral("Plage de pages incorrecte : le document compte %1 page(s)")
                         .arg(nbPages),
                     ResultatExport::kUsage);

    const PlagePages plage = PagesAImprimer(options.plageDonnee, options.premiere,
                                            options.derniere, nbPages);
    const QStringList texteCoupe =
        AvertissementTexteCoupe(job.EtiquettesCoupees(plage), table, indexChamps);
    const int32_t pages = plage.derniere - plage.premiere + 1;
    ResultatExport resultat = EcritPdf(options.sortie, pages, [&](QPrinter& imprimante) {
        AjustePagePdf(imprimante, parametres);
        if (options.plageDonnee) {
            imprimante.setPrintRange(QPrinter::PageRange);
            imprimante.setFromTo(options.premiere, options.derniere);
        } else {
            imprimante.setPrintRange(QPrinter::AllPages);
        }
        job.Imprime(imprimante);
    });
    resultat.avertissements << texteCoupe;
    return resultat;
}

}  // namespace

ResultatExport ExportePdf(const OptionsPdf& options)
{
    QString fichierReglages = options.fichierReglages;
    if (fichierReglages.isEmpty())
        fichierReglages = CheminFichierIniSansCreer();

    // Writing the PDF over an input would destroy it.
    for (const QString& entree : {options.extraction, fichierReglages}) {
        if (MemeFichier(options.sortie, entree))
            return Echec(QStringLiteral("Le PDF « %1 » remplacerait le fichier « %2 », qui est "
                                        "lu pour l'imprimer : choisissez un autre nom de PDF.")
                             .arg(options.sortie, entree),
                         ResultatExport::kUsage);
    }

    const Planche* planche = nullptr;
    if (!options.planche.isEmpty()) {
        const CataloguePlanches& catalogue = CataloguePlanchesA4();
        planche = catalogue.Trouve(options.planche);
        if (planche == nullptr)
            return Echec(catalogue.MessagePlancheInconnue(options.planche),
                         ResultatExport::kUsage);
    }

    // The settings, as the window reads them at start-up; but a file that
    // cannot be read is an error rather than the default format.
    if (!options.fichierReglages.isEmpty() && !QFileInfo::exists(fichierReglages))
        return Echec(QStringLiteral("Fichier de réglages introuvable : %1").arg(fichierReglages));
    UIni ini;
    QString erreurReglages;
    if (!ChargeReglages(ini, fichierReglages, erreurReglages))
        return Echec(erreurReglages);
    Reglages reglages;
    LitParametres(reglages.parametres, ini);
    // Said whatever comes next: a calibration dropped, margins made smaller.
    QStringList avertissements;
    reglages.impression = LitReglagesImpression(ini, &avertissements);
    if (planche != nullptr) {
        const QString marges = AppliquePlanche(*planche, reglages.parametres);
        if (!marges.isEmpty())
            avertissements << marges;
    }
    // Before the extraction is read; a grid without a label is refused as
    // the window refuses it ("Etiquettes non définies"), further on.
    QString refus = RefusFeuillePdf(reglages.parametres);
    if (refus.isEmpty() && EtiquettesParPage(reglages.parametres) > 0)
        refus = RefusFormat(reglages.parametres);
    QStringList rapport;  // the extraction's lines to check
    ResultatExport resultat = !refus.isEmpty() ? Echec(refus)
                              : options.pageTest ? ExportePageTest(options, reglages)
                                                 : ExporteEtiquettes(options, reglages, rapport);
    if (resultat.code == ResultatExport::kSucces)
        avertissements << AvertissementsFormat(reglages.parametres);
    resultat.avertissements = avertissements + rapport + resultat.avertissements;
    return resultat;
}
