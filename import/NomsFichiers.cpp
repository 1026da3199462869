// File names as the system's bytes, kept whole even where they are not UTF-8.
#include "DescripteurFichier.h"

#include "Utf8.h"

#include <string_view>

QString DecodeNomFichier(const QByteArray& octets)
{
    const std::string_view texte(octets.constData(), static_cast<std::size_t>(octets.size()));
    QString nom;
    nom.reserve(octets.size());
    std::size_t position = 0;
    while (position < texte.size()) {
        char32_t point = 0;
        if (Utf8Suivant(texte, position, point))
            nom.append(QString::fromUcs4(&point, 1));
        else
            nom.append(QChar(static_cast<char16_t>(
                0xDC00 + static_cast<unsigned char>(texte[position++]))));
    }
    return nom;
}

QByteArray EncodeNomFichier(const QString& nom)
{
    QByteArray octets;
    octets.reserve(nom.size());
    for (qsizetype i = 0; i < nom.size(); ++i) {
        const char16_t c = nom.at(i).unicode();
        if (c >= 0xDC80 && c <= 0xDCFF) {
            octets.append(static_cast<char>(c - 0xDC00));
        } else if (QChar::isHighSurrogate(c) && i + 1 < nom.size()
                   && nom.at(i + 1).isLowSurrogate()) {
            octets.append(nom.mid(i, 2).toUtf8());
            ++i;
        } else {
            octets.append(QString(QChar(c)).toUtf8());
        }
    }
    return octets;
}
