// The label print job: checks, label texts, page layout, page ranges, the
// printer states and a real PDF read back.

#include "CanevasEnregistreur.h"
#include "CompteRenduImpression.h"
#include "ExtractionChargee.h"
#include "ImpressionEtiquettes.h"
#include "LecturePdf.h"
#include "PageEtiquettes.h"
#include "Parametres.h"
#include "Ucouleurs.h"
#include "Ucsv.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <iterator>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

using Appel = CanevasEnregistreur::Appel;
using Genre = CanevasEnregistreur::Genre;

constexpr int kHauteurLigne = 40;  // cell height of the recording canvas

// Header with the eight columns out of their list order among others, so the
// column positions are not their list indexes.
const Rangee kEntete = {"identifiant",  "nom enfant 1",       "classe enfant 1",
                        "nom responsable", "prénom responsable", "civilité responsable",
                        "adresse responsable", "cp responsable", "commune responsable",
                        "divers"};
// Positions of the required columns in kEntete, in list order.
const TableIndexChamps kIndex = {5, 3, 4, 6, 7, 8, 1, 2};

struct Electeur {
    std::string civilite = "Mme";
    std::string nom = "DURAND";
    std::string prenom = "Julie";
    std::string adresse = "3 rue Haute";
    std::string cp = "69001";
    std::string commune = "LYON";
    std::string enfant = "DURAND";
    std::string classe = "CE1";
};

Rangee RangeeDe(const Electeur& e)
{
    return {"x", e.enfant, e.classe, e.nom, e.prenom, e.civilite, e.adresse, e.cp, e.commune, "y"};
}

std::string Guillemets(const std::string& cellule)
{
    std::string resultat = "\"";
    for (const char c : cellule) {
        resultat += c;
        if (c == '"')
            resultat += '"';
    }
    return resultat + "\"";
}

// A table loaded from a file written with every cell quoted.
class TableTemporaire {
public:
    explicit TableTemporaire(const std::vector<Rangee>& rangees)
    {
        std::string octets;
        for (const Rangee& r : rangees) {
            for (std::size_t i = 0; i < r.size(); ++i)
                octets += (i ? ";" : "") + Guillemets(r[i]);
            octets += "\r\n";
        }
        const QString chemin = m_dossier.filePath(QStringLiteral("liste.csv"));
        QFile fichier(chemin);
        EXPECT_TRUE(fichier.open(QIODevice::WriteOnly));
        fichier.write(octets.data(), static_cast<qint64>(octets.size()));
        fichier.close();
        EXPECT_TRUE(m_table.Charge(chemin));
    }
    const TCSV& Table() const { return m_table; }

private:
    QTemporaryDir m_dossier;
    TCSV m_table;
};

// n voters whose child is "EnfantK" and surname "NomK", K their table row.
std::vector<Rangee> Liste(int n)
{
    std::vector<Rangee> rangees{kEntete};
    for (int k = 1; k <= n; ++k) {
        Electeur e;
        e.enfant = "Enfant" + std::to_string(k);
        e.nom = "Nom" + std::to_string(k);
        rangees.push_back(RangeeDe(e));
    }
    return rangees;
}

Parametres Defauts()
{
    Parametres p;
    InitParametres(p);
    return p;
}

// The label texts as the writer drew them, put back together: one entry per
// text rectangle (by its left edge and first baseline), lines rebuilt from
// their baselines, empty lines included.
std::string TexteDessine(const std::vector<Appel>& textes, int haut)
{
    std::map<int, std::string> lignes;
    for (const Appel& a : textes)
        lignes[(a.y - haut) / kHauteurLigne - 1] += a.octets;
    std::string texte;
    int suivante = 0;
    for (const auto& [numero, octets] : lignes) {
        for (; suivante < numero; ++suivante)
            texte += "\r\n";
        texte += (numero ? "\r\n" : "") + octets;
        suivante = numero + 1;
    }
    return texte;
}

std::string SansFinDeLigne(std::string texte)
{
    if (texte.size() >= 2 && texte.compare(texte.size() - 2, 2, "\r\n") == 0)
        texte.resize(texte.size() - 2);
    return texte;
}

// ----------------------------------------------------------------------------
// The text of a label

struct CasComposition {
    const char* nom;
    bool enfant, classe, adresse, signature;
    Electeur electeur;
    std::string attendu;
};

Electeur AvecCivilite(const std::string& civilite)
{
    Electeur e;
    e.civilite = civilite;
    return e;
}

Electeur AvecAdresse(const std::string& adresse)
{
    Electeur e;
    e.adresse = adresse;
    return e;
}

const std::vector<CasComposition>& CasCompositions()
{
    static const std::vector<CasComposition> cas = {
        {"defauts", true, true, true, false, Electeur{},
         "DURAND\r\nCE1\r\nMme DURAND Julie\r\n3 rue Haute\r\n69001 LYON"},
        {"tous", true, true, true, true, Electeur{},
         "DURAND\r\nCE1\r\nMme DURAND Julie\r\n3 rue Haute\r\n69001 LYON\r\nSignature :"},
        {"signature_sans_adresse", true, true, false, true, Electeur{},
         "DURAND\r\nCE1\r\nMme DURAND Julie\r\n\r\nSignature :"},
        {"aucun", false, false, false, false, Electeur{}, "Mme DURAND Julie\r\n"},
        {"enfant_seul", true, false, false, false, Electeur{}, "DURAND\r\nMme DURAND Julie\r\n"},
        {"classe_seule", false, true, false, false, Electeur{}, "CE1\r\nMme DURAND Julie\r\n"},
        {"civilite_M", false, false, false, false, AvecCivilite("M"), "M. DURAND Julie\r\n"},
        {"civilite_Mme", false, false, false, false, AvecCivilite("Mme"), "Mme DURAND Julie\r\n"},
        {"civilite_m", false, false, false, false, AvecCivilite("m"), "m DURAND Julie\r\n"},
        {"civilite_M_blanc", false, false, false, false, AvecCivilite("M "),
         "M  DURAND Julie\r\n"},
        {"civilite_M_point", false, false, false, false, AvecCivilite("M."),
         "M. DURAND Julie\r\n"},
        {"civilite_vide", false, false, false, false, AvecCivilite(""), " DURAND Julie\r\n"},
        {"adresse_sur_deux_lignes", false, false, true, false, AvecAdresse("Bât. B\r\n3 rue Haute"),
         "Mme DURAND Julie\r\nBât. B\r\n3 rue Haute\r\n69001 LYON"},
        {"octets_cp1252", false, false, true, false, AvecAdresse("\xC9" "cole \x9C"),
         "Mme DURAND Julie\r\n\xC9" "cole \x9C\r\n69001 LYON"},
    };
    return cas;
}

