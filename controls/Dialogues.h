#pragma once
// Everything a window asks of a person goes through this seam: message boxes,
// the file, print, font and colour dialogs, modal dialogs of our own, and the
// desktop's document opener. The program uses DialoguesBureau; tests answer
// with their own (tests/common/DialoguesTest.h), so no test waits for anyone.

#include "Upolice.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QUrl;
class QWidget;

// A check box in the tool bar of a print preview: its caption and the state
// it shows and sets; the preview is drawn again on each change.
struct InterrupteurApercu {
    QString legende;
    bool* etat = nullptr;  // none: no check box
};

class Dialogues {
public:
    virtual ~Dialogues() = default;

    // What the print dialog lets the user choose besides the printer.
    enum class ChoixImpression {
        PlageEtFichier,  // a page range and printing to a file (the labels)
        PageUnique,      // neither: one page on a real printer (the test page)
    };

    // A plain modal box: the application's title, no icon, one OK button.
    virtual void Message(QWidget* parent, const QString& texte) = 0;
    // The same with two buttons: true when the person goes on (`continuer`),
    // false when they go back (`revenir`, Esc, the close box).
    virtual bool Confirme(QWidget* parent, const QString& texte, const QString& continuer,
                          const QString& revenir) = 0;
    // The file-open dialog for CSV extractions; an empty result means cancelled.
    virtual QString ChoisitFichier(QWidget* parent, const QString& dossier, const QString& nom) = 0;
    // Runs a dialog modally and returns its result code.
    virtual int Execute(QDialog& dialogue) = 0;
    // The print dialog, opened on the printer's from/to pages; false when
    // cancelled.
    virtual bool ChoisitImprimante(QWidget* parent, QPrinter& imprimante,
                                   ChoixImpression choix = ChoixImpression::PlageEtFichier) = 0;
    // The font dialog, opened on `initiale`; nothing when cancelled. The
    // desktop's font dialog has no colour of its own: the colour of
    // `initiale` comes back with the chosen font.
    virtual std::optional<Police> ChoisitPolice(QWidget* parent, const Police& initiale) = 0;
    // The colour dialog, opened on `initiale` (a 32-bit colour value, see
    // Ucouleurs.h) with these custom colours ("#RRGGBB" lines) and options
    // (QColorDialog::ColorDialogOptions as an int); nothing when cancelled.
    virtual std::optional<uint32_t> ChoisitCouleur(QWidget* parent, uint32_t initiale,
                                                   const QStringList& personnalisees,
                                                   int options) = 0;
    // Shows the print preview titled `titre` of what `dessiner` prints on the
    // printer it is given (once per refresh of the preview); from there the
    // user may also print it. `imprimante` holds the page setup to start from.
    virtual void Apercu(QWidget* parent, QPrinter& imprimante, const QString& titre,
                        const std::function<void(QPrinter&)>& dessiner,
                        const InterrupteurApercu& interrupteur = InterrupteurApercu()) = 0;
    // Asks the desktop to open a document; false when nothing could be
    // started to open it.
    virtual bool OuvreDocument(const QUrl& url) = 0;
};

class DialoguesBureau final : public Dialogues {
public:
    void Message(QWidget* parent, const QString& texte) override;
    bool Confirme(QWidget* parent, const QString& texte, const QString& continuer,
                  const QString& revenir) override;
    QString ChoisitFichier(QWidget* parent, const QString& dossier, const QString& nom) override;
    int Execute(QDialog& dialogue) override;
    bool ChoisitImprimante(QWidget* parent, QPrinter& imprimante,
                           ChoixImpression choix = ChoixImpression::PlageEtFichier) override;
    std::optional<Police> ChoisitPolice(QWidget* parent, const Police& initiale) override;
    std::optional<uint32_t> ChoisitCouleur(QWidget* parent, uint32_t initiale,
                                           const QStringList& personnalisees,
                                           int options) override;
    void Apercu(QWidget* parent, QPrinter& imprimante, const QString& titre,
                const std::function<void(QPrinter&)>& dessiner,
                const InterrupteurApercu& interrupteur = InterrupteurApercu()) override;
    bool OuvreDocument(const QUrl& url) override;
};
