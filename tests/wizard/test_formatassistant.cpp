// The format wizard driven offscreen through its own widgets, fields found by
// their accessible names as a screen reader finds them: what each page
// refuses and with which message, going back, finishing and cancelling, a
// sheet taken from the catalogue, the test page's preview and the printer's
// calibration. People answer through the Dialogues seam.

#include "DialoguesTest.h"
#include "LecturePdf.h"
#include "PageTest.h"
#include "TAOLButton.h"
#include "TCardinalEdit.h"
#include "TColorButton.h"
#include "TDecimalEdit.h"
#include "THintBox.h"
#include "Wchoixplanche.h"
#include "Wformatassistant.h"
#include "Wreglageimprimante.h"

#include <QButtonGroup>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>

void PrintTo(const QString& texte, std::ostream* os)
{
    *os << '"' << texte.toStdString() << '"';
}

namespace {

using Saisies = std::vector<std::pair<const char*, const char*>>;

class Assistant : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitParametres(m_format);
        m_format.PathFich = QStringLiteral("/ecole/liste.csv");
    }

    TFormatAssistant& Ouvre()
    {
        m_assistant = std::make_unique<TFormatAssistant>(m_dialogues);
        m_assistant->ChargeFormat(m_format);
        m_assistant->show();
        return *m_assistant;
    }

    // The field of the page shown whose accessible name is `nom`.
    QLineEdit* Champ(const char* nom) const
    {
        for (QLineEdit* champ : m_assistant->nb->currentWidget()->findChildren<QLineEdit*>())
            if (champ->accessibleName() == QString::fromUtf8(nom))
                return champ;
        ADD_FAILURE() << "pas de champ " << nom;
        return nullptr;
    }

    static void Tape(QLineEdit* champ, const char* texte)
    {
        champ->setFocus();
        champ->selectAll();
        QTest::keyClick(champ, Qt::Key_Backspace);
        QTest::keyClicks(champ, QString::fromUtf8(texte));
    }

    bool VaALaPage(const QString& page)
    {
        while (m_assistant->PageCourante() != page) {
            const QString avant = m_assistant->PageCourante();
            m_assistant->btSuiv->click();
            if (m_assistant->PageCourante() == avant)
                return false;
        }
        return true;
    }

    // Types into the page shown and presses "Suivant >": the message shown,
    // empty when the next page came.
    QString Suivant(const Saisies& saisies)
    {
        for (const auto& [nom, texte] : saisies)
            if (QLineEdit* champ = Champ(nom))
                Tape(champ, texte);
        m_dialogues.messages.clear();
        const QString avant = m_assistant->PageCourante();
        m_assistant->btSuiv->click();
        EXPECT_EQ(m_assistant->PageCourante() == avant, !m_dialogues.messages.isEmpty());
        return m_dialogues.messages.join(QLatin1Char('|'));
    }

    Parametres m_format;
    DialoguesTest m_dialogues;
    std::unique_ptr<TFormatAssistant> m_assistant;
};

