#include "FichiersTest.h"
#include "Plateforme.h"
#include "UIni.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <optional>

namespace {

class DocumentIni : public ::testing::Test {
protected:
    // A document loaded from the given bytes.
    UIni Document(const QByteArray& octets)
    {
        EcritOctets(m_chemin, octets);
        UIni ini;
        EXPECT_TRUE(ini.Charge(m_chemin));
        return ini;
    }

    QTemporaryDir m_dossier;
    const QString m_chemin = m_dossier.filePath(QStringLiteral("essai.ini"));
};

struct CasNombre {
    const char* texte;
    std::optional<int32_t> attendu;
};

TEST(LitNombreIni, DecimalHexadecimalEtRefus)
{
    const CasNombre cas[] = {
        {"0x834", 2100}, {"0X834", 2100}, {"$834", 2100}, {"x834", 2100}, {"X834", 2100},
        {"$abCD", 0xABCD}, {"12", 12}, {"  -12", -12}, {"\t+7", 7}, {"-$10", -16},
        {"0", 0}, {"007", 7}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1}, {"0x80000000", INT32_MIN}, {"0x0000000000834", 2100},
        {"12abc", std::nullopt}, {"", std::nullopt}, {"   ", std::nullopt},
        {"abc", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt},
        {"x", std::nullopt}, {"12 ", std::nullopt}, {"1 2", std::nullopt},
        {"0x-5", std::nullopt}, {"--1", std::nullopt}, {"1e3", std::nullopt},
        {"$G1", std::nullopt}, {"12.5", std::nullopt},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt},
        {"$100000000", std::nullopt}, {"99999999999999999999999999", std::nullopt},
        {"0x1FFFFFFFFFFFFFFFFFFF", std::nullopt},
    };
    for (const CasNombre& c : cas)
        EXPECT_EQ(LitNombreIni(QString::fromUtf8(c.texte)), c.attendu) << c.texte;
    // Digits of other scripts are not decimal digits here.
    EXPECT_EQ(LitNombreIni(QStringLiteral("\u0663")), std::nullopt);
    EXPECT_EQ(LitNombreIni(QStringLiteral("\uFF11")), std::nullopt);
}

TEST_F(DocumentIni, UnFichierAbsentEstUnDocumentVide)
{
    UIni ini;
    EXPECT_TRUE(ini.Charge(m_dossier.filePath(QStringLiteral("absent/rien.ini"))));
    EXPECT_TRUE(ini.Contenu().isEmpty());
    int32_t valeur = 42;
    EXPECT_FALSE(ini.LitEntier(QStringLiteral("S"), QStringLiteral("K"), valeur));
    EXPECT_EQ(valeur, 42);
    EXPECT_EQ(ini.LitTexte(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("def")),
              QStringLiteral("def"));
}

TEST_F(DocumentIni, UnDossierNeSeChargeNiNeSeRemplace)
{
    UIni ini;
    EXPECT_FALSE(ini.Charge(m_dossier.path()));
    EXPECT_FALSE(ini.Sauve(m_dossier.path()));
    EXPECT_TRUE(QFileInfo(m_dossier.path()).isDir());
}

TEST_F(DocumentIni, LesNomsSeComparentSansLaCasseEtSansLesBlancs)
{
    const UIni ini = Document(
        "; [S]\n"
        "  [ brivane ]  ; trailing note\n"
        "  NbCols  =  12  \r\n"
        "Texte= a b \n"
        "Guillemets=\"  entre  \"\n"
        "Simples='x'\n"
        "Orphelin=\"x\n"
        "=sans cle\n"
        ";Commentaire=9\n"
        "sans egal\n"
        "nbcols=99\n"
        "[Autre]\n"
        "Cle=autre\n"
        "[BRIVANE]\n"
        "Cle=seconde section\n");
    const QString s = QStringLiteral("Brivane");
    int32_t n = 0;
    EXPECT_TRUE(ini.LitEntier(s, QStringLiteral("NBCOLS"), n));
    EXPECT_EQ(n, 12);  // the first of two keys of the same name
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral("texte")), QStringLiteral("a b"));
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral("Guillemets")), QStringLiteral("  entre  "));
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral("Simples")), QStringLiteral("x"));
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral("Orphelin")), QStringLiteral("\"x"));
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral(";Commentaire")), std::nullopt);
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral("sans egal")), std::nullopt);
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral("Cle")), std::nullopt);  // only the first section
    EXPECT_EQ(ini.LitTexte(QStringLiteral("autre"), QStringLiteral("cle")), QStringLiteral("autre"));
    EXPECT_EQ(ini.LitTexte(QStringLiteral("S"), QStringLiteral("Cle")), std::nullopt);
}

