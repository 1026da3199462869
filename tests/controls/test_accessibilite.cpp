// The custom controls as assistive technologies read them through QAccessible:
// role, name, description, state and actions, what their press action does,
// and what they announce when they change.

#include "TAOLButton.h"
#include "TLabel3D.h"
#include "TLed.h"
#include "TLinkLabel.h"
#include "UnomCouleur.h"
#include "Ucouleurs.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// What the controls announced, caught instead of going to the desktop.
struct Annonce {
    const QObject* objet;
    QAccessible::Event type;
    QAccessible::State changes;
};
std::vector<Annonce>* annonces = nullptr;

void Recoit(QAccessibleEvent* evenement)
{
    if (!annonces)
        return;
    QAccessible::State changes;
    if (evenement->type() == QAccessible::StateChanged)
        changes = static_cast<QAccessibleStateChangeEvent*>(evenement)->changedStates();
    annonces->push_back({evenement->object(), evenement->type(), changes});
}

// What a screen reader's arrival does: Qt only builds interfaces and sends
// events while the platform's accessibility is active.
void ActiveAccessibilite(bool actif)
{
    if (QPlatformAccessibility* plateforme =
            QGuiApplicationPrivate::platformIntegration()->accessibility())
        plateforme->setActive(actif);
}

// Accessibility switched on, as when a screen reader runs: controls are then
// read from the moment they are built.
class Accessibilite : public ::testing::Test {
protected:
    void SetUp() override
    {
        annonces = &m_recues;
        m_precedent = QAccessible::installUpdateHandler(&Recoit);
        ActiveAccessibilite(true);
        ASSERT_TRUE(QAccessible::isActive());
        m_fenetre.resize(300, 100);
    }

    void TearDown() override
    {
        ActiveAccessibilite(false);
        QAccessible::installUpdateHandler(m_precedent);
        annonces = nullptr;
    }

    // The events of `type` that `objet` announced since the last call.
    std::vector<Annonce> Annonces(const QObject* objet, QAccessible::Event type)
    {
        std::vector<Annonce> trouvees;
        for (const Annonce& a : m_recues)
            if (a.objet == objet && a.type == type)
                trouvees.push_back(a);
        return trouvees;
    }

    void Oublie() { m_recues.clear(); }

    static QAccessibleActionInterface* Actions(QWidget* controle)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(controle);
        return accessible ? accessible->actionInterface() : nullptr;
    }

    QWidget m_fenetre;
    std::vector<Annonce> m_recues;
    QAccessible::UpdateHandler m_precedent = nullptr;
};

TAOLButton* Bouton(QWidget* parent, const QString& legende)
{
    auto* bouton = new TAOLButton(parent);
    bouton->SetCap(legende);
    return bouton;
}

// The lamp of the main window.
TLed* Voyant(QWidget* parent, bool allume)
{
    auto* led = new TLed(parent);
    led->SetTrueColor(Couleurs::Rgb(0, 255, 64));
    led->SetFalseColor(Couleurs::clRed);
    led->ChangeBlink(false);
    led->ChangeBorder(false);
    led->ChangeStyle(TLEDStyle::LEDLarge);
    led->ChangeValue(allume);
    return led;
}

template <typename T>
T* Etiquette(QWidget* parent, const QString& texte, bool accelerateurs = true)
{
    auto* label = new T(parent);
    label->setText(texte);
    label->SetShowAccelChar(accelerateurs);
    return label;
}

struct Lecture {
    const char* cas;
    std::function<QWidget*(QWidget*)> creer;
    QAccessible::Role role;
    QString nom;
    QString description;
    bool appuyable;
    bool coche;
    bool indisponible;
};