Parametres AvecDrapeaux(const CasComposition& c)
{
    Parametres p = Defauts();
    p.ImprimerEnfant = c.enfant;
    p.ImprimerClasse = c.classe;
    p.ImprimerAdresse = c.adresse;
    p.ImprimerSignature = c.signature;
    return p;
}

TEST(ComposeEtiquette, TexteSelonLesDrapeauxEtLesCellules)
{
    for (const CasComposition& c : CasCompositions()) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(ComposeEtiquette(RangeeDe(c.electeur), kIndex, AvecDrapeaux(c)), c.attendu);
    }
}

// The same table, checked on what the writer receives and draws: every line
// at its place, the empty line before the signature included.
TEST(ComposeEtiquette, TexteRemisAuRedacteur)
{
    std::vector<Rangee> rangees{kEntete};
    for (const CasComposition& c : CasCompositions())
        rangees.push_back(RangeeDe(c.electeur));
    const TableTemporaire table(rangees);

    const qlRect rectangle(100, 200, 3000, 2000);
    for (std::size_t i = 0; i < CasCompositions().size(); ++i) {
        const CasComposition& c = CasCompositions()[i];
        SCOPED_TRACE(c.nom);
        const Parametres p = AvecDrapeaux(c);
        const ImpressionEtiquettes job(p, table.Table(), kIndex);
        CanevasEnregistreur canevas(10, kHauteurLigne);
        job.ImprimeEtiquette(canevas, Police(), rectangle, static_cast<int32_t>(i + 1));

        const std::vector<Appel> textes = canevas.Textes();
        ASSERT_FALSE(textes.empty());
        for (const Appel& a : textes)
            EXPECT_EQ(a.x, rectangle.left);
        EXPECT_EQ(TexteDessine(textes, rectangle.top), SansFinDeLigne(c.attendu));
    }
}

// An extraction re-saved with LF line ends has LF alone inside its quoted
// cells: every line break the user typed is a line on the label.
TEST(ComposeEtiquette, SautDeLigneSeulDansUneCelluleDevientUneLigne)
{
    Electeur e;
    e.adresse = "B\xE2timent B\n12 rue Haute";
    e.enfant = "DURAND\r\nL\xE9" "a";  // CR LF stays as it is
    e.commune = "LYON\n";
    const TableTemporaire table({kEntete, RangeeDe(e)});
    const Parametres p = Defauts();
    EXPECT_EQ(ComposeEtiquette(table.Table().Vue(1), kIndex, p),
              "DURAND\r\nL\xE9" "a\r\nCE1\r\nMme DURAND Julie\r\nB\xE2timent B\r\n12 rue Haute\r\n"
              "69001 LYON\r\n");

    const ImpressionEtiquettes job(p, table.Table(), kIndex);
    CanevasEnregistreur canevas(10, kHauteurLigne);
    job.ImprimeEtiquette(canevas, Police(), qlRect(0, 0, 3000, 2000), 1);
    EXPECT_EQ(canevas.OctetsTextes(),
              (std::vector<std::string>{"DURAND", "L\xE9" "a", "CE1", "Mme DURAND Julie",
                                        "B\xE2timent B", "12 rue Haute", "69001 LYON"}));
}

TEST(ComposeEtiquette, PositionHorsDeLaRangeeLueVide)
{
    TableIndexChamps index = kIndex;
    index[1] = 10;          // one past the last cell
    index[2] = -1;
    index[6] = 1'000'000;
    const Parametres p = Defauts();
    EXPECT_EQ(ComposeEtiquette(RangeeDe(Electeur{}), index, p),
              "\r\nCE1\r\nMme  \r\n3 rue Haute\r\n69001 LYON");
    EXPECT_EQ(ComposeEtiquette(Rangee{}, index, p), "\r\n\r\n  \r\n\r\n ");
}

// ----------------------------------------------------------------------------
// Checks before printing, pages and ranges

TEST(RefusImpression, MessagesDansLOrdre)
{
    Parametres sansGrille = Defauts();
    sansGrille.NbCols = 0;
    Parametres negative = Defauts();
    negative.NbCols = -3;
    negative.NbLignes = -8;  // a positive product, yet no label
    Parametres enorme = Defauts();
    enorme.NbCols = 65536;
    enorme.NbLignes = 65536;  // wraps to 0 in 32 bits, yet a real grid

    const QString voyant = QStringLiteral("Impossible d'imprimer: le fichier csv n'est pas chargé.");
    const QString grille = QStringLiteral("Etiquettes non définies");
    const QString extraction = QStringLiteral("Extraction CSV incorrecte");
    struct Cas {
        bool voyant;
        Parametres p;
        uint32_t rangees;
        QString attendu;
    };
    const std::vector<Cas> cas = {
        {false, sansGrille, 0, voyant},
        {false, Defauts(), 25, voyant},
        {true, sansGrille, 0, grille},
        {true, negative, 25, grille},
        {true, Defauts(), 1, extraction},
        {true, Defauts(), 0, extraction},
        {true, Defauts(), 2, QString()},
        // Not "no label" although it wraps to 0 in 32 bits; but no wizard
        // accepts it, and the wizard's message names the page.
        {true, enorme, 2,
         QStringLiteral("Format des étiquettes incorrect (page « Nombre d'étiquettes » de "
                        "l'assistant) : Nombre de lignes incorrect")},
    };
    for (std::size_t i = 0; i < cas.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(RefusImpression(cas[i].voyant, cas[i].p, cas[i].rangees), cas[i].attendu);
    }
}

