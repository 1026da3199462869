// bench-csv [N]: speed and memory of loading an electoral-list extraction.
//
// Writes a generated extraction of N voters (50,000 by default) to a temporary
// folder, then times, on the same warm file, a plain sequential read (the
// floor no loader can beat), TCSV::Charge followed by ChercheChamps, and the
// path of the window and brivane-pdf: ChargeExtraction (encoding and separator
// detection), ChercheChamps and VerifieRangees. The
// memory of the table is counted by this program's own operator new/delete,
// which every allocation of the table goes through.

#include "ChampsElecteurs.h"
#include "GenerateurExtraction.h"
#include "LectureExtraction.h"
#include "RapportExtraction.h"
#include "Ucsv.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <new>
#include <unistd.h>
#include <vector>

namespace {

std::atomic<std::size_t> g_octetsVivants{0};
std::atomic<std::size_t> g_pic{0};

void Compte(void* p)
{
    const std::size_t vivants = g_octetsVivants += malloc_usable_size(p);
    std::size_t pic = g_pic.load(std::memory_order_relaxed);
    while (vivants > pic && !g_pic.compare_exchange_weak(pic, vivants)) {
    }
}

void* Alloue(std::size_t taille)
{
    void* p = std::malloc(taille ? taille : 1);
    if (!p)
        throw std::bad_alloc();
    Compte(p);
    return p;
}

void Libere(void* p) noexcept
{
    if (p) {
        g_octetsVivants -= malloc_usable_size(p);
        std::free(p);
    }
}

}  // namespace

