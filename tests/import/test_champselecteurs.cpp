#include "ChampsElecteurs.h"
#include "OutilsCsv.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Header cells are Windows-1252 bytes: \xE9 is é, \xC9 is É.
struct CasNom {
    const char* cellule;
    int champ;  // index into ChampsRequis()
    bool correspond;
};

const CasNom kCasNoms[] = {
    {"nom responsable", 1, true},
    {"NOM RESPONSABLE", 1, true},
    {"Nom Responsable", 1, true},
    {"civilit\xE9 responsable", 0, true},
    {"CIVILIT\xC9 RESPONSABLE", 0, true},
    {"Civilit\xC9 responsable", 0, true},
    {"pr\xE9nom responsable", 2, true},
    {"PR\xC9NOM RESPONSABLE", 2, true},
    {"adresse responsable", 3, true},
    {"CP responsable", 4, true},
    {"commune responsable", 5, true},
    {"Nom Enfant 1", 6, true},
    {"CLASSE ENFANT 1", 7, true},
    // Accents count.
    {"prenom responsable", 2, false},
    {"PRENOM RESPONSABLE", 2, false},
    {"civilit\xE8 responsable", 0, false},
    // Blanks count, and the whole cell must match.
    {" nom responsable", 1, false},
    {"nom responsable ", 1, false},
    {"nom  responsable", 1, false},
    {"nomresponsable", 1, false},
    {"nom", 1, false},
    {"nom responsable 2", 1, false},
    {"classe enfant 2", 7, false},
    {"", 1, false},
    // Look-alikes are other characters: soft hyphen, control, no-break
    // space, superscript one, feminine ordinal.
    {"nom responsable\xAD", 1, false},
    {"nom responsable\x01", 1, false},
    {"classe\xA0" "enfant 1", 7, false},
    {"classe enfant \xB9", 7, false},
    {"cl\xAAsse enfant 1", 7, false},
    // A byte-order mark read as Windows-1252 text.
    {"\xEF\xBB\xBF" "civilit\xE9 responsable", 0, false},
};

TEST(ChampsElecteurs, ComparaisonDesNomsDeColonnes)
{
    for (const CasNom& cas : kCasNoms) {
        const QString& nom = ChampsRequis()[static_cast<std::size_t>(cas.champ)];
        EXPECT_EQ(CorrespondChamp(cas.cellule, nom), cas.correspond)
            << '"' << cas.cellule << "\" / " << qPrintable(nom);
    }
}

const Rangee kEnteteOrdonnee{
    "civilit\xE9 responsable", "nom responsable", "pr\xE9nom responsable",
    "adresse responsable", "cp responsable", "commune responsable",
    "nom enfant 1", "classe enfant 1"};

std::array<int32_t, 20> IndexRemplis()
{
    std::array<int32_t, 20> index{};
    index.fill(99);
    return index;
}

TEST(ChampsElecteurs, ToutOrdreParmiDAutresColonnesLePlusAGaucheGagne)
{
    const Rangee entete{
        "INE", "CLASSE ENFANT 1", "Nom Enfant 1", "pays", "commune responsable",
        "NOM RESPONSABLE", "cp responsable", "adresse responsable",
        "Pr\xE9nom responsable", "civilit\xE9 responsable", "nom responsable",
        "classe enfant 1"};
    auto index = IndexRemplis();
    EXPECT_EQ(ChercheChamps(entete, index), -1);
    EXPECT_EQ(std::vector<int32_t>(index.begin(), index.begin() + 9),
              (std::vector<int32_t>{9, 5, 8, 7, 6, 4, 2, 1, 99}));

    index = IndexRemplis();
    EXPECT_EQ(ChercheChamps(kEnteteOrdonnee, index), -1);
    EXPECT_EQ(std::vector<int32_t>(index.begin(), index.begin() + 9),
              (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 99}));
}

TEST(ChampsElecteurs, PremierChampManquantSeulementEtIndexPosterieursIntacts)
{
    struct Cas {
        const char* nom;
        std::vector<std::size_t> retires;  // positions removed from the ordered header
        int manquant;
    };
    const Cas cas[] = {
        {"classe enfant 1 seul", {7}, 7},
        {"nom et cp", {1, 4}, 1},
        {"civilite", {0}, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Rangee entete;
        for (std::size_t i = 0; i < kEnteteOrdonnee.size(); ++i) {
            if (std::find(c.retires.begin(), c.retires.end(), i) == c.retires.end())
                entete.push_back(kEnteteOrdonnee[i]);
        }
        auto index = IndexRemplis();
        EXPECT_EQ(ChercheChamps(entete, index), c.manquant);
        for (int k = 0; k < 20; ++k) {
            if (k < c.manquant)
                EXPECT_EQ(entete[static_cast<std::size_t>(index[k])], kEnteteOrdonnee[k]);
            else
                EXPECT_EQ(index[k], 99) << k;
        }
    }
    auto index = IndexRemplis();
    EXPECT_EQ(ChercheChamps(Rangee{}, index), 0);
    EXPECT_EQ(index, IndexRemplis());
}

TEST(ChampsElecteurs, EnteteLuDansUnFichier)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("liste.csv"));
    TCSV table;

    // Quoted, in capitals, and a voter whose line is short.
    EcritCsv(chemin,
             "\"CIVILIT\xC9 RESPONSABLE\";\"NOM RESPONSABLE\";PR\xC9NOM RESPONSABLE;"
             "adresse responsable;cp responsable;commune responsable;nom enfant 1;"
             "\"classe enfant 1\"\r\nMme;DUPR\xC9;H\xE9l\xE8ne\r\n");
    ASSERT_TRUE(table.Charge(chemin));
    std::array<int32_t, 20> index{};
    EXPECT_EQ(ChercheChamps(table[0], index), -1);
    const Rangee electeur = table[1];
    EXPECT_EQ(electeur[static_cast<std::size_t>(index[2])], "H\xE9l\xE8ne");
    EXPECT_EQ(electeur[static_cast<std::size_t>(index[7])], "");

    // Header only: the table has no voter, the columns are all there.
    EcritCsv(chemin,
             "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;"
             "adresse responsable;cp responsable;commune responsable;nom enfant 1;"
             "classe enfant 1\r\n");
    ASSERT_TRUE(table.Charge(chemin));
    EXPECT_EQ(table.NbRangees(), 1u);

    // A byte-order mark sticks to the first header cell.
    EcritCsv(chemin,
             "\xEF\xBB\xBF" "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;"
             "adresse responsable;cp responsable;commune responsable;nom enfant 1;"
             "classe enfant 1\r\nM.;X;Y;Z;1;V;E;CP\r\n");
    ASSERT_TRUE(table.Charge(chemin));
    index.fill(5);
    EXPECT_EQ(ChercheChamps(table[0], index), 0);
    EXPECT_EQ(index[0], 5);
}

}  // namespace
