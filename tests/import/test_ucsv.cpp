#include "OutilsCsv.h"
#include "SystemeTest.h"
#include "Ucsv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>


#include <cstdio>
#include <random>

using namespace std::string_literals;

namespace {

class LectureCsv : public ::testing::Test {
protected:
    QString Chemin(const char* nom) const { return dossier.filePath(QString::fromLatin1(nom)); }

    // Writes `octets` to a file and loads it into `table`.
    void ChargeOctets(const std::string& octets, const char* nom = "entree.csv")
    {
        EcritCsv(Chemin(nom), octets);
        ASSERT_TRUE(table.Charge(Chemin(nom)));
    }

    QTemporaryDir dossier;
    TCSV table;
};

struct CasGrammaire {
    const char* nom;
    std::string octets;
    Table attendu;
};

std::ostream& operator<<(std::ostream& os, const CasGrammaire& cas)
{
    return os << cas.nom;
}

const CasGrammaire kCasGrammaire[] = {
    {"FichierVide", "", {}},
    {"DeuxLignesCrLf", "a;b\r\nc\r\n", {{"a", "b"}, {"c", ""}}},
    {"SeparateurEntreGuillemets", "x;\"y;z\"\r\n", {{"x", "y;z"}}},
    {"GuillemetsDoubles", "\"\"\"mot\"\"\"\r\n", {{"\"mot\""}}},
    {"CrLfEntreGuillemets", "\"l1\r\nl2\";b\r\nc;d\r\n", {{"l1\r\nl2", "b"}, {"c", "d"}}},
    {"SeparateurFinalPuisFinDeLigne", "a;b;\r\n", {{"a", "b", ""}}},
    {"SeparateurFinalEnFinDeFichier", "a;b;", {{"a", "b"}}},
    {"CrIsoleDansLaCellule", "a\rb;c\r\n", {{"a\rb", "c"}}},
    {"LfIsoleFinitLaLigne", "a\nb", {{"a"}, {"b"}}},
    {"LigneVide", "a;b\r\n\r\nc;d\r\n", {{"a", "b"}, {"", ""}, {"c", "d"}}},
    {"TexteApresGuillemetFermant", "\"ab\"cd;e", {{"abcd", "e"}}},
    {"GuillemetDansCelluleNue", "ab\"c\"\";d", {{"ab\"c\"\"", "d"}}},
    {"BlancsConserves", "  a ; b  \r\n \r\n", {{"  a ", " b  "}, {" ", ""}}},
    {"GuillemetNonFerme", "\"ab;c\r\nd", {{"ab;c\r\nd"}}},
    {"FinDeLigneFinaleSansRangeeDePlus", "a\r\n", {{"a"}}},
    {"CrFinalGarde", "a\r", {{"a\r"}}},
    {"CrPuisCrLf", "\r\r\n", {{"\r"}}},
    {"CrLfEnDebutDeCellule", "a;\r\nb", {{"a", ""}, {"b", ""}}},
    {"MarqueDOrdreDesOctets", "\xEF\xBB\xBF" "a;b\r\n", {{"\xEF\xBB\xBF" "a", "b"}}},
    {"OctetsNuls", "a\0b;\0\r\n\0"s, {{"a\0b"s, "\0"s}, {"\0"s, ""}}},
    {"SeparateurSeul", ";", {{""}}},
    {"SeparateursSeuls", ";;\r\n", {{"", "", ""}}},
    {"LignesVidesSeules", "\n\r\n", {{""}, {""}}},
    {"CelluleGuillemetsVide", "\"\"", {{""}}},
    {"GuillemetDoubleEnFin", "\"a\"\"\"", {{"a\""}}},
    {"GuillemetOuvertEnFin", "a;\"", {{"a", ""}}},
    {"RangeesCourtesCompletees", "a;b;c\r\nd\r\n;e", {{"a", "b", "c"}, {"d", "", ""}, {"", "e", ""}}},
    {"LfEtCrEntreGuillemets", "\"\n\r\";\"\r\"\r\n", {{"\n\r", "\r"}}},
};

class Grammaire : public LectureCsv, public ::testing::WithParamInterface<CasGrammaire> {};

TEST_P(Grammaire, DonneLesRangeesAttendues)
{
    const CasGrammaire& cas = GetParam();
    ChargeOctets(cas.octets);
    const Table lu = Rangees(table);
    EXPECT_EQ(lu, cas.attendu);
    EXPECT_EQ(table.NbRangees(), cas.attendu.size());
    EXPECT_EQ(table.NbColonnes(), cas.attendu.empty() ? 0u : cas.attendu[0].size());
    // The reference reader agrees, so it can stand as the oracle below.
    EXPECT_EQ(LectureReference(cas.octets), cas.attendu);
}

INSTANTIATE_TEST_SUITE_P(Ucsv, Grammaire, ::testing::ValuesIn(kCasGrammaire),
                         [](const auto& info) { return std::string(info.param.nom); });

// Filler rows "aaa...;b\r\n" of `taille` bytes in all.
std::string Remplissage(std::size_t taille)
{
    std::string octets;
    while (octets.size() + 40 <= taille)
        octets += std::string(30, 'a') + ";b\r\n";
    octets += std::string(taille - octets.size() - 4, 'z') + ";b\r\n";
    return octets;
}

TEST_F(LectureCsv, FichiersDeTailleMultipleDuTampon)
{
    constexpr std::size_t T = TCSV::TailleTampon;
    struct Cas {
        const char* nom;
        std::string octets;
    };
    std::vector<Cas> cas;
    // 16384 bytes: the last byte of the only block is a CR with nothing after,
    // so it is an ordinary byte of the cell.
    cas.push_back({"CrFinal16384", Remplissage(T - 9) + "x;\"y\"\"z\"\r"});
    // 16384 bytes ending on a closing quote.
    cas.push_back({"GuillemetFinal16384", Remplissage(T - 7) + "x;\"y\"\"\""});
    // 32768 bytes, CR last byte of block 1, LF first byte of block 2.
    cas.push_back({"CrLfAuJoint", Remplissage(T - 4) + "c;d\r\nsuite" + Remplissage(T - 6)});
    // 32768 bytes, doubled quote straddling the joint inside a quoted cell.
    cas.push_back({"GuillemetsAuJoint", Remplissage(T - 4) + "\"ab\"\"cd\"\r\n" + Remplissage(T - 6)});
    // 32768 bytes, a closing quote last of block 1 then a separator.
    cas.push_back({"GuillemetFermantAuJoint", Remplissage(T - 5) + "\"abc\";d\r\n" + Remplissage(T - 4)});
    ASSERT_EQ(cas[2].octets.substr(T - 1, 2), "\r\n");
    ASSERT_EQ(cas[3].octets.substr(T - 1, 2), "\"\"");
    ASSERT_EQ(cas[4].octets.substr(T - 1, 2), "\";");
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ASSERT_EQ(c.octets.size() % T, 0u);
        ChargeOctets(c.octets);
        EXPECT_EQ(Rangees(table), LectureReference(c.octets));
    }

