#include "TLed.h"

#include "Uaccessibilite.h"
#include "UnomCouleur.h"
#include "Uremplissage.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEnterEvent>
#include <QPainter>
#include <QTimer>

// The pictures live in the static library's resources, which a static
// library must register itself. Q_INIT_RESOURCE cannot sit in a namespace.
static void InitialiseImagesLeds()
{
    Q_INIT_RESOURCE(leds);
}

namespace {
// The colours the pictures are drawn with, that the lamp replaces.
constexpr QRgb VertFace = 0xFF00FF00;
constexpr QRgb GrisFond = 0xFFC0C0C0;

void ChargeRessources()
{
    static const bool chargees = (InitialiseImagesLeds(), true);
    (void)chargees;
}

QRgb VersRgb(uint32_t couleur)
{
    return VersQColor(couleur).rgb();
}

// A lamp whose state is its value (checked while it is true) and whose
// description says its colour. It is a graphic: Qt hands the Indicator role
// to the desktop's accessibility bus as "unknown", which a screen reader
// would read out.
class TLedAccessible final : public QAccessibleWidget {
public:
    explicit TLedAccessible(TLed* led) : QAccessibleWidget(led, QAccessible::Graphic) {}


    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return Accessibilite::Nom(widget(), TLed::NomAccessibleParDefaut());
        case QAccessible::Description: {
            const QString description = widget()->accessibleDescription();
            return description.isEmpty() ? Led()->CouleurLue() : description;
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.checked = Led()->Value();
        return etat;
    }

private:
    TLed* Led() const { return static_cast<TLed*>(widget()); }
};

}  // namespace

TLed::TLed(QWidget* parent) : QWidget(parent)
{
    Accessibilite::EnregistreInterface<TLed, TLedAccessible>();
    ChargeRessources();
    CreateLedBitmap();
}

// The timer is a child of the lamp and the pictures are members: both go
// with the lamp.
TLed::~TLed() = default;

QSize TLed::TailleStyle(TLEDStyle style)
{
    switch (style) {
    case TLEDStyle::LEDSmall:
    case TLEDStyle::LEDSqSmall:
        return {16, 16};
    case TLEDStyle::LEDLarge:
    case TLEDStyle::LEDSqLarge:
        return {22, 22};
    case TLEDStyle::LEDVertical:
        return {16, 22};
    case TLEDStyle::LEDHorizontal:
        return {22, 16};
    }
    return {16, 16};
}

QString TLed::NomImage(TLEDStyle style, bool encadre)
{
    const char* forme = "SM";
    switch (style) {
    case TLEDStyle::LEDSmall:
        forme = "SM";
        break;
    case TLEDStyle::LEDLarge:
        forme = "LG";
        break;
    case TLEDStyle::LEDSqSmall:
        forme = "SQSM";
        break;
    case TLEDStyle::LEDSqLarge:
        forme = "SQLG";
        break;
    case TLEDStyle::LEDVertical:
        forme = "VT";
        break;
    case TLEDStyle::LEDHorizontal:
        forme = "HZ";
        break;
    }
    return QLatin1Char(encadre ? 'B' : 'N') + QLatin1String(forme);
}

QString TLed::NomAccessibleParDefaut()
{
    return QStringLiteral("Voyant de contrôle");
}

QString TLed::CouleurLue() const
{
    return NomCouleur(m_value ? FTrueColor : FFalseColor);
}

void TLed::AnnonceChangement(bool valeur, const QString& couleur)
{
    if (valeur != m_value) {
        QAccessible::State change;
        change.checked = true;
        QAccessibleStateChangeEvent evenement(this, change);
        QAccessible::updateAccessibility(&evenement);
    }
    if (couleur != CouleurLue()) {
        QAccessibleEvent evenement(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&evenement);
    }
}

QSize TLed::sizeHint() const
{
    return TailleStyle(m_ledStyle);
}

void TLed::ChangeValue(bool valeur)
{
    if (valeur == m_value)
        return;
    const QString couleur = CouleurLue();
    m_value = valeur;
    MontreValeur();
    if (m_blink)
        SetLedTimer();
    AnnonceChangement(!valeur, couleur);
}

void TLed::ChangeBlink(bool clignote)
{
    if (clignote == m_blink)
        return;
    MontreValeur();
    m_blink = clignote;
    if (m_blink)
        SetLedTimer();
    else
        ResetLedTimer();
}

