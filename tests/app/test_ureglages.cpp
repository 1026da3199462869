#include "FichiersTest.h"
#include "SystemeTest.h"
#include "Ureglages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray FichierParDefaut =
    "[Brivane]\n"
    "PathFich=\n"
    "Fonte=Arial,10,0,0000,0,1\n"
    "LargeurPage=2100\n"
    "HauteurPage=2970\n"
    "Orientation=0\n"
    "LargeurEtiq=700\n"
    "HauteurEtiq=360\n"
    "NbCols=3\n"
    "NbLignes=8\n"
    "MargeHaute=40\n"
    "MargeDroite=0\n"
    "MargeGauche=0\n"
    "MargeBasse=50\n"
    "ImprimerAdresse=1\n"
    "ImprimerEnfant=1\n"
    "ImprimerClasse=1\n"
    "MargeInterneHaute=50\n"
    "MargeInterneDroite=50\n"
    "MargeInterneGauche=50\n"
    "MargeInterneBasse=50\n"
    "ImprimerSignature=0\n";

// Every field different from its default and from the others.
const QByteArray FichierComplet = OctetsIni(
    "[Brivane]\n"
    "PathFich=/home/\xC3\xA9l\xC3\xA8ve/Donn\xC3\xA9\x65s/liste \xC3\xA9t\xC3\xA9.csv\n"
    "Fonte=Times New Roman,12,-2147483633,1010,2,0\n"
    "LargeurPage=2101\n"
    "HauteurPage=2971\n"
    "Orientation=1\n"
    "LargeurEtiq=701\n"
    "HauteurEtiq=361\n"
    "NbCols=4\n"
    "NbLignes=9\n"
    "MargeHaute=41\n"
    "MargeDroite=1\n"
    "MargeGauche=2\n"
    "MargeBasse=51\n"
    "ImprimerAdresse=0\n"
    "ImprimerEnfant=0\n"
    "ImprimerClasse=0\n"
    "MargeInterneHaute=11\n"
    "MargeInterneDroite=12\n"
    "MargeInterneGauche=13\n"
    "MargeInterneBasse=14\n"
    "ImprimerSignature=1\n");

Parametres Defauts()
{
    Parametres p;
    InitParametres(p);
    return p;
}

// Writing any regular file fails like a full disk: an 8-byte file size limit.
// Unlike permission bits, the limit also binds root, which runs the tests.
class DisquePlein : public TailleLimitee {
public:
    DisquePlein() : TailleLimitee(8) {}
};

class FichierReglages : public ::testing::Test {
protected:
    Parametres Lu(const QByteArray& contenu)
    {
        EcritOctets(m_chemin, contenu);
        Parametres p;
        LitParametres(p, m_chemin);
        return p;
    }

    QTemporaryDir m_dossier;
    const QString m_chemin = m_dossier.filePath(QStringLiteral("Brivane.ini"));
};

TEST_F(FichierReglages, PremierLancementDonneLesDefautsEtEcritLesClesDansLOrdre)
{
    Parametres p;
    p.PathFich = QStringLiteral("reste");
    LitParametres(p, m_chemin);
    // The defaults leave the path as it was.
    EXPECT_EQ(p.PathFich, QStringLiteral("reste"));
    p.PathFich.clear();

    QString erreur;
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur)) << erreur.toStdString();
    EXPECT_TRUE(erreur.isEmpty());
    EXPECT_EQ(LitOctets(m_chemin), FichierParDefaut);
}

TEST_F(FichierReglages, ChaqueCleAtteintSonPropreChamp)
{
    const Parametres p = Lu(FichierComplet);
    EXPECT_EQ(p.PathFich, QStringLiteral("/home/\xE9l\xE8ve/Donn\xE9\x65s/liste \xE9t\xE9.csv"));
    EXPECT_EQ(p.Fonte.ToString(), "Times New Roman,12,-2147483633,1010,2,0");
    EXPECT_EQ(p.LargeurPage, 2101);
    EXPECT_EQ(p.HauteurPage, 2971);
    EXPECT_TRUE(p.Orientation);
    EXPECT_EQ(p.LargeurEtiq, 701);
    EXPECT_EQ(p.HauteurEtiq, 361);
    EXPECT_EQ(p.NbCols, 4);
    EXPECT_EQ(p.NbLignes, 9);
    EXPECT_EQ(p.MargeHaute, 41);
    EXPECT_EQ(p.MargeDroite, 1);
    EXPECT_EQ(p.MargeGauche, 2);
    EXPECT_EQ(p.MargeBasse, 51);
    EXPECT_FALSE(p.ImprimerAdresse);
    EXPECT_FALSE(p.ImprimerEnfant);
    EXPECT_FALSE(p.ImprimerClasse);
    EXPECT_TRUE(p.ImprimerSignature);
    EXPECT_EQ(p.MargesInternes, qlRect(13, 11, 12, 14));

    // Written back unchanged, accented path included.
    ASSERT_TRUE(QFile::remove(m_chemin));
    QString erreur;
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur));
    EXPECT_EQ(LitOctets(m_chemin), FichierComplet);
}

struct CasValeur {
    const char* texte;
    int32_t attendu;
};