TEST_F(Accessibilite, ChaqueControleSeLitParSonRoleSonNomEtSonEtat)
{
    const Lecture lectures[] = {
        {"bouton", [](QWidget* p) { return Bouton(p, QStringLiteral("Définir les champs...")); },
         QAccessible::Button, QStringLiteral("Définir les champs..."), QString(), true, false, false},
        {"bouton sans son propre Enabled",
         [](QWidget* p) {
             TAOLButton* b = Bouton(p, QStringLiteral("Quitter"));
             b->SetEnabled(false);
             return b;
         },
         QAccessible::Button, QStringLiteral("Quitter"), QString(), false, false, true},
        {"bouton nommé autrement",
         [](QWidget* p) {
             TAOLButton* b = Bouton(p, QStringLiteral("..."));
             b->setAccessibleName(QStringLiteral("Parcourir"));
             return b;
         },
         QAccessible::Button, QStringLiteral("Parcourir"), QString(), true, false, false},
        {"voyant éteint", [](QWidget* p) { return Voyant(p, false); }, QAccessible::Graphic,
         QStringLiteral("Voyant de contrôle"), QStringLiteral("rouge"), false, false, false},
        {"voyant allumé", [](QWidget* p) { return Voyant(p, true); }, QAccessible::Graphic,
         QStringLiteral("Voyant de contrôle"), QStringLiteral("vert"), false, true, false},
        {"voyant par défaut, nommé",
         [](QWidget* p) {
             auto* led = new TLed(p);
             led->setAccessibleName(QStringLiteral("Voyant d'impression"));
             return led;
         },
         QAccessible::Graphic, QStringLiteral("Voyant d'impression"), QStringLiteral("gris"), false,
         false, false},
        {"titre en relief",
         [](QWidget* p) { return Etiquette<TLabel3D>(p, QStringLiteral("Brivane")); },
         QAccessible::StaticText, QStringLiteral("Brivane"), QString(), false, false, false},
        {"titre à accélérateurs",
         [](QWidget* p) { return Etiquette<TLabel3D>(p, QStringLiteral("&Recherche && Développement")); },
         QAccessible::StaticText, QStringLiteral("Recherche & Développement"), QString(), false, false,
         false},
        {"lien",
         [](QWidget* p) { return Etiquette<TLinkLabel>(p, QStringLiteral("www.education.gouv.fr")); },
         QAccessible::Link, QStringLiteral("www.education.gouv.fr"), QString(), true, false, false},
        {"lien sans accélérateurs",
         [](QWidget* p) { return Etiquette<TLinkLabel>(p, QStringLiteral("Q&R"), false); },
         QAccessible::Link, QStringLiteral("Q&R"), QString(), true, false, false},
    };

    for (const Lecture& l : lectures) {
        SCOPED_TRACE(l.cas);
        const std::unique_ptr<QWidget> parent = std::make_unique<QWidget>(&m_fenetre);
        QWidget* controle = l.creer(parent.get());
        m_fenetre.show();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(controle);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->object(), controle);
        EXPECT_EQ(accessible->role(), l.role);
        EXPECT_EQ(accessible->text(QAccessible::Name), l.nom);
        EXPECT_EQ(accessible->text(QAccessible::Description), l.description);
        EXPECT_EQ(accessible->state().checked, l.coche);
        EXPECT_EQ(accessible->state().disabled, l.indisponible);
        EXPECT_FALSE(accessible->state().focusable);
        EXPECT_EQ(accessible->parent()->object(), parent.get());

        QAccessibleActionInterface* actions = accessible->actionInterface();
        ASSERT_NE(actions, nullptr);
        const QStringList attendues =
            l.appuyable ? QStringList{QAccessibleActionInterface::pressAction()} : QStringList();
        EXPECT_EQ(actions->actionNames(), attendues);
        EXPECT_TRUE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()).isEmpty());
    }
}

struct Appui {
    const char* cas;
    bool active;      // the button's own Enabled flag
    bool modal;       // a modal dialog of another window is open
    int clics;        // OnClick raised by the press action
};

