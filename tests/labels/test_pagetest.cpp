// The test page: outlines and sample texts on the recording canvas, the
// one-page document on a PDF printer, and the shared document dropped
// half-way.

#include "CanevasEnregistreur.h"
#include "DocumentImpression.h"
#include "LecturePdf.h"
#include "PageTest.h"
#include "Parametres.h"
#include "Ucouleurs.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Appel = CanevasEnregistreur::Appel;
using Genre = CanevasEnregistreur::Genre;

constexpr int kHauteurLigne = 40;  // cell height of the recording canvas

Parametres Defauts()
{
    Parametres p;
    InitParametres(p);
    return p;
}

const std::vector<std::string> kLignesExemple = {
    "El\xe8ve UNTEST Charles", "CM2 Mme Patience", "Mme UNTEST Hildegarde",
    "12, rue des Petits Tests Informatiques", "99999 TESTEVILLE SUR PC"};

// ----------------------------------------------------------------------------
// The page on the recording canvas

struct CasPage {
    const char* nom;
    Parametres p;
    int largeurCoin, hauteurCoin;
    bool texte;  // whether the inner margins leave a text rectangle
};

std::vector<CasPage> CasPages()
{
    Parametres paysage = Defauts();
    paysage.Orientation = true;
    Parametres marges = Defauts();
    marges.MargesInternes = qlRect(400, 50, 300, 50);  // left meets right
    Parametres hautes = Defauts();
    hautes.MargesInternes = qlRect(50, 200, 50, 170);  // top passes bottom
    Parametres impaire = Defauts();
    impaire.LargeurEtiq = 333;
    impaire.HauteurEtiq = 77;
    impaire.NbCols = 2;
    impaire.NbLignes = 1;
    impaire.MargesInternes = qlRect(5, 5, 5, 5);
    return {
        {"defauts", Defauts(), 105, 54, true},
        {"paysage", paysage, 105, 54, true},
        {"marges_sans_largeur", marges, 105, 54, false},
        {"marges_sans_hauteur", hautes, 105, 54, false},
        {"coins_tronques", impaire, 49, 11, true},
    };
}

// Every cell, row by row and left to right: its outline, then the sample
// written line under line in its text rectangle, clipped to it.
TEST(ImprimePageTest, ContourPuisExempleDansChaqueEtiquette)
{
    for (const CasPage& c : CasPages()) {
        SCOPED_TRACE(c.nom);
        CanevasEnregistreur canevas(10, kHauteurLigne);
        ImprimePageTest(canevas, c.p);

        // The calls of each label, from its outline to the next one.
        std::vector<std::vector<Appel>> etiquettes;
        for (const Appel& a : canevas.Appels()) {
            if (a.genre == Genre::RectangleArrondi)
                etiquettes.emplace_back();
            if (!etiquettes.empty())
                etiquettes.back().push_back(a);
        }
        ASSERT_EQ(etiquettes.size(), static_cast<std::size_t>(c.p.NbCols * c.p.NbLignes));

        for (std::size_t k = 0; k < etiquettes.size(); ++k) {
            SCOPED_TRACE(k);
            const int32_t ligne = static_cast<int32_t>(k) / c.p.NbCols;
            const int32_t colonne = static_cast<int32_t>(k) % c.p.NbCols;
            const Appel& contour = etiquettes[k].front();
            EXPECT_EQ(contour.rectangle, CelluleEtiquette(c.p, ligne, colonne));
            EXPECT_EQ(contour.largeurCoin, c.largeurCoin);
            EXPECT_EQ(contour.hauteurCoin, c.hauteurCoin);

            std::vector<Appel> textes;
            std::vector<Appel> clips;
            for (const Appel& a : etiquettes[k]) {
                if (a.genre == Genre::Texte)
                    textes.push_back(a);
                if (a.genre == Genre::Clip)
                    clips.push_back(a);
            }
            if (!c.texte) {
                EXPECT_TRUE(textes.empty());
                EXPECT_TRUE(clips.empty());
                continue;
            }
            const qlRect r = RectangleTexte(c.p, ligne, colonne);
            ASSERT_EQ(clips.size(), 1u);
            EXPECT_EQ(clips[0].rectangle, qlRect(r.left, r.top, r.right + 1, r.bottom));
            // Lines that would start below the rectangle are not written.
            const std::size_t lignes = std::min<std::size_t>(
                kLignesExemple.size(), (r.bottom - r.top + kHauteurLigne - 1) / kHauteurLigne);
            ASSERT_EQ(textes.size(), lignes);
            for (std::size_t i = 0; i < lignes; ++i) {
                EXPECT_EQ(textes[i].octets, kLignesExemple[i]);
                EXPECT_EQ(textes[i].x, r.left);
                EXPECT_EQ(textes[i].y, r.top + kHauteurLigne * static_cast<int>(i + 1));
            }
        }
        EXPECT_EQ(canevas.Profondeur(), 0);
    }
}