TEST_F(FichierReglages, DesEntiersIllisiblesGardentLeDefaut)
{
    const CasValeur cas[] = {
        {"0x834", 2100}, {"$834", 2100}, {"X834", 2100}, {"  -12", -12}, {"+5", 5},
        {"abc", 3}, {"12abc", 3}, {"", 3}, {"1.5", 3}, {"99999999999", 3},
    };
    for (const CasValeur& c : cas) {
        const Parametres p = Lu(QByteArray("[Brivane]\nNbCols=") + c.texte + "\n");
        EXPECT_EQ(p.NbCols, c.attendu) << c.texte;
    }
    EXPECT_EQ(Lu("[Brivane]\nLargeurPage=0x834\n").LargeurPage, 2100);
}

TEST_F(FichierReglages, UneValeurIllisibleEstReecriteAvecLeDefaut)
{
    Parametres p = Lu("[Brivane]\nNbCols=abc\nOrientation=2\n");
    EXPECT_EQ(p.NbCols, 3);
    EXPECT_TRUE(p.Orientation);
    QString erreur;
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur));
    const QByteArray ecrit = LitOctets(m_chemin);
    EXPECT_TRUE(ecrit.startsWith("[Brivane]\nNbCols=3\nOrientation=1\nPathFich=\n")) << ecrit.constData();
}

TEST_F(FichierReglages, BooleensEtPolice)
{
    Parametres p = Lu("[Brivane]\nImprimerAdresse=0\nImprimerSignature=-7\nImprimerEnfant=non\n"
                      "Fonte=\n");
    EXPECT_FALSE(p.ImprimerAdresse);
    EXPECT_TRUE(p.ImprimerSignature);
    EXPECT_TRUE(p.ImprimerEnfant);
    EXPECT_EQ(p.Fonte, Defauts().Fonte);

    p = Lu("[Brivane]\nFonte=Courier New,14,255,0110,1,0\n");
    EXPECT_EQ(p.Fonte.LitNom(), "Courier New");
    EXPECT_EQ(p.Fonte.Taille, 14);
    EXPECT_EQ(p.Fonte.Couleur, 255u);
    EXPECT_EQ(p.Fonte.Gras, 0);
    EXPECT_EQ(p.Fonte.Italique, 1);
    EXPECT_EQ(p.Fonte.Souligne, 1);
    EXPECT_EQ(p.Fonte.Barre, 0);
    EXPECT_EQ(p.Fonte.Pitch, 1);
    EXPECT_EQ(p.Fonte.CharSet, 0);
}

TEST_F(FichierReglages, SectionEtClesSansEgardALaCasse)
{
    const Parametres p = Lu("[BRIVANE]\nnbcols=5\nMARGEINTERNEBASSE=7\n");
    EXPECT_EQ(p.NbCols, 5);
    EXPECT_EQ(p.MargeInterneBasse(), 7);
}

TEST_F(FichierReglages, LeResteDuFichierSurvitEtLesClesRestentEnPlace)
{
    Parametres p = Lu(
        "; r\xC3\xA9glages\n"
        "[Autre]\n"
        "NbCols=99\n"
        "\n"
        "[brivane]\n"
        "nbcols=5\n"
        "Inconnue=x\n"
        "\n"
        "[Fin]\n"
        "A=1\n");
    EXPECT_EQ(p.NbCols, 5);
    QString erreur;
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur));
    QByteArray cles = FichierParDefaut.mid(QByteArray("[Brivane]\n").size());
    cles.replace("NbCols=3\n", "");
    EXPECT_EQ(LitOctets(m_chemin),
              "; r\xC3\xA9glages\n"
              "[Autre]\n"
              "NbCols=99\n"
              "\n"
              "[brivane]\n"
              "nbcols=5\n"
              "Inconnue=x\n"
              + cles +
              "\n"
              "[Fin]\n"
              "A=1\n");
}

TEST_F(FichierReglages, UnLongCheminEstCoupeA2047Caracteres)
{
    const QByteArray chemin(3000, 'c');
    EXPECT_EQ(Lu("[Brivane]\nPathFich=" + chemin + "\n").PathFich, QString(2047, QLatin1Char('c')));
}

TEST_F(FichierReglages, UnCheminAvecUnSautDeLigneEstOublieEtLeResteGarde)
{
    Parametres p = Defauts();
    p.PathFich = QStringLiteral("/tmp/liste\nMargeHaute=999.csv");
    p.NbCols = 4;
    QString erreur;
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur)) << erreur.toStdString();
    Parametres relu;
    LitParametres(relu, m_chemin);
    EXPECT_EQ(relu.PathFich, QString());
    EXPECT_EQ(relu.NbCols, 4);
    EXPECT_EQ(relu.MargeHaute, 40);
}

