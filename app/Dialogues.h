#pragma once
// Everything the main window asks of a person goes through this seam: message
// boxes, the file, print and modal dialogs, and the desktop's document opener.
// The program uses DialoguesBureau; tests answer with their own.

class QDialog;
class QPrinter;
class QString;
class QUrl;
class QWidget;

class Dialogues {
public:
    virtual ~Dialogues() = default;

    // A plain modal box: the application's title, no icon, one OK button.
    virtual void Message(QWidget* parent, const QString& texte) = 0;
    // The file-open dialog for CSV extractions; an empty result means cancelled.
    virtual QString ChoisirFichier(QWidget* parent, const QString& dossier, const QString& nom) = 0;
    // Runs a dialog modally and returns its result code.
    virtual int Executer(QDialog& dialogue) = 0;
    // The print dialog (page range and print to file); false when cancelled.
    virtual bool ChoisirImprimante(QWidget* parent, QPrinter& imprimante) = 0;
    // Asks the desktop to open a document; the outcome is not examined.
    virtual void OuvrirDocument(const QUrl& url) = 0;
};

class DialoguesBureau final : public Dialogues {
public:
    void Message(QWidget* parent, const QString& texte) override;
    QString ChoisirFichier(QWidget* parent, const QString& dossier, const QString& nom) override;
    int Executer(QDialog& dialogue) override;
    bool ChoisirImprimante(QWidget* parent, QPrinter& imprimante) override;
    void OuvrirDocument(const QUrl& url) override;
};
