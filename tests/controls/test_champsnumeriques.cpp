// The numeric edit fields driven as a user does, in the French locale set by
// test_main: the comma is the decimal separator.

#include "TCardinalEdit.h"
#include "TDecimalEdit.h"
#include "TIntegerEdit.h"
#include "TRealEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Readable failures.
void PrintTo(const QString& texte, std::ostream* flux)
{
    *flux << '"' << texte.toStdString() << '"';
}

namespace {
enum class Sorte { Decimal, Cardinal, Entier, Reel };

TCommonEdit* Cree(Sorte sorte, QWidget* parent)
{
    switch (sorte) {
    case Sorte::Decimal:
        return new TDecimalEdit(parent);
    case Sorte::Cardinal:
        return new TCardinalEdit(parent);
    case Sorte::Entier:
        return new TIntegerEdit(parent);
    case Sorte::Reel:
        return new TRealEdit(parent);
    }
    return nullptr;
}

// A shown, active window with the field and a second field to leave it for.
struct Fenetre {
    QWidget fenetre;
    TCommonEdit* champ;
    TCardinalEdit* autre = new TCardinalEdit(&fenetre);

    explicit Fenetre(Sorte sorte) : champ(Cree(sorte, &fenetre))
    {
        champ->setGeometry(10, 10, 120, 22);
        autre->setGeometry(10, 40, 120, 22);
        fenetre.show();
        fenetre.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&fenetre));
        // The window gave the field the focus: take it back to enter it anew.
        autre->setFocus(Qt::OtherFocusReason);
    }
    void EntreDansChamp() { champ->setFocus(Qt::TabFocusReason); }
    void QuitteChamp() { autre->setFocus(Qt::TabFocusReason); }
};

// One key event per step: a character as typed, or a named key in braces.
void Tape(QWidget& champ, const QString& touches)
{
    static const std::map<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> nommees{
        {"Gauche", {Qt::Key_Left, Qt::NoModifier}},
        {"Droite", {Qt::Key_Right, Qt::NoModifier}},
        {"Debut", {Qt::Key_Home, Qt::NoModifier}},
        {"MajGauche", {Qt::Key_Left, Qt::ShiftModifier}},
        {"Tout", {Qt::Key_A, Qt::ControlModifier}},
        {"Arriere", {Qt::Key_Backspace, Qt::NoModifier}},
        {"Suppr", {Qt::Key_Delete, Qt::NoModifier}},
        {"Entree", {Qt::Key_Return, Qt::NoModifier}},
        {"Pavepoint", {Qt::Key_Period, Qt::KeypadModifier}},
        {"Pavevirgule", {Qt::Key_Comma, Qt::KeypadModifier}},
    };
    for (int i = 0; i < touches.size(); ++i) {
        if (touches[i] == u'{') {
            const int fin = touches.indexOf(u'}', i);
            const auto [touche, etat] = nommees.at(touches.mid(i + 1, fin - i - 1));
            QTest::keyClick(&champ, touche, etat);
            i = fin;
        } else if (touches[i].unicode() < 128) {
            QTest::keyClick(&champ, static_cast<char>(touches[i].unicode()));
        } else {
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent evenement(type, 0, Qt::NoModifier, QString(touches[i]));
                QApplication::sendEvent(&champ, &evenement);
            }
        }
    }
}

const char* Nom(const QObject* champ)
{
    return champ->metaObject()->className();
}

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QRgb Texte(const QWidget& champ)
{
    return champ.palette().color(QPalette::Active, QPalette::Text).rgb();
}
}  // namespace

