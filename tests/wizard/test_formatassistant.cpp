// The format wizard driven offscreen through its own widgets, page by page:
// what each page shows, what "Suivant >" refuses and with which message,
// going back, finishing and cancelling. People answer through the Dialogues
// seam.

#include "DialoguesTest.h"
#include "TAOLButton.h"
#include "TCardinalEdit.h"
#include "TColorButton.h"
#include "TDecimalEdit.h"
#include "THintBox.h"
#include "Wformatassistant.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failures.
void PrintTo(const QString& texte, std::ostream* os)
{
    *os << '"' << texte.toStdString() << '"';
}

namespace {

const QStringList kPages{"Page", "NombreEtiq", "Etiquette", "MargesInternes",
                         "Decalage", "Fonte", "Merci"};

class Assistant : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitParametres(format_);
        format_.PathFich = QStringLiteral("/ecole/liste.csv");
    }

    // Builds the wizard on the format as it stands and shows it.
    TFormatAssistant& Ouvrir()
    {
        assistant_ = std::make_unique<TFormatAssistant>(dialogues_);
        assistant_->ChargeFormat(format_);
        assistant_->show();
        return *assistant_;
    }

    // Replaces the field's text by typing, one key at a time.
    static void Taper(QLineEdit* champ, const QString& texte)
    {
        champ->setFocus();
        champ->selectAll();
        QTest::keyClick(champ, Qt::Key_Backspace);
        QTest::keyClicks(champ, texte);
    }

    // "Suivant >" until the page is shown; false if a check stopped it.
    bool AllerA(const QString& page)
    {
        while (assistant_->PageCourante() != page) {
            const QString avant = assistant_->PageCourante();
            assistant_->btSuiv->click();
            if (assistant_->PageCourante() == avant)
                return false;
        }
        return true;
    }

    // Types the values on the page shown and presses "Suivant >": the
    // message shown, empty when the next page came.
    QString Suivant(std::initializer_list<std::pair<QLineEdit*, const char*>> saisies)
    {
        for (const auto& [champ, texte] : saisies)
            Taper(champ, QString::fromUtf8(texte));
        dialogues_.messages.clear();
        const QString avant = assistant_->PageCourante();
        assistant_->btSuiv->click();
        if (!dialogues_.messages.isEmpty()) {
            EXPECT_EQ(assistant_->PageCourante(), avant);
            return dialogues_.messages.join(QLatin1Char('|'));
        }
        EXPECT_NE(assistant_->PageCourante(), avant);
        return {};
    }

    Parametres format_;
    DialoguesTest dialogues_;
    std::unique_ptr<TFormatAssistant> assistant_;
};

// --- The window ---------------------------------------------------------