TEST_F(FichierReglages, FichierDeReglagesEtCheminAccentues)
{
    QDir(m_dossier.path()).mkdir(QStringLiteral("R\xE9glages \xE9t\xE9"));
    const QString fichier = m_dossier.filePath(QStringLiteral("R\xE9glages \xE9t\xE9/Brivane.ini"));
    Parametres p = Defauts();
    p.PathFich = QStringLiteral("/m\xE9\x64ia/cl\xE9/CSVListe\xC9lectorale \xE0 jour.csv");
    QString erreur;
    ASSERT_TRUE(EcritParametres(p, fichier, erreur));
    EXPECT_TRUE(LitOctets(fichier).contains(OctetsIni(p.PathFich.toUtf8())));
    Parametres relu;
    LitParametres(relu, fichier);
    EXPECT_EQ(relu.PathFich, p.PathFich);
}

TEST_F(FichierReglages, UneEcritureRateeEstSignaleeEtGardeLAncienFichier)
{
    const QByteArray ancien = "[Brivane]\nNbCols=5\n";
    EcritOctets(m_chemin, ancien);
    Parametres p = Defauts();
    QString erreur;
    bool ok = true;
    bool limite = false;
    {
        const DisquePlein disque;
        limite = disque.Active();
        ok = EcritParametres(p, m_chemin, erreur);
    }
    if (limite) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(erreur, QStringLiteral("Impossible d'\xE9\x63rire dans ") + m_chemin);
        EXPECT_EQ(LitOctets(m_chemin), ancien);
    } else {
        EcritOctets(m_chemin, ancien);  // no size limit on this system: the write went through
    }
    EXPECT_EQ(QDir(m_dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("Brivane.ini")});

    // A folder that is really a file, a missing folder, a settings "file"
    // that is a folder.
    const QString impossibles[] = {
        m_chemin + QStringLiteral("/Brivane.ini"),
        m_dossier.filePath(QStringLiteral("absent/Brivane.ini")),
        m_dossier.path(),
    };
    for (const QString& fichier : impossibles) {
        erreur.clear();
        EXPECT_FALSE(EcritParametres(p, fichier, erreur));
        EXPECT_EQ(erreur, QStringLiteral("Impossible d'\xE9\x63rire dans ") + fichier);
    }
    EXPECT_EQ(LitOctets(m_chemin), ancien);
}

// A path that cannot stand in the file as it is (a lone surrogate has no
// UTF-8 form) is forgotten: never written changed, and the rest is saved.
TEST_F(FichierReglages, UnCheminOuLOnNePeutEcrireEstOublieSansEtreChange)
{
    Parametres p = Defauts();
    p.PathFich = QStringLiteral("/home/liste") + QChar(0xD800) + QStringLiteral(".csv");
    p.NbCols = 5;
    QString erreur;
    ASSERT_TRUE(EcritParametres(p, m_chemin, erreur)) << erreur.toStdString();
    Parametres relu;
    LitParametres(relu, m_chemin);
    EXPECT_TRUE(relu.PathFich.isEmpty());
    EXPECT_EQ(relu.NbCols, 5);
}

// Permission bits do not bind root, which runs the tests here: this case
// runs for an ordinary user only. Windows' read-only attribute binds everyone.
TEST_F(FichierReglages, UnFichierEnLectureSeuleNEstPasRemplace)
{
#ifndef Q_OS_WIN
    if (!DroitsContraignants())
        GTEST_SKIP() << RaisonDroitsIgnores().toStdString();
#endif
    const QByteArray ancien = "[Brivane]\nNbCols=5\n";
    EcritOctets(m_chemin, ancien);
    ASSERT_TRUE(QFile::setPermissions(m_chemin, QFileDevice::ReadOwner));
    QString erreur;
    EXPECT_FALSE(EcritParametres(Defauts(), m_chemin, erreur));
    EXPECT_EQ(erreur, QStringLiteral("Impossible d'\xE9\x63rire dans ") + m_chemin);
    EXPECT_EQ(LitOctets(m_chemin), ancien);
}

TEST(CheminFichierIni, DossierKelvoraSousLeDossierDeConfiguration)
{
    QTemporaryDir base;
    const QString attendu = base.path() + QStringLiteral("/Kelvora/Brivane.ini");
    EXPECT_EQ(CheminFichierIni(base.path()), attendu);
    EXPECT_TRUE(QFileInfo(base.path() + QStringLiteral("/Kelvora")).isDir());
    EXPECT_EQ(CheminFichierIni(base.path()), attendu);  // the folder already there

    // A fresh account without a configuration folder yet: it is created too,
    // so that the settings written at close are not lost.
    const QString absent = base.filePath(QStringLiteral("absent"));
    EXPECT_EQ(CheminFichierIni(absent), absent + QStringLiteral("/Kelvora/Brivane.ini"));
    EXPECT_TRUE(QFileInfo(absent + QStringLiteral("/Kelvora")).isDir());

    EXPECT_EQ(CheminFichierIni(QString()), QStringLiteral("Brivane.ini"));

    const QByteArray variable = VariableDossierReglages().toLatin1();
    const bool present = qEnvironmentVariableIsSet(variable.constData());
    const QByteArray avant = qgetenv(variable.constData());
    DetourneDossierReglages(base.path());
    const QString defaut = CheminFichierIni();
    if (present)
        qputenv(variable.constData(), avant);
    else
        qunsetenv(variable.constData());
    EXPECT_EQ(defaut, attendu);
}

}  // namespace