TEST(ChampsNumeriques, LeFiltreLaisseTaperCeQuiEstOuPeutDevenirUnNombre)
{
    struct Cas {
        Sorte sorte;
        const char* depart;
        const char* touches;
        const char* attendu;
    };
    const std::vector<Cas> table{
        // Every state on the way to a number can be typed; letters show in upper case.
        {Sorte::Decimal, "", "1,5", "1,5"},
        {Sorte::Decimal, "", ",5", ",5"},
        {Sorte::Decimal, "", "-,5", "-,5"},
        {Sorte::Decimal, "", "+2", "+2"},
        {Sorte::Decimal, "", "15{Gauche}e", "1E5"},
        {Sorte::Decimal, "", "15{Gauche}E-", "1E-5"},
        {Sorte::Decimal, "", "15{Gauche}E{Gauche}-", "1E5"},
        // A full stop, from the keyboard or the keypad, is the comma.
        {Sorte::Decimal, "", "1.5", "1,5"},
        {Sorte::Decimal, "", "3{Pavepoint}25", "3,25"},
        {Sorte::Decimal, "", "3{Pavevirgule}25", "3,25"},
        // What can no longer become a number is refused.
        {Sorte::Decimal, "", "1,5,2.", "1,52"},
        {Sorte::Decimal, "", "1E", "1"},
        {Sorte::Decimal, "", "E1", "1"},
        {Sorte::Decimal, "", "--1", "-1"},
        {Sorte::Decimal, "", "1 2a\xe2\x80\xaf" "3\xc3\xa9", "123"},
        {Sorte::Decimal, "", "1999{Debut}{Droite}E", "1E999"},
        {Sorte::Decimal, "", "19999{Debut}{Droite}E", "19999"},  // beyond long double
        // Backspace and Delete, with and without a selection.
        {Sorte::Decimal, "12,5", "{Arriere}", "12,"},
        {Sorte::Decimal, "1E5", "{Gauche}{Gauche}{Arriere}", "1E5"},
        {Sorte::Decimal, "1E5", "{Debut}{Suppr}", "1E5"},
        {Sorte::Decimal, "12,5", "{Debut}{Suppr}", "2,5"},
        {Sorte::Decimal, "1E5", "{Gauche}{MajGauche}{Arriere}", "15"},
        {Sorte::Decimal, "1E5", "{Gauche}{Gauche}{MajGauche}{Suppr}", "1E5"},
        {Sorte::Decimal, "12,50", "{Tout}{Suppr}", ""},
        // A key replaces the selection when the result is a number.
        {Sorte::Decimal, "12,50", "{Tout}7", "7"},
        {Sorte::Decimal, "12,50", "{Tout}E", "12,50"},
        {Sorte::Cardinal, "", "12a-+,.3", "123"},
        {Sorte::Cardinal, "", "4294967295", "4294967295"},
        {Sorte::Cardinal, "", "4294967296", "429496729"},
        {Sorte::Cardinal, "42", "{Arriere}", "4"},
        {Sorte::Entier, "", "-2147483648", "-2147483648"},
        {Sorte::Entier, "", "2147483648", "214748364"},
        {Sorte::Entier, "", "1-,5E", "15"},
        {Sorte::Entier, "", "+", "+"},
        {Sorte::Reel, "", "1.5", "1,5"},
        {Sorte::Reel, "", "15{Gauche}e", "1E5"},
        {Sorte::Reel, "", "1e", "1"},
    };
    for (const Cas& cas : table) {
        QWidget fenetre;
        std::unique_ptr<TCommonEdit> champ(Cree(cas.sorte, &fenetre));
        champ->setText(Q(cas.depart));
        Tape(*champ, Q(cas.touches));
        EXPECT_EQ(champ->text(), Q(cas.attendu))
            << Nom(champ.get()) << " \"" << cas.depart << "\" + " << cas.touches;
    }
}

