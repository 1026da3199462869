#include "ChampsElecteurs.h"
#include "GenerateurExtraction.h"
#include "OutilsCsv.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(GenerateurExtraction, MemeGraineMemesOctets)
{
    EXPECT_EQ(GenereExtraction(300, 7), GenereExtraction(300, 7));
    EXPECT_NE(GenereExtraction(300, 7), GenereExtraction(300, 8));
}

TEST(GenerateurExtraction, ExtractionLisibleAvecLesHuitColonnes)
{
    constexpr int N = 2000;
    const std::string octets = GenereExtraction(N, 42);
    ASSERT_GE(octets.size(), 2u);
    EXPECT_EQ(octets.substr(octets.size() - 2), "\r\n");
    EXPECT_TRUE(std::any_of(octets.begin(), octets.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("extraction.csv"));
    EcritCsv(chemin, octets);
    TCSV table;
    ASSERT_TRUE(table.Charge(chemin));
    EXPECT_EQ(table.NbRangees(), static_cast<uint32_t>(N + 1));
    EXPECT_EQ(table.NbColonnes(), static_cast<uint32_t>(NbColonnesExtraction));
    std::array<int32_t, 20> index{};
    EXPECT_EQ(ChercheChamps(table[0], index), -1);

    // Every line is complete, and the awkward cells really occur.
    const Table reference = LectureReference(octets);
    int avecCrLf = 0;
    int avecSeparateur = 0;
    int avecGuillemet = 0;
    for (std::size_t r = 1; r < reference.size(); ++r) {
        EXPECT_FALSE(reference[r][static_cast<std::size_t>(index[1])].empty()) << r;
        for (const std::string& cellule : reference[r]) {
            avecCrLf += cellule.find("\r\n") != std::string::npos;
            avecSeparateur += cellule.find(';') != std::string::npos;
            avecGuillemet += cellule.find('"') != std::string::npos;
        }
    }
    EXPECT_GT(avecCrLf, 0);
    EXPECT_GT(avecSeparateur, 0);
    EXPECT_GT(avecGuillemet, 0);
    EXPECT_EQ(Rangees(table), reference);
    EXPECT_LE(table.MemoireOccupee(), octets.size() * 3 / 2 + TCSV::TailleTampon);
}

}  // namespace
