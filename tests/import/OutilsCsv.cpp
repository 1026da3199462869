#include "OutilsCsv.h"

#include <QFile>
#include <gtest/gtest.h>

void EcritCsv(const QString& chemin, const std::string& octets)
{
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(chemin);
    ASSERT_EQ(fichier.write(octets.data(), static_cast<qint64>(octets.size())),
              static_cast<qint64>(octets.size()));
}

std::string LitCsv(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return "<illisible>";
    const QByteArray contenu = fichier.readAll();
    return std::string(contenu.constData(), static_cast<std::size_t>(contenu.size()));
}

Table Rangees(const TCSV& table)
{
    Table rangees;
    for (uint32_t r = 0; r < table.NbRangees(); ++r)
        rangees.push_back(table[static_cast<int32_t>(r)]);
    return rangees;
}