TEST(ChampsNumeriques, EnQuittantLeChampLaValeurEstRelueEtMiseEnForme)
{
    struct Cas {
        Sorte sorte;
        const char* format;  // empty: the field's own
        bool decimalesFixes;
        const char* tape;
        const char* attendu;
    };
    const std::vector<Cas> table{
        {Sorte::Decimal, "", true, "12,345", "12,35"},
        {Sorte::Decimal, "", true, "-12,345", "-12,35"},
        {Sorte::Decimal, "", true, "0,125", "0,13"},
        {Sorte::Decimal, "", true, "99,996", "100,00"},
        {Sorte::Decimal, "", true, "-0,004", "0,00"},
        {Sorte::Decimal, "", true, "15{Gauche}E", "100000,00"},
        {Sorte::Decimal, "", true, ",5", "0,50"},
        {Sorte::Decimal, "", true, "-", "0,00"},
        {Sorte::Decimal, "", true, "", "0,00"},
        {Sorte::Decimal, "", false, "12,50", "12,5"},
        {Sorte::Decimal, "", false, "12,00", "12"},
        {Sorte::Decimal, "", false, "1,02{Gauche}E", "100"},
        {Sorte::Decimal, "0", true, "2,5", "3"},
        {Sorte::Decimal, "4", true, "1,5", "1,5000"},
        {Sorte::Decimal, "deux", true, "1,5", "1,50"},
        {Sorte::Decimal, "", true, "123456789012345678901", "1,23456789012345679E+20"},
        {Sorte::Cardinal, "", true, "007", "7"},
        {Sorte::Cardinal, "%03u", true, "7", "007"},
        {Sorte::Cardinal, "%s", true, "7", "7"},
        {Sorte::Entier, "", true, "+12", "12"},
        {Sorte::Entier, "", true, "-", "0"},
        {Sorte::Entier, "%+d", true, "5", "+5"},
        {Sorte::Reel, "", true, "1,50", "1,5"},
        {Sorte::Reel, "", true, "1234567", "1,23457E+06"},
        {Sorte::Reel, "%.3f", true, "2", "2,000"},
        {Sorte::Reel, "%n%g", true, "2", "2"},
    };
    for (const Cas& cas : table) {
        Fenetre f(cas.sorte);
        if (*cas.format)
            f.champ->SetFormatString(Q(cas.format));
        if (auto* decimal = qobject_cast<TDecimalEdit*>(f.champ))
            decimal->SetFixedDecimals(cas.decimalesFixes);
        f.EntreDansChamp();
        // Entering by the keyboard selects the whole text: typing replaces it.
        EXPECT_EQ(f.champ->selectedText(), f.champ->text()) << Nom(f.champ);
        if (*cas.tape)
            Tape(*f.champ, Q(cas.tape));
        else
            Tape(*f.champ, QStringLiteral("{Suppr}"));
        f.QuitteChamp();
        EXPECT_EQ(f.champ->text(), Q(cas.attendu)) << Nom(f.champ) << " " << cas.tape;
    }

    // A new field shows 0 in its format; Enter re-formats as leaving does.
    Fenetre f(Sorte::Decimal);
    EXPECT_EQ(f.champ->text(), QStringLiteral("0,00"));
    f.EntreDansChamp();
    Tape(*f.champ, QStringLiteral("7,125{Entree}"));
    EXPECT_EQ(f.champ->text(), QStringLiteral("7,13"));
    EXPECT_EQ(static_cast<TDecimalEdit*>(f.champ)->Value(), 7.13L);

    // A click places the caret instead of selecting; a context menu or
    // another window taking the focus for a while does not re-format.
    f.QuitteChamp();
    QTest::mouseClick(f.champ, Qt::LeftButton, Qt::NoModifier, QPoint(4, 11));
    ASSERT_TRUE(f.champ->hasFocus());
    EXPECT_FALSE(f.champ->hasSelectedText());
    f.champ->setText(QStringLiteral("1,234"));
    QFocusEvent popupSortie(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(f.champ, &popupSortie);
    QFocusEvent fenetreSortie(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f.champ, &fenetreSortie);
    EXPECT_EQ(f.champ->text(), QStringLiteral("1,234"));
}

TEST(ChampsNumeriques, LaValeurHorsBornesEstRameneeEnCouleurDAlerteEtSignaleeApresLaSaisie)
{
    Fenetre f(Sorte::Decimal);
    auto* champ = static_cast<TDecimalEdit*>(f.champ);
    champ->SetMinValue(1);
    champ->SetMaxValue(10);
    champ->SetColorWarning(Couleurs::Rgb(200, 0, 0));
    std::vector<std::string> evenements;
    champ->OnOverflow = [&](TCommonEdit* s) {
        EXPECT_EQ(s, champ);
        evenements.push_back("trop " + s->text().toStdString());
    };
    champ->OnUnderflow = [&](TCommonEdit* s) {
        evenements.push_back("trop peu " + s->text().toStdString());
    };
    const QRgb noir = qRgb(0, 0, 0);
    const QRgb rouge = qRgb(200, 0, 0);

    // Validate off: nothing is clamped, nothing turns red.
    f.EntreDansChamp();
    Tape(*champ, QStringLiteral("12{Entree}"));
    EXPECT_EQ(champ->text(), QStringLiteral("12,00"));
    EXPECT_EQ(Texte(*champ), noir);

    // Switching it on checks the value already there.
    champ->SetValidate(true);
    EXPECT_EQ(champ->text(), QStringLiteral("10,00"));
    EXPECT_EQ(champ->CouleurTexte(), Couleurs::Rgb(200, 0, 0));
    EXPECT_EQ(Texte(*champ), rouge);
    EXPECT_TRUE(evenements.empty()) << "delivered before the input was handled";
    QCoreApplication::processEvents();
    EXPECT_EQ(evenements, std::vector<std::string>{"trop 10,00"});

    // Leaving clamps too, and the event finds the text already corrected.
    Tape(*champ, QStringLiteral("{Tout}0,5"));
    f.QuitteChamp();
    EXPECT_EQ(champ->text(), QStringLiteral("1,00"));
    EXPECT_EQ(Texte(*champ), rouge);
    QCoreApplication::processEvents();
    EXPECT_EQ(evenements.back(), "trop peu 1,00");

    // The next entry draws it normally again; a bound itself is in range.
    f.EntreDansChamp();
    EXPECT_EQ(Texte(*champ), noir);
    Tape(*champ, QStringLiteral("1{Entree}"));
    EXPECT_EQ(Texte(*champ), noir);
    QCoreApplication::processEvents();
    EXPECT_EQ(evenements.size(), 2u);

    // Unsigned fields compare as unsigned; no handler, no event.
    Fenetre g(Sorte::Cardinal);
    auto* nombre = static_cast<TCardinalEdit*>(g.champ);
    nombre->SetMaxValue(4000000000u);
    nombre->SetValidate(true);
    nombre->SetValue(4294967295u);
    EXPECT_EQ(nombre->Value(), 4000000000u);
    EXPECT_EQ(Texte(*nombre), qRgb(255, 0, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(evenements.size(), 2u);
}

TEST(ChampsNumeriques, CollerCouperSupprimerDeposerEtEcrireParLAssistancePassentParLeMemeFiltre)
{
    struct Cas {
        Sorte sorte;
        // keys, "menu " and an item, "depot", "saisie", or "assistance": an
        // assistive technology writing in place of the selection through the
        // field's accessible interface, as a screen reader or a test tool does
        // on the desktop's accessibility bus
        const char* geste;
        const char* depart;
        int debut, longueur;  // the selection before the gesture
        const char* apporte;  // clipboard, dropped, composed or written text
        const char* attendu;
        const char* copie;  // the clipboard afterwards; null: what it held
    };
    const std::vector<Cas> table{
        {Sorte::Decimal, "Ctrl+V", "", 0, 0, "1,5", "1,5", nullptr},
        {Sorte::Decimal, "Shift+Ins", "1", 1, 0, "e5", "1E5", nullptr},
        {Sorte::Decimal, "Ctrl+V", "12", 0, 2, "abc", "12", nullptr},
        {Sorte::Decimal, "Ctrl+V", "", 0, 0, "1\xe2\x80\xaf" "000", "", nullptr},
        {Sorte::Cardinal, "Ctrl+V", "", 0, 0, "4294967295", "4294967295", nullptr},
        {Sorte::Cardinal, "Ctrl+V", "", 0, 0, "4294967296", "", nullptr},
        {Sorte::Cardinal, "Ctrl+V", "", 0, 0, "-5", "", nullptr},
        {Sorte::Decimal, "Ctrl+X", "1E5", 1, 1, "x", "15", "E"},
        {Sorte::Decimal, "Ctrl+X", "1E5", 0, 1, "x", "1E5", nullptr},
        {Sorte::Decimal, "Ctrl+C", "1E5", 0, 1, "x", "1E5", "1"},
        {Sorte::Decimal, "Del", "1E5", 0, 1, "x", "1E5", nullptr},
        {Sorte::Decimal, "Del", "125", 1, 1, "x", "15", nullptr},
        {Sorte::Decimal, "menu Co&ller", "2", 1, 0, ",5", "2,5", nullptr},
        {Sorte::Decimal, "menu Co&ller", "2", 1, 0, ",5,", "2", nullptr},
        {Sorte::Decimal, "menu Co&uper", "1E5", 0, 1, "x", "1E5", nullptr},
        {Sorte::Decimal, "menu Co&uper", "125", 1, 1, "x", "15", "2"},
        {Sorte::Decimal, "menu Supprimer", "1E5", 2, 1, "x", "1E5", nullptr},
        {Sorte::Decimal, "menu Supprimer", "1E5", 1, 2, "x", "1", nullptr},
        // Dropped before the first character; input methods commit at the caret.
        {Sorte::Entier, "depot", "12", 0, 0, "-", "-12", nullptr},
        {Sorte::Entier, "depot", "12", 0, 0, "1-", "12", nullptr},
        {Sorte::Decimal, "saisie", "12", 2, 0, "a", "12", nullptr},
        {Sorte::Decimal, "saisie", "12", 2, 0, "e5", "12E5", nullptr},
        // Refused, the written text leaves the field as it was.
        {Sorte::Decimal, "assistance", "12,50", 0, 5, "7,5", "7,5", nullptr},
        {Sorte::Decimal, "assistance", "12,50", 0, 5, "1e1", "1E1", nullptr},
        {Sorte::Decimal, "assistance", "12,50", 0, 5, "9.5", "12,50", nullptr},
        {Sorte::Decimal, "assistance", "12,50", 0, 5, "7,5 cm", "12,50", nullptr},
        {Sorte::Decimal, "assistance", "12,50", 0, 0, "-", "-12,50", nullptr},
        {Sorte::Decimal, "assistance", "12,50", 0, 0, "x", "12,50", nullptr},
        {Sorte::Cardinal, "assistance", "42", 0, 2, "-3", "42", nullptr},
        {Sorte::Entier, "assistance", "42", 0, 2, "", "", nullptr},
    };
    QClipboard* pressePapiers = QGuiApplication::clipboard();
    for (const Cas& cas : table) {
        QWidget fenetre;
        std::unique_ptr<TCommonEdit> champ(Cree(cas.sorte, &fenetre));
        champ->resize(200, 22);
        champ->setText(Q(cas.depart));
        champ->setSelection(cas.debut, cas.longueur);
        const QString geste = Q(cas.geste);
        const bool parPressePapiers = geste != QLatin1String("depot")
                                      && geste != QLatin1String("saisie")
                                      && geste != QLatin1String("assistance");
        const QString contenu = parPressePapiers ? Q(cas.apporte) : QStringLiteral("x");
        pressePapiers->setText(contenu);
        if (geste.startsWith(QLatin1String("menu "))) {
            const std::unique_ptr<QMenu> menu(champ->CreeMenuContextuel());
            for (QAction* action : menu->actions())
                if (action->text().startsWith(geste.mid(5)))
                    action->trigger();
        } else if (geste == QLatin1String("depot")) {
            QMimeData donnees;
            donnees.setText(Q(cas.apporte));
            QDragEnterEvent entree(QPoint(1, 11), Qt::CopyAction | Qt::MoveAction, &donnees,
                                   Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(champ.get(), &entree);
            QDropEvent depot(QPointF(1, 11), Qt::CopyAction | Qt::MoveAction, &donnees,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(champ.get(), &depot);
            // Refused, the drop is not taken: a moved text stays in its source.
            EXPECT_EQ(depot.isAccepted(), Q(cas.attendu) != Q(cas.depart)) << cas.apporte;
        } else if (geste == QLatin1String("assistance")) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(champ.get());
            ASSERT_TRUE(accessible && accessible->editableTextInterface());
            accessible->editableTextInterface()->replaceText(cas.debut, cas.debut + cas.longueur,
                                                            Q(cas.apporte));
        } else if (geste == QLatin1String("saisie")) {
            QInputMethodEvent composition;
            composition.setCommitString(Q(cas.apporte));
            QApplication::sendEvent(champ.get(), &composition);
        } else {
            QTest::keySequence(champ.get(), QKeySequence(geste));
        }
        EXPECT_EQ(champ->text(), Q(cas.attendu))
            << Nom(champ.get()) << " " << cas.geste << " " << cas.apporte;
        EXPECT_EQ(pressePapiers->text(), cas.copie ? Q(cas.copie) : contenu)
            << Nom(champ.get()) << " " << cas.geste << " " << cas.depart;
    }
}
