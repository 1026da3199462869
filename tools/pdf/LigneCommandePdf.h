#pragma once
// The command line of brivane-pdf:
//   brivane-pdf [--settings FICHIER] [--planche "MARQUE REFERENCE"] [--pages PREMIERE-DERNIERE]
//               [--debut N] [--tri classe|fichier] [--ajuster] EXTRACTION.csv SORTIE.pdf
//   brivane-pdf --test-page [--settings FICHIER] [--planche "MARQUE REFERENCE"] SORTIE.pdf

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

struct OptionsPdf {
    QString fichierReglages;  // empty: the user's own settings file
    bool plageDonnee = false;
    int32_t premiere = 1;     // pages, from 1, when plageDonnee
    int32_t derniere = 1;
    bool pageTest = false;    // the format's test page instead of the labels
    int32_t debut = 1;        // first label used on the first sheet, from 1
    std::optional<bool> triClasse;  // grouped by class; nothing: as the settings say
    bool ajusterTexte = false;  // crowded labels written smaller, whatever the settings say
    QString planche;          // a catalogue sheet instead of the settings' sheet
    QString extraction;       // empty for the test page
    QString sortie;
};

struct LigneCommandePdf {
    enum class Issue { Exporter, Aide, Erreur };
    Issue issue = Issue::Erreur;
    OptionsPdf options;
    QString erreur;  // French, when issue is Erreur
};

// Reads the arguments, the program's name first.
LigneCommandePdf AnalyseLigneCommande(const QStringList& arguments);

// "--pages" value: "PREMIERE-DERNIERE" or a single page, pages from 1 and
// PREMIERE ≤ DERNIERE. False on anything else.
bool LitPlagePages(const QString& texte, int32_t& premiere, int32_t& derniere);

// "--debut" value: a label number from 1, the sheet's size not yet known.
// False on anything else.
bool LitDebut(const QString& texte, int32_t& debut);

// The --help text, in French.
QString TexteAide();
