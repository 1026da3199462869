#include "TLinkLabel.h"

#include "Uaccessibilite.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QUrl>

// A link read by its caption, whose press action is a click on it.
class TLinkLabelAccessible final : public Accessibilite::InterfacePressable {
public:
    explicit TLinkLabelAccessible(TLinkLabel* lien) : InterfacePressable(lien, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return Accessibilite::Nom(
                Lien(), Accessibilite::LegendeLue(Lien()->text(), Lien()->ShowAccelChar()));
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.linked = true;
        etat.readOnly = true;
        return etat;
    }

    std::function<void()> Clic() const override
    {
        return [lien = Lien()] { lien->Click(); };
    }

private:
    TLinkLabel* Lien() const { return static_cast<TLinkLabel*>(widget()); }
};

TLinkLabel::TLinkLabel(QWidget* parent) : TCustomLabel(parent)
{
    Accessibilite::EnregistreInterface<TLinkLabel, TLinkLabelAccessible>();
    QFont police = font();
    police.setUnderline(true);
    setFont(police);
    ColoreTexte(m_linkColor);
    setCursor(Qt::PointingHandCursor);
    OuvreLien = [](const QString& cible) {
        // A link that cannot be opened is silently left alone.
        QDesktopServices::openUrl(QUrl(cible, QUrl::TolerantMode));
    };
}

void TLinkLabel::SetLinkColor(uint32_t couleur)
{
    if (couleur == m_linkColor)
        return;
    m_linkColor = couleur;
    ColoreTexte(m_linkColor);
    repaint();
}

void TLinkLabel::ColoreTexte(uint32_t couleur)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, VersQColor(couleur));
    setPalette(palette);
}

void TLinkLabel::Joue(const QString& evenement) const
{
    if (m_linkSound && JoueSon)
        JoueSon(evenement);
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
    ColoreTexte(FLinkColorMouseMove);
    if (m_linkMagnet && !m_deplace) {
        // Right and bottom edges stay; the text moves one pixel up and left.
        setGeometry(x() - 1, y() - 1, width() + 1, height() + 1);
        m_deplace = true;
    }
    Joue(QStringLiteral("MenuCommand"));
    repaint();
}

void TLinkLabel::CMMouseLeave()
{
    ColoreTexte(m_linkColor);
    if (m_deplace) {
        // Exactly one pixel back, even if the label was moved meanwhile.
        setGeometry(x() + 1, y() + 1, width() - 1, height() - 1);
        m_deplace = false;
    }
    repaint();
}

void TLinkLabel::Click()
{
    Joue(QStringLiteral("MenuPopup"));
    if (LinkType() != TLinkType::ltNone && OuvreLien)
        OuvreLien(m_lien.Cible());
    if (OnClick)
        OnClick(this);
}