    // Explicit values at the joints, independent of the reference reader.
    ChargeOctets(cas[0].octets);
    EXPECT_EQ(table[static_cast<int32_t>(table.NbRangees() - 1)], (Rangee{"x", "y\"z\r"}));
    ChargeOctets(cas[2].octets);
    const Table joint = Rangees(table);
    const auto ligneCd = std::find(joint.begin(), joint.end(), Rangee{"c", "d"});
    ASSERT_NE(ligneCd, joint.end());
    EXPECT_EQ(*(ligneCd + 1), (Rangee{"suite" + std::string(30, 'a'), "b"}));
    ChargeOctets(cas[3].octets);
    const Table guillemets = Rangees(table);
    EXPECT_NE(std::find(guillemets.begin(), guillemets.end(), Rangee{"ab\"cd", ""}), guillemets.end());
}

TEST_F(LectureCsv, OctetsAuHasardAutourDesJointsCommeLaLectureDeReference)
{
    // Small alphabet rich in the grammar's special bytes; sizes on and
    // around every multiple of the buffer.
    const char alphabet[] = {'a', 'b', ';', '"', '"', '\r', '\n', '\0', '\xE9'};
    std::mt19937 alea(1234);
    for (const std::size_t taille : {1u, 2u, 16383u, 16384u, 16385u, 32767u, 32768u, 32769u, 49152u}) {
        for (int essai = 0; essai < 6; ++essai) {
            std::string octets(taille, 'a');
            for (char& c : octets)
                c = alphabet[alea() % sizeof alphabet];
            SCOPED_TRACE(::testing::Message() << "taille " << taille << ", essai " << essai);
            ChargeOctets(octets);
            EXPECT_EQ(Rangees(table), LectureReference(octets));
        }
    }
}

TEST_F(LectureCsv, AccesAuxRangeesApresDesCentainesDeLignes)
{
    std::string octets;
    for (int r = 0; r < 300; ++r)
        octets += std::to_string(r) + (r % 7 == 0 ? "\r\n" : ";x\r\n");
    ChargeOctets(octets);
    ASSERT_EQ(table.NbRangees(), 300u);
    ASSERT_EQ(table.NbColonnes(), 2u);
    for (int r : {0, 1, 14, 15, 16, 17, 31, 32, 33, 255, 256, 299}) {
        const Rangee attendue{std::to_string(r), r % 7 == 0 ? "" : "x"};
        EXPECT_EQ(table[r], attendue) << "rangée " << r;
    }
    // Outside the table: empty cells rather than a read out of bounds.
    EXPECT_EQ(table[300], (Rangee{"", ""}));
    EXPECT_EQ(table[-1], (Rangee{"", ""}));
}