TEST_F(DocumentIni, LesBooleensSontDesEntiers)
{
    UIni ini = Document("[S]\nA=2\nB=0\nC=oui\nD=-1\n");
    const QString s = QStringLiteral("S");
    bool a = false, b = true, c = true, d = false, e = true;
    EXPECT_TRUE(ini.LitBooleen(s, QStringLiteral("A"), a));
    EXPECT_TRUE(ini.LitBooleen(s, QStringLiteral("B"), b));
    EXPECT_FALSE(ini.LitBooleen(s, QStringLiteral("C"), c));
    EXPECT_TRUE(ini.LitBooleen(s, QStringLiteral("D"), d));
    EXPECT_FALSE(ini.LitBooleen(s, QStringLiteral("E"), e));
    EXPECT_TRUE(a);
    EXPECT_FALSE(b);
    EXPECT_TRUE(c);
    EXPECT_TRUE(d);
    EXPECT_TRUE(e);
    ini.EcritBooleen(s, QStringLiteral("A"), a);
    ini.EcritBooleen(s, QStringLiteral("B"), b);
    EXPECT_EQ(ini.Contenu(), QByteArray("[S]\nA=1\nB=0\nC=oui\nD=-1\n"));
}

TEST_F(DocumentIni, LesLonguesValeursSontCoupeesA2047Caracteres)
{
    const QByteArray longue(3000, 'a');
    const QString emoji = QStringLiteral("\U0001F600");
    QByteArray emojis;
    for (int i = 0; i < 3000; ++i)
        emojis += emoji.toUtf8();
    const UIni ini = Document("[S]\nA=" + longue + "\nB=" + emojis + "\n");
    EXPECT_EQ(ini.LitTexte(QStringLiteral("S"), QStringLiteral("A")),
              QString(2047, QLatin1Char('a')));
    EXPECT_EQ(ini.LitTexte(QStringLiteral("S"), QStringLiteral("B")), emoji.repeated(2047));
}

TEST_F(DocumentIni, LesMisesAJourGardentTousLesAutresOctets)
{
    UIni ini = Document(
        "\xEF\xBB\xBF; en-t\xC3\xAAte\r\n"
        "[Autre]\r\n"
        "Cle = ancienne\r\n"
        "\r\n"
        "[Brivane]\r\n"
        "  NbCols = abc\r\n"
        "Autre=x\r\n"
        "; note de fin\r\n"
        "\r\n"
        "[Fin]\r\n"
        "Z=1");
    const QString s = QStringLiteral("BRIVANE");
    EXPECT_TRUE(ini.EcritEntier(s, QStringLiteral("nbcols"), 3));
    EXPECT_TRUE(ini.EcritTexte(s, QStringLiteral("Nouvelle"), QStringLiteral("\xE9t\xE9")));
    EXPECT_TRUE(ini.EcritTexte(QStringLiteral("Fin"), QStringLiteral("Y"), QStringLiteral("2")));
    EXPECT_TRUE(ini.EcritTexte(QStringLiteral("Neuve"), QStringLiteral("K"), QString()));
    EXPECT_EQ(ini.Contenu(), QByteArray(
        "\xEF\xBB\xBF; en-t\xC3\xAAte\r\n"
        "[Autre]\r\n"
        "Cle = ancienne\r\n"
        "\r\n"
        "[Brivane]\r\n"
        "  NbCols =3\r\n"
        "Autre=x\r\n"
        "Nouvelle=" + OctetsIni("\xC3\xA9t\xC3\xA9") + "\r\n"
        "; note de fin\r\n"
        "\r\n"
        "[Fin]\r\n"
        "Z=1\r\n"
        "Y=2\r\n"
        "\r\n"
        "[Neuve]\r\n"
        "K=\r\n"));
}

