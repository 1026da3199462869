#include "TColorButton.h"

#include "Uaccessibilite.h"

#include "Dialogues.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRect>

namespace {
// A push button described by its colour; its press action opens the dialog.
class AccessibleColorButton final : public QAccessibleWidget {
public:
    explicit AccessibleColorButton(QWidget* bouton) : QAccessibleWidget(bouton, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return Bouton()->DescriptionCouleur();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.pressed = Bouton()->Enfonce();
        return etat;
    }

    QStringList actionNames() const override
    {
        QStringList noms = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            noms.prepend(pressAction());
        return noms;
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Later, from the event loop: the modal dialog must not block the
        // assistive technology's call that asked for it.
        TColorButton* bouton = Bouton();
        QMetaObject::invokeMethod(
            bouton, [bouton] { bouton->ChoisitCouleur(); }, Qt::QueuedConnection);
    }

private:
    TColorButton* Bouton() const { return static_cast<TColorButton*>(widget()); }
};

QRgb Rgb(uint32_t couleur)
{
    return VersQColor(couleur).rgb();
}

// Fills the half-open rectangle x1 <= x < x2, y1 <= y < y2, clipped to the image.
void Remplit(QImage& image, int x1, int y1, int x2, int y2, QRgb couleur)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    const QRect zone = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)) & image.rect();
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            image.setPixel(x, y, couleur);
}

// A one-pixel frame along the edge of the half-open rectangle: left column
// and top row in one colour, then right column and bottom row in the other.
void Cadre(QImage& image, int x1, int y1, int x2, int y2, QRgb hautGauche, QRgb basDroite)
{
    Remplit(image, x1, y1, x1 + 1, y2, hautGauche);
    Remplit(image, x1, y1, x2, y1 + 1, hautGauche);
    Remplit(image, x2 - 1, y1, x2, y2, basDroite);
    Remplit(image, x1, y2 - 1, x2, y2, basDroite);
}

// The dotted focus rectangle: every other pixel of the half-open
// rectangle's edge, from its corner, inverted.
void RectangleFocus(QImage& image, int x1, int y1, int x2, int y2)
{
    const QRect dedans = image.rect();
    for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) {
            const bool bord = x == x1 || x == x2 - 1 || y == y1 || y == y2 - 1;
            if (bord && (x - x1 + y - y1) % 2 == 0 && dedans.contains(x, y))
                image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
        }
    }
}
}  // namespace

TColorButton::TColorButton(QWidget* parent) : QWidget(parent)
{
    Accessibilite::EnregistreInterface<TColorButton, AccessibleColorButton>();
    resize(44, 22);
    setFocusPolicy(Qt::StrongFocus);
}

TColorButton::~TColorButton() = default;

void TColorButton::SetStateColor(uint32_t couleur)
{
    m_color = couleur;
    repaint();
    QAccessibleEvent evenement(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&evenement);
}

void TColorButton::SetMargin(int marge)
{
    if (marge < 2)
        m_margin = marge;
    update();
}

QString TColorButton::DescriptionCouleur() const
{
    const QColor couleur = VersQColor(m_color);
    return QStringLiteral("rouge %1, vert %2, bleu %3")
        .arg(couleur.red())
        .arg(couleur.green())
        .arg(couleur.blue());
}

void TColorButton::ChangeEtat(bool enfonce)
{
    if (enfonce == m_enfonce)
        return;
    m_enfonce = enfonce;
    repaint();
}

void TColorButton::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    QPainter(this).drawImage(0, 0, Paint());
}

QImage TColorButton::Paint() const
{
    const int w = width();
    const int h = height();
    const int m = m_margin;
    const QRgb face = Rgb(Couleurs::clBtnFace);
    const QRgb lumiere = Rgb(Couleurs::clBtnHighlight);
    const QRgb ombre = Rgb(Couleurs::clBtnShadow);
    const QRgb cadre = Rgb(Couleurs::clWindowFrame);

    QImage image(w, h, QImage::Format_RGB32);
    image.fill(face);
    if (m_enfonce) {
        Cadre(image, 0, 0, w, h, cadre, lumiere);
        Cadre(image, 1, 1, w - 1, h - 1, ombre, face);
    } else {
        Cadre(image, 0, 0, w, h, lumiere, cadre);
        Cadre(image, 1, 1, w - 1, h - 1, face, ombre);
    }
    const int decalage = m_enfonce ? 1 : 0;
    if (hasFocus())
        RectangleFocus(image, 2 + decalage, 2 + decalage, w - 3 + decalage, h - 3 + decalage);

    // The outline takes the column and the row just past the swatch's size.
    const int gauche = w / 2 - (w - 14) / 2 - 1 - 2 * m + decalage;
    const int haut = h / 2 - (h - 14) / 2 - 1 - 2 * m + decalage;
    const int largeur = w - 14 + 4 * m;
    const int hauteur = h - 14 + 4 * m;
    Remplit(image, gauche, haut, gauche + largeur + 1, haut + hauteur + 1, qRgb(0, 0, 0));
    Remplit(image, gauche + 1, haut + 1, gauche + largeur, haut + hauteur,
            isEnabled() ? Rgb(m_color) : face);
    return image;
}

void TColorButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = event->position().toPoint();
    MouseDown(event->button(), p.x(), p.y());
}

void TColorButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = event->position().toPoint();
    MouseMove(p.x(), p.y());
}

void TColorButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_suivi && rect().contains(p)) {
        // The click comes before the release is handled, so the button is
        // drawn up while the dialog is open. The dialog's owner may free the
        // button meanwhile.
        const QPointer<TColorButton> moi(this);
        Click();
        if (!moi)
            return;
    }
    MouseUp(event->button(), p.x(), p.y());
}

void TColorButton::MouseDown(Qt::MouseButton bouton, int, int)
{
    if (bouton != Qt::LeftButton || !isEnabled())
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    m_enfonce = true;
    repaint();
    m_suivi = true;
    if (m_activationEvent == TActivationEvent::aeMouseDown) {
        const QPointer<TColorButton> moi(this);
        DoClick();
        if (moi)
            Click();
    }
}

void TColorButton::MouseMove(int x, int y)
{
    if (m_suivi)
        ChangeEtat(rect().contains(x, y));
}

void TColorButton::MouseUp(Qt::MouseButton bouton, int, int)
{
    if (bouton != Qt::LeftButton || !m_suivi)
        return;
    m_suivi = false;
    m_enfonce = false;
    repaint();
}

void TColorButton::Click()
{
    m_suivi = false;
    ChangeEtat(false);
    if (m_activationEvent == TActivationEvent::aeClick)
        DoClick();
}

void TColorButton::ChoisitCouleur()
{
    if (isEnabled())
        DoClick();
}

void TColorButton::DoClick()
{
    DialoguesBureau bureau;
    Dialogues& dialogues = m_dialogues ? *m_dialogues : static_cast<Dialogues&>(bureau);
    const QPointer<TColorButton> moi(this);
    const auto choisie = dialogues.ChoisitCouleur(this, m_color, m_customColors, m_options);
    if (!choisie || !moi)
        return;
    SetStateColor(*choisie);
    if (OnColorChange)
        OnColorChange(this);
}

void TColorButton::keyPressEvent(QKeyEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        if (!m_enfonce && !event->isAutoRepeat())
            MouseDown(Qt::LeftButton, 1, 1);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TColorButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!isEnabled() || event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    MouseUp(Qt::LeftButton, 1, 1);
    Click();
}

void TColorButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        // A press in progress ends with the enabled state.
        m_suivi = false;
        m_enfonce = false;
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        update();
    }
}