TEST_F(Assistant, FenetrePagesEtEtatDesBoutons)
{
    TFormatAssistant& a = Ouvre();
    EXPECT_EQ(a.windowTitle(), QStringLiteral("Assistant format étiquettes"));
    EXPECT_EQ(a.size(), QSize(624, 472));
    EXPECT_EQ(a.minimumSize(), a.maximumSize());
    EXPECT_FALSE(a.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(a.nb->geometry(), QRect(0, 0, 624, 417));
    EXPECT_EQ(a.btPrec->geometry(), QRect(24, 432, 75, 25));
    EXPECT_EQ(a.btSuiv->geometry(), QRect(120, 432, 75, 25));
    EXPECT_EQ(a.btFermer->geometry(), QRect(480, 432, 75, 25));

    const QStringList pages{"Page", "NombreEtiq", "Etiquette", "MargesInternes",
                            "Decalage", "Fonte", "Merci"};
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(a.nb->widget(i)->objectName(), pages[i]);
        EXPECT_EQ(a.PageCourante(), pages[i]);
        EXPECT_EQ(a.btPrec->isEnabled(), i > 0) << i;
        EXPECT_EQ(a.btSuiv->isVisible(), i < 6) << i;
        EXPECT_EQ(a.btFermer->text(), i < 6 ? QStringLiteral("Annuler") : QStringLiteral("Terminer"));
        a.btSuiv->click();
    }

    // Back, without reading or checking anything.
    a.btPrec->click();
    EXPECT_EQ(a.btFermer->text(), QStringLiteral("Annuler"));
    EXPECT_TRUE(a.btSuiv->isVisible());
    a.btPrec->click();
    Tape(a.edMargeGauche, "99");
    for (int i = 0; i < 4; ++i)
        a.btPrec->click();
    EXPECT_EQ(a.PageCourante(), QStringLiteral("Page"));
    EXPECT_FALSE(a.btPrec->isEnabled());
    EXPECT_TRUE(m_dialogues.messages.isEmpty());
    EXPECT_EQ(a.CopieTravail().MargeGauche, 0);
}

TEST_F(Assistant, TabulationDansLOrdreDesChampsPuisDesBoutons)
{
    TFormatAssistant& a = Ouvre();
    const std::vector<std::vector<QWidget*>> pages = {
        {a.rbA4, a.rbAutre, a.edLargeurPage, a.edHauteurPage, a.rgOrientationItems->button(0),
         a.rgOrientationItems->button(1), a.btPlanche, a.btSuiv},
        {a.edNbLignes, a.edNbCols},
        {a.edHauteurEtiq, a.edLargeurEtiq},
        {a.edMargeInterneHaute, a.edMargeInterneBasse, a.edMargeInterneGauche, a.edMargeInterneDroite},
        {a.edMargeHaute, a.edMargeGauche, a.edMargeDroite, a.edMargeBasse},
        {a.btPolice, a.ColorButton1},
        {a.btApercu, a.btReglage},
    };
    for (std::vector<QWidget*> ordre : pages) {
        if (a.btPrec->isEnabled())
            ordre.push_back(a.btPrec);
        if (a.btPrec->isEnabled() && a.btSuiv->isVisible())
            ordre.push_back(a.btSuiv);
        ordre.push_back(a.btFermer);
        // Once one radio button of a group has had the focus, the group is a
        // single tab stop (the arrows move within it), as Windows users expect.
        ordre.erase(std::remove_if(ordre.begin() + 1, ordre.end(),
                                   [](const QWidget* w) { return !(w->focusPolicy() & Qt::TabFocus); }),
                    ordre.end());
        for (size_t i = 1; i < ordre.size(); ++i) {
            QWidget* suivant = ordre[i - 1]->nextInFocusChain();
            while (!(suivant->focusPolicy() & Qt::TabFocus) || !suivant->isVisible()
                   || !suivant->isEnabled())
                suivant = suivant->nextInFocusChain();
            EXPECT_EQ(suivant, ordre[i]) << a.PageCourante().toStdString() << " " << i;
        }
        a.btSuiv->click();
    }
}

TEST_F(Assistant, EchapEtEntreeNAppuientQueSurLeBoutonQuiALeFocus)
{
    TFormatAssistant& a = Ouvre();
    Tape(a.edLargeurPage, "21,5");  // Enter re-formats it below
    const struct {
        QWidget* focus;
        Qt::Key touche;
        const char* page;
    } cas[] = {
        {a.rbA4, Qt::Key_Escape, "Page"},        {a.edLargeurPage, Qt::Key_Return, "Page"},
        {a.btFermer, Qt::Key_Escape, "Page"},    {a.btSuiv, Qt::Key_Return, "NombreEtiq"},
        {a.edNbLignes, Qt::Key_Enter, "NombreEtiq"}, {a.btPrec, Qt::Key_Enter, "Page"},
    };
    for (const auto& c : cas) {
        c.focus->setFocus();
        QTest::keyClick(c.focus, c.touche);
        EXPECT_TRUE(a.isVisible());
        EXPECT_EQ(a.PageCourante(), QLatin1String(c.page));
    }
    EXPECT_EQ(a.edLargeurPage->text(), QStringLiteral("21,50"));
    a.btFermer->setFocus();
    QTest::keyClick(a.btFermer, Qt::Key_Return);
    EXPECT_FALSE(a.isVisible());
}

