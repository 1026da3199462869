// Where a finished PDF goes: what each kind of output path becomes.

#include "EcriturePdf.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kDocument("%PDF-1.4 contenu\n%%EOF\n");

QByteArray Shell(const QString& dossier, const QString& commande)
{
    QProcess shell;
    shell.setWorkingDirectory(dossier);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), commande});
    shell.waitForFinished(10000);
    return shell.readAllStandardOutput().trimmed();
}

TEST(EcritSortie, SelonCeQueDesigneLeChemin)
{
    QTemporaryDir dossier;
    const QString d = dossier.path();
    const int source = ::memfd_create("document", MFD_CLOEXEC);
    ASSERT_EQ(::write(source, kDocument.constData(), static_cast<std::size_t>(kDocument.size())),
              static_cast<ssize_t>(kDocument.size()));
    ::umask(022);
    const struct {
        const char* nom;
        bool root;  // mknod and chown need root
        const char* preparation;
        QString sortie;
        QString erreur;     // expected reason, empty for success
        const char* cible;  // what is looked at afterwards, through links
        const char* etat;   // its kind, mode and owner unless root or the test's user
        bool ecrit;         // the target holds the document
    } cas[] = {
        {"fichier neuf", false, "", "neuf.pdf", {}, "neuf.pdf", "regular file 644", true},
        {"fichier remplacé", false, "printf a > r.pdf; chmod 640 r.pdf", "r.pdf", {}, "r.pdf",
         "regular file 640", true},
        {"lien vers un fichier", false, "printf a > c.pdf; ln -s c.pdf l.pdf", "l.pdf", {},
         "c.pdf", "regular file 644", true},
        {"lien vers un fichier à créer", false, "ln -s n.pdf ln.pdf", "ln.pdf", {}, "n.pdf",
         "regular file 644", true},
        {"fichier en lecture seule d'un autre", true,
         "printf a > o.pdf; chmod 444 o.pdf; chown nobody o.pdf", "o.pdf", {}, "o.pdf",
         "regular file 444 nobody", true},
        {"copie de /dev/null", true, "mknod nul c 1 3", "nul", {}, "nul",
         "character special file 644", false},
        {"lien vers /dev/null", false, "ln -s /dev/null ln_nul", "ln_nul", {}, "ln_nul",
         "character special file 666", false},
        {"périphérique plein", false, "", "/dev/full", QStringLiteral("disque plein"), "", "", false},
        {"dossier", false, "mkdir rep", "rep", QStringLiteral("c'est un dossier"), "", "", false},
        {"dossier absent", false, "", "absent/x.pdf", QStringLiteral("le dossier n'existe pas"),
         "", "", false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        if (c.root && ::geteuid() != 0)
            continue;
        Shell(d, QString::fromUtf8(c.preparation));
        const QString sortie = c.sortie.startsWith(u'/') ? c.sortie : d + u'/' + c.sortie;
        EXPECT_EQ(EcritSortie(source, kDocument.size(), sortie), c.erreur);
        const QString cible = QString::fromUtf8(c.cible);
        if (!cible.isEmpty()) {
            EXPECT_EQ(Shell(d, QStringLiteral("stat -L -c '%F %a %U' %1 | sed -E \"s/ (root|$(id -un))$//\"")
                                   .arg(cible)),
                      c.etat);
            EXPECT_EQ(Shell(d, QStringLiteral("cat ") + cible) == kDocument.trimmed(), c.ecrit);
        }
        EXPECT_EQ(QDir(d).entryList({QStringLiteral(".*.*")}, QDir::Hidden | QDir::Files),
                  QStringList());  // no temporary file left
    }

    // A FIFO is written directly and stays one: its reader gets the document.
    Shell(d, QStringLiteral("mkfifo tube"));
    std::future<QByteArray> lu =
        std::async(std::launch::async, [&] { return Shell(d, QStringLiteral("cat tube")); });
    EXPECT_EQ(EcritSortie(source, kDocument.size(), d + QStringLiteral("/tube")), QString());
    EXPECT_EQ(lu.get(), kDocument.trimmed());
    EXPECT_EQ(Shell(d, QStringLiteral("stat -c %F tube")), "fifo");
    ::close(source);
}

}  // namespace
