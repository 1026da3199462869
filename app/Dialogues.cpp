#include "Dialogues.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

void DialoguesBureau::Message(QWidget* parent, const QString& texte)
{
    QMessageBox boite(QMessageBox::NoIcon, QApplication::applicationName(), texte,
                      QMessageBox::Ok, parent);
    boite.exec();
}

QString DialoguesBureau::ChoisirFichier(QWidget* parent, const QString& dossier, const QString& nom)
{
    QFileDialog dialogue(parent);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    // "*.*" would hide files without a dot on this system.
    dialogue.setNameFilters({QStringLiteral("Fichiers csv (*.csv)"),
                             QStringLiteral("Tous fichiers (*)")});
    dialogue.setDefaultSuffix(QStringLiteral("csv"));
    if (!dossier.isEmpty())
        dialogue.setDirectory(dossier);
    if (!nom.isEmpty())
        dialogue.selectFile(nom);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return {};
    return dialogue.selectedFiles().constFirst();
}

int DialoguesBureau::Executer(QDialog& dialogue)
{
    return dialogue.exec();
}

bool DialoguesBureau::ChoisirImprimante(QWidget* parent, QPrinter& imprimante)
{
    QPrintDialog dialogue(&imprimante, parent);
    dialogue.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    dialogue.setMinMax(1, imprimante.toPage());
    return dialogue.exec() == QDialog::Accepted;
}

void DialoguesBureau::OuvrirDocument(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}
