// Windows asks every program before a logoff or a shutdown (the session
// manager's commit request): that request is the end of the session.
#include "ArretSession.h"

#include <QGuiApplication>
#include <QSessionManager>

struct ArretSession::Etat {};

ArretSession::ArretSession(QObject* parent) : QObject(parent), m_etat(std::make_unique<Etat>())
{
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { emit Demande(0); });
}

ArretSession::~ArretSession() = default;
