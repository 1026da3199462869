// Extractions re-saved by a spreadsheet (other encodings and separators) read
// as the same cells, and the check that names the lines of malformed rows.

#include "Cp1252.h"
#include "ChampsElecteurs.h"
#include "LectureExtraction.h"
#include "OutilsCsv.h"

#include <QStringConverter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

std::string Encode(const std::string& cp1252, QStringConverter::Encoding encodage, bool marque)
{
    QStringEncoder encodeur(encodage, marque ? QStringConverter::Flag::WriteBom
                                             : QStringConverter::Flag::Default);
    const QByteArray octets = encodeur.encode(DecodeCp1252(cp1252));
    return octets.toStdString();
}

class Extraction : public ::testing::Test {
protected:
    // Loads `octets` through the detection; the table and what was found.
    LectureExtraction ChargeOctets(const std::string& octets)
    {
        const QString chemin = dossier.filePath(QStringLiteral("liste.csv"));
        EcritCsv(chemin, octets);
        return ChargeExtraction(table, chemin);
    }
    // The sample saved by TCSV with another separator (every cell quoted).
    std::string AvecSeparateur(char separateur)
    {
        TCSV copie;
        EXPECT_TRUE(copie.Charge(QStringLiteral(BRIVANE_EXEMPLE)));
        copie.FixeSeparateur(separateur);
        const QString chemin = dossier.filePath(QStringLiteral("copie.csv"));
        EXPECT_TRUE(copie.Sauve(chemin));
        return LitCsv(chemin);
    }

    QTemporaryDir dossier;
    TCSV table;
};

TEST_F(Extraction, LesEncodagesEtSeparateursDUnTableurDonnentLesMemesCellules)
{
    const std::string echantillon = LitCsv(QStringLiteral(BRIVANE_EXEMPLE));
    ASSERT_TRUE(table.Charge(QStringLiteral(BRIVANE_EXEMPLE)));
    const Table attendu = Rangees(table);
    ASSERT_EQ(attendu.size(), 31u);
    // A UTF-8 copy where lines 2 and 4 hold characters Windows-1252 lacks.
    QString texte = DecodeCp1252(echantillon);
    texte.replace(texte.indexOf(QStringLiteral("Hélène")), 6, QStringLiteral("Hélène Łukasz"));
    texte.replace(texte.indexOf(QStringLiteral("Cécile")), 6, QStringLiteral("Cécile ő ☃"));
    Table remplace = attendu;
    remplace[1][4] = "H\xE9l\xE8ne Lukasz";
    remplace[3][4] = "C\xE9" "cile o ?";

    using E = QStringConverter::Encoding;
    const struct {
        const char* cas;
        std::string octets;
        Encodage encodage;
        char separateur;
        Table cellules;
        QStringList rapport;
    } cas[] = {
        {"Windows-1252 « ; » tel quel", echantillon, Encodage::Windows1252, ';', attendu, {}},
        {"UTF-8", Encode(echantillon, E::Utf8, false), Encodage::Utf8, ';', attendu, {}},
        {"UTF-8 avec marque", Encode(echantillon, E::Utf8, true), Encodage::Utf8Marque, ';',
         attendu, {}},
        {"UTF-16 LE", Encode(echantillon, E::Utf16LE, true), Encodage::Utf16LE, ';', attendu, {}},
        {"UTF-16 BE", Encode(echantillon, E::Utf16BE, true), Encodage::Utf16BE, ';', attendu, {}},
        {"virgules", AvecSeparateur(','), Encodage::Windows1252, ',', attendu, {}},
        {"tabulations", AvecSeparateur('\t'), Encodage::Windows1252, '\t', attendu, {}},
        {"tabulations en UTF-16 (Texte Unicode)",
         Encode(AvecSeparateur('\t'), E::Utf16LE, true), Encodage::Utf16LE, '\t', attendu, {}},
        {"caractères absents de Windows-1252", texte.toUtf8().toStdString(), Encodage::Utf8, ';',
         remplace,
         {QStringLiteral("ligne 2 : « Ł » devient « L »"),
          QStringLiteral("ligne 4 : « ő » devient « o », et 1 autre(s) caractère(s) sans "
                         "équivalent")}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const LectureExtraction lecture = ChargeOctets(c.octets);
        ASSERT_TRUE(lecture.chargee);
        EXPECT_EQ(lecture.encodage, c.encodage);
        EXPECT_EQ(table.Separateur(), c.separateur);
        EXPECT_EQ(Rangees(table), c.cellules);
        EXPECT_EQ(lecture.remplacements.Lignes(10), c.rapport);
    }
}

}  // namespace

