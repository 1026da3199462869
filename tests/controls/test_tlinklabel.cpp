#include "TLinkLabel.h"

#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
void Entre(QWidget& w)
{
    QEnterEvent entree(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&w, &entree);
}

void Sort(QWidget& w)
{
    QEvent sortie(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &sortie);
}

// A link label whose sounds and openings are written down instead of played.
struct Lien {
    QWidget fenetre;
    TLinkLabel* label = new TLinkLabel(&fenetre);
    std::vector<std::string> sons;
    std::vector<QString> ouverts;
    int clics = 0;

    Lien()
    {
        fenetre.resize(300, 100);
        label->setText(QStringLiteral("www.education.gouv.fr"));
        label->setGeometry(20, 30, 150, 14);
        label->JoueSon = [this](const QString& son) { sons.push_back(son.toStdString()); };
        label->OuvreLien = [this](const QString& cible) { ouverts.push_back(cible); };
        label->OnClick = [this](TLinkLabel* s) {
            EXPECT_EQ(s, label);
            ++clics;
        };
    }
};

QColor CouleurTexte(const QWidget& w)
{
    return w.palette().color(QPalette::WindowText);
}
}  // namespace

TEST(LienHypertexte, DestinationProtocoleEtType)
{
    LienHypertexte lien;
    lien.SetLinkDestination(QStringLiteral("HTTP://WWW.Example.FR"));
    EXPECT_EQ(lien.LinkDestination(), QStringLiteral("www.example.fr"));
    EXPECT_EQ(lien.LinkProtocol(), QStringLiteral("http://"));
    EXPECT_EQ(lien.LinkType(), TLinkType::ltHTTP);

    // Without a prefix the kind and the protocol stay.
    lien.SetLinkType(TLinkType::ltHTTPS);
    lien.SetLinkDestination(QStringLiteral("Www.Education.Gouv.FR"));
    EXPECT_EQ(lien.Cible(), QStringLiteral("https://www.education.gouv.fr"));

    lien.SetLinkDestination(QStringLiteral("MailTo:Directeur@Ecole.FR"));
    EXPECT_EQ(lien.LinkType(), TLinkType::ltMAILTO);
    EXPECT_EQ(lien.Cible(), QStringLiteral("mailto:directeur@ecole.fr"));

    lien.SetLinkDestination(QString());
    EXPECT_EQ(lien.LinkType(), TLinkType::ltNone);
    EXPECT_EQ(lien.LinkProtocol(), QString());
}

TEST(LienHypertexte, ProtocoleEtTypeSeSuivent)
{
    LienHypertexte lien;
    lien.SetLinkDestination(QStringLiteral("exemple"));
    lien.SetLinkProtocol(QStringLiteral("Callto:"));
    EXPECT_EQ(lien.LinkProtocol(), QStringLiteral("callto:"));
    EXPECT_EQ(lien.LinkType(), TLinkType::ltCUSTOM);
    EXPECT_EQ(lien.LinkDestination(), QStringLiteral("exemple"));
    lien.SetLinkType(TLinkType::ltCUSTOM);
    EXPECT_EQ(lien.LinkProtocol(), QStringLiteral("callto:"));

    lien.SetLinkProtocol(QStringLiteral("FTP://"));
    EXPECT_EQ(lien.LinkType(), TLinkType::ltFTP);
    lien.SetLinkType(TLinkType::ltGOPHER);
    EXPECT_EQ(lien.LinkProtocol(), QStringLiteral("gopher:"));

    lien.SetLinkType(TLinkType::ltNone);
    EXPECT_EQ(lien.LinkProtocol(), QString());
    EXPECT_EQ(lien.LinkDestination(), QString());

    const std::vector<std::pair<const char*, TLinkType>> table{
        {"http://", TLinkType::ltHTTP},     {"mailto:", TLinkType::ltMAILTO},
        {"ftp://", TLinkType::ltFTP},       {"https://", TLinkType::ltHTTPS},
        {"news:", TLinkType::ltNews},       {"telnet:", TLinkType::ltTELNET},
        {"wais:", TLinkType::ltWAIS},       {"gopher:", TLinkType::ltGOPHER},
        {"file://", TLinkType::ltFILE},     {"http:", TLinkType::ltCUSTOM},
        {"", TLinkType::ltNone},
    };
    for (const auto& [protocole, type] : table)
        EXPECT_EQ(LienHypertexte::GetLinkType(QString::fromLatin1(protocole)), type) << protocole;
}

TEST(TLinkLabel, ValeursParDefaut)
{
    TLinkLabel label;
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.LinkColor(), Couleurs::clBlue);
    EXPECT_EQ(CouleurTexte(label), QColor(0, 0, 255));
    EXPECT_EQ(label.LinkColorMouseMove(), Couleurs::clRed);
    EXPECT_TRUE(label.LinkMagnet());
    EXPECT_TRUE(label.LinkSound());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST(TLinkLabel, LAimantRendLesBornesExactes)
{
    Lien l;
    Entre(*l.label);
    EXPECT_EQ(l.label->geometry(), QRect(19, 29, 151, 15));
    EXPECT_EQ(CouleurTexte(*l.label), QColor(255, 0, 0));
    Sort(*l.label);
    EXPECT_EQ(l.label->geometry(), QRect(20, 30, 150, 14));
    EXPECT_EQ(CouleurTexte(*l.label), QColor(0, 0, 255));
    EXPECT_EQ(l.sons, (std::vector<std::string>{"MenuCommand"}));

    // Moved while the pointer is over it, it still gives back one pixel.
    Entre(*l.label);
    l.label->move(50, 60);
    Sort(*l.label);
    EXPECT_EQ(l.label->geometry(), QRect(51, 61, 150, 14));

    // A leave without an enter moves nothing; without magnet nothing moves.
    Sort(*l.label);
    EXPECT_EQ(l.label->geometry(), QRect(51, 61, 150, 14));
    l.label->SetLinkMagnet(false);
    l.label->SetLinkSound(false);
    l.sons.clear();
    Entre(*l.label);
    EXPECT_EQ(l.label->geometry(), QRect(51, 61, 150, 14));
    EXPECT_TRUE(l.sons.empty());
}

TEST(TLinkLabel, LeClicOuvreLeLienSaufPourLtNone)
{
    Lien l;
    l.label->SetLinkType(TLinkType::ltHTTPS);
    l.label->SetLinkDestination(QStringLiteral("www.education.gouv.fr"));
    l.fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&l.fenetre));

    QTest::mouseClick(l.label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(l.ouverts, (std::vector<QString>{QStringLiteral("https://www.education.gouv.fr")}));
    EXPECT_EQ(l.clics, 1);
    EXPECT_EQ(l.sons, (std::vector<std::string>{"MenuPopup"}));

    // Released away from the label: no click.
    QTest::mousePress(l.label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(l.label, Qt::LeftButton, {}, QPoint(5, 80));
    EXPECT_EQ(l.clics, 1);

    l.label->SetLinkType(TLinkType::ltNone);
    QTest::mouseClick(l.label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(l.ouverts.size(), 1u);
    EXPECT_EQ(l.clics, 2);
    EXPECT_EQ(l.sons, (std::vector<std::string>{"MenuPopup", "MenuPopup"}));
}