// The loaded extraction, through one object loaded again and again: a failed
// load keeps what was loaded before; a list without voter is "not loaded" to
// the window and "incorrect" to brivane-pdf.
TEST(ExtractionChargee, EtatApresChaqueChargementEtRefus)
{
    using Etat = ExtractionChargee::Etat;
    using Refus = ExtractionChargee::RefusSansElecteur;
    QTemporaryDir dossier;
    const std::string entete = "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;"
                               "adresse responsable;cp responsable;commune responsable;"
                               "nom enfant 1;classe enfant 1\r\n";
    const std::string electeur = "M;DUPONT;Jean;1 rue;75001;PARIS;Paul;CP\r\n";
    std::string sansCp = entete;
    sansCp.replace(sansCp.find("cp responsable"), 14, "code");
    const QString nonCharge = QStringLiteral("Impossible d'imprimer: le fichier csv n'est pas chargé.");
    const struct {
        const char* octets;  // null: the file does not exist
        Etat etat;
        uint32_t electeurs;
        int erreur;
        QString refusFenetre;
        QString refusLot;
    } cas[] = {
        {nullptr, Etat::Illisible, 0, ENOENT, nonCharge, nonCharge},
        {"bon", Etat::Prete, 2, 0, QString(), QString()},
        {nullptr, Etat::Prete, 2, ENOENT, QString(), QString()},
        {"entete", Etat::SansElecteur, 0, 0, nonCharge, QStringLiteral("Extraction CSV incorrecte")},
        {"sansCp", Etat::ChampManquant, 1, 0, nonCharge, nonCharge},
        {nullptr, Etat::ChampManquant, 1, ENOENT, nonCharge, nonCharge},
    };
    const std::map<std::string, std::string> fichiers = {
        {"bon", entete + electeur + electeur}, {"entete", entete}, {"sansCp", sansCp + electeur}};
    ExtractionChargee extraction;
    EXPECT_EQ(extraction.EtatCourant(), Etat::NonDefini);
    for (std::size_t i = 0; i < std::size(cas); ++i) {
        SCOPED_TRACE(i);
        const QString chemin = dossier.filePath(QString::number(i) + QStringLiteral(".csv"));
        if (cas[i].octets != nullptr) {
            QFile fichier(chemin);
            const std::string& octets = fichiers.at(cas[i].octets);
            ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
            fichier.write(octets.data(), static_cast<qint64>(octets.size()));
        }
        EXPECT_EQ(extraction.Charge(chemin), cas[i].octets != nullptr);
        EXPECT_EQ(extraction.EtatCourant(), cas[i].etat);
        EXPECT_EQ(extraction.NbElecteurs(), cas[i].electeurs);
        EXPECT_EQ(extraction.Erreur(), cas[i].erreur);
        EXPECT_EQ(extraction.RefusImpression(Defauts(), Refus::NonChargee), cas[i].refusFenetre);
        EXPECT_EQ(extraction.RefusImpression(Defauts(), Refus::Incorrecte), cas[i].refusLot);
    }
    EXPECT_EQ(extraction.ChampManquant(), 4);
    EXPECT_TRUE(extraction.MessageChampManquant().startsWith(
        QStringLiteral("Champ non trouvé : cp responsable\n")));
}

