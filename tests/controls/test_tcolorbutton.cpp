#include "DialoguesTest.h"
#include "RenduControle.h"
#include "TColorButton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {
QRgb Rgb(uint32_t couleur)
{
    return VersQColor(couleur).rgb();
}

// A shown, active window holding the wizard's 44 x 22 red button.
struct Fenetre {
    QWidget fenetre;
    TColorButton* bouton = new TColorButton(&fenetre);
    DialoguesTest dialogues;
    int changements = 0;

    Fenetre()
    {
        fenetre.resize(120, 60);
        bouton->move(10, 10);
        bouton->SetStateColor(Couleurs::clRed);
        bouton->SetDialogues(&dialogues);
        bouton->OnColorChange = [this](TColorButton* s) {
            EXPECT_EQ(s, bouton);
            ++changements;
        };
        fenetre.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&fenetre));
    }

    void Deplace(const QPoint& p)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), bouton->mapToGlobal(QPointF(p)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bouton, &e);
    }
};
}  // namespace

// Each case lists "x,y colour" with L highlight, F face, S shadow, K black,
// R red, D a focus dot (the face inverted).
TEST(TColorButton, FaceCadresFocusEtPastille)
{
    const QRgb face = Rgb(Couleurs::clBtnFace);
    const std::map<QChar, QRgb> couleurs = {
        {'L', Rgb(Couleurs::clBtnHighlight)}, {'F', face},  {'S', Rgb(Couleurs::clBtnShadow)},
        {'K', qRgb(0, 0, 0)}, {'R', qRgb(255, 0, 0)}, {'D', face ^ 0x00FFFFFFu}};
    enum Etat { Haut, Enfonce, Focus, Inactif };
    const std::pair<Etat, const char*> cas[] = {
        {Haut, "0,0 L 42,0 L 43,0 K 0,21 K 43,21 K 1,1 F 42,1 S 1,20 S 2,2 F 3,10 F "
               "4,4 K 38,16 K 38,4 K 4,16 K 5,5 R 37,15 R 39,17 F"},
        {Enfonce, "0,0 K 43,0 L 43,21 L 1,1 S 42,20 F 3,3 D 4,4 F 5,5 K 39,17 K 6,6 R 38,16 R"},
        {Focus, "2,2 D 3,2 F 40,2 D 41,2 F 2,18 D 40,18 D 39,18 F 2,19 F 5,5 R"},
        {Inactif, "0,0 L 4,4 K 5,5 F 37,15 F"},
    };
    for (const auto& [etat, points] : cas) {
        Fenetre f;
        if (etat == Haut)
            f.bouton->clearFocus();  // the window gives its only control the focus
        if (etat == Enfonce)
            QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(20, 10));
        if (etat == Inactif)
            f.bouton->setEnabled(false);
        QCoreApplication::processEvents();
        const QImage image = Ecran(*f.bouton);
        const QStringList mots = QString::fromLatin1(points).split(' ');
        for (int i = 0; i + 1 < mots.size(); i += 2) {
            const QStringList xy = mots[i].split(',');
            EXPECT_EQ(Pixel(image, xy[0].toInt(), xy[1].toInt()), couleurs.at(mots[i + 1][0]))
                << "état " << etat << " en " << mots[i].toStdString();
        }
        if (etat == Enfonce)
            QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(100, 100));
    }
}

TEST(TColorButton, DialogueAnnuleOuConfirme)
{
    Fenetre f;
    f.bouton->SetCustomColors({"#102030"});
    f.bouton->SetOptions(4);
    uint32_t proposee = 0;
    f.dialogues.couleur = [&](uint32_t initiale) {
        proposee = initiale;
        EXPECT_FALSE(f.bouton->Enfonce());  // drawn up while the dialog is open
        return std::optional<uint32_t>();
    };
    QTest::mouseClick(f.bouton, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(f.dialogues.couleursDemandees, 1);
    EXPECT_EQ(proposee, Couleurs::clRed);
    EXPECT_EQ(f.dialogues.couleursPersoProposees, QStringList{"#102030"});
    EXPECT_EQ(f.dialogues.optionsCouleurProposees, 4);
    EXPECT_EQ(f.bouton->Color(), Couleurs::clRed);
    EXPECT_EQ(f.changements, 0);

    f.dialogues.couleur = [](uint32_t) { return std::optional<uint32_t>(Couleurs::Rgb(1, 2, 3)); };
    QTest::mouseClick(f.bouton, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(f.bouton->Color(), Couleurs::Rgb(1, 2, 3));
    EXPECT_EQ(f.changements, 1);
    EXPECT_EQ(Pixel(Ecran(*f.bouton), 5, 5), qRgb(1, 2, 3));

    f.bouton->SetStateColor(Couleurs::clBlue);  // from code: no event
    EXPECT_EQ(f.changements, 1);
}

TEST(TColorButton, LAppuiSuitLePointeur)
{
    Fenetre f;
    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(f.bouton->Enfonce());
    EXPECT_TRUE(f.bouton->hasFocus());
    f.Deplace({60, 10});
    EXPECT_FALSE(f.bouton->Enfonce());
    EXPECT_EQ(Pixel(Ecran(*f.bouton), 4, 4), qRgb(0, 0, 0));  // up again on screen
    f.Deplace({43, 21});
    EXPECT_TRUE(f.bouton->Enfonce());
    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(20, 22));
    EXPECT_FALSE(f.bouton->Enfonce());
    EXPECT_EQ(f.dialogues.couleursDemandees, 0);

    // Opened as the button goes down with aeMouseDown, and only then.
    f.bouton->SetActivationEvent(TColorButton::TActivationEvent::aeMouseDown);
    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(f.dialogues.couleursDemandees, 1);
    EXPECT_FALSE(f.bouton->Enfonce());
    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(f.dialogues.couleursDemandees, 1);
}

TEST(TColorButton, EspaceEtEntreeInactifIgnore)
{
    Fenetre f;
    f.bouton->setFocus();
    QTest::keyPress(f.bouton, Qt::Key_Space);
    EXPECT_TRUE(f.bouton->Enfonce());
    EXPECT_EQ(f.dialogues.couleursDemandees, 0);
    QTest::keyRelease(f.bouton, Qt::Key_Space);
    EXPECT_FALSE(f.bouton->Enfonce());
    EXPECT_EQ(f.dialogues.couleursDemandees, 1);
    QTest::keyClick(f.bouton, Qt::Key_Return);
    EXPECT_EQ(f.dialogues.couleursDemandees, 2);

    f.bouton->setEnabled(false);
    QTest::keyClick(f.bouton, Qt::Key_Space);
    QTest::keyClick(f.bouton, Qt::Key_Return);
    QTest::mouseClick(f.bouton, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_FALSE(f.bouton->Enfonce());
    EXPECT_EQ(f.dialogues.couleursDemandees, 2);
}

TEST(TColorButton, UnLecteurDEcranLeDecritEtLePresse)
{
    Fenetre f;
    f.bouton->setAccessibleName(QStringLiteral("Couleur"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(f.bouton);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Couleur");
    EXPECT_EQ(accessible->text(QAccessible::Description), "rouge 255, vert 0, bleu 0");

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    f.dialogues.couleur = [](uint32_t) { return std::optional<uint32_t>(Couleurs::clLime); };
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(f.dialogues.couleursDemandees, 1);
    EXPECT_EQ(f.changements, 1);
    EXPECT_EQ(accessible->text(QAccessible::Description), "rouge 0, vert 255, bleu 0");

    f.bouton->setEnabled(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTest::qWait(20);
    EXPECT_EQ(f.dialogues.couleursDemandees, 1);
}