// Counting replacements of the global allocation functions; the array, sized
// and nothrow forms of the standard library forward to these.
void* operator new(std::size_t taille)
{
    return Alloue(taille);
}
void operator delete(void* p) noexcept
{
    Libere(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    Libere(p);
}

namespace {

using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut, Horloge::time_point fin)
{
    return std::chrono::duration<double>(fin - debut).count();
}

// The floor: read the file through a buffer of the loader's size, touching
// every byte so that nothing is optimised away.
bool LectureSimple(const QByteArray& chemin, unsigned& somme)
{
    const int fd = ::open(chemin.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::vector<unsigned char> tampon(TCSV::TailleTampon);
    ssize_t lus = 0;
    while ((lus = ::read(fd, tampon.data(), tampon.size())) > 0) {
        for (ssize_t i = 0; i < lus; ++i)
            somme += tampon[static_cast<std::size_t>(i)];
    }
    ::close(fd);
    return lus == 0;
}

double Mediane(std::vector<double> valeurs)
{
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs[valeurs.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    int nbElecteurs = 50000;
    if (argc > 1) {
        nbElecteurs = std::atoi(argv[1]);
        if (nbElecteurs < 1) {
            std::fprintf(stderr, "Usage : bench-csv [N]   (N électeurs, 50000 par défaut)\n");
            return 2;
        }
    }
    constexpr int Repetitions = 7;

    QTemporaryDir dossier;
    if (!dossier.isValid()) {
        std::fprintf(stderr, "Dossier temporaire impossible à créer\n");
        return 1;
    }
    const QString chemin = dossier.filePath(QStringLiteral("CSVListeElectorale.csv"));
    std::size_t tailleFichier = 0;
    {
        const std::string extraction = GenereExtraction(nbElecteurs, 20240901u);
        tailleFichier = extraction.size();
        if (!EcritFichier(QFile::encodeName(chemin).toStdString(), extraction)) {
            std::fprintf(stderr, "Écriture impossible : %s\n", qPrintable(chemin));
            return 1;
        }
    }
    const double mo = static_cast<double>(tailleFichier) / 1e6;
    std::printf("bench-csv : %d électeurs, fichier de %.2f Mo (%zu octets)\n",
                nbElecteurs, mo, tailleFichier);

    // Memory: one load into a fresh table, peak of the live heap during it.
    std::size_t picTable = 0;
    std::size_t apresTable = 0;
    std::size_t occupeeTable = 0;
    {
        TCSV table;
        const std::size_t avant = g_octetsVivants.load();
        g_pic.store(avant);
        if (!table.Charge(chemin)) {
            std::fprintf(stderr, "Charge a échoué\n");
            return 1;
        }
        picTable = g_pic.load() - avant;
        apresTable = g_octetsVivants.load() - avant;
        occupeeTable = table.MemoireOccupee();
        std::array<int32_t, 20> index{};
        if (table.NbRangees() != static_cast<uint32_t>(nbElecteurs) + 1
            || table.NbColonnes() != static_cast<uint32_t>(NbColonnesExtraction)
            || ChercheChamps(table[0], index) != -1) {
            std::fprintf(stderr, "Résultat inattendu : %u rangées, %u colonnes\n",
                         table.NbRangees(), table.NbColonnes());
            return 1;
        }
    }

    const QByteArray nomLocal = QFile::encodeName(chemin);
    unsigned somme = 0;
    std::vector<double> tempsLecture;
    std::vector<double> tempsCharge;
    std::vector<double> tempsVerifie;
    TCSV table;
    for (int i = 0; i < Repetitions; ++i) {
        const auto t0 = Horloge::now();
        if (!LectureSimple(nomLocal, somme)) {
            std::fprintf(stderr, "Lecture impossible\n");
            return 1;
        }
        const auto t1 = Horloge::now();
        std::array<int32_t, 20> index{};
        const bool charge = table.Charge(chemin);
        const int manquant = ChercheChamps(table[0], index);
        const auto t2 = Horloge::now();
        if (!charge || manquant != -1) {
            std::fprintf(stderr, "Charge ou ChercheChamps a échoué\n");
            return 1;
        }
        const LectureExtraction lu = ChargeExtraction(table, chemin);
        const bool trouve = ChercheChamps(table[0], index) == -1;
        const RapportExtraction rapport = VerifieRangees(table);
        const auto t3 = Horloge::now();
        if (!lu.chargee || !trouve || !rapport.Vide()) {
            std::fprintf(stderr, "ChargeExtraction ou VerifieRangees a échoué\n");
            return 1;
        }
        tempsLecture.push_back(Secondes(t0, t1));
        tempsCharge.push_back(Secondes(t1, t2));
        tempsVerifie.push_back(Secondes(t2, t3));
    }

    const double lecture = *std::min_element(tempsLecture.begin(), tempsLecture.end());
    const double charge = *std::min_element(tempsCharge.begin(), tempsCharge.end());
    std::printf("Lecture simple (read, tampon de %d octets) : meilleur %.2f ms, médiane %.2f ms,"
                " %.0f Mo/s  [somme %u]\n",
                TCSV::TailleTampon, lecture * 1e3, Mediane(tempsLecture) * 1e3, mo / lecture,
                somme);
    std::printf("Charge + ChercheChamps                   : meilleur %.2f ms, médiane %.2f ms,"
                " %.0f Mo/s\n",
                charge * 1e3, Mediane(tempsCharge) * 1e3, mo / charge);
    const double verifie = *std::min_element(tempsVerifie.begin(), tempsVerifie.end());
    std::printf("ChargeExtraction + ChercheChamps + VerifieRangees : meilleur %.2f ms, médiane"
                " %.2f ms, %.0f Mo/s\n",
                verifie * 1e3, Mediane(tempsVerifie) * 1e3, mo / verifie);
    std::printf("Rapport Charge / lecture simple : %.1f fois plus long (meilleurs temps, %d essais"
                " chacun, Mo = 10^6 octets)\n",
                charge / lecture, Repetitions);
    const double taille = static_cast<double>(tailleFichier);
    std::printf("Mémoire de la table : pic pendant Charge %.2f Mo = %.2f x le fichier ;"
                " après Charge %.2f Mo = %.2f x ; MemoireOccupee() %.2f x\n",
                static_cast<double>(picTable) / 1e6, static_cast<double>(picTable) / taille,
                static_cast<double>(apresTable) / 1e6, static_cast<double>(apresTable) / taille,
                static_cast<double>(occupeeTable) / taille);
    std::printf("  (mesure : octets vivants du tas alloués par operator new, que ce programme"
                " remplace pour les compter ; pic = maximum atteint pendant un premier Charge"
                " dans une table neuve, moins ce qui était alloué avant ; le tampon de lecture de"
                " 16 Kio, alloué par le constructeur, n'y figure pas)\n");
    return 0;
}
