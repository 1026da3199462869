// Provisional: the mark-up and the wrapping come with the hint box's own
// work; this shows the box and its lines meanwhile.
#include "THintBox.h"

#include <QPainter>

THintBox::THintBox(QWidget* parent) : QWidget(parent)
{
    resize(200, 200);
}

void THintBox::SetColor(uint32_t couleur) { FColor = couleur; repaint(); }
void THintBox::SetShadowColor(uint32_t couleur) { FShadowColor = couleur; repaint(); }
void THintBox::SetLines(const QStringList& lignes) { FLines = lignes; repaint(); }
void THintBox::SetShadowSize(int taille) { FShadowSize = taille; repaint(); }
void THintBox::SetHTMLFormatting(bool actif) { FHTMLFormatting = actif; repaint(); }
void THintBox::SetHintBox(bool actif) { FDrawHintBox = actif; repaint(); }
void THintBox::Update() { repaint(); }

void THintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int s = FShadowSize;
    painter.fillRect(QRect(s, s, width() - s, height() - s), VersQColor(FShadowColor));
    painter.fillRect(QRect(0, 0, width() - s, height() - s), VersQColor(FColor));
    painter.drawText(QRect(4, 4, width() - 2 * s - 4, height() - s - 4), Qt::TextWordWrap,
                     FLines.join(QLatin1Char('\n')));
}
