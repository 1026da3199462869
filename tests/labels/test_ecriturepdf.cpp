// Where a finished PDF goes: what each kind of output path becomes.

#include "EcriturePdf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

const QByteArray kDocument("%PDF-1.4 contenu\n%%EOF\n");

QByteArray Lire(const QString& chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("<illisible>");
}

struct stat Etat(const QString& chemin, bool suivre = true)
{
    struct stat etat {};
    const QByteArray nom = QFile::encodeName(chemin);
    if (suivre)
        ::stat(nom.constData(), &etat);
    else
        ::lstat(nom.constData(), &etat);
    return etat;
}

TEST(EcritSortie, SelonCeQueDesigneLeChemin)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const int source = ::memfd_create("document", MFD_CLOEXEC);
    ASSERT_EQ(::write(source, kDocument.constData(), static_cast<std::size_t>(kDocument.size())),
              static_cast<ssize_t>(kDocument.size()));
    const bool root = ::geteuid() == 0;
    const QString d = dossier.path();
    const auto f = [&d](const char* nom) { return d + QLatin1Char('/') + QLatin1String(nom); };
    const auto ecrire = [](const QString& chemin, mode_t mode) {
        QFile fichier(chemin);
        fichier.open(QIODevice::WriteOnly);
        fichier.write("ancien");
        fichier.close();
        ::chmod(QFile::encodeName(chemin).constData(), mode);
    };
    const mode_t masque = ::umask(0);
    ::umask(masque);

    struct Cas {
        const char* nom;
        bool rootSeulement;
        std::function<QString()> prepare;  // returns the output path
        QString erreur;                    // expected reason, empty for success
        std::function<void(const QString&)> verifie;
    };
    const Cas cas[] = {
        {"fichier neuf : droits ordinaires", false, [&] { return f("neuf.pdf"); }, {},
         [&](const QString& s) {
             EXPECT_EQ(Lire(s), kDocument);
             EXPECT_EQ(Etat(s).st_mode & 0777, 0666 & ~masque);
         }},
        {"fichier remplacé : ses droits gardés", false,
         [&] { ecrire(f("ancien.pdf"), 0640); return f("ancien.pdf"); }, {},
         [&](const QString& s) {
             EXPECT_EQ(Lire(s), kDocument);
             EXPECT_EQ(Etat(s).st_mode & 0777, 0640u);
         }},
        {"lien vers un fichier : la cible réécrite, le lien gardé", false,
         [&] {
             ecrire(f("cible.pdf"), 0644);
             QFile::link(QStringLiteral("cible.pdf"), f("lien.pdf"));
             return f("lien.pdf");
         },
         {},
         [&](const QString& s) {
             EXPECT_TRUE(S_ISLNK(Etat(s, false).st_mode));
             EXPECT_EQ(Lire(f("cible.pdf")), kDocument);
         }},
        {"lien vers un fichier à créer", false,
         [&] {
             QFile::link(f("a_creer.pdf"), f("lien_neuf.pdf"));
             return f("lien_neuf.pdf");
         },
         {},
         [&](const QString& s) {
             EXPECT_TRUE(S_ISLNK(Etat(s, false).st_mode));
             EXPECT_EQ(Lire(f("a_creer.pdf")), kDocument);
         }},
        {"lien vers /dev/null : écrit directement", false,
         [&] {
             QFile::link(QStringLiteral("/dev/null"), f("nul"));
             return f("nul");
         },
         {}, [](const QString&) { EXPECT_TRUE(S_ISCHR(Etat(QStringLiteral("/dev/null")).st_mode)); }},
        {"périphérique plein", false, [] { return QStringLiteral("/dev/full"); },
         QStringLiteral("disque plein"), [](const QString&) {}},
        {"copie de /dev/null : reste un périphérique", true,
         [&] {
             ::mknod(QFile::encodeName(f("nul_copie")).constData(), S_IFCHR | 0666,
                     Etat(QStringLiteral("/dev/null")).st_rdev);
             return f("nul_copie");
         },
         {}, [](const QString& s) { EXPECT_TRUE(S_ISCHR(Etat(s).st_mode)); }},
        {"fichier en lecture seule d'un autre : propriétaire et droits gardés", true,
         [&] {
             ecrire(f("autre.pdf"), 0444);
             ::chown(QFile::encodeName(f("autre.pdf")).constData(), 65534, 65534);
             return f("autre.pdf");
         },
         {},
         [&](const QString& s) {
             EXPECT_EQ(Lire(s), kDocument);
             EXPECT_EQ(Etat(s).st_uid, 65534u);
             EXPECT_EQ(Etat(s).st_gid, 65534u);
             EXPECT_EQ(Etat(s).st_mode & 0777, 0444u);
         }},
        {"dossier", false, [&] { return d; }, QStringLiteral("c'est un dossier"),
         [](const QString&) {}},
        {"dossier absent", false, [&] { return f("absent/x.pdf"); },
         QStringLiteral("le dossier n'existe pas"), [](const QString&) {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        if (c.rootSeulement && !root)
            continue;  // mknod and chown need root
        const QString sortie = c.prepare();
        EXPECT_EQ(EcritSortie(source, kDocument.size(), sortie), c.erreur);
        c.verifie(sortie);
        // No temporary file is left beside the output.
        EXPECT_EQ(QDir(d).entryList(QStringList{QStringLiteral(".*.pdf.*")}, QDir::Hidden | QDir::Files),
                  QStringList());
    }

    // A FIFO is written directly and stays a FIFO: its reader gets the document.
    const QByteArray fifo = QFile::encodeName(f("tube"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    std::future<QByteArray> lu = std::async(std::launch::async, [&] { return Lire(f("tube")); });
    EXPECT_EQ(EcritSortie(source, kDocument.size(), f("tube")), QString());
    EXPECT_EQ(lu.get(), kDocument);
    EXPECT_TRUE(S_ISFIFO(Etat(f("tube")).st_mode));
    ::close(source);
}

}  // namespace