void TLed::ChangeStyle(TLEDStyle style)
{
    if (style == m_ledStyle)
        return;
    m_ledStyle = style;
    CreateLedBitmap();
    repaint();
}

void TLed::ChangeBorder(bool encadre)
{
    if (encadre == m_bordered)
        return;
    m_bordered = encadre;
    CreateLedBitmap();
    repaint();
}

void TLed::SetTrueColor(uint32_t couleur)
{
    ChangeCouleur(FTrueColor, couleur);
}

void TLed::SetFalseColor(uint32_t couleur)
{
    ChangeCouleur(FFalseColor, couleur);
}

void TLed::SetBordColor(uint32_t couleur)
{
    ChangeCouleur(FBorderColor, couleur);
}

void TLed::ChangeCouleur(uint32_t& champ, uint32_t couleur)
{
    if (couleur == champ)
        return;
    const QString nomAvant = CouleurLue();
    const bool clignotait = m_blink;
    if (clignotait)
        ChangeBlink(false);
    champ = couleur;
    CreateLedBitmap();
    ChangeBlink(clignotait);
    repaint();
    AnnonceChangement(m_value, nomAvant);
}

void TLed::SetInterval(int millisecondes)
{
    if (millisecondes == m_interval)
        return;
    m_interval = millisecondes;
    if (m_timer) {
        m_timer->setInterval(m_interval);
        // A period of 0 or less would tick on every pass of the event loop.
        if (m_interval > 0)
            m_timer->start();
        else
            m_timer->stop();
    }
}

void TLed::MontreValeur()
{
    if (m_value)
        SetToTrueColor();
    else
        SetToFalseColor();
}

void TLed::CreateLedBitmap()
{
    FreeLedBitmap();
    const QSize taille = TailleStyle(m_ledStyle);
    resize(taille);

    const QImage image =
        QImage(QStringLiteral(":/leds/%1.xpm").arg(NomImage(m_ledStyle, m_bordered)))
            .convertToFormat(QImage::Format_RGB32);
    m_trueImage = image;
    m_falseImage = image;

    // The face is the green surface under the middle of the control.
    const int x = taille.width() / 2;
    const int y = taille.height() / 2;
    RemplitSurface(m_trueImage, x, y, VertFace, VersRgb(FTrueColor));
    RemplitSurface(m_falseImage, x, y, VertFace, VersRgb(FFalseColor));

    if (!m_bordered) {
        // Only the background around the lamp takes the border colour; the
        // silver enclosed by the outlines stays.
        RemplitSurface(m_trueImage, 0, 0, GrisFond, VersRgb(FBorderColor));
        RemplitSurface(m_falseImage, 0, 0, GrisFond, VersRgb(FBorderColor));
    }
}

void TLed::FreeLedBitmap()
{
    m_trueImage = QImage();
    m_falseImage = QImage();
}

void TLed::SetToTrueColor()
{
    m_phase = 0;
    repaint();
}

void TLed::SetToFalseColor()
{
    m_phase = 1;
    repaint();
}

void TLed::SetLedTimer()
{
    if (m_timer)
        return;
    m_phase = 0;
    m_timer = new QTimer(this);
    m_timer->setInterval(m_interval);
    connect(m_timer, &QTimer::timeout, this, &TLed::OnLedTimer);
    if (m_interval > 0)
        m_timer->start();
}

void TLed::ResetLedTimer()
{
    if (!m_timer)
        return;
    // The OnTimer handler may switch blinking off from inside the tick, so
    // the timer is stopped and cut loose now and destroyed once it returns.
    m_timer->stop();
    m_timer->disconnect(this);
    m_timer->deleteLater();
    m_timer = nullptr;
}

void TLed::OnLedTimer()
{
    m_phase = m_phase == 0 ? 1 : 0;
    repaint();
    if (OnTimer)
        OnTimer(this);
}

void TLed::paintEvent(QPaintEvent*)
{
    Paint();
}

void TLed::Paint()
{
    const QImage& image = m_phase == 0 ? m_trueImage : m_falseImage;
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QRect(0, 0, width(), height()), image);
}

void TLed::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    CMMouseEnter();
}

void TLed::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    CMMouseLeave();
}

void TLed::CMMouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLed::CMMouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}
