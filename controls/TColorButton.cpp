// Provisional: the face, the frames and the key handling come with the colour
// button's own work; this keeps the button usable meanwhile.
#include "TColorButton.h"

#include "Dialogues.h"

#include <QMouseEvent>
#include <QPainter>

TColorButton::TColorButton(QWidget* parent) : QWidget(parent)
{
    resize(44, 22);
    setFocusPolicy(Qt::StrongFocus);
}

TColorButton::~TColorButton() = default;

void TColorButton::SetStateColor(uint32_t couleur)
{
    FColor = couleur;
    repaint();
}

void TColorButton::SetMargin(int marge)
{
    if (marge < 2)
        FMargin = marge;
    update();
}

void TColorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), VersQColor(Couleurs::clBtnFace));
    painter.fillRect(rect().adjusted(4, 4, -5, -5), VersQColor(FColor));
}

void TColorButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        DoClick();
}

void TColorButton::DoClick()
{
    DialoguesBureau bureau;
    Dialogues& dialogues = FDialogues ? *FDialogues : static_cast<Dialogues&>(bureau);
    const auto choisie = dialogues.ChoisirCouleur(this, FColor, FCustomColors, FOptions);
    if (!choisie)
        return;
    SetStateColor(*choisie);
    if (OnColorChange)
        OnColorChange(this);
}