TEST(ImprimePageTest, PaysageTourneLaGrilleSansTournerLesEtiquettes)
{
    Parametres p = Defauts();
    p.Orientation = true;
    CanevasEnregistreur canevas(10, kHauteurLigne);
    ImprimePageTest(canevas, p);
    const std::vector<Appel> contours = canevas.Appels(Genre::RectangleArrondi);
    ASSERT_EQ(contours.size(), 24u);
    EXPECT_EQ(contours[0].rectangle, qlRect(40, 0, 740, 360));
    EXPECT_EQ(contours[1].rectangle, qlRect(1130, 0, 1830, 360));
    EXPECT_EQ(contours[3].rectangle, qlRect(40, 248, 740, 608));
    EXPECT_EQ(contours[23].rectangle, qlRect(2220, 1740, 2920, 2100));
}

TEST(ImprimePageTest, StyloBrossePoliceDuFormatEtEtatRendu)
{
    Parametres p = Defauts();
    p.NbCols = 1;
    p.NbLignes = 2;
    p.Fonte.EcrireNom("Courier New");
    p.Fonte.Couleur = Couleurs::clRed;
    p.Fonte.Gras = 1;
    p.ImprimerEnfant = false;  // the print flags play no part
    p.ImprimerAdresse = false;
    CanevasEnregistreur canevas(10, kHauteurLigne);
    ImprimePageTest(canevas, p);

    const std::vector<Appel>& appels = canevas.Appels();
    ASSERT_GE(appels.size(), 4u);
    EXPECT_EQ(appels[0].genre, Genre::Stylo);
    EXPECT_EQ(appels[0].stylo, Canevas::StyleStylo::Plein);
    EXPECT_EQ(appels[0].couleur, Couleurs::clBlack);
    EXPECT_EQ(appels[0].largeur, 1);
    EXPECT_EQ(appels[1].genre, Genre::Brosse);
    EXPECT_EQ(appels[1].brosse, Canevas::StyleBrosse::Plein);
    EXPECT_EQ(appels[1].couleur, Couleurs::clWhite);
    EXPECT_EQ(appels[2].genre, Genre::Sauver);
    EXPECT_EQ(appels[3].genre, Genre::RectangleArrondi);
    EXPECT_EQ(appels.back().genre, Genre::Restaurer);
    // The outlines keep the page's pen and brush: the writer restores them.
    EXPECT_EQ(canevas.EtatCourant().stylo, Canevas::StyleStylo::Plein);
    EXPECT_EQ(canevas.EtatCourant().couleurBrosse, Couleurs::clWhite);

    const std::vector<Appel> textes = canevas.Textes();
    ASSERT_EQ(textes.size(), 10u);
    for (const Appel& a : textes) {
        EXPECT_EQ(a.police.Name, QStringLiteral("Courier New"));
        EXPECT_EQ(a.police.Color, Couleurs::clRed);
        EXPECT_TRUE(a.police.Bold);
    }
}

TEST(ImprimePageTest, GrilleSansEtiquetteDonneLeStyloEtLaBrosseSeulement)
{
    for (const auto& [cols, lignes] : {std::pair{0, 8}, {3, 0}, {-3, -8}}) {
        SCOPED_TRACE(cols);
        Parametres p = Defauts();
        p.NbCols = cols;
        p.NbLignes = lignes;
        CanevasEnregistreur canevas(10, kHauteurLigne);
        ImprimePageTest(canevas, p);
        ASSERT_EQ(canevas.Appels().size(), 2u);
        EXPECT_EQ(canevas.Appels()[0].genre, Genre::Stylo);
        EXPECT_EQ(canevas.Appels()[1].genre, Genre::Brosse);
    }
}