namespace {

const std::string kEntete =
    "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;adresse responsable;"
    "cp responsable;commune responsable;nom enfant 1;classe enfant 1\r\n";
const std::string kElecteur = "Mme;DUPONT;Anne;1 rue Haute;38000;GRENOBLE;DUPONT L\xE9o;CP\r\n";

TEST_F(Extraction, LesRangeesMalFormeesSontNommeesParLeurLigne)
{
    const auto L = [](const char* texte) { return QString::fromUtf8(texte); };
    const struct {
        const char* cas;
        std::string octets;
        QStringList rapport;  // the first three findings, or what the header holds
        uint64_t vides;
    } cas[] = {
        {"propre", kEntete + kElecteur + kElecteur, {}, 0},
        {"cellule de trop", kEntete + kElecteur + "M.;A;B;C;D;E;\xC9" "cole;F;CP\r\n",
         {L("ligne 3 : 9 cellule(s) au lieu des 8 de l'en-tête")}, 0},
        {"cellules manquantes", kEntete + "Mme;DUPONT\r\n" + kElecteur,
         {L("ligne 2 : 2 cellule(s) au lieu des 8 de l'en-tête")}, 0},
        {"guillemet égaré : trois électeurs fondus en un",
         kEntete + "Mme;\"DUPONT;A;B;C;D;E;CP\r\n" + kElecteur + "M.;BERT;A;B\"C;D;E;CE1\r\n",
         {L("ligne 2 : 5 cellule(s) au lieu des 8 de l'en-tête")}, 0},
        {"adresse sur deux lignes : rien à redire",
         kEntete + "Mme;A;B;\"1 rue\r\nB\xE2timent C\";D;E;F;CP\r\n" + kElecteur, {}, 0},
        {"fichier coupé dans des guillemets", kEntete + kElecteur + "Mme;A;B;\"27 al",
         {L("ligne 3 : 4 cellule(s) au lieu des 8 de l'en-tête"),
          L("ligne 3 : guillemet ouvert jusqu'à la fin du fichier (fichier coupé ?)")},
         0},
        {"octet nul", kEntete + "Mme;DU\0PONT;A;B;C;D;E;CP\r\n"s,
         {L("ligne 2 : octet nul dans une cellule")}, 0},
        {"lignes vides, séparateurs ou blancs seuls",
         kEntete + kElecteur + "\r\n;;;;;;;\r\n  ; \t\r\n" + kElecteur,
         {L("ligne 3 : électeur vide (son étiquette sera blanche)"),
          L("ligne 4 : électeur vide (son étiquette sera blanche)"),
          L("ligne 5 : électeur vide (son étiquette sera blanche)")},
         3},
        {"au-delà de trois : et N autres", kEntete + "\r\n\r\n\r\n\r\n\n",
         {L("ligne 2 : électeur vide (son étiquette sera blanche)"),
          L("ligne 3 : électeur vide (son étiquette sera blanche)"),
          L("ligne 4 : électeur vide (son étiquette sera blanche)"), L("et 2 autres")},
         5},
        {"colonne requise en double",
         "nom responsable;" + kEntete + "M.;" + kElecteur,
         {L("ligne 1 : « nom responsable » nomme 2 colonnes de l'en-tête (colonnes 1, 3) : "
            "seule la colonne 1 est lue")},
         0},
        {"séparateur inconnu : une seule colonne", "civilit\xE9 responsable|nom\r\nMme|A\r\n",
         {L("La première ligne ne contient qu'une colonne : son séparateur n'est ni « ; », ni "
            "« , », ni une tabulation.")},
         0},
        {"colonne absente en UTF-8", "\xEF\xBB\xBF" "classe;nom responsable\r\nCP;A\r\n",
         {L("La première ligne (lue en UTF-8) contient 2 colonnes séparées par « ; ».")}, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const LectureExtraction lecture = ChargeOctets(c.octets);
        ASSERT_TRUE(lecture.chargee);
        std::array<int32_t, 20> index{};
        if (ChercheChamps(table[0], index) >= 0) {
            EXPECT_EQ(QStringList{ConstatEntete(table, lecture.encodage)}, c.rapport);
            continue;
        }
        const RapportExtraction rapport = VerifieRangees(table);
        EXPECT_EQ(rapport.Lignes(3), c.rapport);
        EXPECT_EQ(rapport.ElecteursVides(), c.vides);
    }
}

}  // namespace
