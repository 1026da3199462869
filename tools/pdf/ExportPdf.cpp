#include "ExportPdf.h"

#include "ChampsElecteurs.h"
#include "ImpressionEtiquettes.h"
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

    const QFileInfo infoSortie(options.sortie);
    QTemporaryFile temporaire(infoSortie.absoluteDir().filePath(
        QStringLiteral(".%1.XXXXXX").arg(infoSortie.fileName())));
    if (!temporaire.open())
        return Echec(MessageEcriture(options.sortie));
    temporaire.close();

    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(temporaire.fileName());
    AjustePagePdf(imprimante, parametres);
    if (options.plageDonnee) {
        imprimante.setPrintRange(QPrinter::PageRange);
        imprimante.setFromTo(options.premiere, options.derniere);
    } else {
        imprimante.setPrintRange(QPrinter::AllPages);
    }

    try {
        ImpressionEtiquettes(parametres, table, indexChamps).Imprime(imprimante);
    } catch (const std::bad_alloc&) {
        return Echec(QStringLiteral("Mémoire insuffisante pour imprimer les étiquettes"));
    } catch (const std::exception& erreur) {
        return Echec(QString::fromUtf8(erreur.what()));
    }

    if (std::rename(QFile::encodeName(temporaire.fileName()).constData(),
                    QFile::encodeName(options.sortie).constData())
        != 0)
        return Echec(MessageEcriture(options.sortie));
    temporaire.setAutoRemove(false);
    DonnerDroitsOrdinaires(options.sortie);

    ResultatExport resultat;
    resultat.code = ResultatExport::kSucces;
    const PlagePages plage = PagesAImprimer(options.plageDonnee, options.premiere,
                                            options.derniere, nbPages);
    resultat.pages = plage.derniere - plage.premiere + 1;
    return resultat;
}