// ----------------------------------------------------------------------------
// The document on a PDF printer

class PageTestPdf : public ::testing::Test {
protected:
    QString Chemin() const { return m_dossier.filePath(QStringLiteral("test.pdf")); }

    // A PDF printer as a print dialog leaves it with "print to file", on A4.
    void PreparerPdf(QPrinter& imprimante, const QString& chemin) const
    {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(chemin);
    }

    QTemporaryDir m_dossier;
};

TEST_F(PageTestPdf, UnePageALaFeuilleDuFormatDansSonOrientation)
{
    struct Cas {
        bool paysage;
        double largeur, hauteur;  // mm
    };
    for (const Cas& c : {Cas{false, 200, 280}, Cas{true, 280, 200}}) {
        SCOPED_TRACE(c.paysage);
        Parametres p = Defauts();
        p.LargeurPage = 2000;
        p.HauteurPage = 2800;
        p.Orientation = c.paysage;
        QPrinter imprimante(QPrinter::HighResolution);
        PreparerPdf(imprimante, Chemin());
        ImprimeTest(imprimante, p);
        EXPECT_EQ(imprimante.docName(), QStringLiteral("Page d'étiquettes de test"));

        const ContenuPdf pdf = LirePdf(Chemin());
        ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
        ASSERT_EQ(pdf.pages.size(), 1u);
        EXPECT_NEAR(pdf.pages[0].largeur, c.largeur, 0.5);
        EXPECT_NEAR(pdf.pages[0].hauteur, c.hauteur, 0.5);
        int charles = 0;
        for (const MotPdf& mot : pdf.pages[0].mots)
            charles += mot.texte == QStringLiteral("Charles");
        EXPECT_EQ(charles, 24);
    }
}

TEST_F(PageTestPdf, GrilleVideDonneUnePageBlanche)
{
    Parametres p = Defauts();
    p.NbLignes = 0;
    QPrinter imprimante(QPrinter::HighResolution);
    PreparerPdf(imprimante, Chemin());
    ImprimeTest(imprimante, p);
    const ContenuPdf pdf = LirePdf(Chemin());
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    ASSERT_EQ(pdf.pages.size(), 1u);
    EXPECT_TRUE(pdf.pages[0].mots.empty());
}

TEST_F(PageTestPdf, FichierImpossibleACreer)
{
    QPrinter imprimante(QPrinter::HighResolution);
    const QString chemin = m_dossier.filePath(QStringLiteral("absent/test.pdf"));
    PreparerPdf(imprimante, chemin);
    try {
        ImprimeTest(imprimante, Defauts());
        FAIL() << "no error raised";
    } catch (const ErreurImpression& erreur) {
        EXPECT_TRUE(erreur.Message().startsWith(QStringLiteral("Impossible de créer le fichier PDF")))
            << erreur.what();
    }
    EXPECT_FALSE(QFile::exists(chemin));
}

// The document both outputs print through: finished, it leaves the PDF;
// left half-way by an exception, it leaves nothing.
TEST_F(PageTestPdf, DocumentAbandonneNeLaissePasDePdf)
{
    for (const bool termine : {true, false}) {
        SCOPED_TRACE(termine);
        QPrinter imprimante(QPrinter::HighResolution);
        PreparerPdf(imprimante, Chemin());
        try {
            DocumentImpression document(imprimante, QStringLiteral("Essai"), false);
            ImprimePageTest(document.NouvellePage(1), Defauts());
            ImprimePageTest(document.NouvellePage(2), Defauts());
            if (!termine)
                throw std::runtime_error("panne");
            document.Termine();
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(QFile::exists(Chemin()), termine);
        if (termine) {
            const ContenuPdf pdf = LirePdf(Chemin());
            ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
            EXPECT_EQ(pdf.pages.size(), 2u);
            ASSERT_TRUE(QFile::remove(Chemin()));
        }
    }
}

}  // namespace
