#include "Plateforme.h"

#include "DescripteurFichier.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString DossierDonneesUtilisateur()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString TrouveDossierAide()
{
    const QDir installe(QCoreApplication::applicationDirPath()
                        + QStringLiteral("/../share/brivane"));
    const QString dossier = installe.exists() ? installe.absolutePath() : QDir::currentPath();
    return dossier.endsWith(QLatin1Char('/')) ? dossier : dossier + QLatin1Char('/');
}

QStringList ArgumentsProgramme(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << DecodeNomFichier(QByteArray(argv[i]));
    return arguments;
}

QByteArray PlateformeSansEcran()
{
    return QByteArrayLiteral("offscreen");
}

void PrepareConsole() {}

std::optional<QByteArray> EncodeTexteIni(QStringView texte)
{
    // Every text is UTF-8 but a lone surrogate, which the writer refuses first.
    return texte.toUtf8();
}
