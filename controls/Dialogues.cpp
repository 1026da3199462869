#include "Dialogues.h"

#include "Ucouleurs.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QLayout>
#include <QUrl>

void DialoguesBureau::Message(QWidget* parent, const QString& texte)
{
    QMessageBox boite(QMessageBox::NoIcon, QApplication::applicationName(), texte,
                      QMessageBox::Ok, parent);
    boite.exec();
}

bool DialoguesBureau::Confirme(QWidget* parent, const QString& texte, const QString& continuer,
                               const QString& revenir)
{
    QMessageBox boite(QMessageBox::NoIcon, QApplication::applicationName(), texte,
                      QMessageBox::NoButton, parent);
    const QPushButton* suite = boite.addButton(continuer, QMessageBox::AcceptRole);
    QPushButton* retour = boite.addButton(revenir, QMessageBox::RejectRole);
    // Going back is the safe answer to Enter.
    boite.setDefaultButton(retour);
    boite.setEscapeButton(retour);
    boite.exec();
    return boite.clickedButton() == suite;
}

QString DialoguesBureau::ChoisitFichier(QWidget* parent, const QString& dossier, const QString& nom)
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

int DialoguesBureau::Execute(QDialog& dialogue)
{
    return dialogue.exec();
}

bool DialoguesBureau::ChoisitImprimante(QWidget* parent, QPrinter& imprimante,
                                        ChoixImpression choix)
{
    QPrintDialog dialogue(&imprimante, parent);
    if (choix == ChoixImpression::PlageEtFichier) {
        dialogue.setOptions(QAbstractPrintDialog::PrintToFile
                            | QAbstractPrintDialog::PrintPageRange);
    } else {
        dialogue.setOptions(QAbstractPrintDialog::PrintDialogOptions());
        // Qt's dialog offers a PDF file unless the printer already writes
        // to the system's printing service.
        imprimante.setOutputFormat(QPrinter::NativeFormat);
    }
    dialogue.setMinMax(1, imprimante.toPage() > 0 ? imprimante.toPage() : 1);
    return dialogue.exec() == QDialog::Accepted;
}

std::optional<Police> DialoguesBureau::ChoisitPolice(QWidget* parent, const Police& initiale)
{
    bool choisie = false;
    const QFont font = QFontDialog::getFont(&choisie, initiale.VersQFont(), parent);
    if (!choisie)
        return std::nullopt;
    return Police::DepuisQFont(font, initiale.Color);
}

std::optional<uint32_t> DialoguesBureau::ChoisitCouleur(QWidget* parent, uint32_t initiale,
                                                        const QStringList& personnalisees,
                                                        int options)
{
    // The dialog's custom colours are shared by every colour dialog of the
    // program; this one offers the button's own.
    for (int i = 0; i < personnalisees.size() && i < QColorDialog::customCount(); ++i) {
        const QColor couleur = QColor::fromString(personnalisees.at(i).trimmed());
        if (couleur.isValid())
            QColorDialog::setCustomColor(i, couleur);
    }
    const QColor choisie = QColorDialog::getColor(
        VersQColor(initiale), parent, QString(),
        QColorDialog::ColorDialogOptions(QColorDialog::ColorDialogOption(options)));
    if (!choisie.isValid())
        return std::nullopt;
    return DepuisQColor(choisie);
}

void DialoguesBureau::Apercu(QWidget* parent, QPrinter& imprimante, const QString& titre,
                             const std::function<void(QPrinter&)>& dessiner,
                             const InterrupteurApercu& interrupteur)
{
    QPrintPreviewDialog apercu(&imprimante, parent);
    apercu.setWindowTitle(titre);
    QObject::connect(&apercu, &QPrintPreviewDialog::paintRequested, &apercu,
                     [&dessiner](QPrinter* cible) { dessiner(*cible); });
    // Under the pages, where a narrow tool bar cannot hide it.
    auto* vue = apercu.findChild<QPrintPreviewWidget*>();
    if (interrupteur.etat != nullptr && vue != nullptr && apercu.layout() != nullptr) {
        auto* caseACocher = new QCheckBox(interrupteur.legende, &apercu);
        caseACocher->setChecked(*interrupteur.etat);
        apercu.layout()->addWidget(caseACocher);
        QObject::connect(caseACocher, &QCheckBox::toggled, vue,
                         [etat = interrupteur.etat, vue](bool coche) {
                             *etat = coche;
                             vue->updatePreview();
                         });
    }
    apercu.exec();
}

bool DialoguesBureau::OuvreDocument(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
