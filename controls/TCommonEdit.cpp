#include "TCommonEdit.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QScopedValueRollback>
#include <QValidator>

#include <algorithm>

// The last guard: whatever the line edit changes by itself (a drop onto its
// own selection, undo, an input method) must still be approved by SyntaxOk.
// It also shows letters in upper case, whoever sets the text.
class TCommonEdit::Filtre : public QValidator {
public:
    explicit Filtre(TCommonEdit* champ) : QValidator(champ), FChamp(champ) {}

    State validate(QString& texte, int&) const override
    {
        if (FChamp->Majuscules())
            texte = texte.toUpper();
        return FChamp->Approuve(texte) ? Acceptable : Invalid;
    }

private:
    TCommonEdit* FChamp;
};

TCommonEdit::TCommonEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new Filtre(this));
    connect(this, &QLineEdit::textChanged, this, &TCommonEdit::GarderTexteApprouve);
    ColorerTexte(FColorNormal);
}

void TCommonEdit::GarderTexteApprouve(const QString& texte)
{
    // What the field shows itself is trusted: a format may add words.
    if (FAffichage || Approuve(texte)) {
        FTexteApprouve = texte;
        return;
    }
    Afficher(FTexteApprouve);
}

void TCommonEdit::SetFormatString(const QString& format)
{
    FFormatString = format;
    SetValue2();
}

void TCommonEdit::SetValidate(bool valider)
{
    FValidate = valider;
    SetValue2();
}

void TCommonEdit::SetAlignment(Qt::Alignment alignement)
{
    FAlignment = alignement & Qt::AlignHorizontal_Mask;
    setAlignment(FAlignment | Qt::AlignVCenter);
}

void TCommonEdit::SetColorNormal(uint32_t couleur)
{
    FColorNormal = couleur;
    if (!FEnAvertissement)
        ColorerTexte(couleur);
}

void TCommonEdit::SetColorWarning(uint32_t couleur)
{
    FColorWarning = couleur;
    if (FEnAvertissement)
        ColorerTexte(couleur);
}

void TCommonEdit::SetValue2() {}

