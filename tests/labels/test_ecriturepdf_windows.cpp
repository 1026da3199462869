// Where a finished PDF goes on Windows: a file replaced as a whole, or a
// refusal that leaves everything as it was.

#include "DescripteurFichier.h"
#include "EcriturePdf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

const QByteArray kDocument("%PDF-1.4 contenu\n%%EOF\n");

QByteArray Contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
}

TEST(EcritSortie, SelonCeQueDesigneLeChemin)
{
    QTemporaryDir dossier;
    const QString d = dossier.path();
    const QString document = d + QStringLiteral("/document");
    QFile ecrit(document);
    ASSERT_TRUE(ecrit.open(QIODevice::WriteOnly) && ecrit.write(kDocument) == kDocument.size());
    ecrit.close();
    const int source = ::_wopen(QDir::toNativeSeparators(document).toStdWString().c_str(),
                                _O_RDONLY | _O_BINARY);
    ASSERT_GE(source, 0);

    QFile(d + QStringLiteral("/seule.pdf")).open(QIODevice::WriteOnly);
    ::SetFileAttributesW(QDir::toNativeSeparators(d + QStringLiteral("/seule.pdf")).toStdWString().c_str(),
                         FILE_ATTRIBUTE_READONLY);
    QFile ancien(d + QStringLiteral("/ancien.pdf"));
    ASSERT_TRUE(ancien.open(QIODevice::WriteOnly) && ancien.write("a") == 1);
    ancien.close();
    QDir(d).mkdir(QStringLiteral("rep"));
    const struct {
        const char* nom;
        QString sortie;
        QString erreur;       // expected reason, empty for success
        QByteArray contenu;   // what the output then holds
    } cas[] = {
        {"fichier neuf", QStringLiteral("neuf.pdf"), {}, kDocument},
        {"fichier remplacé", QStringLiteral("ancien.pdf"), {}, kDocument},
        {"nom accentué", QStringLiteral("Hélène.pdf"), {}, kDocument},
        {"lecture seule", QStringLiteral("seule.pdf"), RaisonErreurFichier(EACCES), QByteArray()},
        {"dossier", QStringLiteral("rep"), QStringLiteral("c'est un dossier"), QByteArray("(absent)")},
        {"dossier absent", QStringLiteral("absent/x.pdf"), QStringLiteral("le dossier n'existe pas"),
         QByteArray("(absent)")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const QString sortie = d + u'/' + c.sortie;
        EXPECT_EQ(EcritSortie(source, kDocument.size(), sortie), c.erreur);
        EXPECT_EQ(Contenu(sortie), c.contenu);
        // No temporary file left.
        EXPECT_EQ(QDir(d).entryList({QStringLiteral("*~ecriture-brivane-*")}, QDir::Files),
                  QStringList());
    }
    ::_close(source);
    ::SetFileAttributesW(QDir::toNativeSeparators(d + QStringLiteral("/seule.pdf")).toStdWString().c_str(),
                         FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
