#include "Ulien.h"

#include <array>

namespace {
// The prefixes of the known kinds, in the order of TLinkType.
constexpr std::array<const char*, 9> Prefixes{
    "http://", "mailto:", "ftp://", "https://", "news:", "telnet:", "wais:", "gopher:", "file://",
};

bool EstConnu(TLinkType type)
{
    return static_cast<int>(type) >= 0 && static_cast<int>(type) < static_cast<int>(Prefixes.size());
}
}  // namespace

QString LienHypertexte::Prefixe(TLinkType type)
{
    return EstConnu(type) ? QString::fromLatin1(Prefixes[static_cast<size_t>(type)]) : QString();
}

TLinkType LienHypertexte::GetLinkType(const QString& protocole)
{
    for (size_t i = 0; i < Prefixes.size(); ++i) {
        if (protocole == QLatin1String(Prefixes[i]))
            return static_cast<TLinkType>(i);
    }
    return protocole.isEmpty() ? TLinkType::ltNone : TLinkType::ltCUSTOM;
}

void LienHypertexte::SetLinkType(TLinkType type)
{
    if (type == FLinkType)
        return;
    FLinkType = type;
    if (EstConnu(type)) {
        FLinkProtocol = Prefixe(type);
    } else if (type == TLinkType::ltNone) {
        FLinkProtocol.clear();
        FLinkDestination.clear();
    }
}

void LienHypertexte::SetLinkProtocol(const QString& protocole)
{
    if (protocole == FLinkProtocol)
        return;
    FLinkProtocol = protocole.toLower();
    SetLinkType(GetLinkType(FLinkProtocol));
}

void LienHypertexte::SetLinkDestination(const QString& destination)
{
    if (destination != FLinkDestination)
        FLinkDestination = destination.toLower();

    for (size_t i = 0; i < Prefixes.size(); ++i) {
        const QLatin1String prefixe(Prefixes[i]);
        if (FLinkDestination.startsWith(prefixe)) {
            FLinkDestination.remove(0, prefixe.size());
            FLinkProtocol = prefixe;
            FLinkType = static_cast<TLinkType>(i);
            return;
        }
    }
    if (FLinkDestination.isEmpty()) {
        FLinkType = TLinkType::ltNone;
        FLinkProtocol.clear();
    }
}