TEST(NombrePages, ElecteursDiviseParEtiquettesArrondiAuDessus)
{
    const Parametres p = Defauts();  // 24 labels a page
    EXPECT_EQ(NombrePages(p, 25), 1);
    EXPECT_EQ(NombrePages(p, 26), 2);
    EXPECT_EQ(NombrePages(p, 2), 1);
    EXPECT_EQ(NombrePages(p, 1), 0);
    EXPECT_EQ(NombrePages(p, 0), 0);
    EXPECT_EQ(NombrePages(p, 10'001), 417);
    EXPECT_EQ(NombrePages(p, 4'294'967'295u), 178'956'971);
    Parametres vide = p;
    vide.NbLignes = 0;
    EXPECT_EQ(NombrePages(vide, 25), 0);
}

TEST(PagesAImprimer, PlageDuDialogue)
{
    struct Cas {
        bool plage;
        int depuis, jusqua, nbPages;
        int32_t premiere, derniere;
    };
    const std::vector<Cas> cas = {
        {false, 0, 0, 3, 1, 3},
        {false, 2, 2, 3, 1, 3},   // "all pages" ignores stale numbers
        {true, 2, 2, 3, 2, 2},
        {true, 0, 0, 3, 1, 3},    // a range never filled in
        {true, 3, 2, 3, 3, 2},    // first after last: nothing
        {true, 1, 99, 3, 1, 3},   // no blank pages past the list
        {true, 5, 9, 3, 5, 3},
        {false, 0, 0, 0, 1, 0},
    };
    for (std::size_t i = 0; i < cas.size(); ++i) {
        SCOPED_TRACE(i);
        const PlagePages plage = PagesAImprimer(cas[i].plage, cas[i].depuis, cas[i].jusqua,
                                                cas[i].nbPages);
        EXPECT_EQ(plage.premiere, cas[i].premiere);
        EXPECT_EQ(plage.derniere, cas[i].derniere);
    }
}

TEST(ImprimanteDisponible, TroisEtatsApresLeDialogue)
{
    EXPECT_TRUE(ImprimanteDisponible(QPrinter::NativeFormat, QString()));
    EXPECT_TRUE(ImprimanteDisponible(QPrinter::PdfFormat, QStringLiteral("/tmp/x.pdf")));
    EXPECT_FALSE(ImprimanteDisponible(QPrinter::PdfFormat, QString()));

    QPrinter imprimante;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(QString());
    EXPECT_FALSE(ImprimanteDisponible(imprimante));
    imprimante.setOutputFileName(QStringLiteral("/tmp/etiquettes.pdf"));
    EXPECT_TRUE(ImprimanteDisponible(imprimante));
    imprimante.setOutputFormat(QPrinter::NativeFormat);
    // Without an installed printer Qt keeps the PDF format.
    if (imprimante.outputFormat() == QPrinter::NativeFormat) {
        EXPECT_TRUE(ImprimanteDisponible(imprimante));
    }
}

TEST(AjustePagePdf, FeuilleDuFormatDansSonOrientation)
{
    Parametres p = Defauts();
    p.LargeurPage = 2000;
    p.HauteurPage = 2800;

    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_FALSE(AjustePagePdf(imprimante, p));  // no file: nothing to fit

    imprimante.setOutputFileName(QStringLiteral("/tmp/etiquettes.pdf"));
    ASSERT_TRUE(AjustePagePdf(imprimante, p));
    EXPECT_TRUE(imprimante.fullPage());
    QRectF feuille = imprimante.pageLayout().fullRect(QPageLayout::Millimeter);
    EXPECT_NEAR(feuille.width(), 200.0, 0.01);
    EXPECT_NEAR(feuille.height(), 280.0, 0.01);

    p.Orientation = true;
    ASSERT_TRUE(AjustePagePdf(imprimante, p));
    feuille = imprimante.pageLayout().fullRect(QPageLayout::Millimeter);
    EXPECT_NEAR(feuille.width(), 280.0, 0.01);
    EXPECT_NEAR(feuille.height(), 200.0, 0.01);

    p.LargeurPage = 0;
    EXPECT_FALSE(AjustePagePdf(imprimante, p));
}

// ----------------------------------------------------------------------------
// One page of labels on the recording canvas

std::vector<Appel> TextesCommencantPar(const CanevasEnregistreur& canevas, const std::string& debut)
{
    std::vector<Appel> resultat;
    for (const Appel& a : canevas.Textes()) {
        if (a.octets.rfind(debut, 0) == 0)
            resultat.push_back(a);
    }
    return resultat;
}

TEST(ImprimePage, VingtQuatreElecteursRemplissentLaFeuilleLigneParLigne)
{
    const TableTemporaire table(Liste(24));
    const Parametres p = Defauts();
    ASSERT_EQ(NombrePages(p, table.Table().NbRangees()), 1);
    const ImpressionEtiquettes job(p, table.Table(), kIndex);
    CanevasEnregistreur canevas(10, kHauteurLigne);
    job.ImprimePage(canevas, 1);

    const std::vector<Appel> enfants = TextesCommencantPar(canevas, "Enfant");
    ASSERT_EQ(enfants.size(), 24u);
    for (int k = 0; k < 24; ++k) {
        SCOPED_TRACE(k);
        const qlRect r = RectangleTexte(p, k / 3, k % 3);
        EXPECT_EQ(enfants[static_cast<std::size_t>(k)].octets, "Enfant" + std::to_string(k + 1));
        EXPECT_EQ(enfants[static_cast<std::size_t>(k)].x, r.left);
        EXPECT_EQ(enfants[static_cast<std::size_t>(k)].y, r.top + kHauteurLigne);
    }
    // Each label is clipped to its own text rectangle.
    const std::vector<Appel> clips = canevas.Appels(Genre::Clip);
    ASSERT_EQ(clips.size(), 24u);
    EXPECT_EQ(clips[4].rectangle, qlRect(750, 450, 1351, 710));
}

TEST(ImprimePage, DerniereFeuilleAvecUneSeuleEtiquetteEnHautAGauche)
{
    const TableTemporaire table(Liste(25));
    const Parametres p = Defauts();
    ASSERT_EQ(NombrePages(p, table.Table().NbRangees()), 2);
    const ImpressionEtiquettes job(p, table.Table(), kIndex);
    CanevasEnregistreur canevas(10, kHauteurLigne);
    job.ImprimePage(canevas, 25);

    const std::vector<Appel> textes = canevas.Textes();
    ASSERT_EQ(textes.size(), 5u);
    EXPECT_EQ(textes[0].octets, "Enfant25");
    EXPECT_EQ(textes[2].octets, "Mme Nom25 Julie");
    EXPECT_EQ(textes[0].x, 50);
    EXPECT_EQ(textes[0].y, 90 + kHauteurLigne);
}

TEST(ImprimePage, StyloBrossePoliceEtEtatRendu)
{
    const TableTemporaire table(Liste(3));
    Parametres p = Defauts();
    p.Fonte.EcritNom("Courier New");
    p.Fonte.Taille = 12;
    p.Fonte.Couleur = Couleurs::clRed;
    p.Fonte.Gras = 1;
    const ImpressionEtiquettes job(p, table.Table(), kIndex);
    CanevasEnregistreur canevas(10, kHauteurLigne);
    job.ImprimePage(canevas, 1);

    const std::vector<Appel>& appels = canevas.Appels();
    ASSERT_GE(appels.size(), 3u);
    EXPECT_EQ(appels[0].genre, Genre::Stylo);
    EXPECT_EQ(appels[0].stylo, Canevas::StyleStylo::Plein);
    EXPECT_EQ(appels[0].couleur, Couleurs::clBlack);
    EXPECT_EQ(appels[0].largeur, 1);
    EXPECT_EQ(appels[1].genre, Genre::Brosse);
    EXPECT_EQ(appels[1].brosse, Canevas::StyleBrosse::Plein);
    EXPECT_EQ(appels[1].couleur, Couleurs::clWhite);
    EXPECT_EQ(appels[2].genre, Genre::SauveEtat);
    EXPECT_EQ(appels.back().genre, Genre::RestaureEtat);
    EXPECT_EQ(canevas.Profondeur(), 0);

    const std::vector<Appel> textes = canevas.Textes();
    ASSERT_EQ(textes.size(), 15u);
    for (const Appel& a : textes) {
        EXPECT_EQ(a.police.Name, QStringLiteral("Courier New"));
        EXPECT_EQ(a.police.Color, Couleurs::clRed);
        EXPECT_TRUE(a.police.Bold);
    }
}

TEST(ImprimePage, GrilleVideNiMargesTropGrandesNEcriventRien)
{
    const TableTemporaire table(Liste(5));

    Parametres sansLigne = Defauts();
    sansLigne.NbLignes = 0;
    CanevasEnregistreur vide(10, kHauteurLigne);
    ImpressionEtiquettes(sansLigne, table.Table(), kIndex).ImprimePage(vide, 1);
    ASSERT_EQ(vide.Appels().size(), 2u);  // the pen and the brush only
    EXPECT_EQ(vide.Appels()[1].genre, Genre::Brosse);

    Parametres marges = Defauts();
    marges.MargesInternes = qlRect(400, 50, 300, 50);  // left meets right
    CanevasEnregistreur blanc(10, kHauteurLigne);
    ImpressionEtiquettes(marges, table.Table(), kIndex).ImprimePage(blanc, 1);
    EXPECT_TRUE(blanc.Textes().empty());
    EXPECT_TRUE(blanc.Appels(Genre::Clip).empty());
    EXPECT_EQ(blanc.Profondeur(), 0);
}

TEST(ImprimeEtiquette, RangeeHorsDeLaTableOuRectangleVide)
{
    const TableTemporaire table(Liste(2));
    const Parametres p = Defauts();
    const ImpressionEtiquettes job(p, table.Table(), kIndex);
    CanevasEnregistreur canevas(10, kHauteurLigne);
    job.ImprimeEtiquette(canevas, Police(), qlRect(0, 0, 600, 300), 3);
    job.ImprimeEtiquette(canevas, Police(), qlRect(0, 0, 600, 300), -1);
    job.ImprimeEtiquette(canevas, Police(), qlRect(600, 0, 600, 300), 1);
    job.ImprimeEtiquette(canevas, Police(), qlRect(0, 300, 600, 200), 1);
    EXPECT_TRUE(canevas.Appels().empty());
    job.ImprimeEtiquette(canevas, Police(), qlRect(0, 0, 600, 300), 2);
    EXPECT_EQ(canevas.OctetsTextes().front(), "Enfant2");
}

// A text fits when all of it is written, whole, inside its rectangle (300
// wide). A crowded one may be written from half a point smaller down to 6
// points, at the largest size where it fits. The recording canvas's letters
// keep their width at any size: only the line height follows the size.
TEST(DisposeTexteEtiquette, LaPlusGrandeTailleOuLeTexteTient)
{
    const std::string cinqLignes = "A\r\nB\r\nC\r\nD\r\nE";
    const struct {
        const char* cas;
        std::string texte;
        int hauteur;  // of the rectangle
        bool reduire;
        int32_t demiPoints;
        bool coupe;
    } cas[] = {
        {"tient", "Mme DURAND Julie\r\nLYON", 100, true, 0, false},
        {"coupé en bas (3 × 35 > 100)", "A\r\nB\r\nC", 100, false, 0, true},
        {"coupé à droite", "Mme " + std::string(30, 'X'), 100, false, 0, true},
        {"tient en 8 points seulement", cinqLignes, 140, true, 16, false},
        {"ne tient jamais", cinqLignes, 50, true, 12, true},
    };
    Police police;
    police.Size = 10;
    for (const auto& c : cas) {
        CanevasEnregistreur canevas;
        const qlRect rectangle(0, 0, 300, c.hauteur);
        const DispositionTexte d =
            DisposeTexteEtiquette(canevas, police, rectangle, c.texte, c.reduire);
        EXPECT_EQ(d.DemiPoints, c.demiPoints) << c.cas;
        EXPECT_EQ(d.Coupe, c.coupe) << c.cas;
        EXPECT_TRUE(canevas.Textes().empty()) << c.cas;  // measured, not drawn
        EXPECT_EQ(canevas.Profondeur(), 0) << c.cas;

        EcritTexteEtiquette(canevas, police, rectangle, c.texte, d.DemiPoints);
        const int hauteurLigne = d.DemiPoints > 0 ? d.DemiPoints * 254 / 144 : 35;
        ASSERT_FALSE(canevas.Textes().empty()) << c.cas;
        EXPECT_EQ(canevas.Textes().back().y, hauteurLigne * int(canevas.Textes().size())) << c.cas;
    }
}

// ----------------------------------------------------------------------------
// The document on a printer

// Records the first row of every page instead of, or as well as, drawing it.
class ImpressionObservee : public ImpressionEtiquettes {
public:
    using ImpressionEtiquettes::ImpressionEtiquettes;
    void ImprimePage(Canevas& canevas, int32_t premiereRangee) const override
    {
        premieres.push_back(premiereRangee);
        if (echecALaPage == static_cast<int>(premieres.size()))
            throw std::runtime_error("panne");
        ImpressionEtiquettes::ImprimePage(canevas, premiereRangee);
    }
    mutable std::vector<int32_t> premieres;
    int echecALaPage = 0;
};

class ImprimePdf : public ::testing::Test {
protected:
    QString Chemin() const { return m_dossier.filePath(QStringLiteral("etiquettes.pdf")); }

    // A PDF printer as the print dialog leaves it with "print to file".
    std::unique_ptr<QPrinter> Imprimante(const Parametres& p) const
    {
        auto imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
        imprimante->setOutputFormat(QPrinter::PdfFormat);
        imprimante->setOutputFileName(Chemin());
        AjustePagePdf(*imprimante, p);
        return imprimante;
    }

    QTemporaryDir m_dossier;
};

TEST_F(ImprimePdf, PlageDeuxADeuxImprimeLesRangees25A48)
{
    EXIGE_OUTILS_PDF();
    const TableTemporaire table(Liste(60));
    const Parametres p = Defauts();
    const ImpressionObservee job(p, table.Table(), kIndex);
    const auto imprimante = Imprimante(p);
    imprimante->setPrintRange(QPrinter::PageRange);
    imprimante->setFromTo(2, 2);
    job.Imprime(*imprimante);
    EXPECT_EQ(job.premieres, std::vector<int32_t>{25});
    EXPECT_EQ(imprimante->docName(), QStringLiteral("Etiquettes de la liste électorale"));

    const ContenuPdf pdf = LitPdf(Chemin());
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    ASSERT_EQ(pdf.pages.size(), 1u);
    EXPECT_TRUE(pdf.ContientExactement(QStringLiteral("Enfant"), 25, 48));
}

TEST_F(ImprimePdf, ToutesLesPagesDansLOrdre)
{
    EXIGE_OUTILS_PDF();
    const TableTemporaire table(Liste(50));
    const Parametres p = Defauts();
    const ImpressionObservee job(p, table.Table(), kIndex);
    const auto imprimante = Imprimante(p);
    job.Imprime(*imprimante);
    EXPECT_EQ(job.premieres, (std::vector<int32_t>{1, 25, 49}));
    const ContenuPdf pdf = LitPdf(Chemin());
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    EXPECT_EQ(pdf.pages.size(), 3u);
}

TEST_F(ImprimePdf, PremierePageApresLaDerniereNeProduitRien)
{
    const TableTemporaire table(Liste(60));
    const Parametres p = Defauts();
    const ImpressionObservee job(p, table.Table(), kIndex);
    const auto imprimante = Imprimante(p);
    // The list makes 3 pages; a range starting at page 5 starts after the last.
    imprimante->setPrintRange(QPrinter::PageRange);
    imprimante->setFromTo(5, 9);
    job.Imprime(*imprimante);
    EXPECT_TRUE(job.premieres.empty());
    EXPECT_FALSE(QFile::exists(Chemin()));
}

TEST_F(ImprimePdf, PanneEnCoursDeDocumentNeLaisseAucunFichier)
{
    const TableTemporaire table(Liste(60));
    const Parametres p = Defauts();
    ImpressionObservee job(p, table.Table(), kIndex);
    job.echecALaPage = 2;
    const auto imprimante = Imprimante(p);
    EXPECT_THROW(job.Imprime(*imprimante), std::runtime_error);
    EXPECT_EQ(job.premieres.size(), 2u);  // the job stopped where it failed
    EXPECT_FALSE(QFile::exists(Chemin()));
}

// Runs out of memory when a label's text is drawn, and again whenever the
// state is restored afterwards, as QPainter::restore may when memory is short.
class CanevasSansMemoire : public Canevas {
public:
    explicit CanevasSansMemoire(Canevas& canevas) : m_c(canevas) {}
    void SauveEtat() override { m_c.SauveEtat(); }
    void RestaureEtat() override
    {
        if (m_epuise)
            throw std::bad_alloc();
        m_c.RestaureEtat();
    }
    void IntersecteClip(const qlRect& r) override { m_c.IntersecteClip(r); }
    void ChoisitStylo(StyleStylo s, uint32_t c, int l) override { m_c.ChoisitStylo(s, c, l); }
    void ChoisitBrosse(StyleBrosse s, uint32_t c) override { m_c.ChoisitBrosse(s, c); }
    void RectangleArrondi(const qlRect& r, int l, int h) override { m_c.RectangleArrondi(r, l, h); }
    Police PoliceCourante() const override { return m_c.PoliceCourante(); }
    void ChoisitPolice(const Police& p) override { m_c.ChoisitPolice(p); }
    int HauteurCellule() override { return m_c.HauteurCellule(); }
    int64_t EtendueTexte(const char* t, int n) override { return m_c.EtendueTexte(t, n); }
    int64_t SortieTexte(int, int, const char*, int, int) override
    {
        m_epuise = true;
        throw std::bad_alloc();
    }
    void AlignementLigneDeBase(bool actif) override { m_c.AlignementLigneDeBase(actif); }
    bool EstLettre(unsigned char o) const override { return m_c.EstLettre(o); }

private:
    Canevas& m_c;
    bool m_epuise = false;
};

class ImpressionSansMemoire : public ImpressionEtiquettes {
public:
    using ImpressionEtiquettes::ImpressionEtiquettes;
    void ImprimePage(Canevas& canevas, int32_t premiereRangee) const override
    {
        CanevasSansMemoire panne(canevas);
        ImpressionEtiquettes::ImprimePage(panne, premiereRangee);
    }
};

// A failed restore while the first error is on its way must not end the
// program: the error reaches the caller ("Mémoire insuffisante") and no
// partial file is left.
TEST_F(ImprimePdf, MemoireEpuiseeEnEcrivantUneEtiquette)
{
    const TableTemporaire table(Liste(30));
    const Parametres p = Defauts();
    const ImpressionSansMemoire job(p, table.Table(), kIndex);
    const auto imprimante = Imprimante(p);
    EXPECT_THROW(job.Imprime(*imprimante), std::bad_alloc);
    EXPECT_FALSE(QFile::exists(Chemin()));
}

TEST_F(ImprimePdf, FichierImpossibleACreer)
{
    const TableTemporaire table(Liste(3));
    const Parametres p = Defauts();
    const ImpressionEtiquettes job(p, table.Table(), kIndex);
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(m_dossier.filePath(QStringLiteral("absent/etiquettes.pdf")));
    try {
        job.Imprime(imprimante);
        FAIL() << "no error raised";
    } catch (const ErreurImpression& erreur) {
        EXPECT_TRUE(erreur.Message().startsWith(QStringLiteral("Impossible de créer le fichier PDF")))
            << erreur.what();
    }
}

// A small list on the default format, read back from the PDF: every text
// lies inside its label's text rectangle, on a sheet of the format's size.
void VerifieTextesDansLeursRectangles(const Parametres& p, const ContenuPdf& pdf, int electeurs)
{
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    ASSERT_EQ(pdf.pages.size(), 1u);
    const bool paysage = p.Orientation;
    EXPECT_NEAR(pdf.pages[0].largeur, (paysage ? p.HauteurPage : p.LargeurPage) / 10.0, 0.5);
    EXPECT_NEAR(pdf.pages[0].hauteur, (paysage ? p.LargeurPage : p.HauteurPage) / 10.0, 0.5);

    constexpr double kTolerance = 0.3;  // mm: glyph boxes versus font cells
    for (int k = 0; k < electeurs; ++k) {
        const qlRect r = RectangleTexte(p, k / p.NbCols, k % p.NbCols);
        for (const QString& mot : {QStringLiteral("Enfant%1").arg(k + 1),
                                   QStringLiteral("Nom%1").arg(k + 1)}) {
            SCOPED_TRACE(mot.toStdString());
            const MotPdf* trouve = pdf.Cherche(mot);
            ASSERT_NE(trouve, nullptr);
            if (mot.startsWith(QLatin1String("Enfant"))) {  // first word of its line
                EXPECT_NEAR(trouve->gauche, r.left / 10.0, kTolerance);
            }
            EXPECT_GE(trouve->gauche, r.left / 10.0 - kTolerance);
            EXPECT_GE(trouve->haut, r.top / 10.0 - kTolerance);
            EXPECT_LE(trouve->droite, r.right / 10.0 + kTolerance);
            EXPECT_LE(trouve->bas, r.bottom / 10.0 + kTolerance);
        }
    }
}

TEST_F(ImprimePdf, TextesDesEtiquettesDansLeursRectangles)
{
    EXIGE_OUTILS_PDF();
    constexpr int kElecteurs = 5;
    const TableTemporaire table(Liste(kElecteurs));
    const Parametres p = Defauts();
    ImpressionEtiquettes(p, table.Table(), kIndex).Imprime(*Imprimante(p));
    const ContenuPdf pdf = LitPdf(Chemin());
    VerifieTextesDansLeursRectangles(p, pdf, kElecteurs);
    // The first line of the first label sits one line under the rectangle's top.
    const MotPdf* premier = pdf.Cherche(QStringLiteral("Enfant1"));
    ASSERT_NE(premier, nullptr);
    EXPECT_LT(premier->haut, 9.0 + 2.0);
}

TEST_F(ImprimePdf, PaysageSurLaFeuilleTournee)
{
    EXIGE_OUTILS_PDF();
    constexpr int kElecteurs = 4;
    const TableTemporaire table(Liste(kElecteurs));
    Parametres p = Defauts();
    p.Orientation = true;
    // The printer comes in portrait: the job turns it.
    const auto imprimante = Imprimante(Defauts());
    ImpressionEtiquettes(p, table.Table(), kIndex).Imprime(*imprimante);
    EXPECT_EQ(imprimante->pageLayout().orientation(), QPageLayout::Landscape);
    VerifieTextesDansLeursRectangles(p, LitPdf(Chemin()), kElecteurs);
}

// ----------------------------------------------------------------------------
// Order, start label and calibration

// Every sheet of the job, then one more: the child of each label of a 2 × 2
// grid, "-" for a blank label.
QStringList Feuilles(const ImpressionEtiquettes& job, const Parametres& p)
{
    QStringList feuilles;
    for (int32_t page = 1; page <= job.NombrePages() + 1; ++page) {
        CanevasEnregistreur canevas(10, kHauteurLigne);
        job.ImprimeFeuille(canevas, page);
        QStringList cellules;
        for (int32_t k = 0; k < p.NbCols * p.NbLignes; ++k) {
            const qlRect r = RectangleTexte(p, k / p.NbCols, k % p.NbCols);
            QString enfant = QStringLiteral("-");
            for (const Appel& a : TextesCommencantPar(canevas, "Enfant")) {
                if (a.x == r.left && a.y == r.top + kHauteurLigne)
                    enfant = QString::fromStdString(a.octets).mid(6);
            }
            cellules << enfant;
        }
        feuilles << cellules.join(QLatin1Char(' '));
    }
    return feuilles;
}

// Voters 1 to 5 in classes CM1, CE2, cp, CE2, CE1: by class, CE1 (5), CE2
// (2 and 4), CM1 (1), CP (3).
std::vector<Rangee> ListeDeClasses()
{
    std::vector<Rangee> rangees = Liste(5);
    const char* const classes[] = {"CM1", "CE2", "cp", "CE2", "CE1"};
    for (std::size_t k = 1; k < rangees.size(); ++k)
        rangees[k][2] = classes[k - 1];
    return rangees;
}

TEST(DispositionDesEtiquettes, OrdreEtEtiquetteDeDepart)
{
    const TableTemporaire table(ListeDeClasses());
    Parametres p = Defauts();
    p.NbCols = 2;
    p.NbLignes = 2;
    const struct {
        const char* cas;
        bool tri;
        int64_t debut;
        QStringList feuilles;
    } cas[] = {
        {"fichier, planche neuve", false, 1, {"1 2 3 4", "5 - - -", "- - - -"}},
        {"fichier, à la 3e", false, 3, {"- - 1 2", "3 4 5 -", "- - - -"}},
        {"fichier, à la dernière", false, 4, {"- - - 1", "2 3 4 5", "- - - -"}},
        {"classe, planche neuve", true, 1, {"3 5 2 4", "1 - - -", "- - - -"}},
        {"classe, à la 2e", true, 2, {"- 3 5 2", "4 1 - -", "- - - -"}},
        {"au-delà de la planche : la dernière", false, 9, {"- - - 1", "2 3 4 5", "- - - -"}},
        {"avant la première : la première", true, 0, {"3 5 2 4", "1 - - -", "- - - -"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        OptionsImpression options;
        options.TriClasse = c.tri;
        options.Debut = c.debut;
        const ImpressionEtiquettes job(p, table.Table(), kIndex, options);
        EXPECT_EQ(job.NombrePages(), c.feuilles.size() - 1);
        EXPECT_EQ(Feuilles(job, p), c.feuilles);
    }
}

// What the window says after printing: the labels that carry a voter on the
// pages printed, and where they went.
TEST(CompteRenduImpression, EtiquettesDesPagesImprimeesEtDestination)
{
    const TableTemporaire table(Liste(30));
    const Parametres p = Defauts();  // 24 labels a sheet
    const struct {
        const char* cas;
        int64_t debut;
        PlagePages plage;
        QString pdf;
        QString texte;
    } cas[] = {
        {"tout", 1, {1, 2}, {}, "30 étiquettes sur 2 pages envoyées à l'imprimante"},
        {"deuxième page", 1, {2, 2}, {}, "6 étiquettes sur 1 page envoyées à l'imprimante"},
        {"planche entamée à la 24e", 24, {1, 1}, {}, "1 étiquette sur 1 page envoyée à l'imprimante"},
        {"planche entamée, tout", 24, {1, 3}, QStringLiteral("/d/Etiquettes - liste.pdf"),
         "30 étiquettes sur 3 pages enregistrées dans « /d/Etiquettes - liste.pdf »"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        OptionsImpression options;
        options.Debut = c.debut;
        const ImpressionEtiquettes job(p, table.Table(), kIndex, options);
        EXPECT_EQ(CompteRenduImpression(job.NombreEtiquettes(c.plage),
                                        c.plage.derniere - c.plage.premiere + 1, c.pdf),
                  c.texte);
    }
    EXPECT_EQ(NomPdfPropose(QStringLiteral("/ecole/CSVListeElectorale.CSV")),
              QStringLiteral("/ecole/Etiquettes - CSVListeElectorale.pdf"));
    EXPECT_EQ(NomPdfPropose(QStringLiteral("/ecole/liste 2026.txt")),
              QStringLiteral("/ecole/Etiquettes - liste 2026.txt.pdf"));
}

// The preview paints the pages into pictures: a printer that writes PDF files
// (the only one of a computer without printers) shows every page, with or
// without a file name, and nothing is written. A failure half-way reaches the
// caller and leaves the printer usable for the next drawing.
TEST_F(ImprimePdf, UnApercuMontreLesPagesSansRienEcrire)
{
    const TableTemporaire table(Liste(30));
    const Parametres p = Defauts();
    ImpressionObservee job(p, table.Table(), kIndex);
    for (const bool avecFichier : {false, true}) {
        SCOPED_TRACE(avecFichier);
        QPrinter imprimante(QPrinter::HighResolution);
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        if (avecFichier)
            imprimante.setOutputFileName(Chemin());
        QPrintPreviewWidget apercu(&imprimante);
        int erreurs = 0;
        QObject::connect(&apercu, &QPrintPreviewWidget::paintRequested, [&](QPrinter* cible) {
            try {
                job.Imprime(*cible);
            } catch (const std::exception&) {
                ++erreurs;
            }
        });
        job.echecALaPage = avecFichier ? 0 : 2;
        apercu.updatePreview();
        EXPECT_EQ(erreurs, avecFichier ? 0 : 1);
        job.echecALaPage = 0;
        apercu.updatePreview();
        EXPECT_EQ(erreurs, avecFichier ? 0 : 1);
        EXPECT_EQ(apercu.pageCount(), 2);
        EXPECT_FALSE(QFile::exists(Chemin()));
    }
}

// Outlines are for the screen: the preview shows every label's outline, and
// a red one around a label that loses text; the PDF of the same job carries
// neither, only the text inside its rectangle.
TEST_F(ImprimePdf, LesContoursDeLApercuNAtteignentPasLePdf)
{
    EXIGE_OUTILS_PDF();
    const TableTemporaire table(Liste(2));
    Parametres p = Defauts();
    p.MargesInternes.bottom = 250;  // room for two lines of five
    const ImpressionEtiquettes job(p, table.Table(), kIndex);

    const auto imprimante = Imprimante(p);
    job.Imprime(*imprimante);
    const QImage page = RasterisePage(Chemin(), 1, 254);  // a pixel is 0.1 mm
    ASSERT_FALSE(page.isNull());
    const QRect encre = BoiteEncre(page, 250);
    const qlRect premier = RectangleTexte(p, 0, 0);
    EXPECT_GE(encre.left(), premier.left - 2);
    EXPECT_GE(encre.top(), premier.top - 2);
    EXPECT_LE(encre.right(), RectangleTexte(p, 0, 1).right + 2);
    EXPECT_LE(encre.bottom(), premier.bottom + 2);

    const auto ecran = Imprimante(p);
    QPrintPreviewWidget apercu(ecran.get());
    QObject::connect(&apercu, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* cible) { job.Imprime(*cible); });
    apercu.resize(600, 850);
    apercu.updatePreview();
    apercu.fitInView();
    const QImage vue = apercu.grab().toImage();
    int rouges = 0;
    for (int y = 0; y < vue.height(); ++y)
        for (int x = 0; x < vue.width(); ++x) {
            const QColor c = vue.pixelColor(x, y);
            rouges += c.red() > 180 && c.green() < 100 && c.blue() < 100;
        }
    EXPECT_GT(rouges, 20);
}

}  // namespace
