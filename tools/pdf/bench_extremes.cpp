// bench-extremes [--limite SECONDES] [SCENARIO...]: brivane-pdf on hostile
// extractions and formats, one child process per scenario, with its wall time
// and its own peak memory. Without a scenario, runs them all but the 50 MB
// cell (name it to run it):
//
//   normal-20000       20,000 voters, the default format (the reference)
//   colonnes-100000    the same voters behind a header with 100,000 extra
//                      empty columns
//   cellule-10Mo       one voter whose address is one 10 MB word
//   cellule-50Mo       the same with 50 MB
//   mot-etroit-2000    a sheet of 24 voters whose child's name (the first line
//                      of a label) is a 2,000-letter word, in a text area
//                      narrower than one character
//
// A child still running after the limit (600 s by default) is killed and
// reported as such.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <functional>
#include <malloc.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

const char* const kEntete =
    "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;adresse responsable;"
    "cp responsable;commune responsable;nom enfant 1;classe enfant 1";

std::string Electeur(int k, const std::string& adresse, const std::string& enfant = {})
{
    const std::string n = std::to_string(k);
    return "Mme;NOM" + n + ";Julie;" + adresse + ";69001;LYON;"
        + (enfant.empty() ? "Enfant" + n : enfant) + ";CE1\r\n";
}

struct Scenario {
    const char* nom;
    bool parDefaut;
    std::function<std::string()> extraction;
    const char* reglages;  // INI text
};

std::vector<Scenario> Scenarios()
{
    const auto electeurs = [](int nombre, const std::string& suiteEntete) {
        std::string octets = std::string(kEntete) + suiteEntete + "\r\n";
        octets.reserve(octets.size() + static_cast<std::size_t>(nombre) * 64);
        for (int k = 1; k <= nombre; ++k)
            octets += Electeur(k, std::to_string(k) + " rue Haute");
        return octets;
    };
    const auto motGeant = [](std::size_t taille, int nombre, bool enfant) {
        std::string mot(taille, 'A');
        for (std::size_t i = 0; i < taille; ++i)
            mot[i] = static_cast<char>('A' + i % 26);
        std::string octets = std::string(kEntete) + "\r\n";
        for (int k = 1; k <= nombre; ++k)
            octets += enfant ? Electeur(k, "3 rue Haute", mot) : Electeur(k, mot);
        return octets;
    };
    return {
        {"normal-20000", true, [=] { return electeurs(20000, ""); }, ""},
        {"colonnes-100000", true, [=] { return electeurs(20000, std::string(100000, ';')); }, ""},
        {"cellule-10Mo", true, [=] { return motGeant(10u << 20, 1, false); }, ""},
        {"cellule-50Mo", false, [=] { return motGeant(50u << 20, 1, false); }, ""},
        // 700 − 345 − 345: a text area 1 mm wide.
        {"mot-etroit-2000", true, [=] { return motGeant(2000, 24, true); },
         "[Brivane]\nMargeInterneGauche=345\nMargeInterneDroite=345\n"},
    };
}

bool Ecrire(const QString& chemin, const std::string& octets)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && fichier.write(octets.data(), static_cast<qint64>(octets.size()))
               == static_cast<qint64>(octets.size());
}

struct Mesure {
    double secondes = 0;
    long picKo = 0;
    int code = -1;
    bool tue = false;
};

// Runs the program, killing it after `limite` seconds; the peak memory is the
// child's own (wait4), not the largest of all children so far. A spawned
// child starts in this process's memory until it runs the program, and that
// memory counts in its peak: the memory of the generated inputs is given
// back to the system first.
bool Lance(const std::vector<std::string>& arguments, double limite, Mesure& mesure)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    malloc_trim(0);
    QElapsedTimer chrono;
    chrono.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int statut = 0;
    rusage usage{};
    for (;;) {
        const pid_t fini = wait4(pid, &statut, WNOHANG, &usage);
        if (fini == pid)
            break;
        if (fini < 0 && errno != EINTR)
            return false;
        if (!mesure.tue && chrono.nsecsElapsed() / 1e9 > limite) {
            kill(pid, SIGKILL);
            mesure.tue = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    mesure.secondes = chrono.nsecsElapsed() / 1e9;
    mesure.picKo = usage.ru_maxrss;
    mesure.code = WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString programme =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("brivane-pdf"));
    if (!QFileInfo(programme).isExecutable()) {
        std::fprintf(stderr, "brivane-pdf introuvable à côté de bench-extremes : %s\n",
                     qPrintable(programme));
        return 1;
    }

    double limite = 600;
    std::vector<std::string> choisis;
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--limite") && i + 1 < arguments.size()) {
            limite = arguments.at(++i).toDouble();
            continue;
        }
        choisis.push_back(arguments.at(i).toStdString());
    }

    QTemporaryDir dossier;
    if (!dossier.isValid()) {
        std::fprintf(stderr, "Impossible de créer un dossier temporaire\n");
        return 1;
    }

    std::printf("%-18s %10s %10s %6s\n", "scénario", "secondes", "pic (Mo)", "code");
    int resultat = 0;
    for (const Scenario& s : Scenarios()) {
        const bool demande = std::find(choisis.begin(), choisis.end(), s.nom) != choisis.end();
        if (!(choisis.empty() ? s.parDefaut : demande))
            continue;
        const QString extraction = dossier.filePath(QStringLiteral("%1.csv").arg(s.nom));
        const QString reglages = dossier.filePath(QStringLiteral("%1.ini").arg(s.nom));
        const QString sortie = dossier.filePath(QStringLiteral("%1.pdf").arg(s.nom));
        if (!Ecrire(extraction, s.extraction()) || !Ecrire(reglages, s.reglages)) {
            std::fprintf(stderr, "Impossible d'écrire dans %s\n", qPrintable(dossier.path()));
            return 1;
        }
        Mesure m;
        if (!Lance({programme.toStdString(), "--settings", reglages.toStdString(),
                    extraction.toStdString(), sortie.toStdString()},
                   limite, m)) {
            std::fprintf(stderr, "brivane-pdf n'a pas pu être lancé\n");
            return 1;
        }
        std::printf("%-18s %10.2f %10.1f %6d%s\n", s.nom, m.secondes, m.picKo / 1024.0, m.code,
                    m.tue ? "  (arrêté après la limite)" : "");
        std::fflush(stdout);
        if (m.code != 0)
            resultat = 1;
        QFile::remove(extraction);
        QFile::remove(sortie);
    }
    return resultat;
}