TEST_F(Assistant, ChaquePageRefuseSesValeursAuxLimitesAvecSonMessage)
{
    const QString incorrectes = QStringLiteral("Valeurs incorrectes");
    const QString lignes = QStringLiteral("Nombre de lignes incorrect");
    const QString colonnes = QStringLiteral("Nombre de colonnes incorrect");
    const QString larges = QStringLiteral("Les étiquettes sont trop larges pour tenir sur la page.");
    const auto marges = [](const char* lesquelles, const char* exces) {
        return QStringLiteral("Marges '%1' trop importantes: impossible de faire tenir les "
                              "étiquettes sur la page - dépassement de %2 cm")
            .arg(QLatin1String(lesquelles), QLatin1String(exces));
    };
    const struct {
        const char* page;
        bool paysage;
        int32_t colonnes, lignes;
        Saisies saisies;
        QString message;
    } cas[] = {
        {"Page", false, 3, 8, {{"Largeur (cm) :", "100,00"}, {"Hauteur (cm) :", "29,70"}}, {}},
        {"Page", false, 3, 8, {{"Largeur (cm) :", "21,00"}, {"Hauteur (cm) :", "100,00"}}, incorrectes},
        {"Page", false, 3, 8, {{"Largeur (cm) :", "0,00"}, {"Hauteur (cm) :", "29,70"}}, incorrectes},
        {"NombreEtiq", false, 3, 8, {{"Nombre de lignes", "0"}, {"Nombre de colonnes", "3"}}, lignes},
        {"NombreEtiq", false, 3, 8, {{"Nombre de lignes", "101"}}, lignes},
        {"NombreEtiq", false, 3, 8, {{"Nombre de lignes", "100"}, {"Nombre de colonnes", "100"}}, {}},
        {"NombreEtiq", false, 3, 8, {{"Nombre de lignes", "1"}, {"Nombre de colonnes", "0"}}, colonnes},
        {"NombreEtiq", false, 3, 8, {{"Nombre de colonnes", "101"}}, colonnes},
        // Three columns on an upright A4 sheet.
        {"Etiquette", false, 3, 8, {{"Largeur, cm", "7,00"}}, {}},
        {"Etiquette", false, 3, 8, {{"Largeur, cm", "7,01"}}, larges},
        {"Etiquette", false, 3, 8, {{"Hauteur, cm", "3,72"}},
         QStringLiteral("Les étiquettes sont trop hautes pour tenir sur la page.")},
        {"Etiquette", false, 3, 8, {{"Largeur, cm", "0"}},
         QStringLiteral("Largeur ou hauteur de l'étiquette incorrects.")},
        {"Etiquette", false, 3, 8, {{"Largeur, cm", "-7"}}, {}},
        {"MargesInternes", false, 3, 8, {{"Marge gauche (cm)", "3,50"}, {"Marge droite (cm)", "3,50"}},
         QStringLiteral("Les marges droite ou gauche sont trop importantes")},
        {"MargesInternes", false, 3, 8, {{"Marge gauche (cm)", "3,49"}, {"Marge droite (cm)", "3,50"}}, {}},
        {"MargesInternes", false, 3, 8, {{"Marge haute (cm)", "1,80"}, {"Marge basse (cm)", "1,80"}},
         QStringLiteral("Les marges haute ou basse  sont trop importantes")},
        // The defaults fill the upright sheet exactly.
        {"Decalage", false, 3, 8, {}, {}},
        {"Decalage", false, 3, 8, {{"Décalage marge basse  (cm)", "0,51"}}, marges("haute' ou 'basse", "0.01")},
        {"Decalage", false, 3, 8, {{"Décalage marge gauche (cm)", "0,01"}}, marges("gauche' ou 'droite", "0.01")},
        {"Decalage", false, 3, 8, {{"Décalage marge droite (cm)", "1,25"}, {"Décalage marge haute  (cm)", "2"}},
         marges("gauche' ou 'droite", "1.25")},
        // Landscape: the columns lie across the sheet's 29,70 cm between the
        // top and bottom offsets, the rows down its 21 cm between left and right.
        {"Decalage", true, 3, 5, {{"Décalage marge haute  (cm)", "4,00"}, {"Décalage marge basse  (cm)", "4,70"},
                                  {"Décalage marge gauche (cm)", "1,50"}, {"Décalage marge droite (cm)", "1,50"}}, {}},
        {"Decalage", true, 3, 5, {{"Décalage marge haute  (cm)", "4,00"}, {"Décalage marge basse  (cm)", "4,71"}},
         marges("haute' ou 'basse", "0.01")},
        {"Decalage", true, 3, 5, {{"Décalage marge gauche (cm)", "1,50"}, {"Décalage marge droite (cm)", "1,51"}},
         marges("gauche' ou 'droite", "0.01")},
        // Pairing top and bottom with the rows (3 + 18 cm against 21 cm) would
        // accept this, though the columns need 3 + 28 cm across 29,70 cm.
        {"Decalage", true, 4, 5, {{"Décalage marge haute  (cm)", "1,50"}, {"Décalage marge basse  (cm)", "1,50"}},
         marges("haute' ou 'basse", "1.30")},
    };
    for (const auto& c : cas) {
        m_format.Orientation = c.paysage;
        m_format.NbCols = c.colonnes;
        m_format.NbLignes = c.lignes;
        Ouvre();
        ASSERT_TRUE(VaALaPage(QLatin1String(c.page))) << c.page;
        EXPECT_EQ(Suivant(c.saisies), c.message)
            << c.page << " " << (c.saisies.empty() ? "" : c.saisies.back().second);
    }
}

