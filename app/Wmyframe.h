#pragma once
// The main window: the three steps (open and check the extraction, describe
// the sheet and the fields, print), the status text and light, start-up and
// shut-down. It owns the loaded extraction, the format, the print
// settings and the help folder for the whole life of the program. Ctrl+O,
// Ctrl+P, Ctrl+Q and F1 do what "Ouvrir le fichier...", "Imprimer les
// étiquettes...", "Quitter" and the help link do. "Aperçu..." shows what
// printing would send, page by page.

#include "ExtractionChargee.h"
#include "ImpressionEtiquettes.h"
#include "Parametres.h"
#include "ReglagesImpression.h"
#include "Ucsv.h"

#include <QEvent>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class Dialogues;
class QFrame;
class QLabel;
class QPrinter;
class TAOLButton;
class TChampsDia;
class TLabel3D;
class TLed;
class TLinkLabel;

class TMyFrame : public QWidget {
    Q_OBJECT

public:
    // The start-up message the window posts to itself when it is created.
    static constexpr QEvent::Type EvDemarrage = static_cast<QEvent::Type>(QEvent::User + 1);

    TMyFrame(Dialogues& dialogues, TChampsDia& champsDia, QWidget* parent = nullptr);
    ~TMyFrame() override;

    // Checks the loaded table against the electoral-list columns.
    void AnalyseFichier();
    void InitParametres();
    void LitParametres();
    void EcritParametres();

    // Handlers of the step buttons, the help link and the quit button.
    void AOLButton1Click();
    void AOLButton2Click();
    void AOLButton3Click();
    void AOLButton4Click();
    void AOLButton6Click();
    void Label16Click();
    // Step 3's preview: the same checks and start label as printing, then
    // the pages in the print preview, from where they can be printed; on
    // screen only, every label outlined faintly (a switch of the preview)
    // and those that lose text in red.
    void btApercuClick();

    // The loaded extraction and its check; the light shows whether it is
    // ready to print. Table and IndexChamps are its own, under the window's names.
    ExtractionChargee Extraction;
    TableIndexChamps& IndexChamps = Extraction.IndexChamps();
    TCSV& Table = Extraction.Table();
    ::Parametres Parametres;
    // Order by class and the printer's calibration (section "Impression").
    ReglagesImpression Impression;
    QString DossierAide;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label14 = nullptr;
    TLinkLabel* Label16 = nullptr;
    QLabel* Label7 = nullptr;
    TAOLButton* AOLButton1 = nullptr;
    QLabel* lbFich = nullptr;
    // Under the status text: the loaded file's name, voters and date, or why
    // it could not be read.
    QLabel* lbInfoFich = nullptr;
    TLed* Led1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    TAOLButton* AOLButton2 = nullptr;
    QLabel* Label10 = nullptr;
    TAOLButton* AOLButton4 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    TAOLButton* AOLButton3 = nullptr;
    TAOLButton* btApercu = nullptr;
    TAOLButton* AOLButton6 = nullptr;
    QFrame* Panel1 = nullptr;
    TLabel3D* lbTitre = nullptr;
    TLinkLabel* lnkSite = nullptr;

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ExecuteProtege(const std::function<void()>& action);
    // The checks before printing or previewing, then the start label on the
    // first sheet: the job that lays the voters out, or nothing when it must
    // not go on.
    std::optional<ImpressionEtiquettes> PrepareImpression();
    // Before printing: when labels would lose text, says which and asks
    // whether to print anyway.
    bool AccepteTexteCoupe(const ImpressionEtiquettes& job);
    // Prints the job on the printer as a dialog left it; false when refused
    // before printing.
    bool ImprimeSur(QPrinter& imprimante, const ImpressionEtiquettes& job);
    // Offers "Etiquettes - <extraction>.pdf" beside the extraction to the
    // print dialog.
    void ProposeNomPdf(QPrinter& imprimante) const;
    void FormCreate();
    void Demarrage();
    bool ChargeTable();
    void AfficheInfoFichier(bool charge);
    // Led1 on only while the extraction is ready to print.
    void AfficheVoyant();
    void FormClose();
    void ConstruitFenetre();
    void ConstruitPanneau();
    void ConstruitRaccourcis();
    TAOLButton* Bouton(const QString& legende, int x, int y, int largeur, void (TMyFrame::*gestionnaire)());

    Dialogues& m_dialogues;
    TChampsDia& m_champsDia;
    bool m_centree = false;
    bool m_contoursApercu = true;  // the preview's outlines, kept while the program runs
};
