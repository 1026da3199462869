// Brivane: prints the address labels of a school's electoral list.

#include "ArretSession.h"
#include "Dialogues.h"
#include "Upolice.h"
#include "Wchampsdia.h"
#include "Wmyframe.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's own dialogs (file, print, message box buttons) speak French whatever
// the desktop's language: the program's own texts are French too.
void ChargeTraductions(QApplication& application, QTranslator& qtbase)
{
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtbase.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                    QStringLiteral("_"), dossier))
        application.installTranslator(&qtbase);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivane"));
    QTranslator qtbase;
    ChargeTraductions(application, qtbase);
    InstalleSubstitutionsPolices();

    DialoguesBureau dialogues;
    TChampsDia champsDia;  // created once, hidden, reused by every use of the fields button
    TMyFrame fenetre(dialogues, champsDia);
    // A logout ends the program as "Quitter" does, settings written; then
    // every dialog still open gives way, as if cancelled.
    ArretSession arret;
    QObject::connect(&arret, &ArretSession::Demande, &fenetre, [&fenetre] {
        fenetre.close();
        QCoreApplication::exit(0);
    });
    fenetre.show();
    return application.exec();
}