TEST_F(Assistant, TaperUneTailleChoisitAutreEtA4ImposeSaTaille)
{
    m_format.LargeurPage = 2150;
    EXPECT_TRUE(Ouvre().rbAutre->isChecked());
    EXPECT_EQ(m_assistant->edLargeurPage->text(), QStringLiteral("21,50"));

    m_format.LargeurPage = 2100;
    TFormatAssistant& a = Ouvre();
    ASSERT_TRUE(a.rbA4->isChecked());
    Tape(a.edHauteurPage, "5");
    EXPECT_TRUE(a.rbAutre->isChecked());
    a.rbA4->setChecked(true);
    EXPECT_EQ(Suivant({}), QString());
    EXPECT_EQ(a.CopieTravail().LargeurPage, 2100);
    EXPECT_EQ(a.CopieTravail().HauteurPage, 2970);
    EXPECT_EQ(a.edHauteurPage->text(), QStringLiteral("5,00"));  // not read, only re-formatted
}

TEST_F(Assistant, SuivantLitLeChampAyantLeFocusArrondiADeuxDecimales)
{
    // Pressed without the focus leaving the field (keyboard, screen reader):
    // 7,005 is still read as the 7,01 it shows once re-formatted.
    TFormatAssistant& a = Ouvre();
    ASSERT_TRUE(VaALaPage(QStringLiteral("Etiquette")));
    EXPECT_EQ(Suivant({{"Largeur, cm", "7,005"}}),
              QStringLiteral("Les étiquettes sont trop larges pour tenir sur la page."));
    EXPECT_EQ(a.edLargeurEtiq->text(), QStringLiteral("7,01"));
    EXPECT_EQ(a.CopieTravail().LargeurEtiq, 701);
}

