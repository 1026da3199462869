#pragma once
// The Dialogues seam answered by the test: every question is recorded and
// answered from what the test set beforehand, so nothing waits for a person.

#include "Dialogues.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>

class DialoguesTest final : public Dialogues {
public:
    QStringList messages;
    std::deque<QString> fichiers;  // answers of the file dialog; "" cancels
    QString dossierPropose, nomPropose;
    // By default a person cancels every dialog of ours, except the start label
    // asked before printing, which they confirm as it stands (label 1).
    std::function<int(QDialog&)> modal = [](QDialog& d) {
        return int(d.inherits("TDebutPlanche") ? QDialog::Accepted : QDialog::Rejected);
    };
    // Answers the print dialog; false cancels.
    std::function<bool(QPrinter&)> impression = [](QPrinter&) { return false; };
    int impressionsDemandees = 0;
    ChoixImpression dernierChoixImpression = ChoixImpression::PlageEtFichier;
    // Answers of the font and colour dialogs; nothing cancels.
    std::function<std::optional<Police>(const Police&)> police =
        [](const Police&) { return std::optional<Police>(); };
    std::function<std::optional<uint32_t>(uint32_t)> couleur =
        [](uint32_t) { return std::optional<uint32_t>(); };
    int couleursDemandees = 0;
    QStringList couleursPersoProposees;
    int optionsCouleurProposees = 0;
    QList<QUrl> ouverts;
    // What the desktop's document opener answers.
    bool ouvertureReussie = true;

    void Message(QWidget*, const QString& texte) override { messages << texte; }
    // Questions asked, and the answer to each (by default the person goes on).
    QStringList questions;
    std::function<bool(const QString&)> confirmation = [](const QString&) { return true; };
    bool Confirme(QWidget*, const QString& texte, const QString&, const QString&) override
    {
        questions << texte;
        return confirmation(texte);
    }
    QString ChoisitFichier(QWidget*, const QString& dossier, const QString& nom) override
    {
        dossierPropose = dossier;
        nomPropose = nom;
        if (fichiers.empty())
            return {};
        QString reponse = fichiers.front();
        fichiers.pop_front();
        return reponse;
    }
    int Execute(QDialog& dialogue) override { return modal(dialogue); }
    bool ChoisitImprimante(QWidget*, QPrinter& imprimante, ChoixImpression choix) override
    {
        ++impressionsDemandees;
        dernierChoixImpression = choix;
        return impression(imprimante);
    }
    std::optional<Police> ChoisitPolice(QWidget*, const Police& initiale) override
    {
        return police(initiale);
    }
    std::optional<uint32_t> ChoisitCouleur(QWidget*, uint32_t initiale,
                                           const QStringList& personnalisees,
                                           int options) override
    {
        ++couleursDemandees;
        couleursPersoProposees = personnalisees;
        optionsCouleurProposees = options;
        return couleur(initiale);
    }
    // Previews asked for, by title; `apercu` answers each (by default it
    // draws nothing).
    QStringList apercus;
    std::function<void(QPrinter&, const std::function<void(QPrinter&)>&)> apercu =
        [](QPrinter&, const std::function<void(QPrinter&)>&) {};
    InterrupteurApercu interrupteur;  // the preview's check box, while it is shown
    void Apercu(QWidget*, QPrinter& imprimante, const QString& titre,
                const std::function<void(QPrinter&)>& dessiner,
                const InterrupteurApercu& choix = InterrupteurApercu()) override
    {
        apercus << titre;
        interrupteur = choix;
        apercu(imprimante, dessiner);
    }
    bool OuvreDocument(const QUrl& url) override
    {
        ouverts << url;
        return ouvertureReussie;
    }
};
