// bench-pdf [N...]: cost of brivane-pdf on generated extractions.
//
// For each number of voters (1,000 and 10,000 by default, after a one-page
// run that shows the fixed cost of starting the program), writes a generated
// extraction and an empty settings file (the default format: 24 labels a
// page) to a temporary folder, runs the brivane-pdf built next to this
// program three times and reports the best wall time, pages per second, the
// cost of one page, the peak memory of the child and the PDF's size. The
// marginal cost per page between the two largest runs tells whether the cost
// grows linearly.

#include "GenerateurExtraction.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kEtiquettesParPage = 24;
constexpr int kEssais = 3;

struct Mesure {
    int electeurs = 0;
    int pages = 0;
    double secondes = 0;
    long picKo = 0;
    qint64 tailleOctets = 0;
};

// Largest resident set of any child waited for so far, in kilobytes. Runs go
// from the smallest to the largest, so the figure after a run is its own.
long PicEnfantsKo()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}

bool Ecrire(const QString& chemin, const std::string& octets)
{
    return EcritFichier(QFile::encodeName(chemin).toStdString(), octets);
}

bool MesureTexte(const QString& programme, const QDir& dossier, int electeurs, Mesure& mesure)
{
    const QString extraction = dossier.filePath(QStringLiteral("liste-%1.csv").arg(electeurs));
    const QString sortie = dossier.filePath(QStringLiteral("etiquettes-%1.pdf").arg(electeurs));
    const QString reglages = dossier.filePath(QStringLiteral("defaut.ini"));
    if (!Ecrire(extraction, GenereExtraction(electeurs, 1)) || !Ecrire(reglages, std::string())) {
        std::fprintf(stderr, "Impossible d'écrire dans %s\n", qPrintable(dossier.path()));
        return false;
    }

    mesure.electeurs = electeurs;
    mesure.pages = (electeurs + kEtiquettesParPage - 1) / kEtiquettesParPage;
    mesure.secondes = 1e9;
    for (int essai = 0; essai < kEssais; ++essai) {
        QProcess processus;
        processus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer chrono;
        chrono.start();
        processus.start(programme, {QStringLiteral("--settings"), reglages, extraction, sortie});
        if (!processus.waitForFinished(-1) || processus.exitStatus() != QProcess::NormalExit
            || processus.exitCode() != 0) {
            std::fprintf(stderr, "brivane-pdf a échoué sur %d électeurs\n", electeurs);
            return false;
        }
        mesure.secondes = std::min(mesure.secondes, chrono.nsecsElapsed() / 1e9);
    }
    mesure.picKo = PicEnfantsKo();
    mesure.tailleOctets = QFileInfo(sortie).size();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString programme =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("brivane-pdf"));
    if (!QFileInfo(programme).isExecutable()) {
        std::fprintf(stderr, "brivane-pdf introuvable à côté de bench-pdf : %s\n",
                     qPrintable(programme));
        return 1;
    }

    std::vector<int> tailles{kEtiquettesParPage, 1000, 10000};
    if (argc > 1) {
        tailles = {kEtiquettesParPage};
        for (int i = 1; i < argc; ++i) {
            bool ok = false;
            const int n = QString::fromLocal8Bit(argv[i]).toInt(&ok);
            if (!ok || n < 1) {
                std::fprintf(stderr, "Usage : bench-pdf [N...]  (N : nombre d'électeurs, >= 1)\n");
                return 2;
            }
            tailles.push_back(n);
        }
        std::sort(tailles.begin(), tailles.end());
    }

    QTemporaryDir dossier;
    if (!dossier.isValid()) {
        std::fprintf(stderr, "Impossible de créer un dossier temporaire\n");
        return 1;
    }

    // Written out: printf pads bytes, and "é" is two of them.
    std::printf(" électeurs   pages   secondes    pages/s    ms/page   pic (Mo)     PDF (Ko)\n");
    std::vector<Mesure> mesures;
    for (const int electeurs : tailles) {
        Mesure mesure;
        if (!MesureTexte(programme, QDir(dossier.path()), electeurs, mesure))
            return 1;
        mesures.push_back(mesure);
        std::printf("%10d %7d %10.3f %10.1f %10.2f %10.1f %12.1f\n", mesure.electeurs, mesure.pages,
                    mesure.secondes, mesure.pages / mesure.secondes,
                    1000.0 * mesure.secondes / mesure.pages, mesure.picKo / 1024.0,
                    mesure.tailleOctets / 1024.0);
        std::fflush(stdout);
    }

    // The one-page run is mostly the program's start; the pages' own cost is
    // what the larger runs add to it.
    const Mesure& depart = mesures.front();
    std::printf("\nCoût fixe (démarrage, 1 page) : %.3f s\n", depart.secondes);
    std::vector<double> marginaux;
    for (std::size_t i = 1; i < mesures.size(); ++i) {
        const Mesure& m = mesures[i];
        const double parPage = 1000.0 * (m.secondes - depart.secondes) / (m.pages - depart.pages);
        marginaux.push_back(parPage);
        std::printf("Coût d'une page de %d étiquettes (%d électeurs) : %.2f ms\n",
                    kEtiquettesParPage, m.electeurs, parPage);
    }
    if (marginaux.size() >= 2) {
        const double premier = marginaux.front();
        const double dernier = marginaux.back();
        const double rapport = dernier / premier;
        std::printf("Rapport des coûts par page (plus grand / plus petit) : %.2f -> %s\n", rapport,
                    rapport < 1.3 ? "croissance linéaire" : "croissance plus que linéaire");
    }
    return 0;
}
