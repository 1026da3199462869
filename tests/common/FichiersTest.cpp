#include "FichiersTest.h"

#include <QFile>
#include <gtest/gtest.h>

QByteArray LitOctets(const QString& fichier)
{
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<illisible>");
    return f.readAll();
}

void EcritOctets(const QString& fichier, const QByteArray& octets)
{
    QFile f(fichier);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << fichier.toStdString();
    ASSERT_EQ(f.write(octets), octets.size());
}