// The print job reads a few cells of every row: a view reads them in place,
// without copying the row or padding it to the widest one (behind a header
// of 100,000 empty columns, every voter's row was copied 100,000 cells long).
TEST_F(LectureCsv, VueDUneRangeeSansCopieNiRemplissage)
{
    std::string octets = "a;b;c" + std::string(100000, ';') + "\r\n";
    for (int r = 1; r < 40; ++r)
        octets += "x" + std::to_string(r) + ";\"y\r\n" + std::to_string(r) + "\"\r\n";
    ChargeOctets(octets);
    ASSERT_EQ(table.NbColonnes(), 100003u);
    for (const int r : {0, 1, 15, 16, 17, 39}) {
        SCOPED_TRACE(r);
        const Rangee copie = table[r];
        const VueRangee vue = table.Vue(r);
        for (const uint32_t k : {0u, 1u, 2u, 3u, 100002u})
            EXPECT_EQ(vue[k], copie[k]) << "cellule " << k;
        EXPECT_TRUE(vue[200000].empty());
    }
    // In place: the same bytes every time, not a copy of them.
    EXPECT_EQ(table.Vue(5)[1].data(), table.Vue(5)[1].data());
    EXPECT_EQ(table.Vue(5)[1], "y\r\n5");
    // Outside the table: empty cells.
    EXPECT_TRUE(table.Vue(40)[0].empty());
    EXPECT_TRUE(table.Vue(-1)[0].empty());
}

TEST_F(LectureCsv, CellulesLonguesEtLigneUniqueDeCinquanteMo)
{
    // Cells of every header width: 63/64 bytes and 8191/8192 bytes straddle
    // the one- and two-byte header limits.
    std::string octets;
    Rangee attendue;
    for (const std::size_t n : {63u, 64u, 8191u, 8192u, 1u << 20}) {
        attendue.push_back(std::string(n, 'x') + "\"");
        octets += (octets.empty() ? "\"" : ";\"") + std::string(n, 'x') + "\"\"\"";
    }
    ChargeOctets(octets + "\r\nfin");
    ASSERT_EQ(table.NbRangees(), 2u);
    EXPECT_EQ(table[0], attendue);

    std::string ligne(50u << 20, 'm');
    for (std::size_t i = 1000; i < ligne.size(); i += 1000003)
        ligne[i] = ';';
    ChargeOctets(ligne);
    const Table lu = Rangees(table);
    ASSERT_EQ(lu.size(), 1u);
    EXPECT_EQ(lu, LectureReference(ligne));
}

TEST_F(LectureCsv, MemoireBorneeAQuatreFoisLeFichier)
{
    const std::size_t N = 200000;
    std::string pire;
    for (std::size_t i = 0; i < N; ++i)
        pire += "\"\"\n;"[i % 4];
    for (const std::string& octets : {std::string(N, '\n'), std::string(N, ';'), "a;\r\n" + pire,
                                      std::string("\r\n").append(N, ';')}) {
        ChargeOctets(octets);
        EXPECT_LE(table.MemoireOccupee() - TCSV::TailleTampon, 4 * octets.size());
    }
}

TEST_F(LectureCsv, SauveEcritChaqueCelluleEntreGuillemetsEtSeRelitPareil)
{
    const std::string source = "nom;\"dit \"\"Lulu\"\"\";x\r\n\"a;b\r\nc\"\r\n\0z\r\n\r\n"s;
    ChargeOctets(source);
    const Table avant = Rangees(table);
    ASSERT_TRUE(table.Sauve(Chemin("copie.csv")));
    EXPECT_EQ(LitCsv(Chemin("copie.csv")),
              "\"nom\";\"dit \"\"Lulu\"\"\";\"x\"\r\n"
              "\"a;b\r\nc\";\"\";\"\"\r\n"
              "\"\0z\";\"\";\"\"\r\n"
              "\"\";\"\";\"\"\r\n"s);
    TCSV relu;
    ASSERT_TRUE(relu.Charge(Chemin("copie.csv")));
    EXPECT_EQ(Rangees(relu), avant);
    EXPECT_EQ(relu.NbColonnes(), table.NbColonnes());

    // Round trip of random bytes as well.
    std::mt19937 alea(99);
    std::string octets(40000, ' ');
    for (char& c : octets)
        c = "ab;\"\r\n\0"[alea() % 7];
    ChargeOctets(octets);
    ASSERT_TRUE(table.Sauve(Chemin("copie.csv")));
    ASSERT_TRUE(relu.Charge(Chemin("copie.csv")));
    EXPECT_EQ(Rangees(relu), Rangees(table));
}

