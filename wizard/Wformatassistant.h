#pragma once
// The format wizard behind step 2: seven pages describe a sheet of labels
// (paper, rows and columns, one label, its inner margins, the offsets from
// the paper's edges, the font) and the last one prints a test page. Every
// page works on a copy of the caller's format; "Suivant >" checks the page
// before going on, and only "Terminer" on the last page writes the copy back.

#include "Parametres.h"

#include <QDialog>
#include <QString>

class Dialogues;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
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
    // The test page, printed from the copy being edited.
    void btTestClick();

    // The copy every page reads from and writes to.
    const ::Parametres& CopieTravail() const { return copie_; }
    // The name of the page shown: "Page", "NombreEtiq", "Etiquette",
    // "MargesInternes", "Decalage", "Fonte" or "Merci".
    QString PageCourante() const;

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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* NouvellePage(const QString& nom);
    void AllerA(const QString& nom);
    void ConstruirePageFormat(QWidget* page);
    void ConstruirePageNombre(QWidget* page);
    void ConstruirePageEtiquette(QWidget* page);
    void ConstruirePageMargesInternes(QWidget* page);
    void ConstruirePageDecalage(QWidget* page);
    void ConstruirePageFonte(QWidget* page);
    void ConstruirePageMerci(QWidget* page);
    void FixerOrdreTabulation();

    // "Suivant >" on each page: reads its fields into the copy, checks them
    // and tells whether the wizard may go on.
    bool QuitterPageFormat();
    bool QuitterPageNombre();
    bool QuitterPageEtiquette();
    bool QuitterPageMargesInternes();
    bool QuitterPageDecalage();
    // Shows the message of a failed check; true when there was none.
    bool Accepte(const QString& refus);

    Dialogues& dialogues_;
    ::Parametres* appelant_ = nullptr;
    ::Parametres copie_;
    bool centree_ = false;
};