bool TCommonEdit::IsValidChar(QChar& touche)
{
    switch (CheckKeyChar(touche)) {
    case TKeyChar::NumberChar:
        Candidat = AvecInsertion(QString(touche));
        break;
    case TKeyChar::BackspaceChar:
        Candidat = hasSelectedText() ? AvecInsertion(QString())
                                     : SansCaractere(cursorPosition() - 1);
        break;
    case TKeyChar::UnknownChar:
        return false;
    }
    return SyntaxOk();
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

TCommonEdit::TKeyChar TCommonEdit::ClasserToucheDecimale(QChar& touche) const
{
    if (touche == u'.')
        touche = Separateur();
    if (touche == u'\b')
        return TKeyChar::BackspaceChar;
    if (touche == Separateur() || (touche >= u'0' && touche <= u'9')
        || QStringView(u"Ee+-").contains(touche))
        return TKeyChar::NumberChar;
    return TKeyChar::UnknownChar;
}

QChar TCommonEdit::Separateur()
{
    const QString separateur = QLocale().decimalPoint();
    return separateur.isEmpty() ? QChar(u'.') : separateur.at(0);
}

void TCommonEdit::Afficher(const QString& texte)
{
    const QString affiche = FMajuscules ? texte.toUpper() : texte;
    const QScopedValueRollback<bool> affichage(FAffichage, true);
    if (text() != affiche)
        setText(affiche);
}

void TCommonEdit::ColorerTexte(uint32_t couleur)
{
    FCouleurTexte = couleur;
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

void TCommonEdit::MontrerNormal()
{
    FEnAvertissement = false;
    ColorerTexte(FColorNormal);
}

void TCommonEdit::Avertir(QEvent::Type type, const TNotifyEvent& evenement)
{
    FEnAvertissement = true;
    ColorerTexte(FColorWarning);
    // The event queue owns the notification until it is delivered.
    if (evenement)
        QCoreApplication::postEvent(this, new QEvent(type));
}

bool TCommonEdit::Approuve(const QString& candidat)
{
    Candidat = candidat;
    return SyntaxOk();
}

QString TCommonEdit::AvecInsertion(const QString& ajout) const
{
    const QString texte = text();
    if (hasSelectedText()) {
        const int debut = selectionStart();
        return texte.left(debut) + ajout + texte.mid(debut + selectionLength());
    }
    const int curseur = cursorPosition();
    return texte.left(curseur) + ajout + texte.mid(curseur);
}

QString TCommonEdit::SansCaractere(int position) const
{
    QString texte = text();
    if (position >= 0 && position < texte.size())
        texte.remove(position, 1);
    return texte;
}

void TCommonEdit::Frapper(QChar touche)
{
    if (touche == u'\b')
        backspace();
    else
        insert(QString(touche));
}

bool TCommonEdit::Coller(QClipboard::Mode mode)
{
    const QString presse = QGuiApplication::clipboard()->text(mode);
    if (presse.isEmpty() || !Approuve(AvecInsertion(presse)))
        return false;
    insert(presse);
    return true;
}

bool TCommonEdit::Couper()
{
    if (!hasSelectedText() || !Approuve(AvecInsertion(QString())))
        return false;
    copy();
    del();
    return true;
}

bool TCommonEdit::Supprimer()
{
    if (!Approuve(hasSelectedText() ? AvecInsertion(QString()) : SansCaractere(cursorPosition())))
        return false;
    del();
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
    // Keys that act as they go down.
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Coller(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        Couper();
        event->accept();
        return;
    }
    const bool commande =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event->key()) {
    case Qt::Key_Delete:
        if (commande)
            break;
        Supprimer();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SetValue2();
        // Then the line edit's own handling: returnPressed, and the key goes
        // on to the window.
        QLineEdit::keyPressEvent(event);
        return;
    case Qt::Key_Backspace:
        if (commande)
            break;
        {
            QChar touche(u'\b');
            if (IsValidChar(touche))
                Frapper(touche);
        }
        event->accept();
        return;
    default:
        break;
    }

    // Characters typed, one by one through the filter.
    const QString texte = event->text();
    if (!commande && !texte.isEmpty()
        && std::all_of(texte.begin(), texte.end(), [](QChar c) { return c.isPrint(); })) {
        for (QChar touche : texte) {
            // The keypad's decimal key writes a comma on some layouts.
            if (event->modifiers() & Qt::KeypadModifier && touche == u',')
                touche = u'.';
            if (IsValidChar(touche))
                Frapper(touche);
        }
        event->accept();
        return;
    }
    // Moves, selections, undo and the like (the validator judges any change).
    QLineEdit::keyPressEvent(event);
}

void TCommonEdit::focusInEvent(QFocusEvent* event)
{
    const bool entree = !FFocusSuspendu;
    FFocusSuspendu = false;
    if (entree) {
        // A click places the caret where it falls.
        if (FAutoSelect && QGuiApplication::mouseButtons() == Qt::NoButton)
            selectAll();
        MontrerNormal();
    }
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason raison = event->reason();
    if (entree && !FAutoSelect
        && (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason
            || raison == Qt::ShortcutFocusReason))
        deselect();
}

void TCommonEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason raison = event->reason();
    if (raison == Qt::PopupFocusReason || raison == Qt::ActiveWindowFocusReason) {
        FFocusSuspendu = true;
        return;
    }
    SetValue2();
}

void TCommonEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && !isReadOnly()
        && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        Coller(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

QMenu* TCommonEdit::CreerMenuContextuel()
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
            modifiable && selection && echoMode() == Normal, [this] { Couper(); });
    ajouter(QStringLiteral("Cop&ier"), QKeySequence::Copy, selection && echoMode() == Normal,
            [this] { copy(); });
    ajouter(QStringLiteral("Co&ller"), QKeySequence::Paste,
            modifiable && !QGuiApplication::clipboard()->text().isEmpty(),
            [this] { Coller(QClipboard::Clipboard); });
    ajouter(QStringLiteral("Supprimer"), aucun, modifiable && selection,
            [this] { Supprimer(); });
    menu->addSeparator();
    ajouter(QStringLiteral("Tout sélectionner"), QKeySequence::SelectAll,
            !text().isEmpty() && selectedText() != text(), [this] { selectAll(); });
    return menu;
}

void TCommonEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = CreerMenuContextuel();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TCommonEdit::dropEvent(QDropEvent* event)
{
    // Text from elsewhere is judged where it would land; a refused drop is
    // ignored so that a moved text stays in its source.
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