TEST_F(Assistant, LePaysageMontreLesDeuxPanneauxExplicatifs)
{
    m_format.NbLignes = 5;  // 8 rows of 3,60 cm do not fit down a turned A4 sheet
    TFormatAssistant& a = Ouvre();
    for (int item : {1, 0}) {
        a.rgOrientationItems->button(item)->click();
        ASSERT_TRUE(VaALaPage(QStringLiteral("NombreEtiq")));
        EXPECT_EQ(a.panPortrait1->isVisible(), item == 1);
        ASSERT_TRUE(VaALaPage(QStringLiteral("Decalage")));
        EXPECT_EQ(a.panPortrait2->isVisible(), item == 1);
        while (a.btPrec->isEnabled())
            a.btPrec->click();
    }
}

TEST_F(Assistant, PoliceDecriteMontreeEtChoisie)
{
    m_format.Fonte.FromString("Arial,10,255,0000,0,1");
    TFormatAssistant& a = Ouvre();
    ASSERT_TRUE(VaALaPage(QStringLiteral("Fonte")));
    EXPECT_EQ(a.lbNomPolice->text(), QStringLiteral("Arial 10"));
    EXPECT_EQ(a.ColorButton1->Color(), 255u);
    EXPECT_EQ(a.ColorButton1->accessibleName(), QStringLiteral("Couleur"));
    EXPECT_EQ(a.lbExemple->text(), QStringLiteral("Ceci est un exemple."));

    // Cancelled: the dialog opened on the font, nothing changes.
    Police proposee;
    m_dialogues.police = [&](const Police& p) { proposee = p; return std::optional<Police>(); };
    a.btPolice->click();
    EXPECT_EQ(proposee.Size, 10);
    EXPECT_EQ(proposee.Color, 255u);
    EXPECT_EQ(a.lbNomPolice->text(), QStringLiteral("Arial 10"));
    // It opened on the family really drawn for "Arial"; OK with that family
    // and a new size keeps the name "Arial".
    EXPECT_EQ(proposee.Name, QFontInfo(QFont(QStringLiteral("Arial"))).family());
    m_dialogues.police = [](Police p) { p.Size = 12; return std::optional<Police>(p); };
    a.btPolice->click();
    EXPECT_EQ(a.CopieTravail().Fonte.ToString(), "Arial,12,255,0000,0,1");

    // Confirmed: the dialog's colour comes with the font.
    m_dialogues.police = [](const Police&) {
        Police p;
        p.Name = QStringLiteral("Liberation Serif");
        p.Size = 14;
        p.Bold = p.Italic = p.Underline = p.StrikeOut = true;
        p.Color = Couleurs::clBlue;
        return std::optional<Police>(p);
    };
    a.btPolice->click();
    EXPECT_EQ(a.lbNomPolice->text(),
              QStringLiteral("Liberation Serif 14 gras italique souligné barré"));
    EXPECT_EQ(a.ColorButton1->Color(), Couleurs::clBlue);
    EXPECT_EQ(a.lbExemple->font().family(), QStringLiteral("Liberation Serif"));
    // A name is shown as it is, even one that looks like a placeholder.
    Fonte marques;
    marques.EcritNom("A%2B");
    EXPECT_EQ(DescriptionFonte(marques), QStringLiteral("A%2B 10"));
    EXPECT_EQ(a.lbExemple->palette().color(QPalette::WindowText), QColor(Qt::blue));

    // The colour button recolours the sample and keeps the rest.
    m_dialogues.couleur = [](uint32_t) { return std::optional<uint32_t>(Couleurs::Rgb(0, 128, 0)); };
    QTest::mouseClick(a.ColorButton1, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(a.CopieTravail().Fonte.ToString(), "Liberation Serif,14,32768,1111,0,1");
    EXPECT_EQ(a.lbExemple->palette().color(QPalette::WindowText), QColor(0, 128, 0));
}

TEST_F(Assistant, LeBoutonDeTestImprimeUnePageSansFermerLAssistant)
{
    TFormatAssistant& a = Ouvre();
    ASSERT_TRUE(VaALaPage(QStringLiteral("Merci")));
    EXPECT_EQ(a.HintBox1->Lines().value(0), QStringLiteral("<b>Imprimer une page de test</b>"));
    EXPECT_EQ(a.HintBox1->Lines().size(), 5);
    EXPECT_EQ(a.HintBox2->Lines().size(), 3);
    EXPECT_EQ(a.btTest->size(), QSize(313, 23));

    QTemporaryDir dossier;
    const struct {
        bool confirme;
        const char* fichier;
        QStringList messages;
    } cas[] = {
        {false, "", {}},
        {true, "test.pdf", {}},
        {true, "", {QStringLiteral("Pas d'imprimante trouvée")}},
    };
    for (const auto& c : cas) {
        m_dialogues.messages.clear();
        QPair<int, int> pages;
        m_dialogues.impression = [&](QPrinter& p) {
            pages = {p.fromPage(), p.toPage()};
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(*c.fichier ? dossier.filePath(QLatin1String(c.fichier)) : QString());
            return c.confirme;
        };
        QTest::mouseClick(a.btTest, Qt::LeftButton, {}, QPoint(20, 10));
        EXPECT_EQ(m_dialogues.dernierChoixImpression, Dialogues::ChoixImpression::PageUnique);
        EXPECT_EQ(pages, qMakePair(1, 1));
        EXPECT_EQ(m_dialogues.messages, c.messages);
        EXPECT_TRUE(a.isVisible());
    }
    EXPECT_EQ(m_dialogues.impressionsDemandees, 3);
}

TEST_F(Assistant, TerminerEcritToutLaCopieEtAnnulerRien)
{
    const Parametres origine = m_format;
    m_dialogues.police = [](const Police& p) {
        Police choisie = p;
        choisie.Name = QStringLiteral("Liberation Mono");
        return std::optional<Police>(choisie);
    };
    for (const bool terminer : {false, true}) {
        TFormatAssistant& a = Ouvre();
        Suivant({{"Largeur (cm) :", "20,00"}, {"Hauteur (cm) :", "28,00"}});
        Suivant({{"Nombre de lignes", "7"}, {"Nombre de colonnes", "2"}});
        Suivant({{"Largeur, cm", "9,5"}});
        Suivant({{"Marge gauche (cm)", "0,25"}});
        Suivant({{"Décalage marge basse  (cm)", "0,10"}});
        a.btPolice->click();
        a.btSuiv->click();
        ASSERT_EQ(a.PageCourante(), QStringLiteral("Merci"));
        if (!terminer)
            a.btPrec->click();  // "Annuler" again, the font chosen is dropped
        a.btFermer->click();
        EXPECT_EQ(a.result(), terminer ? QDialog::Accepted : QDialog::Rejected);
        if (!terminer) {
            EXPECT_EQ(m_format.Fonte, origine.Fonte);
            EXPECT_EQ(m_format.NbLignes, origine.NbLignes);
        }
    }
    EXPECT_EQ(m_format.PathFich, origine.PathFich);
    EXPECT_EQ(m_format.LargeurPage, 2000);
    EXPECT_EQ(m_format.HauteurPage, 2800);
    EXPECT_EQ(m_format.NbLignes, 7);
    EXPECT_EQ(m_format.NbCols, 2);
    EXPECT_EQ(m_format.LargeurEtiq, 950);
    EXPECT_EQ(m_format.MargesInternes, qlRect(25, 50, 50, 50));
    EXPECT_EQ(m_format.MargeBasse, 10);
    EXPECT_EQ(m_format.Fonte.LitNom(), "Liberation Mono");
    EXPECT_EQ(m_format.ImprimerSignature, origine.ImprimerSignature);
}

// The members a catalogue sheet sets: size, orientation, grid, label, offsets.
std::vector<int32_t> Feuille(const Parametres& p)
{
    return {p.LargeurPage, p.HauteurPage, p.Orientation, p.NbCols, p.NbLignes, p.LargeurEtiq,
            p.HauteurEtiq, p.MargeHaute, p.MargeDroite, p.MargeBasse, p.MargeGauche};
}

// What every field shows and which radio buttons are checked.
QStringList Affichage(const TFormatAssistant& a)
{
    QStringList affichage;
    for (QLineEdit* champ : a.nb->findChildren<QLineEdit*>())
        affichage << champ->accessibleName() + QLatin1Char('=') + champ->text();
    for (QRadioButton* bouton : a.nb->findChildren<QRadioButton*>())
        affichage << bouton->text() + (bouton->isChecked() ? QStringLiteral("*") : QString());
    return affichage;
}

// Answers a modal dialog of type D, which `reponse` fills in.
template <typename D>
std::function<int(QDialog&)> Repond(int resultat, std::function<void(D&)> reponse)
{
    return [=](QDialog& dialogue) {
        auto* d = qobject_cast<D*>(&dialogue);
        if (d == nullptr)
            return ADD_FAILURE() << "autre dialogue", int(QDialog::Rejected);
        reponse(*d);
        return resultat;
    };
}

std::function<int(QDialog&)> ChoixPlanche(const char* recherche, int resultat)
{
    return Repond<TChoixPlanche>(resultat, [recherche](TChoixPlanche& d) {
        d.edRecherche->setText(QLatin1String(recherche));
    });
}

TEST_F(Assistant, UnePlancheDuCommerceRemplitLesPagesSuivantesCommeSiElleEtaitTapee)
{
    // Landscape, another size: the sheet is A4 upright. Cancelling, or
    // confirming with nothing chosen, changes nothing.
    m_format.LargeurPage = 2000;
    m_format.Orientation = true;
    m_format.NbLignes = 5;
    const std::vector<int32_t> avery = {2100, 2970, 0, 3, 7, 640, 381, 155, 64, 148, 75};
    for (const auto& [recherche, resultat] : {std::pair("L7160", QDialog::Rejected),
                                               std::pair("zzz", QDialog::Accepted),
                                               std::pair("L7160", QDialog::Accepted)}) {
        TFormatAssistant& a = Ouvre();
        const QStringList avant = Affichage(a);
        m_dialogues.modal = ChoixPlanche(recherche, resultat);
        a.btPlanche->click();
        const bool choisie = resultat == QDialog::Accepted && *recherche == 'L';
        SCOPED_TRACE(choisie);
        EXPECT_EQ(Feuille(a.CopieTravail()), choisie ? avery : Feuille(m_format));
        EXPECT_EQ(Affichage(a) != avant, choisie);
        EXPECT_EQ(a.lbPlanche->text().startsWith(QStringLiteral("Avery L7160 : 21 étiquettes de "
                                                                "64 × 38,1 mm sur 3 colonnes")),
                  choisie);
    }
    TFormatAssistant& a = Ouvre();
    a.btPlanche->click();  // L7160 again
    EXPECT_EQ(a.btPlanche->accessibleName(), QStringLiteral("Choisir une planche du commerce..."));
    EXPECT_TRUE(a.rbA4->isChecked());
    EXPECT_TRUE(a.rgOrientationItems->button(0)->isChecked());
    // Shown on the pages, checked there, and still editable.
    ASSERT_TRUE(VaALaPage(QStringLiteral("Etiquette")));
    EXPECT_EQ(a.edLargeurEtiq->text() + a.edHauteurEtiq->text(), QStringLiteral("6,403,81"));
    EXPECT_EQ(Suivant({{"Largeur, cm", "7,01"}}),
              QStringLiteral("Les étiquettes sont trop larges pour tenir sur la page."));
    Tape(a.edLargeurEtiq, "6,40");
    ASSERT_TRUE(VaALaPage(QStringLiteral("Merci")));
    a.btFermer->click();
    EXPECT_EQ(Feuille(m_format), avery);
    EXPECT_EQ(m_format.MargesInternes, qlRect(50, 50, 50, 50));  // not the sheet's
}

// The test page of the working copy, as ImprimeTest prints it, read back at
// 254 dpi (1 pixel = 0,1 mm).
QImage PageTestImprimee(const QString& pdf, const Parametres& p, const qlPoint& decalage)
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    ImprimeTest(imprimante, p, decalage);
    return RasterisePage(pdf, 1, 254);
}

