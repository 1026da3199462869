#include "Plateforme.h"

#include "Cp1252.h"

#include <QCoreApplication>
#include <QDir>

#include <array>
#include <string>
#include <shlobj.h>
#include <windows.h>

namespace {

QString AvecSeparateur(const QString& dossier)
{
    const QString natif = QDir::toNativeSeparators(dossier);
    return natif.endsWith(QLatin1Char('\\')) ? natif : natif + QLatin1Char('\\');
}

}  // namespace

QString DossierDonneesUtilisateur()
{
    // The roaming application data follows the user from one school computer
    // to another. Windows names it in APPDATA at logon, where a launcher (or
    // a test) may point elsewhere; without it, the shell's CSIDL_APPDATA.
    const QString variable = qEnvironmentVariable("APPDATA");
    if (!variable.isEmpty())
        return QDir::fromNativeSeparators(variable);
    std::array<wchar_t, MAX_PATH> chemin {};
    if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, chemin.data()) != S_OK)
        return QString();
    return QDir::fromNativeSeparators(QString::fromWCharArray(chemin.data()));
}

QString TrouveDossierAide()
{
    const QString courant = AvecSeparateur(QDir::currentPath());
    HKEY cle = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Brivane", 0, KEY_READ, &cle) != ERROR_SUCCESS)
        return courant;
    // A missing value reads as an empty folder, "\"; a value of another type
    // falls back to the current folder.
    QString dossier;
    DWORD type = 0;
    DWORD taille = 0;
    const LONG etat = ::RegQueryValueExW(cle, L"path", nullptr, &type, nullptr, &taille);
    if (etat == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::wstring valeur(taille / sizeof(wchar_t) + 1, L'\0');
        if (::RegQueryValueExW(cle, L"path", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(valeur.data()), &taille) == ERROR_SUCCESS)
            dossier = QString::fromWCharArray(valeur.c_str()) + QLatin1Char('\\');
        else
            dossier = courant;
    } else if (etat == ERROR_FILE_NOT_FOUND) {
        dossier = QStringLiteral("\\");
    } else {
        dossier = courant;
    }
    ::RegCloseKey(cle);
    return dossier;
}

QStringList ArgumentsProgramme(int /*argc*/, char** /*argv*/)
{
    // Qt reads them from the wide-character command line here.
    return QCoreApplication::arguments();
}

QByteArray PlateformeSansEcran()
{
    // Qt for Windows has no offscreen platform without FreeType; the minimal
    // one draws with the GDI fonts once asked to.
    return QByteArrayLiteral("minimal:enable_fonts");
}

void PrepareConsole()
{
    ::SetConsoleOutputCP(CP_UTF8);
}

std::optional<QByteArray> EncodeTexteIni(QStringView texte)
{
    QByteArray octets;
    octets.reserve(texte.size());
    for (const QChar c : texte) {
        if (c.unicode() < 0x80) {
            octets.append(static_cast<char>(c.unicode()));
            continue;
        }
        // The code page's upper half, searched through its decoder so that
        // both directions share one table.
        int octet = 0x80;
        while (octet <= 0xFF && DecodeCp1252(static_cast<unsigned char>(octet)) != c)
            ++octet;
        if (octet > 0xFF)
            return std::nullopt;
        octets.append(static_cast<char>(octet));
    }
    return octets;
}
