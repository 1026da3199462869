// brivane-pdf: prints the labels of an electoral-list extraction into a PDF
// file, with the settings and the print job of the window, or the format's
// test page with --test-page. See --help.

#include "EcriturePdf.h"
#include "ExportPdf.h"
#include "LigneCommandePdf.h"
#include "Plateforme.h"
#include "Upolice.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>
#include <exception>

namespace {

void Ecrire(std::FILE* flux, const QString& texte)
{
    std::fputs(texte.toUtf8().constData(), flux);
    std::fputc('\n', flux);
}

QString AideEnUneLigne()
{
    return QStringLiteral("Essayez « brivane-pdf --help ».");
}

}  // namespace

int main(int argc, char** argv)
{
    // A PDF needs no screen: without a chosen platform, draw without one so
    // the program runs the same with or without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", PlateformeSansEcran());
    QGuiApplication application(argc, argv);
    InstalleSubstitutionsPolices();
    PrepareConsole();

    // Qt has taken its own options out of argv by now.
    const QStringList arguments = ArgumentsProgramme(argc, argv);
    const LigneCommandePdf ligne = AnalyseLigneCommande(arguments);
    switch (ligne.issue) {
    case LigneCommandePdf::Issue::Aide:
        Ecrire(stdout, TexteAide());
        return ResultatExport::kSucces;
    case LigneCommandePdf::Issue::Erreur:
        Ecrire(stderr, ligne.erreur);
        Ecrire(stderr, AideEnUneLigne());
        return ResultatExport::kUsage;
    case LigneCommandePdf::Issue::Exporter:
        break;
    }

    // Interrupted, the program leaves no temporary file behind.
    SupprimeTemporaireSurSignal();
    try {
        const ResultatExport resultat = ExportePdf(ligne.options);
        for (const QString& avertissement : resultat.avertissements)
            Ecrire(stderr, avertissement);
        if (resultat.code != ResultatExport::kSucces)
            Ecrire(stderr, resultat.message);
        // Values the command line gave that the settings refuse are usage errors too.
        if (resultat.code == ResultatExport::kUsage)
            Ecrire(stderr, AideEnUneLigne());
        return resultat.code;
    } catch (const std::bad_alloc&) {
        Ecrire(stderr, QStringLiteral("Mémoire insuffisante"));
    } catch (const std::exception& erreur) {
        Ecrire(stderr, QString::fromLocal8Bit(erreur.what()));
    }
    return ResultatExport::kEchec;
}
