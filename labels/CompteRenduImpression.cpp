#include "CompteRenduImpression.h"

#include <QDir>
#include <QFileInfo>

QString CompteRenduImpression(int64_t etiquettes, int32_t pages, const QString& fichierPdf)
{
    const bool plusieurs = etiquettes > 1;
    const QString debut = QStringLiteral("%1 étiquette%2 sur %3 page%4 ")
                              .arg(etiquettes)
                              .arg(plusieurs ? QStringLiteral("s") : QString())
                              .arg(pages)
                              .arg(pages > 1 ? QStringLiteral("s") : QString());
    const QString accord = plusieurs ? QStringLiteral("s") : QString();
    if (fichierPdf.isEmpty())
        return debut + QStringLiteral("envoyée%1 à l'imprimante").arg(accord);
    return debut + QStringLiteral("enregistrée%1 dans « %2 »").arg(accord, fichierPdf);
}

QString NomPdfPropose(const QString& extraction)
{
    if (extraction.isEmpty())
        return QString();
    const QFileInfo info(extraction);
    QString nom = info.fileName();
    if (nom.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        nom.chop(4);
    return info.dir().filePath(QStringLiteral("Etiquettes - %1.pdf").arg(nom));
}
