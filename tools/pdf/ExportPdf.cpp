#include "ExportPdf.h"

#include "ChampsElecteurs.h"
#include "ImpressionEtiquettes.h"
#include "PageTest.h"
#include "Parametres.h"
#include "Ucsv.h"
#include "Ureglages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>
#include <exception>
#include <functional>
#include <new>
#include <sys/stat.h>

namespace {

ResultatExport Echec(const QString& message, int code = ResultatExport::kEchec)
{
    ResultatExport resultat;
    resultat.code = code;
    resultat.message = message;
    return resultat;
}

// The temporary file is private (0600); the PDF gets the permissions of a
// file created the ordinary way.
void DonnerDroitsOrdinaires(const QString& chemin)
{
    const mode_t masque = ::umask(0);
    ::umask(masque);
    ::chmod(QFile::encodeName(chemin).constData(), 0666 & ~masque);
}

QString MessageEcriture(const QString& sortie)
{
    return QStringLiteral("Impossible d'écrire le fichier PDF « %1 »").arg(sortie);
}

// Runs imprime on a PDF printer that writes a temporary file in the output's
// folder, renamed to the output once the document is complete.
ResultatExport EcritPdf(const QString& sortie, int32_t pages,
                        const std::function<void(QPrinter&)>& imprime)
{
    const QFileInfo infoSortie(sortie);
    QTemporaryFile temporaire(infoSortie.absoluteDir().filePath(
        QStringLiteral(".%1.XXXXXX").arg(infoSortie.fileName())));
    if (!temporaire.open())
        return Echec(MessageEcriture(sortie));
    temporaire.close();

    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(temporaire.fileName());
    try {
        imprime(imprimante);
    } catch (const std::bad_alloc&) {
        return Echec(QStringLiteral("Mémoire insuffisante pour imprimer les étiquettes"));
    } catch (const std::exception& erreur) {
        return Echec(QString::fromUtf8(erreur.what()));
    }

    if (std::rename(QFile::encodeName(temporaire.fileName()).constData(),
                    QFile::encodeName(sortie).constData())
        != 0)
        return Echec(MessageEcriture(sortie));
    temporaire.setAutoRemove(false);
    DonnerDroitsOrdinaires(sortie);

    ResultatExport resultat;
    resultat.code = ResultatExport::kSucces;
    resultat.pages = pages;
    return resultat;
}

// The format's test page, without any extraction. A grid without a label is
// refused as it is for the labels: its test page would be blank.
ResultatExport ExportePageTest(const OptionsPdf& options, const Parametres& parametres)
{
    if (EtiquettesParPage(parametres) <= 0)
        return Echec(QStringLiteral("Etiquettes non définies"));
    return EcritPdf(options.sortie, 1,
                    [&](QPrinter& imprimante) { ImprimeTest(imprimante, parametres); });
}

}  // namespace

ResultatExport ExportePdf(const OptionsPdf& options)
{
    // The settings, as the window reads them at start-up.
    QString fichierReglages = options.fichierReglages;
    if (fichierReglages.isEmpty()) {
        fichierReglages = CheminFichierIniSansCreer();
    } else if (!QFileInfo(fichierReglages).isFile()) {
        return Echec(QStringLiteral("Fichier de réglages introuvable : %1").arg(fichierReglages));
    }
    Parametres parametres;
    LitParametres(parametres, fichierReglages);
    if (options.pageTest)
        return ExportePageTest(options, parametres);

    // The extraction, loaded and checked as step 1 of the window does.
    TCSV table;
    if (!table.Charge(options.extraction))
        return Echec(QStringLiteral("Impossible de charger le fichier"));
    TableIndexChamps indexChamps{};
    if (table.NbRangees() > 1) {
        const int manquant = ChercherChamps(table[0], indexChamps);
        if (manquant >= 0)
            return Echec(MessageChampNonTrouve(manquant));
    }
    const QString refus = RefusImpression(true, parametres, table.NbRangees());
    if (!refus.isEmpty())
        return Echec(refus);

    const int32_t nbPages = NombrePages(parametres, table.NbRangees());
    if (options.plageDonnee && options.derniere > nbPages)
        return Echec(QStringLiteral("Plage de pages incorrecte : le document compte %1 page(s)")
                         .arg(nbPages),
                     ResultatExport::kUsage);

    const PlagePages plage = PagesAImprimer(options.plageDonnee, options.premiere,
                                            options.derniere, nbPages);
    return EcritPdf(options.sortie, plage.derniere - plage.premiere + 1, [&](QPrinter& imprimante) {
        AjustePagePdf(imprimante, parametres);
        if (options.plageDonnee) {
            imprimante.setPrintRange(QPrinter::PageRange);
            imprimante.setFromTo(options.premiere, options.derniere);
        } else {
            imprimante.setPrintRange(QPrinter::AllPages);
        }
        ImpressionEtiquettes(parametres, table, indexChamps).Imprime(imprimante);
    });
}
