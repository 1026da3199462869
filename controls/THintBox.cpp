#include "THintBox.h"

#include "Uaccessibilite.h"

#include "SurfaceBulleQt.h"
#include "UmiseEnPageBulle.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QImage>
#include <QPainter>

namespace {
// Static text named by what the box shows, unless given a name of its own.
class AccessibleHintBox final : public QAccessibleWidget {
public:
    explicit AccessibleHintBox(QWidget* boite) : QAccessibleWidget(boite, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const THintBox*>(widget())->TexteLisible();
        return QAccessibleWidget::text(t);
    }
};

// Fills the half-open rectangle x1 <= x < x2, y1 <= y < y2.
void Remplit(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& couleur)
{
    if (x2 > x1 && y2 > y1)
        painter.fillRect(x1, y1, x2 - x1, y2 - y1, couleur);
}
}  // namespace

THintBox::THintBox(QWidget* parent) : QWidget(parent)
{
    Accessibilite::EnregistreInterface<THintBox, AccessibleHintBox>();
    resize(200, 200);
}

THintBox::~THintBox() = default;

void THintBox::SetColor(uint32_t couleur)
{
    if (couleur == m_color)
        return;
    m_color = couleur;
    repaint();
}

void THintBox::SetShadowColor(uint32_t couleur)
{
    if (couleur == m_shadowColor)
        return;
    m_shadowColor = couleur;
    repaint();
}

void THintBox::SetLines(const QStringList& lignes)
{
    m_lines = lignes;
    if (m_htmlFormatting)
        Parse();
    TexteChange();
}

void THintBox::SetShadowSize(int taille)
{
    if (taille < 0 || taille == m_shadowSize)
        return;
    const int ecart = taille - m_shadowSize;
    resize(width() + ecart, height() + ecart);
    m_shadowSize = taille;
    repaint();
}

void THintBox::SetHTMLFormatting(bool actif)
{
    if (actif == m_htmlFormatting)
        return;
    m_htmlFormatting = actif;
    if (actif)
        Parse();
    TexteChange();
}

void THintBox::SetHintBox(bool actif)
{
    if (actif == m_drawHintBox)
        return;
    m_drawHintBox = actif;
    repaint();
}

void THintBox::Update()
{
    if (m_htmlFormatting)
        Parse();
    TexteChange();
}

void THintBox::Parse()
{
    m_displayLines.emplace();
    for (const QString& ligne : std::as_const(m_lines))
        ParseLine(ligne);
}

void THintBox::ParseLine(const QString& ligne)
{
    if (!m_displayLines)
        m_displayLines.emplace();
    Balisage::ParseLine(ligne, *m_displayLines);
}

QString THintBox::TexteLisible() const
{
    if (!m_htmlFormatting)
        return m_lines.join(QLatin1Char('\n'));
    LignesBulle lignes;
    for (const QString& ligne : m_lines)
        Balisage::ParseLine(ligne, lignes);
    QStringList lisibles;
    for (const LigneBulle& ligne : std::as_const(lignes))
        if (ligne.Texte.isEmpty() || !Balisage::OnlyContainsTags(ligne.Texte))
            lisibles << Balisage::SansBalises(ligne.Texte);
    return lisibles.join(QLatin1Char('\n'));
}

void THintBox::TexteChange()
{
    repaint();
    QAccessibleEvent evenement(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&evenement);
}

void THintBox::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    // Drawn off-screen first so that a repaint never flickers. The buffer
    // starts transparent: without the box, what lies beneath shows through.
    const qreal echelle = devicePixelRatioF();
    QImage tampon(size() * echelle, QImage::Format_ARGB32_Premultiplied);
    tampon.setDevicePixelRatio(echelle);
    tampon.fill(Qt::transparent);
    {
        QPainter painter(&tampon);
        if (m_htmlFormatting)
            DrawBoxEx(painter);
        else
            DrawBox(painter);
    }
    QPainter(this).drawImage(0, 0, tampon);
}

void THintBox::DessineBoite(QPainter& painter) const
{
    if (!m_drawHintBox)
        return;
    const int w = width();
    const int h = height();
    const int s = m_shadowSize;
    Remplit(painter, s, s, w, h, VersQColor(m_shadowColor));
    Remplit(painter, 0, 0, w - s, h - s, Qt::black);
    Remplit(painter, 1, 1, w - s - 1, h - s - 1, VersQColor(m_color));
}

void THintBox::DrawBoxEx(QPainter& painter)
{
    if (!m_displayLines)
        Parse();
    DessineBoite(painter);
    if (m_displayLines->isEmpty())
        return;
    // Only the face and size of the widget's font: the mark-up gives the style.
    QFont police = font();
    police.setBold(false);
    police.setItalic(false);
    police.setUnderline(false);
    police.setStrikeOut(false);
    SurfaceBulleQt surface(painter, police, palette().color(foregroundRole()));
    MiseEnPageBulle(surface).DessineFormate(
        *m_displayLines, MiseEnPageBulle::ZoneTexte(width(), height(), m_shadowSize, m_drawHintBox),
        m_shadowSize);
}

void THintBox::DrawBox(QPainter& painter)
{
    DessineBoite(painter);
    SurfaceBulleQt surface(painter, font(), palette().color(foregroundRole()));
    MiseEnPageBulle(surface).DessineSimple(
        m_lines, MiseEnPageBulle::ZoneTexte(width(), height(), m_shadowSize, m_drawHintBox),
        m_shadowSize);
}
