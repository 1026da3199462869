// Labels sorted by class: school level first (TPS to CM2, then other classes,
// then none), French order with numbers as numbers, accents and case only
// breaking ties, then the child, then the parent, file order kept between
// equals.

#include "TriEtiquettes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// UTF-8 literal to Windows-1252 bytes (the Latin-1 letters are the same).
std::string Cp(const char* utf8)
{
    return QString::fromUtf8(utf8).toLatin1().toStdString();
}

CleTri Cle(const char* classe, const char* enfant = "", const char* responsable = "")
{
    return {Cp(classe), Cp(enfant), Cp(responsable)};
}

TEST(OrdreTri, ClasseEnfantPuisResponsable)
{
    const struct {
        const char* cas;
        std::vector<CleTri> cles;
        std::vector<size_t> ordre;
    } cas[] = {
        {"ordre de l'école",
         {Cle("CM2"), Cle("CE1"), Cle("CP"), Cle("CE2"), Cle("CM1"), Cle("GS")},
         {5, 2, 1, 3, 4, 0}},
        {"maternelle avant l'élémentaire",
         {Cle("CP"), Cle("GS"), Cle("MS"), Cle("PS"), Cle("TPS")}, {4, 3, 2, 1, 0}},
        {"casse et séparateurs ignorés, classe double par son premier niveau",
         {Cle("cm-1"), Cle("C.P."), Cle("CE2-CM1"), Cle("ce 1"), Cle("TPS/PS")},
         {4, 1, 3, 2, 0}},
        {"dans un niveau : le reste du nom, nombres comme des nombres",
         {Cle("CM1 B"), Cle("CM1 10"), Cle("CM1 A"), Cle("CM1 2"), Cle("CM1")},
         {4, 3, 1, 2, 0}},
        {"puis les classes sans niveau connu, puis les électeurs sans classe",
         {Cle(""), Cle("Ulis"), Cle("CM2"), Cle("Atelier"), Cle("CE12"), Cle(" - ")},
         {2, 3, 4, 1, 0, 5}},
        {"nombres comparés comme des nombres",
         {Cle("Classe 10"), Cle("Classe 9"), Cle("Classe 1"), Cle("CE1 12"), Cle("CE1 2")},
         {4, 3, 2, 1, 0}},
        {"majuscules et accents ignorés d'abord : une seule classe",
         {Cle("cm1", "Bernard"), Cle("CM1", "Claire"), Cle("Cm1 ", "Alain"), Cle("CE2", "Zoé")},
         {3, 2, 0, 1}},
        {"accents ignorés d'abord dans les noms",
         {Cle("CP", "Eric"), Cle("CP", "Élodie"), Cle("CP", "Emma"), Cle("CP", "Ëlle")},
         {3, 1, 2, 0}},
        {"puis le nom du responsable",
         {Cle("CP", "Lina", "Martin"), Cle("CP", "Lina", "Durand"), Cle("CP", "Anna", "Zola")},
         {2, 1, 0}},
        {"clés égales : ordre du fichier",
         {Cle("CP", "Lina", "Martin"), Cle("CE1"), Cle("CP", "Lina", "Martin"),
          Cle("CP", "Lina", "Martin")},
         {0, 2, 3, 1}},
        {"classe vide à la fin", {Cle("CP"), Cle(""), Cle("CE1")}, {0, 2, 1}},
        {"lettres propres à Windows-1252", {Cle("CP", "Pierre"), {"CP", "\x8C" "uf", ""}},
         {1, 0}},  // Œuf, read as "oeuf"
        {"aucun électeur", {}, {}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(OrdreTri(c.cles), c.ordre) << c.cas;
}

TEST(OrdreTri, OrdreParClasseDesRangeesDeLaTable)
{
    // The columns out of their list order; the last row too short for a class.
    const std::string octets = Cp(
        "id;nom enfant 1;classe enfant 1;nom responsable\r\n"
        "1;MARTIN;CM1;MARTIN\r\n2;ABEL;CE2;ABEL\r\n3;MARTIN;CM1;DURAND\r\n"
        "4;BÉRANGER;ce2;BÉRANGER\r\n5;ZOLA\r\n");
    QTemporaryDir dossier;
    QFile fichier(dossier.filePath(QStringLiteral("liste.csv")));
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(octets.data(), static_cast<qint64>(octets.size()));
    fichier.close();
    TCSV table;
    ASSERT_TRUE(table.Charge(fichier.fileName()));

    TableIndexChamps index{};
    index[1] = 3;  // parent
    index[6] = 1;  // child
    index[7] = 2;  // class
    EXPECT_EQ(OrdreParClasse(table, index), (std::vector<int32_t>{2, 4, 3, 1, 5}));
    index[7] = index[6] = index[1] = 40;  // past the end of every row
    EXPECT_EQ(OrdreParClasse(table, index), (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

}  // namespace
