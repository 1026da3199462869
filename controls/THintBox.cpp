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
void Remplir(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& couleur)
{
    if (x2 > x1 && y2 > y1)
        painter.fillRect(x1, y1, x2 - x1, y2 - y1, couleur);
}
}  // namespace

THintBox::THintBox(QWidget* parent) : QWidget(parent)
{
    Accessibilite::EnregistrerInterface<THintBox, AccessibleHintBox>();
    resize(200, 200);
}

THintBox::~THintBox() = default;

void THintBox::SetColor(uint32_t couleur)
{
    if (couleur == FColor)
        return;
    FColor = couleur;
    repaint();
}

void THintBox::SetShadowColor(uint32_t couleur)
{
    if (couleur == FShadowColor)
        return;
    FShadowColor = couleur;
    repaint();
}

void THintBox::SetLines(const QStringList& lignes)
{
    FLines = lignes;
    if (FHTMLFormatting)
        Parse();
    TexteChange();
}

void THintBox::SetShadowSize(int taille)
{
    if (taille < 0 || taille == FShadowSize)
        return;
    const int ecart = taille - FShadowSize;
    resize(width() + ecart, height() + ecart);
    FShadowSize = taille;
    repaint();
}

void THintBox::SetHTMLFormatting(bool actif)
{
    if (actif == FHTMLFormatting)
        return;
    FHTMLFormatting = actif;
    if (actif)
        Parse();
    TexteChange();
}

void THintBox::SetHintBox(bool actif)
{
    if (actif == FDrawHintBox)
        return;
    FDrawHintBox = actif;
    repaint();
}

void THintBox::Update()
{
    if (FHTMLFormatting)
        Parse();
    TexteChange();
}

void THintBox::Parse()
{
    FDisplayLines.emplace();
    for (const QString& ligne : std::as_const(FLines))
        ParseLine(ligne);
}

void THintBox::ParseLine(const QString& ligne)
{
    if (!FDisplayLines)
        FDisplayLines.emplace();
    Balisage::ParseLine(ligne, *FDisplayLines);
}

QString THintBox::TexteLisible() const
{
    if (!FHTMLFormatting)
        return FLines.join(QLatin1Char('\n'));
    LignesBulle lignes;
    for (const QString& ligne : FLines)
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
        if (FHTMLFormatting)
            DrawBoxEx(painter);
        else
            DrawBox(painter);
    }
    QPainter(this).drawImage(0, 0, tampon);
}

void THintBox::DessinerBoite(QPainter& painter) const
{
    if (!FDrawHintBox)
        return;
    const int w = width();
    const int h = height();
    const int s = FShadowSize;
    Remplir(painter, s, s, w, h, VersQColor(FShadowColor));
    Remplir(painter, 0, 0, w - s, h - s, Qt::black);
    Remplir(painter, 1, 1, w - s - 1, h - s - 1, VersQColor(FColor));
}

void THintBox::DrawBoxEx(QPainter& painter)
{
    if (!FDisplayLines)
        Parse();
    DessinerBoite(painter);
    if (FDisplayLines->isEmpty())
        return;
    // Only the face and size of the widget's font: the mark-up gives the style.
    QFont police = font();
    police.setBold(false);
    police.setItalic(false);
    police.setUnderline(false);
    police.setStrikeOut(false);
    SurfaceBulleQt surface(painter, police, palette().color(foregroundRole()));
    MiseEnPageBulle(surface).DessinerFormate(
        *FDisplayLines, MiseEnPageBulle::ZoneTexte(width(), height(), FShadowSize, FDrawHintBox),
        FShadowSize);
}

void THintBox::DrawBox(QPainter& painter)
{
    DessinerBoite(painter);
    SurfaceBulleQt surface(painter, font(), palette().color(foregroundRole()));
    MiseEnPageBulle(surface).DessinerSimple(
        FLines, MiseEnPageBulle::ZoneTexte(width(), height(), FShadowSize, FDrawHintBox),
        FShadowSize);
}
