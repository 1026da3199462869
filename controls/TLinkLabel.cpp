#include "TLinkLabel.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QUrl>

TLinkLabel::TLinkLabel(QWidget* parent) : TCustomLabel(parent)
{
    QFont police = font();
    police.setUnderline(true);
    setFont(police);
    ColorerTexte(FLinkColor);
    setCursor(Qt::PointingHandCursor);
    OuvrirLien = [](const QString& cible) {
        // A link that cannot be opened is silently left alone.
        QDesktopServices::openUrl(QUrl(cible, QUrl::TolerantMode));
    };
}

void TLinkLabel::SetLinkColor(uint32_t couleur)
{
    if (couleur == FLinkColor)
        return;
    FLinkColor = couleur;
    ColorerTexte(FLinkColor);
    repaint();
}

void TLinkLabel::ColorerTexte(uint32_t couleur)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, VersQColor(couleur));
    setPalette(palette);
}

void TLinkLabel::Jouer(const QString& evenement) const
{
    if (FLinkSound && JouerSon)
        JouerSon(evenement);
}

void TLinkLabel::enterEvent(QEnterEvent* event)
{
    TCustomLabel::enterEvent(event);
    CMMouseEnter();
}

void TLinkLabel::leaveEvent(QEvent* event)
{
    TCustomLabel::leaveEvent(event);
    CMMouseLeave();
}

void TLinkLabel::CMMouseEnter()
{
    ColorerTexte(FLinkColorMouseMove);
    if (FLinkMagnet && !FDeplace) {
        // Right and bottom edges stay; the text moves one pixel up and left.
        setGeometry(x() - 1, y() - 1, width() + 1, height() + 1);
        FDeplace = true;
    }
    Jouer(QStringLiteral("MenuCommand"));
    repaint();
}

void TLinkLabel::CMMouseLeave()
{
    ColorerTexte(FLinkColor);
    if (FDeplace) {
        // Exactly one pixel back, even if the label was moved meanwhile.
        setGeometry(x() + 1, y() + 1, width() - 1, height() - 1);
        FDeplace = false;
    }
    repaint();
}

void TLinkLabel::Click()
{
    Jouer(QStringLiteral("MenuPopup"));
    if (LinkType() != TLinkType::ltNone && OuvrirLien)
        OuvrirLien(FLien.Cible());
    if (OnClick)
        OnClick(this);
}
