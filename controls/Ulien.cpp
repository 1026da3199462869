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
    if (type == m_linkType)
        return;
    m_linkType = type;
    if (EstConnu(type)) {
        m_linkProtocol = Prefixe(type);
    } else if (type == TLinkType::ltNone) {
        m_linkProtocol.clear();
        m_linkDestination.clear();
    }
}

void LienHypertexte::SetLinkProtocol(const QString& protocole)
{
    if (protocole == m_linkProtocol)
        return;
    m_linkProtocol = protocole.toLower();
    SetLinkType(GetLinkType(m_linkProtocol));
}

void LienHypertexte::SetLinkDestination(const QString& destination)
{
    if (destination != m_linkDestination)
        m_linkDestination = destination.toLower();

    for (size_t i = 0; i < Prefixes.size(); ++i) {
        const QLatin1String prefixe(Prefixes[i]);
        if (m_linkDestination.startsWith(prefixe)) {
            m_linkDestination.remove(0, prefixe.size());
            m_linkProtocol = prefixe;
            m_linkType = static_cast<TLinkType>(i);
            return;
        }
    }
    if (m_linkDestination.isEmpty()) {
        m_linkType = TLinkType::ltNone;
        m_linkProtocol.clear();
    }
}