TEST_F(Assistant, ApercuEtPageDeTestAvecLeReglageGardeMemeSiLAssistantEstAnnule)
{
    EXIGE_OUTILS_PDF();
    TFormatAssistant& a = Ouvre();
    EXPECT_EQ(a.DecalageImprimante(), qlPoint());  // no settings given
    ReglagesImpression reglages{true, 5, 0};
    a.ChargeReglagesImpression(reglages);
    m_dialogues.modal = ChoixPlanche("L7160", QDialog::Accepted);
    a.btPlanche->click();  // the working copy is printed, not the caller's format
    ASSERT_TRUE(VaALaPage(QStringLiteral("Merci")));

    // Opened on the calibration: cancelled, then 2 mm right and 1,5 mm up.
    QStringList montres;
    for (const auto& [x, resultat] : {std::pair("3", QDialog::Rejected),
                                       std::pair("2", QDialog::Accepted)}) {
        m_dialogues.modal = Repond<TReglageImprimante>(resultat, [&, x = x](auto& d) {
            montres << d.edDecalageX->text() + QLatin1Char(';') + d.edDecalageY->text();
            d.edDecalageX->setText(QLatin1String(x));
            d.edDecalageY->setText(QStringLiteral("-1,5"));
        });
        a.btReglage->click();
    }
    EXPECT_EQ(montres, QStringList({"0,5;0,0", "0,5;0,0"}));
    EXPECT_EQ(a.DecalageImprimante(), qlPoint(20, -15));

    // The preview and the test button both print ImprimeTest's page, moved.
    QTemporaryDir dossier;
    m_dialogues.apercu = [&](QPrinter& imprimante, const std::function<void(QPrinter&)>& dessiner) {
        EXPECT_EQ(imprimante.pageLayout().fullRectPoints().size(),
                  QPageSize(QPageSize::A4).sizePoints());  // the format's sheet
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(dossier.filePath(QStringLiteral("apercu.pdf")));
        dessiner(imprimante);
    };
    a.btApercu->click();
    m_dialogues.impression = [&](QPrinter& imprimante) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(dossier.filePath(QStringLiteral("test.pdf")));
        return true;
    };
    QTest::mouseClick(a.btTest, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(m_dialogues.apercus, QStringList{QStringLiteral("Aperçu de la page de test")});
    const QImage attendue =
        PageTestImprimee(dossier.filePath("a.pdf"), a.CopieTravail(), {20, -15});
    EXPECT_EQ(RasterisePage(dossier.filePath(QStringLiteral("apercu.pdf")), 1, 254), attendue);
    EXPECT_EQ(RasterisePage(dossier.filePath(QStringLiteral("test.pdf")), 1, 254), attendue);
    EXPECT_NE(PageTestImprimee(dossier.filePath("0.pdf"), a.CopieTravail(), {}), attendue);

    // The desktop's preview, with neither a printer nor a file, draws it too.
    int pages = 0;
    m_dialogues.apercu = [&](QPrinter& imprimante, const std::function<void(QPrinter&)>& dessiner) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(QString());
        QPrintPreviewWidget apercu(&imprimante);
        QObject::connect(&apercu, &QPrintPreviewWidget::paintRequested,
                         [&dessiner](QPrinter* cible) { dessiner(*cible); });
        apercu.updatePreview();
        pages = apercu.pageCount();
    };
    a.btApercu->click();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(m_dialogues.messages.isEmpty()) << m_dialogues.messages.join('|').toStdString();

    // "Annuler" drops the format, not the printer's calibration.
    a.btPrec->click();
    a.btFermer->click();
    EXPECT_EQ(m_format.NbLignes, 8);
    EXPECT_TRUE(reglages.TriClasse);
    EXPECT_EQ(qlPoint(reglages.DecalageX, reglages.DecalageY), qlPoint(20, -15));
    EXPECT_EQ(a.btApercu->accessibleName(), QStringLiteral("Aperçu de la page de test..."));
    EXPECT_EQ(a.btReglage->accessibleName(), QStringLiteral("Réglage de l'imprimante..."));
}

}  // namespace
