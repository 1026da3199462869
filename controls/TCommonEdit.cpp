#include "TCommonEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QScopedValueRollback>
#include <QValidator>

#include <algorithm>

// The one judge of every change the line edit makes: SyntaxOk approves the
// text it would hold. It also shows letters in upper case, whoever sets the
// text.
class TCommonEdit::Filtre : public QValidator {
public:
    explicit Filtre(TCommonEdit* champ) : QValidator(champ), m_champ(champ) {}

    State validate(QString& texte, int&) const override
    {
        if (m_champ->Majuscules())
            texte = texte.toUpper();
        return m_champ->Approuve(texte) ? Acceptable : Invalid;
    }

private:
    TCommonEdit* m_champ;
};

TCommonEdit::TCommonEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new Filtre(this));
    connect(this, &QLineEdit::textChanged, this, &TCommonEdit::GardeTexteApprouve);
    ColoreTexte(m_colorNormal);
}

void TCommonEdit::GardeTexteApprouve(const QString& texte)
{
    // What the field shows itself is trusted: a format may add words.
    if (m_affichage || Approuve(texte)) {
        m_texteApprouve = texte;
        return;
    }
    Afficher(m_texteApprouve);
}

void TCommonEdit::SetFormatString(const QString& format)
{
    m_formatString = format;
    SetValue2();
}

void TCommonEdit::SetValidate(bool valider)
{
    m_validate = valider;
    SetValue2();
}

void TCommonEdit::SetAlignment(Qt::Alignment alignement)
{
    m_alignment = alignement & Qt::AlignHorizontal_Mask;
    setAlignment(m_alignment | Qt::AlignVCenter);
}

void TCommonEdit::SetColorNormal(uint32_t couleur)
{
    m_colorNormal = couleur;
    if (!m_enAvertissement)
        ColoreTexte(couleur);
}

void TCommonEdit::SetColorWarning(uint32_t couleur)
{
    m_colorWarning = couleur;
    if (m_enAvertissement)
        ColoreTexte(couleur);
}

void TCommonEdit::SetValue2() {}

bool TCommonEdit::IsValidChar(QChar& touche)
{
    return CheckKeyChar(touche) != TKeyChar::UnknownChar;
}

TCommonEdit::TKeyChar TCommonEdit::CheckKeyChar(QChar&)
{
    return TKeyChar::UnknownChar;
}

bool TCommonEdit::SyntaxOk()
{
    return true;
}

bool TCommonEdit::EmptyOrSign() const
{
    return Candidat.isEmpty() || Candidat == QLatin1String("-") || Candidat == QLatin1String("+");
}

QChar TCommonEdit::Separateur()
{
    const QString separateur = QLocale().decimalPoint();
    return separateur.isEmpty() ? QChar(u'.') : separateur.at(0);
}

void TCommonEdit::Afficher(const QString& texte)
{
    const QString affiche = m_majuscules ? texte.toUpper() : texte;
    const QScopedValueRollback<bool> affichage(m_affichage, true);
    if (text() != affiche)
        setText(affiche);
}

void TCommonEdit::ColoreTexte(uint32_t couleur)
{
    m_couleurTexte = couleur;
    // A disabled field keeps the desktop's grey.
    const QColor couleurQt = VersQColor(couleur);
    QPalette palette = this->palette();
    if (palette.color(QPalette::Active, QPalette::Text) == couleurQt
        && palette.color(QPalette::Inactive, QPalette::Text) == couleurQt)
        return;
    palette.setColor(QPalette::Active, QPalette::Text, couleurQt);
    palette.setColor(QPalette::Inactive, QPalette::Text, couleurQt);
    setPalette(palette);
}

void TCommonEdit::MontreNormal()
{
    m_enAvertissement = false;
    ColoreTexte(m_colorNormal);
}

void TCommonEdit::Avertit(QEvent::Type type, const TNotifyEvent& evenement)
{
    m_enAvertissement = true;
    ColoreTexte(m_colorWarning);
    // The event queue owns the notification until it is delivered.
    if (evenement)
        QCoreApplication::postEvent(this, new QEvent(type));
}

bool TCommonEdit::Approuve(const QString& candidat)
{
    Candidat = candidat;
    return SyntaxOk();
}

bool TCommonEdit::CoupeSelection()
{
    if (!hasSelectedText() || !Approuve(text().remove(selectionStart(), selectionLength())))
        return false;
    cut();
    return true;
}