TEST_F(DocumentIni, UneSectionNeuveCommenceUnFichier)
{
    UIni ini;
    ASSERT_TRUE(ini.Charge(m_chemin));
    EXPECT_TRUE(ini.EcritEntier(QStringLiteral("S"), QStringLiteral("A"), -5));
    EXPECT_TRUE(ini.EcritEntier(QStringLiteral("S"), QStringLiteral("B"), INT32_MIN));
    EXPECT_EQ(ini.Contenu(), QByteArray("[S]\nA=-5\nB=-2147483648\n"));
}

TEST_F(DocumentIni, LesValeursSeRelisentCommeEcrites)
{
    UIni ini;
    const QString valeurs[] = {
        QStringLiteral(" bords "), QStringLiteral("\"cit\xE9\""), QStringLiteral("'a'"),
        QStringLiteral("\"seul"), QStringLiteral("a=b;c"), QStringLiteral("[x]"),
        QStringLiteral("\t"), QString(),
    };
    int i = 0;
    for (const QString& v : valeurs) {
        const QString cle = QStringLiteral("K%1").arg(i++);
        ASSERT_TRUE(ini.EcritTexte(QStringLiteral("S"), cle, v));
        ASSERT_TRUE(ini.Sauve(m_chemin));
        UIni relu;
        ASSERT_TRUE(relu.Charge(m_chemin));
        EXPECT_EQ(relu.LitTexte(QStringLiteral("S"), cle), v) << cle.toStdString();
    }
}

