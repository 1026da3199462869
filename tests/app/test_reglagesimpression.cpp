// The print settings in section [Impression]: read with their defaults and
// range, written beside [Brivane] without changing one byte of it.

#include "FichiersTest.h"
#include "UreglagesImpression.h"
#include "Ureglages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Hand-edited: CR LF, odd spacing and case, a comment, an unknown key, and
// calibration keys in the wrong section.
const QByteArray Brivane =
    "[Brivane]\r\n"
    "PathFich=/home/\xC3\xA9l\xC3\xA8ve/liste.csv\r\n"
    "LargeurPage = 0x834\r\n"
    "; réglé à la main\r\n"
    "nbcols=abc\r\n"
    "NbLignes=9\r\n"
    "DecalageX=40\r\n"
    "TriClasse=1\r\n"
    "Inconnue=garde\r\n";
const QByteArray Autre = "\r\n[Autre]\r\ncle=valeur\r\n";

QString Texte(const ReglagesImpression& r)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(r.TriClasse)
        .arg(r.DecalageX)
        .arg(r.DecalageY)
        .arg(r.AjusterTexte);
}

class ReglagesDImpression : public ::testing::Test {
protected:
    void Prepare(const QByteArray& contenu)
    {
        QFile::remove(m_chemin);
        if (!contenu.isEmpty())
            EcritOctets(m_chemin, contenu);
    }

    QTemporaryDir m_dossier;
    const QString m_chemin = m_dossier.filePath(QStringLiteral("Brivane.ini"));
};

TEST_F(ReglagesDImpression, LectureAvecDefautsEtBornes)
{
    // A shift out of range is dropped with a warning naming its key.
    const QString horsBornes = QStringLiteral(
        "Attention : %1 vaut %2 dans la section [Impression] des réglages ; le réglage de "
        "l'imprimante va de -100 à 100 dixièmes de millimètre : il est remplacé par 0.");
    const struct {
        QByteArray contenu;  // empty: no file
        const char* attendu;
        QStringList avertissements;
    } cas[] = {
        {"", "0 0 0 0", {}},
        {"[Impression]\nTriClasse=1\nDecalageX=-15\nDecalageY=7\n", "1 -15 7 0", {}},
        {"[impression]\ntriclasse=2\ndecalagex=0x10\ndecalagey= -3\n", "1 16 -3 0", {}},
        {"[Impression]\nDecalageX=-100\nDecalageY=100\n", "0 -100 100 0", {}},
        {"[Impression]\nDecalageX=101\nDecalageY=-2147483648\n", "0 0 0 0",
         {horsBornes.arg(QStringLiteral("DecalageX"), QStringLiteral("101")),
          horsBornes.arg(QStringLiteral("DecalageY"), QStringLiteral("-2147483648"))}},
        {"[Impression]\nDecalageY=-101\n", "0 0 0 0",
         {horsBornes.arg(QStringLiteral("DecalageY"), QStringLiteral("-101"))}},
        {"[Impression]\nTriClasse=oui\nDecalageX=1,5\nDecalageY=9999999999\n", "0 0 0 0", {}},
        {Brivane + Autre, "0 0 0 0", {}},
        {Brivane + "[Impression]\r\nDecalageY=-8\r\n", "0 0 -8 0", {}},
        {"[Impression]\nAjusterTexte=1\n", "0 0 0 1", {}},
    };
    for (const auto& c : cas) {
        Prepare(c.contenu);
        QStringList avertissements;
        EXPECT_EQ(Texte(LitReglagesImpression(m_chemin, &avertissements)),
                  QString::fromUtf8(c.attendu))
            << c.contenu.constData();
        EXPECT_EQ(avertissements, c.avertissements) << c.contenu.constData();
    }
}

TEST_F(ReglagesDImpression, EcritureSansToucherAuxAutresSections)
{
    const struct {
        QByteArray avant;  // empty: no file
        ReglagesImpression reglages;
        QByteArray apres;
    } cas[] = {
        {"", {true, -15, 7},
         "[Impression]\nTriClasse=1\nDecalageX=-15\nDecalageY=7\nAjusterTexte=0\n"},
        {Brivane + Autre, {false, 100, -100},
         Brivane + Autre + "\r\n[Impression]\r\nTriClasse=0\r\nDecalageX=100\r\n"
                           "DecalageY=-100\r\nAjusterTexte=0\r\n"},
        {"[Impression]\r\nDecalageY=3\r\ntriclasse=0\r\n\r\n" + Brivane, {true, 0, -1},
         "[Impression]\r\nDecalageY=-1\r\ntriclasse=1\r\nDecalageX=0\r\nAjusterTexte=0\r\n\r\n"
             + Brivane},
        {"", {false, 101, -250, true},
         "[Impression]\nTriClasse=0\nDecalageX=0\nDecalageY=0\nAjusterTexte=1\n"},
    };
    for (const auto& c : cas) {
        Prepare(c.avant);
        QString erreur;
        EXPECT_TRUE(EcritReglagesImpression(c.reglages, m_chemin, erreur));
        EXPECT_EQ(LitOctets(m_chemin), c.apres);
    }

    // Writing the sheet format at close keeps [Impression] whole.
    Parametres p;
    LitParametres(p, m_chemin);
    QString erreur;
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur));
    EXPECT_EQ(Texte(LitReglagesImpression(m_chemin)), QStringLiteral("0 0 0 1"));
    ASSERT_TRUE(EcritReglagesImpression({true, 12, -34}, m_chemin, erreur));
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur));
    EXPECT_EQ(Texte(LitReglagesImpression(m_chemin)), QStringLiteral("1 12 -34 0"));

    // A failed write is reported; a settings file that cannot be read is
    // not replaced.
    const QString sansDossier = m_dossier.filePath(QStringLiteral("absent/Brivane.ini"));
    EXPECT_FALSE(EcritReglagesImpression({}, sansDossier, erreur));
    EXPECT_EQ(erreur, QStringLiteral("Impossible d'écrire dans ") + sansDossier);
    const QString illisible = m_dossier.filePath(QStringLiteral("dossier.ini"));
    ASSERT_TRUE(QDir().mkpath(illisible));
    EXPECT_FALSE(EcritReglagesImpression({}, illisible, erreur));
}

}  // namespace