TEST_F(Accessibilite, AppuyerSurUnBoutonLeCliqueQuandLaSourisLePourrait)
{
    const Appui appuis[] = {
        {"bouton actif", true, false, 1},
        {"bouton sans son propre Enabled", false, false, 0},
        {"fenêtre bloquée par un dialogue", true, true, 0},
    };
    for (const Appui& a : appuis) {
        SCOPED_TRACE(a.cas);
        TAOLButton* bouton = Bouton(&m_fenetre, QStringLiteral("Définir les champs..."));
        int clics = 0;
        bool relevePendantLeClic = false;
        bouton->OnClick = [&](TAOLButton* b) {
            ++clics;
            relevePendantLeClic = !b->Enfonce();
        };
        bouton->SetEnabled(a.active);
        m_fenetre.show();
        QDialog dialogue;
        if (a.modal) {
            dialogue.setModal(true);
            dialogue.show();
            ASSERT_EQ(QApplication::activeModalWidget(), &dialogue);
        }

        Actions(bouton)->doAction(QAccessibleActionInterface::pressAction());
        // The technology gets its answer first; the click follows from the event loop.
        EXPECT_EQ(clics, 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(clics, a.clics);
        EXPECT_EQ(relevePendantLeClic, a.clics > 0);
        // Anything but a press is ignored.
        Actions(bouton)->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::processEvents();
        EXPECT_EQ(clics, a.clics);
        delete bouton;
    }
}

TEST_F(Accessibilite, UnBoutonDetruitAvantLeClicDiffereNeCliquePas)
{
    auto* bouton = Bouton(&m_fenetre, QStringLiteral("Quitter"));
    int clics = 0;
    bouton->OnClick = [&clics](TAOLButton*) { ++clics; };
    Actions(bouton)->doAction(QAccessibleActionInterface::pressAction());
    delete bouton;
    QCoreApplication::processEvents();
    EXPECT_EQ(clics, 0);
}

TEST_F(Accessibilite, AppuyerSurUnLienLOuvreCommeUnClic)
{
    struct Cas {
        const char* cas;
        TLinkType type;
        QStringList ouverts;
    };
    const Cas liens[] = {
        {"lien web", TLinkType::ltHTTPS, {QStringLiteral("https://www.education.gouv.fr")}},
        {"simple étiquette cliquable", TLinkType::ltNone, {}},
    };
    for (const Cas& c : liens) {
        SCOPED_TRACE(c.cas);
        auto* lien = Etiquette<TLinkLabel>(&m_fenetre, QStringLiteral("www.education.gouv.fr"));
        lien->SetLinkType(c.type);
        if (c.type != TLinkType::ltNone)
            lien->SetLinkDestination(QStringLiteral("www.education.gouv.fr"));
        QStringList ouverts, sons;
        int clics = 0;
        lien->OuvreLien = [&ouverts](const QString& cible) { ouverts << cible; };
        lien->JoueSon = [&sons](const QString& son) { sons << son; };
        lien->OnClick = [&clics](TLinkLabel*) { ++clics; };

        Actions(lien)->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clics, 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(ouverts, c.ouverts);
        EXPECT_EQ(sons, QStringList{QStringLiteral("MenuPopup")});
        EXPECT_EQ(clics, 1);
        delete lien;
    }
}

TEST_F(Accessibilite, LeVoyantAnnonceChaqueChangementDEtatEtDeCouleur)
{
    TLed* led = Voyant(&m_fenetre, false);
    Oublie();

    struct Etape {
        const char* cas;
        std::function<void()> faire;
        int changementsDEtat;
        int changementsDeDescription;
        QString description;
    };
    const Etape etapes[] = {
        {"allumé", [led] { led->ChangeValue(true); }, 1, 1, QStringLiteral("vert")},
        {"allumé encore", [led] { led->ChangeValue(true); }, 0, 0, QStringLiteral("vert")},
        {"couleur d'extinction changée", [led] { led->SetFalseColor(Couleurs::clBlue); }, 0, 0,
         QStringLiteral("vert")},
        {"couleur d'allumage changée", [led] { led->SetTrueColor(Couleurs::Rgb(255, 200, 0)); }, 0,
         1, QStringLiteral("jaune")},
        {"couleur d'allumage du même nom", [led] { led->SetTrueColor(Couleurs::Rgb(255, 255, 0)); },
         0, 0, QStringLiteral("jaune")},
        {"éteint", [led] { led->ChangeValue(false); }, 1, 1, QStringLiteral("bleu")},
        {"éteint, clignotant", [led] { led->ChangeBlink(true); }, 0, 0, QStringLiteral("bleu")},
    };
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(led);
    for (const Etape& e : etapes) {
        SCOPED_TRACE(e.cas);
        e.faire();
        const std::vector<Annonce> etats = Annonces(led, QAccessible::StateChanged);
        ASSERT_EQ(static_cast<int>(etats.size()), e.changementsDEtat);
        for (const Annonce& a : etats) {
            EXPECT_TRUE(a.changes.checked);
            EXPECT_FALSE(a.changes.disabled);
        }
        EXPECT_EQ(static_cast<int>(Annonces(led, QAccessible::DescriptionChanged).size()),
                  e.changementsDeDescription);
        EXPECT_EQ(accessible->text(QAccessible::Description), e.description);
        Oublie();
    }
    // Blinking alternates the pictures, not the value: nothing to announce.
    int battements = 0;
    led->OnTimer = [&battements](TLed*) { ++battements; };
    led->SetInterval(5);
    ASSERT_TRUE(QTest::qWaitFor([&battements] { return battements >= 3; }, 5000));
    EXPECT_TRUE(Annonces(led, QAccessible::StateChanged).empty());
    EXPECT_TRUE(Annonces(led, QAccessible::DescriptionChanged).empty());
}

TEST_F(Accessibilite, LeBoutonAnnonceSaLegendeEtSaDisponibilite)
{
    TAOLButton* bouton = Bouton(&m_fenetre, QStringLiteral("Quitter"));
    Oublie();
    bouton->SetCap(QStringLiteral("Fermer"));
    bouton->SetCap(QStringLiteral("Fermer"));
    EXPECT_EQ(Annonces(bouton, QAccessible::NameChanged).size(), 1u);
    bouton->SetEnabled(false);
    bouton->SetEnabled(false);
    bouton->SetEnabled(true);
    const std::vector<Annonce> etats = Annonces(bouton, QAccessible::StateChanged);
    ASSERT_EQ(etats.size(), 2u);
    EXPECT_TRUE(etats[0].changes.disabled);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bouton)->text(QAccessible::Name),
              QStringLiteral("Fermer"));
}