// Holds a file as another program would.
using Verrou = FichierTenu;

TEST_F(LectureCsv, ChargeImpossibleGardeLaTablePrecedente)
{
    ChargeOctets("a;b\r\nc;d\r\n", "bon.csv");
    const Table avant = Rangees(table);
    EcritCsv(Chemin("verrouille.csv"), "x\r\n");
    const bool tube = CreeTube(Chemin("tube"));

    EXPECT_FALSE(table.Charge(Chemin("absent.csv")));
    EXPECT_FALSE(table.Charge(dossier.path()));
    if (tube) {
        EXPECT_FALSE(table.Charge(Chemin("tube")));  // must not wait for a writer
    }
    EXPECT_FALSE(table.Charge(QString()));
    {
        const Verrou verrou(Chemin("verrouille.csv"));
        ASSERT_TRUE(verrou.Pris());
        EXPECT_FALSE(table.Charge(Chemin("verrouille.csv")));
        // Saving over a held file fails too and leaves its bytes alone.
        EXPECT_FALSE(table.Sauve(Chemin("verrouille.csv")));
    }
    EXPECT_EQ(LitCsv(Chemin("verrouille.csv")), "x\r\n");
    EXPECT_EQ(Rangees(table), avant);
    EXPECT_EQ(table.NbRangees(), 2u);
    EXPECT_EQ(table.NbColonnes(), 2u);
    EXPECT_FALSE(table.Sauve(dossier.path()));
    EXPECT_FALSE(table.Sauve(Chemin("absent/x.csv")));

    // Once released, the file loads.
    ASSERT_TRUE(table.Charge(Chemin("verrouille.csv")));
    EXPECT_EQ(Rangees(table), (Table{{"x"}}));
    {
        // Readers share a file; only a writer is kept out.
        const DescripteurFichier lecteur =
            DescripteurFichier::OuvreLecture(Chemin("verrouille.csv"));
        ASSERT_TRUE(lecteur.Valide());
        EXPECT_TRUE(table.Charge(Chemin("verrouille.csv")));
        EXPECT_FALSE(table.Sauve(Chemin("verrouille.csv")));
    }

#ifndef Q_OS_WIN
    // A name that is not UTF-8 (Latin-1 "é") reaches the file system unchanged.
    // (Windows names files in UTF-16: no name there is a mere run of bytes.)
    const QByteArray latin1 = QFile::encodeName(dossier.path()) + "/caf\xE9.csv";
    EXPECT_EQ(EncodeNomFichier(DecodeNomFichier(latin1)), latin1);
    std::FILE* fichier = std::fopen(latin1.constData(), "wb");
    ASSERT_NE(fichier, nullptr);
    ASSERT_EQ(std::fwrite("y\r\n", 1, 3, fichier), 3u);
    std::fclose(fichier);
    ASSERT_TRUE(table.Charge(DecodeNomFichier(latin1)));
    EXPECT_EQ(Rangees(table), (Table{{"y"}}));
#endif
}

TEST_F(LectureCsv, FichierSansDroitDeLecture)
{
    if (!DroitsContraignants())
        GTEST_SKIP() << RaisonDroitsIgnores().toStdString();
    ChargeOctets("a\r\n");
    EcritCsv(Chemin("prive.csv"), "b\r\n");
    ASSERT_TRUE(QFile::setPermissions(Chemin("prive.csv"), QFileDevice::WriteOwner));
    EXPECT_FALSE(table.Charge(Chemin("prive.csv")));
    EXPECT_EQ(Rangees(table), (Table{{"a"}}));
}

TEST_F(LectureCsv, TableNeuvePuisRechargeeRemplacee)
{
    EXPECT_EQ(table.Separateur(), ';');
    EXPECT_EQ(table.NbRangees(), 0u);
    EXPECT_TRUE(table[0].empty());
    // An empty table saves as an empty file, over an existing one.
    EcritCsv(Chemin("vide.csv"), "ancien contenu");
    ASSERT_TRUE(table.Sauve(Chemin("vide.csv")));
    EXPECT_EQ(LitCsv(Chemin("vide.csv")), "");

    ChargeOctets("a;b;c;d\r\n1\r\n2\r\n");
    ChargeOctets("x\r\n");
    EXPECT_EQ(Rangees(table), (Table{{"x"}}));
    EXPECT_EQ(table.NbColonnes(), 1u);
    ChargeOctets("");
    EXPECT_EQ(table.NbRangees(), 0u);
    EXPECT_EQ(table.NbColonnes(), 0u);
}

}  // namespace