TEST_F(Assistant, FenetreFixeSansBoutonDeFermetureAvecSesSeptPages)
{
    TFormatAssistant& a = Ouvrir();
    EXPECT_EQ(a.windowTitle(), QStringLiteral("Assistant format étiquettes"));
    EXPECT_EQ(a.size(), QSize(624, 472));
    EXPECT_EQ(a.minimumSize(), a.maximumSize());
    EXPECT_FALSE(a.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(a.palette().color(QPalette::Window), QColor(240, 240, 240));
    EXPECT_EQ(a.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(a.font().pointSize(), 8);

    EXPECT_EQ(a.nb->geometry(), QRect(0, 0, 624, 417));
    QStringList noms;
    for (int i = 0; i < a.nb->count(); ++i)
        noms << a.nb->widget(i)->objectName();
    EXPECT_EQ(noms, kPages);

    EXPECT_EQ(a.btPrec->geometry(), QRect(24, 432, 75, 25));
    EXPECT_EQ(a.btSuiv->geometry(), QRect(120, 432, 75, 25));
    EXPECT_EQ(a.btFermer->geometry(), QRect(480, 432, 75, 25));
    for (QPushButton* b : {a.btPrec, a.btSuiv, a.btFermer}) {
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
    }
}

TEST_F(Assistant, EtatDesBoutonsPageParPageEtRetourSansVerification)
{
    TFormatAssistant& a = Ouvrir();
    for (int i = 0; i < kPages.size(); ++i) {
        EXPECT_EQ(a.PageCourante(), kPages[i]);
        const bool merci = kPages[i] == QLatin1String("Merci");
        EXPECT_EQ(a.btPrec->isEnabled(), i > 0) << i;
        EXPECT_EQ(a.btSuiv->isVisible(), !merci) << i;
        EXPECT_EQ(a.btFermer->text(), merci ? QStringLiteral("Terminer") : QStringLiteral("Annuler"));
        a.btSuiv->click();
    }
    EXPECT_EQ(a.PageCourante(), QStringLiteral("Merci"));

    // Back from "Merci" to "Etiquette" with a wrong value on the way: no check.
    a.btPrec->click();
    EXPECT_EQ(a.btFermer->text(), QStringLiteral("Annuler"));
    EXPECT_TRUE(a.btSuiv->isVisible());
    a.btPrec->click();
    Taper(a.edMargeGauche, QStringLiteral("99"));
    a.btPrec->click();
    a.btPrec->click();
    EXPECT_EQ(a.PageCourante(), QStringLiteral("Etiquette"));
    EXPECT_TRUE(dialogues_.messages.isEmpty());
    EXPECT_EQ(a.CopieTravail().MargeGauche, 0);
    for (int i = 0; i < 3; ++i)
        a.btPrec->click();
    EXPECT_EQ(a.PageCourante(), QStringLiteral("Page"));
    EXPECT_FALSE(a.btPrec->isEnabled());
}

TEST_F(Assistant, OrdreDeTabulationDesChampsPuisDesBoutons)
{
    TFormatAssistant& a = Ouvrir();
    const std::vector<std::vector<QWidget*>> ordres = {
        {a.rbA4, a.rbAutre, a.edLargeurPage, a.edHauteurPage, a.rgOrientationItems->button(0),
         a.rgOrientationItems->button(1)},
        {a.edNbLignes, a.edNbCols},
        {a.edHauteurEtiq, a.edLargeurEtiq},
        {a.edMargeInterneHaute, a.edMargeInterneBasse, a.edMargeInterneGauche, a.edMargeInterneDroite},
        {a.edMargeHaute, a.edMargeGauche, a.edMargeDroite, a.edMargeBasse},
        {a.btPolice, a.ColorButton1},
    };
    for (const auto& ordre : ordres) {
        std::vector<QWidget*> attendu = ordre;
        attendu.insert(attendu.end(), {a.btPrec, a.btSuiv, a.btFermer});
        if (!a.btPrec->isEnabled())
            attendu.erase(attendu.end() - 3);
        QWidget* courant = attendu.front();
        for (size_t i = 1; i < attendu.size(); ++i) {
            do
                courant = courant->nextInFocusChain();
            while (!(courant->focusPolicy() & Qt::TabFocus) || !courant->isVisible()
                   || !courant->isEnabled());
            EXPECT_EQ(courant, attendu[i]) << a.PageCourante().toStdString() << " " << i;
        }
        a.btSuiv->click();
    }
}

TEST_F(Assistant, EchapEtEntreeNAppuientQueSurLeBoutonQuiALeFocus)
{
    TFormatAssistant& a = Ouvrir();
    a.activateWindow();
    const struct {
        QWidget* focus;
        Qt::Key touche;
        QString pageAttendue;
    } cas[] = {
        {a.rbA4, Qt::Key_Escape, QStringLiteral("Page")},
        {a.edLargeurPage, Qt::Key_Return, QStringLiteral("Page")},
        {a.edHauteurPage, Qt::Key_Enter, QStringLiteral("Page")},
        {a.btFermer, Qt::Key_Escape, QStringLiteral("Page")},
        {a.btSuiv, Qt::Key_Return, QStringLiteral("NombreEtiq")},
        {a.edNbLignes, Qt::Key_Return, QStringLiteral("NombreEtiq")},
        {a.btPrec, Qt::Key_Enter, QStringLiteral("Page")},
    };
    for (const auto& c : cas) {
        c.focus->setFocus();
        QTest::keyClick(c.focus, c.touche);
        EXPECT_TRUE(a.isVisible()) << c.touche;
        EXPECT_EQ(a.PageCourante(), c.pageAttendue) << c.touche;
    }
    a.btFermer->setFocus();
    QTest::keyClick(a.btFermer, Qt::Key_Return);
    EXPECT_FALSE(a.isVisible());
    EXPECT_EQ(a.result(), QDialog::Rejected);
}

TEST_F(Assistant, ChaqueChampPorteLaLegendeEcriteASonCote)
{
    TFormatAssistant& a = Ouvrir();
    const std::pair<QWidget*, const char*> champs[] = {
        {a.edLargeurPage, "Largeur (cm) :"},
        {a.edHauteurPage, "Hauteur (cm) :"},
        {a.edNbLignes, "Nombre de lignes"},
        {a.edNbCols, "Nombre de colonnes"},
        {a.edLargeurEtiq, "Largeur, cm"},
        {a.edHauteurEtiq, "Hauteur, cm"},
        {a.edMargeInterneHaute, "Marge haute (cm)"},
        {a.edMargeInterneBasse, "Marge basse (cm)"},
        {a.edMargeInterneGauche, "Marge gauche (cm)"},
        {a.edMargeInterneDroite, "Marge droite (cm)"},
        {a.edMargeHaute, "Décalage marge haute  (cm)"},
        {a.edMargeGauche, "Décalage marge gauche (cm)"},
        {a.edMargeDroite, "Décalage marge droite (cm)"},
        {a.edMargeBasse, "Décalage marge basse  (cm)"},
        {a.ColorButton1, "Couleur"},
    };
    for (const auto& [champ, legende] : champs) {
        EXPECT_EQ(champ->accessibleName(), QString::fromUtf8(legende));
        // The same text is on the page beside it.
        bool visible = champ == a.ColorButton1;
        for (const QLabel* label : champ->parentWidget()->findChildren<QLabel*>())
            visible = visible || label->text() == QString::fromUtf8(legende);
        EXPECT_TRUE(visible) << legende;
    }
    EXPECT_EQ(a.edNbLignes->toolTip(), QStringLiteral("Nombre de lignes"));
    EXPECT_EQ(a.edNbCols->toolTip(), QStringLiteral("Nombre de colonnes"));
    EXPECT_EQ(a.edLargeurEtiq->FormatString(), QStringLiteral("2"));
    EXPECT_TRUE(a.edLargeurEtiq->FixedDecimals());
    EXPECT_FALSE(a.edLargeurEtiq->Validate());
    EXPECT_EQ(a.edNbCols->FormatString(), QStringLiteral("%u"));
}

// --- "Page" -------------------------------------------------------------

TEST_F(Assistant, PageChargeeEnA4OuEnAutreSelonLaTaille)
{
    const struct {
        int32_t largeur, hauteur;
        bool paysage;
        bool a4;
        const char *texteLargeur, *texteHauteur;
    } cas[] = {
        {2100, 2970, false, true, "21,00", "29,70"},
        {2150, 2970, true, false, "21,50", "29,70"},
        {2970, 2100, false, false, "29,70", "21,00"},
    };
    for (const auto& c : cas) {
        format_.LargeurPage = c.largeur;
        format_.HauteurPage = c.hauteur;
        format_.Orientation = c.paysage;
        TFormatAssistant& a = Ouvrir();
        EXPECT_EQ(a.rbA4->isChecked(), c.a4) << c.largeur;
        EXPECT_EQ(a.rbAutre->isChecked(), !c.a4) << c.largeur;
        EXPECT_EQ(a.edLargeurPage->text(), QString::fromUtf8(c.texteLargeur));
        EXPECT_EQ(a.edHauteurPage->text(), QString::fromUtf8(c.texteHauteur));
        EXPECT_EQ(a.rgOrientationItems->checkedId(), c.paysage ? 1 : 0);
    }
    // The other fields, in centimetres with two decimals.
    TFormatAssistant& a = Ouvrir();
    EXPECT_EQ(a.edNbLignes->text(), QStringLiteral("8"));
    EXPECT_EQ(a.edNbCols->text(), QStringLiteral("3"));
    EXPECT_EQ(a.edLargeurEtiq->text(), QStringLiteral("7,00"));
    EXPECT_EQ(a.edHauteurEtiq->text(), QStringLiteral("3,60"));
    EXPECT_EQ(a.edMargeHaute->text(), QStringLiteral("0,40"));
    EXPECT_EQ(a.edMargeBasse->text(), QStringLiteral("0,50"));
    EXPECT_EQ(a.edMargeInterneGauche->text(), QStringLiteral("0,50"));
}

TEST_F(Assistant, TaperUneTailleChoisitAutreEtA4ImposeSaTaille)
{
    TFormatAssistant& a = Ouvrir();
    ASSERT_TRUE(a.rbA4->isChecked());
    Taper(a.edHauteurPage, QStringLiteral("5"));
    EXPECT_TRUE(a.rbAutre->isChecked());

    // Back to A4: the fields keep their text, the copy takes 21 × 29,7 cm.
    Taper(a.edLargeurPage, QStringLiteral("3"));
    a.rbA4->setChecked(true);
    EXPECT_EQ(Suivant({}), QString());
    EXPECT_EQ(a.CopieTravail().LargeurPage, 2100);
    EXPECT_EQ(a.CopieTravail().HauteurPage, 2970);
    EXPECT_EQ(a.edLargeurPage->text(), QStringLiteral("3"));
}

TEST_F(Assistant, PageRefuseLesTaillesHorsLimites)
{
    const QString incorrectes = QStringLiteral("Valeurs incorrectes");
    const struct {
        const char *largeur, *hauteur;
        QString message;
        int32_t l, h;
    } cas[] = {
        {"100,00", "29,70", {}, 10000, 2970},
        {"21,00", "100,00", incorrectes, 2100, 10000},
        {"21,00", "99,99", {}, 2100, 9999},
        {"0,00", "29,70", incorrectes, 0, 2970},
        {"21,00", "0", incorrectes, 2100, 0},
        {"0,01", "0,01", {}, 1, 1},
        {"", "29,7", incorrectes, 0, 2970},
    };
    for (const auto& c : cas) {
        TFormatAssistant& a = Ouvrir();
        EXPECT_EQ(Suivant({{a.edLargeurPage, c.largeur}, {a.edHauteurPage, c.hauteur}}), c.message)
            << c.largeur << " x " << c.hauteur;
        EXPECT_EQ(a.CopieTravail().LargeurPage, c.l) << c.largeur;
        EXPECT_EQ(a.CopieTravail().HauteurPage, c.h) << c.hauteur;
    }
}

TEST_F(Assistant, LePaysageMontreLesDeuxPanneauxExplicatifs)
{
    format_.NbLignes = 5;  // 8 rows of 3,60 cm do not fit down a turned A4 sheet
    TFormatAssistant& a = Ouvrir();
    for (int item : {1, 0, 1}) {
        a.rgOrientationItems->button(item)->click();
        ASSERT_EQ(Suivant({}), QString());
        EXPECT_EQ(a.CopieTravail().Orientation, item == 1);
        EXPECT_EQ(a.panPortrait1->isVisible(), item == 1);
        a.btSuiv->click();
        a.btSuiv->click();
        a.btSuiv->click();
        ASSERT_EQ(a.PageCourante(), QStringLiteral("Decalage"));
        EXPECT_EQ(a.panPortrait2->isVisible(), item == 1);
        EXPECT_EQ(a.panPortrait1->size(), QSize(193, 225));
        EXPECT_EQ(a.panPortrait2->size(), QSize(193, 177));
        while (a.PageCourante() != QLatin1String("Page"))
            a.btPrec->click();
    }
}

// --- "NombreEtiq", "Etiquette", "MargesInternes" -------------------------

TEST_F(Assistant, NombreDeLignesEtDeColonnesDe1A100)
{
    const QString lignes = QStringLiteral("Nombre de lignes incorrect");
    const QString colonnes = QStringLiteral("Nombre de colonnes incorrect");
    const struct {
        const char *lignes, *colonnes;
        QString message;
    } cas[] = {
        {"0", "3", lignes},     {"101", "3", lignes}, {"1", "1", {}},
        {"8", "0", colonnes},   {"8", "101", colonnes}, {"0", "0", lignes},
        {"4294967295", "3", lignes}, {"", "3", lignes},
    };
    for (const auto& c : cas) {
        TFormatAssistant& a = Ouvrir();
        ASSERT_TRUE(AllerA(QStringLiteral("NombreEtiq")));
        EXPECT_EQ(Suivant({{a.edNbLignes, c.lignes}, {a.edNbCols, c.colonnes}}), c.message)
            << c.lignes << " x " << c.colonnes;
    }
    // 100 by 100 passes this page (the label size is checked on the next).
    TFormatAssistant& a = Ouvrir();
    ASSERT_TRUE(AllerA(QStringLiteral("NombreEtiq")));
    EXPECT_EQ(Suivant({{a.edNbLignes, "100"}, {a.edNbCols, "100"}}), QString());
    EXPECT_EQ(a.CopieTravail().NbLignes, 100);
}

TEST_F(Assistant, TailleDUneEtiquetteSurLaFeuille)
{
    const QString larges = QStringLiteral("Les étiquettes sont trop larges pour tenir sur la page.");
    const QString hautes = QStringLiteral("Les étiquettes sont trop hautes pour tenir sur la page.");
    const struct {
        const char *largeur, *hauteur;
        QString message;
    } cas[] = {
        {"7,00", "3,60", {}},
        {"7,01", "3,60", larges},
        {"7,00", "3,71", {}},
        {"7,00", "3,72", hautes},
        {"0", "3,60", QStringLiteral("Largeur ou hauteur de l'étiquette incorrects.")},
        {"7,00", "0,00", QStringLiteral("Largeur ou hauteur de l'étiquette incorrects.")},
        {"-7,00", "3,60", {}},
        {"1000000", "3,60", larges},
    };
    for (const auto& c : cas) {
        TFormatAssistant& a = Ouvrir();
        ASSERT_TRUE(AllerA(QStringLiteral("Etiquette")));
        EXPECT_EQ(Suivant({{a.edLargeurEtiq, c.largeur}, {a.edHauteurEtiq, c.hauteur}}), c.message)
            << c.largeur << " x " << c.hauteur;
    }
}

TEST_F(Assistant, MargesInternesLaissentUnRectangleDeTexte)
{
    const struct {
        const char *gauche, *droite, *haute, *basse;
        QString message;
    } cas[] = {
        {"3,50", "3,50", "0,50", "0,50", QStringLiteral("Les marges droite ou gauche sont trop importantes")},
        {"3,49", "3,50", "0,50", "0,50", {}},
        {"0,50", "0,50", "1,80", "1,80", QStringLiteral("Les marges haute ou basse  sont trop importantes")},
        {"-1,00", "7,99", "1,79", "1,80", {}},
    };
    for (const auto& c : cas) {
        TFormatAssistant& a = Ouvrir();
        ASSERT_TRUE(AllerA(QStringLiteral("MargesInternes")));
        EXPECT_EQ(Suivant({{a.edMargeInterneGauche, c.gauche}, {a.edMargeInterneDroite, c.droite},
                           {a.edMargeInterneHaute, c.haute}, {a.edMargeInterneBasse, c.basse}}),
                  c.message)
            << c.gauche << " " << c.droite << " " << c.haute << " " << c.basse;
    }
    TFormatAssistant& a = Ouvrir();
    ASSERT_TRUE(AllerA(QStringLiteral("MargesInternes")));
    Suivant({{a.edMargeInterneGauche, "0,1"}, {a.edMargeInterneHaute, "0,2"},
             {a.edMargeInterneDroite, "0,3"}, {a.edMargeInterneBasse, "0,4"}});
    EXPECT_EQ(a.CopieTravail().MargesInternes, qlRect(10, 20, 30, 40));
}

// --- "Decalage" ---------------------------------------------------------

TEST_F(Assistant, DecalageExactPasseEtUnCentiemeDeTropEstRefuse)
{
    const auto message = [](const char* marges, const char* exces) {
        return QStringLiteral("Marges '%1' trop importantes: impossible de faire tenir les "
                              "étiquettes sur la page - dépassement de %2 cm")
            .arg(QLatin1String(marges), QLatin1String(exces));
    };
    const struct {
        bool paysage;
        int32_t colonnes, lignes;
        const char *haute, *basse, *gauche, *droite;
        QString message;
    } cas[] = {
        {false, 3, 8, "0,40", "0,50", "0,00", "0,00", {}},
        {false, 3, 8, "0,40", "0,51", "0,00", "0,00", message("haute' ou 'basse", "0.01")},
        {false, 3, 8, "0,40", "0,50", "0,01", "0,00", message("gauche' ou 'droite", "0.01")},
        {false, 3, 8, "0,40", "0,50", "1,00", "0,25", message("gauche' ou 'droite", "1.25")},
        // Landscape: the columns lie across the sheet's 29,70 cm between the
        // top and bottom offsets, the rows down its 21 cm between the left and
        // right ones.
        {true, 3, 5, "4,00", "4,70", "1,50", "1,50", {}},
        {true, 3, 5, "4,00", "4,71", "0,00", "0,00", message("haute' ou 'basse", "0.01")},
        {true, 3, 5, "0,40", "0,50", "1,50", "1,51", message("gauche' ou 'droite", "0.01")},
        // Pairing the top and bottom offsets with the rows (3 + 18 cm against
        // 21 cm) would accept this, though four columns and 3 cm of offsets
        // need 31 cm across.
        {true, 4, 5, "1,50", "1,50", "0,00", "0,00", message("haute' ou 'basse", "1.30")},
    };
    for (const auto& c : cas) {
        format_.Orientation = c.paysage;
        format_.NbCols = c.colonnes;
        format_.NbLignes = c.lignes;
        TFormatAssistant& a = Ouvrir();
        ASSERT_TRUE(AllerA(QStringLiteral("Decalage")));
        EXPECT_EQ(Suivant({{a.edMargeHaute, c.haute}, {a.edMargeBasse, c.basse},
                           {a.edMargeGauche, c.gauche}, {a.edMargeDroite, c.droite}}),
                  c.message)
            << c.paysage << " " << c.haute << " " << c.basse << " " << c.gauche << " " << c.droite;
    }
}

// --- "Fonte" ------------------------------------------------------------

TEST_F(Assistant, PoliceDecriteMontreeEtChoisieDansLeDialogue)
{
    format_.Fonte.FromString("Arial,10,255,1000,0,1");
    TFormatAssistant& a = Ouvrir();
    ASSERT_TRUE(AllerA(QStringLiteral("Fonte")));
    EXPECT_EQ(a.lbNomPolice->text(), QStringLiteral("Arial 10 gras"));
    EXPECT_EQ(a.ColorButton1->Color(), 255u);
    EXPECT_EQ(a.lbExemple->text(), QStringLiteral("Ceci est un exemple."));
    EXPECT_EQ(a.lbExemple->geometry(), QRect(0, 168, 624, 249));
    EXPECT_TRUE(a.lbExemple->font().bold());

    // Cancelled: nothing changes.
    Police proposee;
    dialogues_.police = [&](const Police& p) {
        proposee = p;
        return std::optional<Police>();
    };
    a.btPolice->click();
    EXPECT_EQ(proposee.Name, QStringLiteral("Arial"));
    EXPECT_EQ(proposee.Size, 10);
    EXPECT_TRUE(proposee.Bold);
    EXPECT_EQ(proposee.Color, 255u);
    EXPECT_EQ(a.lbNomPolice->text(), QStringLiteral("Arial 10 gras"));

    // Confirmed: the dialog's colour comes with the font.
    dialogues_.police = [](const Police&) {
        Police p;
        p.Name = QStringLiteral("Liberation Serif");
        p.Size = 14;
        p.Italic = p.Underline = p.StrikeOut = true;
        p.Color = Couleurs::clBlue;
        return std::optional<Police>(p);
    };
    a.btPolice->click();
    EXPECT_EQ(a.lbNomPolice->text(), QStringLiteral("Liberation Serif 14 italique souligné barré"));
    EXPECT_EQ(a.ColorButton1->Color(), Couleurs::clBlue);
    EXPECT_EQ(a.lbExemple->font().family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(a.lbExemple->font().pointSize(), 14);
    EXPECT_EQ(a.lbExemple->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(a.CopieTravail().Fonte.ToString(), "Liberation Serif,14,16711680,0111,0,1");

    // The colour button recolours, keeping the rest.
    dialogues_.couleur = [](uint32_t) { return std::optional<uint32_t>(Couleurs::Rgb(0, 128, 0)); };
    QTest::mouseClick(a.ColorButton1, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(dialogues_.couleursDemandees, 1);
    EXPECT_EQ(a.CopieTravail().Fonte.Couleur, Couleurs::Rgb(0, 128, 0));
    EXPECT_EQ(a.lbExemple->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(a.lbNomPolice->text(), QStringLiteral("Liberation Serif 14 italique souligné barré"));
}

TEST(DescriptionFonte, NomTailleEtStylesDansLOrdre)
{
    const std::pair<const char*, const char*> cas[] = {
        {"Arial,10,0,0000,0,1", "Arial 10"},
        {"Times New Roman,12,0,1100,0,1", "Times New Roman 12 gras italique"},
        {"Arial,8,0,1111,0,1", "Arial 8 gras italique souligné barré"},
        {"Arial,-3,0,0010,0,1", "Arial -3 souligné"},
    };
    for (const auto& [texte, attendu] : cas) {
        Fonte fonte;
        fonte.FromString(texte);
        EXPECT_EQ(DescriptionFonte(fonte), QString::fromUtf8(attendu));
    }
}

// --- "Merci" and closing ------------------------------------------------

TEST_F(Assistant, MerciMontreLAideEtLeBoutonDeTest)
{
    TFormatAssistant& a = Ouvrir();
    ASSERT_TRUE(AllerA(QStringLiteral("Merci")));
    ASSERT_EQ(a.HintBox1->Lines().size(), 5);
    EXPECT_EQ(a.HintBox1->Lines()[0], QStringLiteral("<b>Imprimer une page de test</b>"));
    EXPECT_EQ(a.HintBox1->Lines()[1], QString());
    EXPECT_TRUE(a.HintBox1->Lines()[2].contains(QStringLiteral("<b>normale</b>")));
    ASSERT_EQ(a.HintBox2->Lines().size(), 3);
    EXPECT_TRUE(a.HintBox2->Lines()[2].contains(QStringLiteral("section  \"MARGES INTERNES\"")));
    EXPECT_EQ(a.btTest->Caption(), QStringLiteral("Imprimer une page de test..."));
    EXPECT_EQ(a.btTest->size(), QSize(313, 23));
    EXPECT_EQ(a.btTest->Color(), 10840372u);
    EXPECT_EQ(a.btTest->RaiseColor(), 14131850u);
    for (const QWidget* w : {static_cast<QWidget*>(a.HintBox1), static_cast<QWidget*>(a.HintBox2),
                             static_cast<QWidget*>(a.btTest)})
        EXPECT_TRUE(QRect(0, 0, 624, 417).contains(w->geometry())) << w->metaObject()->className();
}

TEST_F(Assistant, LeBoutonDeTestImprimeLaCopieSansFermerLAssistant)
{
    TFormatAssistant& a = Ouvrir();
    ASSERT_TRUE(AllerA(QStringLiteral("Merci")));
    QTemporaryDir dossier;
    const struct {
        bool confirme;
        bool pdf;
        QStringList messages;
    } cas[] = {
        {false, false, {}},
        {true, true, {}},
        {true, false, {QStringLiteral("Pas d'imprimante trouvée")}},
    };
    for (const auto& c : cas) {
        dialogues_.messages.clear();
        int de = 0, a2 = 0;
        dialogues_.impression = [&](QPrinter& p) {
            de = p.fromPage();
            a2 = p.toPage();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(c.pdf ? dossier.filePath(QStringLiteral("test.pdf")) : QString());
            return c.confirme;
        };
        const int avant = dialogues_.impressionsDemandees;
        QTest::mouseClick(a.btTest, Qt::LeftButton, {}, QPoint(20, 10));
        EXPECT_EQ(dialogues_.impressionsDemandees, avant + 1);
        EXPECT_EQ(dialogues_.dernierChoixImpression, Dialogues::ChoixImpression::PageUnique);
        EXPECT_EQ(de, 1);
        EXPECT_EQ(a2, 1);
        EXPECT_EQ(dialogues_.messages, c.messages);
        EXPECT_TRUE(a.isVisible());
        EXPECT_EQ(a.PageCourante(), QStringLiteral("Merci"));
    }
}

TEST_F(Assistant, TerminerEcritToutLaCopieEtAnnulerNeTouchePasAuFormat)
{
    const Parametres origine = format_;
    const auto modifier = [this](TFormatAssistant& a) {
        a.rbAutre->setChecked(true);
        Suivant({{a.edLargeurPage, "20,00"}, {a.edHauteurPage, "28,00"}});
        Suivant({{a.edNbLignes, "7"}, {a.edNbCols, "2"}});
        Suivant({{a.edLargeurEtiq, "9,5"}});
        Suivant({{a.edMargeInterneGauche, "0,25"}});
        Suivant({{a.edMargeBasse, "0,10"}});
        dialogues_.police = [](const Police& p) {
            Police choisie = p;
            choisie.Name = QStringLiteral("Liberation Mono");
            return std::optional<Police>(choisie);
        };
        a.btPolice->click();
        a.btSuiv->click();
        ASSERT_EQ(a.PageCourante(), QStringLiteral("Merci"));
    };

    // Back from "Merci" then "Annuler": nothing of it reaches the format.
    {
        TFormatAssistant& a = Ouvrir();
        modifier(a);
        a.btPrec->click();
        a.btFermer->click();
        EXPECT_EQ(a.result(), QDialog::Rejected);
        EXPECT_EQ(format_.Fonte, origine.Fonte);
        EXPECT_EQ(format_.LargeurPage, origine.LargeurPage);
        EXPECT_EQ(format_.NbLignes, origine.NbLignes);
    }
    // "Terminer": everything, with what the wizard does not edit.
    TFormatAssistant& a = Ouvrir();
    modifier(a);
    a.btFermer->click();
    EXPECT_EQ(a.result(), QDialog::Accepted);
    EXPECT_EQ(format_.PathFich, origine.PathFich);
    EXPECT_EQ(format_.LargeurPage, 2000);
    EXPECT_EQ(format_.HauteurPage, 2800);
    EXPECT_EQ(format_.NbLignes, 7);
    EXPECT_EQ(format_.NbCols, 2);
    EXPECT_EQ(format_.LargeurEtiq, 950);
    EXPECT_EQ(format_.MargesInternes, qlRect(25, 50, 50, 50));
    EXPECT_EQ(format_.MargeBasse, 10);
    EXPECT_EQ(format_.Fonte.LireNom(), "Liberation Mono");
    EXPECT_EQ(format_.ImprimerAdresse, origine.ImprimerAdresse);
    EXPECT_EQ(format_.ImprimerSignature, origine.ImprimerSignature);
}

}  // namespace
