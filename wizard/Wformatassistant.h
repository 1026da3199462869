#pragma once
// The format wizard behind step 2: seven pages describe a sheet of labels
// (paper, rows and columns, one label, its inner margins, the offsets from
// the paper's edges, the font) and the last one prints a test page. Every
// page works on a copy of the caller's format; "Suivant >" checks the page
// before going on, and only "Terminer" on the last page writes the copy back.
// The first page can also take a sheet from the catalogue; the last one
// previews the test page and sets the printer's calibration, which belongs
// to the printer and is kept at once, whether the wizard finishes or not.

#include "Parametres.h"
#include "ReglagesImpression.h"

#include <QDialog>
#include <QString>

#include <array>

class Dialogues;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TAOLButton;
class TCardinalEdit;
class TColorButton;
class TDecimalEdit;
class THintBox;

// "Arial 10 gras": the face, the size and the styles of a font.
QString DescriptionFonte(const Fonte& fonte);

class TFormatAssistant : public QDialog {
    Q_OBJECT

public:
    // Every message and dialog goes through `dialogues`, which must outlive
    // the wizard.
    TFormatAssistant(Dialogues& dialogues, QWidget* parent = nullptr);
    ~TFormatAssistant() override;

    // Remembers the caller's format, which "Terminer" overwrites, copies it
    // and fills the pages. Called once, before the wizard is shown.
    void ChargeFormat(::Parametres& parametres);
    // The caller's print settings, whose calibration the test page and its
    // preview apply and "Réglage de l'imprimante..." changes at once, even
    // if the wizard is then cancelled. They must outlive the wizard. Without
    // them the wizard keeps a calibration of its own, 0 to start with.
    void ChargeReglagesImpression(ReglagesImpression& reglages);

    // The three buttons under the pages.
    void btSuivClick();
    void btPrecClick();
    void btFermerClick();
    // Typing a page size means a size other than A4.
    void edLargeurPageChange();
    // The font page.
    void AfficheFonte();
    void btPoliceClick();
    void ColorButton1ColorChange();
    // "Choisir une planche du commerce...": a catalogue sheet fills the copy
    // and the fields that show it.
    void btPlancheClick();
    // The test page, printed from the copy being edited.
    void btTestClick();
    // The test page's print preview, with the calibration.
    void btApercuClick();
    // "Réglage de l'imprimante...": the calibration, kept at once on OK.
    void btReglageClick();

    // The copy every page reads from and writes to.
    const ::Parametres& CopieTravail() const { return m_copie; }
    // The name of the page shown: "Page", "NombreEtiq", "Etiquette",
    // "MargesInternes", "Decalage", "Fonte" or "Merci".
    QString PageCourante() const;
    // The calibration every test page is printed with, in tenths of a
    // millimetre (right and down).
    qlPoint DecalageImprimante() const;

    QStackedWidget* nb = nullptr;
    QPushButton* btPrec = nullptr;
    QPushButton* btSuiv = nullptr;
    QPushButton* btFermer = nullptr;

    // "Page"
    QRadioButton* rbA4 = nullptr;
    QRadioButton* rbAutre = nullptr;
    TDecimalEdit* edLargeurPage = nullptr;
    TDecimalEdit* edHauteurPage = nullptr;
    QGroupBox* rgOrientation = nullptr;
    QButtonGroup* rgOrientationItems = nullptr;  // "portrait" 0, "paysage" 1
    QPushButton* btPlanche = nullptr;
    QLabel* lbPlanche = nullptr;  // what a catalogue sheet brought
    // "NombreEtiq"
    TCardinalEdit* edNbLignes = nullptr;
    TCardinalEdit* edNbCols = nullptr;
    QFrame* panPortrait1 = nullptr;
    // "Etiquette"
    TDecimalEdit* edLargeurEtiq = nullptr;
    TDecimalEdit* edHauteurEtiq = nullptr;
    // "MargesInternes"
    TDecimalEdit* edMargeInterneHaute = nullptr;
    TDecimalEdit* edMargeInterneBasse = nullptr;
    TDecimalEdit* edMargeInterneGauche = nullptr;
    TDecimalEdit* edMargeInterneDroite = nullptr;
    // "Decalage"
    TDecimalEdit* edMargeHaute = nullptr;
    TDecimalEdit* edMargeGauche = nullptr;
    TDecimalEdit* edMargeDroite = nullptr;
    TDecimalEdit* edMargeBasse = nullptr;
    QFrame* panPortrait2 = nullptr;
    // "Fonte"
    QLabel* lbNomPolice = nullptr;
    TColorButton* ColorButton1 = nullptr;
    QPushButton* btPolice = nullptr;
    QLabel* lbExemple = nullptr;
    // "Merci"
    THintBox* HintBox1 = nullptr;
    TAOLButton* btTest = nullptr;
    THintBox* HintBox2 = nullptr;
    QPushButton* btApercu = nullptr;
    QPushButton* btReglage = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // One page of the wizard: the name PageCourante gives, how it is built,
    // and the check "Suivant >" makes on leaving it (none where nothing is read).
    struct DescriptionPage {
        QString nom;
        void (TFormatAssistant::*construire)(QWidget* page);
        bool (TFormatAssistant::*quitter)();
    };
    // The seven pages in the order shown; "Suivant >" and "< Précédent" walk
    // it by index. Beside the builders, in PagesAssistant.cpp.
    static const std::array<DescriptionPage, 7>& Pages();

    QWidget* NouvellePage(const QString& nom);
    // Shows page i and the buttons it takes: no "< Précédent" on the first,
    // "Terminer" instead of "Suivant >" and "Annuler" on the last.
    void MontrePage(int i);
    void ConstruitPageFormat(QWidget* page);
    void ConstruitPageNombre(QWidget* page);
    void ConstruitPageEtiquette(QWidget* page);
    void ConstruitPageMargesInternes(QWidget* page);
    void ConstruitPageDecalage(QWidget* page);
    void ConstruitPageFonte(QWidget* page);
    void ConstruitPageMerci(QWidget* page);
    void FixeOrdreTabulation();
    // Shows the copy's sheet: its size and orientation, grid, label size and
    // offsets, in the fields of every page.
    void AfficheFeuille();
    // The working copy's four inner margins in their fields.
    void AfficheMargesInternes();
    // Prints the test page of the copy; an error is shown, not raised.
    void ImprimeTestSansErreur(QPrinter& imprimante);

    // "Suivant >" on each page: reads its fields into the copy, checks them
    // and tells whether the wizard may go on.
    bool QuittePageFormat();
    bool QuittePageNombre();
    bool QuittePageEtiquette();
    bool QuittePageMargesInternes();
    bool QuittePageDecalage();
    // Shows the message of a failed check; true when there was none.
    bool Accepte(const QString& refus);

    Dialogues& m_dialogues;
    ::Parametres* m_appelant = nullptr;
    ::Parametres m_copie;
    ReglagesImpression m_reglagesPropres;  // when the caller gave none
    ReglagesImpression* m_reglages = &m_reglagesPropres;
    bool m_centree = false;
};