TEST(NomCouleur, NommeLesCouleursCommeOnLesDit)
{
    struct Cas {
        uint32_t couleur;
        const char* nom;
    };
    const Cas couleurs[] = {
        {Couleurs::Rgb(0, 255, 64), "vert"},   {Couleurs::clLime, "vert"},
        {Couleurs::Rgb(0, 128, 0), "vert"},    {Couleurs::clRed, "rouge"},
        {Couleurs::Rgb(128, 0, 0), "rouge"},   {Couleurs::Rgb(255, 0, 40), "rouge"},
        {Couleurs::clBlue, "bleu"},            {Couleurs::clNavy, "bleu"},
        {Couleurs::Rgb(52, 105, 165), "bleu"}, {Couleurs::Rgb(255, 255, 0), "jaune"},
        {Couleurs::Rgb(255, 128, 0), "orange"}, {Couleurs::Rgb(139, 69, 19), "marron"},
        {Couleurs::Rgb(0, 255, 255), "turquoise"}, {Couleurs::Rgb(128, 0, 255), "violet"},
        {Couleurs::Rgb(255, 0, 255), "rose"},  {Couleurs::clWhite, "blanc"},
        {Couleurs::clBlack, "noir"},           {Couleurs::Rgb(20, 0, 30), "noir"},
        {Couleurs::clSilver, "gris"},          {Couleurs::Rgb(128, 128, 128), "gris"},
        {Couleurs::clWindowFrame, "noir"},
    };
    for (const Cas& c : couleurs)
        EXPECT_EQ(NomCouleur(c.couleur), QString::fromUtf8(c.nom)) << std::hex << c.couleur;
}

}  // namespace