bool TCommonEdit::event(QEvent* event)
{
    if (event->type() == CMUnderflow || event->type() == CMOverflow) {
        // A copy: the handler may assign another one.
        const TNotifyEvent evenement = event->type() == CMUnderflow ? OnUnderflow : OnOverflow;
        if (evenement)
            evenement(this);
        return true;
    }
    return QLineEdit::event(event);
}

void TCommonEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        CoupeSelection();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        SetValue2();
    // Characters typed: their class may refuse them at once or change them.
    QString texte = event->text();
    const bool commande =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (commande || texte.isEmpty()
        || !std::all_of(texte.begin(), texte.end(), [](QChar c) { return c.isPrint(); })) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    for (QChar& touche : texte) {
        // The keypad's decimal key writes a comma on some layouts.
        if (event->modifiers() & Qt::KeypadModifier && touche == u',')
            touche = u'.';
        if (!IsValidChar(touche)) {
            event->accept();
            return;
        }
    }
    QKeyEvent change(event->type(), event->key(), event->modifiers(), texte,
                     event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&change);
    event->setAccepted(change.isAccepted());
}

void TCommonEdit::focusInEvent(QFocusEvent* event)
{
    const bool entree = !m_focusSuspendu;
    m_focusSuspendu = false;
    if (entree) {
        // A click places the caret where it falls.
        if (m_autoSelect && QGuiApplication::mouseButtons() == Qt::NoButton)
            selectAll();
        MontreNormal();
    }
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason raison = event->reason();
    if (entree && !m_autoSelect
        && (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason
            || raison == Qt::ShortcutFocusReason))
        deselect();
}

void TCommonEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason raison = event->reason();
    if (raison == Qt::PopupFocusReason || raison == Qt::ActiveWindowFocusReason) {
        m_focusSuspendu = true;
        return;
    }
    SetValue2();
}

QMenu* TCommonEdit::CreeMenuContextuel()
{
    auto* menu = new QMenu(this);
    const bool modifiable = !isReadOnly();
    const bool selection = hasSelectedText();
    const auto ajouter = [&](const QString& legende, QKeySequence::StandardKey raccourci,
                             bool actif, auto action) {
        QString texte = legende;
        const QKeySequence sequence(raccourci);
        if (!sequence.isEmpty())
            texte += u'\t' + sequence.toString(QKeySequence::NativeText);
        QAction* element = menu->addAction(texte);
        element->setEnabled(actif);
        connect(element, &QAction::triggered, this, action);
    };
    const auto aucun = QKeySequence::UnknownKey;
    ajouter(QStringLiteral("&Annuler"), QKeySequence::Undo, modifiable && isUndoAvailable(),
            [this] { undo(); });
    ajouter(QStringLiteral("&Rétablir"), QKeySequence::Redo, modifiable && isRedoAvailable(),
            [this] { redo(); });
    menu->addSeparator();
    ajouter(QStringLiteral("Co&uper"), QKeySequence::Cut,
            modifiable && selection && echoMode() == Normal, [this] { CoupeSelection(); });
    ajouter(QStringLiteral("Cop&ier"), QKeySequence::Copy, selection && echoMode() == Normal,
            [this] { copy(); });
    ajouter(QStringLiteral("Co&ller"), QKeySequence::Paste,
            modifiable && !QGuiApplication::clipboard()->text().isEmpty(),
            [this] { paste(); });
    ajouter(QStringLiteral("Supprimer"), aucun, modifiable && selection,
            [this] { del(); });
    menu->addSeparator();
    ajouter(QStringLiteral("Tout sélectionner"), QKeySequence::SelectAll,
            !text().isEmpty() && selectedText() != text(), [this] { selectAll(); });
    return menu;
}

void TCommonEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = CreeMenuContextuel();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TCommonEdit::dropEvent(QDropEvent* event)
{
    // Text from elsewhere is judged where it would land: the line edit would
    // take a drop its validator undid, and a moved text would leave its source.
    if (event->source() != this && !isReadOnly() && event->mimeData()->hasText()) {
        const QString texte = text();
        const int position = cursorPositionAt(event->position().toPoint());
        if (!Approuve(texte.left(position) + event->mimeData()->text() + texte.mid(position))) {
            event->ignore();
            return;
        }
    }
    QLineEdit::dropEvent(event);
}
