#include "FichiersTest.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

QByteArray LitOctets(const QString& fichier)
{
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<illisible>");
    return f.readAll();
}

QByteArray OctetsIni(const QByteArray& utf8)
{
#ifdef Q_OS_WIN
    return QString::fromUtf8(utf8).toLatin1();
#else
    return utf8;
#endif
}

QString VariableDossierReglages()
{
#ifdef Q_OS_WIN
    return QStringLiteral("APPDATA");
#else
    return QStringLiteral("XDG_CONFIG_HOME");
#endif
}

void DetourneDossierReglages(const QString& dossier)
{
    qputenv(VariableDossierReglages().toLatin1().constData(),
            QDir::toNativeSeparators(dossier).toLocal8Bit());
}

void EcritOctets(const QString& fichier, const QByteArray& octets)
{
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << fichier.toStdString();
    ASSERT_EQ(f.write(octets), octets.size());
}