TEST_F(DocumentIni, LesNomsEtValeursImpossiblesAEnregistrerSontRefuses)
{
    UIni ini = Document("[S]\nA=1\n");
    const QString s = QStringLiteral("S");
    EXPECT_FALSE(ini.EcritTexte(s, QStringLiteral("A"), QStringLiteral("1\nB=2")));
    EXPECT_FALSE(ini.EcritTexte(s, QStringLiteral("A"), QStringLiteral("1\r")));
    EXPECT_FALSE(ini.EcritTexte(s, QStringLiteral("A"), QString(QChar(0))));
    EXPECT_FALSE(ini.EcritTexte(s, QStringLiteral("A=B"), QStringLiteral("1")));
    EXPECT_FALSE(ini.EcritTexte(s, QStringLiteral(";A"), QStringLiteral("1")));
    EXPECT_FALSE(ini.EcritTexte(s, QStringLiteral("[A"), QStringLiteral("1")));
    EXPECT_FALSE(ini.EcritTexte(s, QStringLiteral(" A"), QStringLiteral("1")));
    EXPECT_FALSE(ini.EcritTexte(s, QString(), QStringLiteral("1")));
    EXPECT_FALSE(ini.EcritTexte(QStringLiteral("S]"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_FALSE(ini.EcritTexte(QString(), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_EQ(ini.Contenu(), QByteArray("[S]\nA=1\n"));
}

TEST_F(DocumentIni, LEnregistrementEstAtomiqueEtSesEchecsSignales)
{
    EcritOctets(m_chemin, "[S]\nA=1\n");
    UIni ini;
    ASSERT_TRUE(ini.Charge(m_chemin));
    ini.EcritEntier(QStringLiteral("S"), QStringLiteral("A"), 2);
    ASSERT_TRUE(ini.Sauve(m_chemin));
    EXPECT_EQ(LitOctets(m_chemin), QByteArray("[S]\nA=2\n"));
    EXPECT_EQ(QDir(m_dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("essai.ini")});

    // A folder that is a regular file, or missing: no root privilege helps.
    EXPECT_FALSE(ini.Sauve(m_chemin + QStringLiteral("/dessous.ini")));
    EXPECT_FALSE(ini.Sauve(m_dossier.filePath(QStringLiteral("absent/essai.ini"))));
    EXPECT_EQ(LitOctets(m_chemin), QByteArray("[S]\nA=2\n"));
}

// A settings file may hold 8-bit text: a line that is
// not UTF-8 is read as Windows-1252, and what cannot be written as it is read
// is refused rather than changed.
TEST_F(DocumentIni, LignesHuitBitsMarqueDOrdreEtDemiCodetsIsoles)
{
    const QString s = QStringLiteral("Brivane");
    const QByteArray ancien = "\xEF\xBB\xBF[Brivane]\r\nPathFich=C:\\\xC9l\xE8ves\\liste.csv\r\n"
                              "Autre=\xE9t\xE9\r\n";
    UIni ini = Document(ancien);
    const QString chemin = QStringLiteral("C:\\\u00C9l\u00E8ves\\liste.csv");
    EXPECT_EQ(ini.LitTexte(s, QStringLiteral("PathFich")), chemin);

    // Written back: the 8-bit line takes the system's settings encoding
    // (UTF-8, or Windows-1252 on Windows), the others stay byte for byte, the
    // byte-order mark included.
    ASSERT_TRUE(ini.EcritTexte(s, QStringLiteral("PathFich"), chemin));
    EXPECT_EQ(ini.Contenu(), "\xEF\xBB\xBF[Brivane]\r\nPathFich=" + *EncodeTexteIni(chemin)
                                 + "\r\nAutre=\xE9t\xE9\r\n");
    ASSERT_TRUE(ini.Sauve(m_chemin));
    UIni relu;
    ASSERT_TRUE(relu.Charge(m_chemin));
    EXPECT_EQ(relu.LitTexte(s, QStringLiteral("PathFich")), chemin);
    EXPECT_EQ(relu.LitTexte(s, QStringLiteral("Autre")), QStringLiteral("\u00E9t\u00E9"));

    // A key starting with U+FEFF is a key of its own, not a byte-order mark
    // (where the encoding has that character).
    const QString cleBom = QStringLiteral("\uFEFFcle");
    if (!EncodeTexteIni(cleBom))
        GTEST_SKIP() << "U+FEFF n'existe pas en Windows-1252";
    ASSERT_TRUE(relu.EcritTexte(s, cleBom, QStringLiteral("1")));
    ASSERT_TRUE(relu.EcritTexte(s, QStringLiteral("cle"), QStringLiteral("2")));
    ASSERT_TRUE(relu.Sauve(m_chemin));
    ASSERT_TRUE(relu.Charge(m_chemin));
    EXPECT_EQ(relu.LitTexte(s, cleBom), QStringLiteral("1"));
    EXPECT_EQ(relu.LitTexte(s, QStringLiteral("cle")), QStringLiteral("2"));

    // Lone surrogates have no UTF-8 form: refused, the document untouched.
    const QByteArray avant = relu.Contenu();
    const QString haut(QChar(0xD800));
    const QString bas(QChar(0xDC00));
    EXPECT_FALSE(relu.EcritTexte(s, QStringLiteral("K"), QStringLiteral("a") + haut));
    EXPECT_FALSE(relu.EcritTexte(s, QStringLiteral("K"), bas + QStringLiteral("a")));
    EXPECT_FALSE(relu.EcritTexte(s, QStringLiteral("K") + haut, QStringLiteral("1")));
    EXPECT_FALSE(relu.EcritTexte(haut, QStringLiteral("K"), QStringLiteral("1")));
    EXPECT_EQ(relu.Contenu(), avant);
    // A pair is a character like any other.
    ASSERT_TRUE(relu.EcritTexte(s, QStringLiteral("K"), haut + bas));
    EXPECT_EQ(relu.LitTexte(s, QStringLiteral("K")), haut + bas);
}

// The settings file's own 8-bit encoding: UTF-8, or on Windows its ANSI code
// page, Windows-1252, where a character the code page lacks is refused.
TEST(EncodeTexteIni, EncodageDuSysteme)
{
    struct Cas {
        QString texte;
        std::optional<QByteArray> utf8;
        std::optional<QByteArray> cp1252;
    };
    const Cas cas[] = {
        {QStringLiteral("C:\\Users\\H\u00E9l\u00E8ne"), QByteArray("C:\\Users\\H\xC3\xA9l\xC3\xA8ne"),
         QByteArray("C:\\Users\\H\xE9l\xE8ne")},
        {QStringLiteral("\u20AC \u0153 \u0178 \u00FF"), QByteArray("\xE2\x82\xAC \xC5\x93 \xC5\xB8 \xC3\xBF"),
         QByteArray("\x80 \x9C \x9F \xFF")},
        {QStringLiteral("Brivane.ini"), QByteArray("Brivane.ini"), QByteArray("Brivane.ini")},
        {QStringLiteral("\u03A9"), QByteArray("\xCE\xA9"), std::nullopt},
    };
#ifdef _WIN32
    const bool windows = true;
#else
    const bool windows = false;
#endif
    for (const Cas& c : cas) {
        const std::optional<QByteArray> attendu = windows ? c.cp1252 : c.utf8;
        EXPECT_EQ(EncodeTexteIni(c.texte), attendu) << c.texte.toStdString();
        EXPECT_EQ(UIni::ValeurEnregistrable(c.texte), attendu.has_value()) << c.texte.toStdString();
    }
}

// A write killed half-way leaves its temporary file beside the settings:
// the next write removes those of that exact pattern, once a minute old; the
// user's own files beside the settings stay, whatever their age.
TEST_F(DocumentIni, LesFichiersTemporairesAbandonnesSontSupprimesALEcriture)
{
    const QDir dossier(m_dossier.path());
    const QString vieux[] = {QStringLiteral("essai.ini.~ecriture-brivane-Ab12Cd"),
                             QStringLiteral("essai.ini.~ecriture-brivane-zzzzzz")};
    const QString gardes[] = {QStringLiteral("essai.ini.~ecriture-brivane-Ab12C"),
                              QStringLiteral("essai.ini.~ecriture-brivane-Ab12Cde"),
                              QStringLiteral("essai.ini.bak-12"),
                              QStringLiteral("autre.ini.~ecriture-brivane-Ab12Cd"),
                              QStringLiteral("essai.ini.backup"), QStringLiteral("essai.ini.ecole1"),
                              QStringLiteral("essai.ini.Ab12Cd"),
                              QStringLiteral("essai.ini.~ecriture-brivane-Xy34Zw")};
    const QDateTime ilYADeuxMinutes = QDateTime::currentDateTime().addSecs(-120);
    for (const QString& nom : vieux) {
        EcritOctets(dossier.filePath(nom), "[S]\n");
        QFile f(dossier.filePath(nom));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(ilYADeuxMinutes, QFileDevice::FileModificationTime));
    }
    for (const QString& nom : gardes) {
        EcritOctets(dossier.filePath(nom), "[S]\n");
        if (nom == QStringLiteral("essai.ini.~ecriture-brivane-Xy34Zw"))
            continue;  // just written: maybe another instance's write in progress
        QFile f(dossier.filePath(nom));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(ilYADeuxMinutes, QFileDevice::FileModificationTime));
    }

    UIni ini;
    ASSERT_TRUE(ini.EcritEntier(QStringLiteral("S"), QStringLiteral("A"), 1));
    ASSERT_TRUE(ini.Sauve(m_chemin));
    QStringList attendus(std::begin(gardes), std::end(gardes));
    attendus << QStringLiteral("essai.ini");
    attendus.sort();
    QStringList restants = dossier.entryList(QDir::Files);
    restants.sort();
    EXPECT_EQ(restants, attendus);
}

}  // namespace
