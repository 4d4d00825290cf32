// The scripted-event server's least form: existence by identity and the record of what was fired.
#include "scripted/new_event_server.h"

#include "foundation/safeguards.h"

CNewEventServer* CNewEventServer::_pInstance = nullptr;

void CNewEventServer::Init()
{
    delete _pInstance;
    _pInstance = new CNewEventServer;
}

void CNewEventServer::Shutdown()
{
    delete _pInstance;
    _pInstance = nullptr;
}

CNewGameEvent* CNewEventServer::Find(uint32_t number)
{
    return dynamic_cast<CNewGameEvent*>(CIdentity::GetObjectFromID(CRZID(RZTYPE_NEWEVENT, number)));
}

void CNewEventServer::TriggerEvent(CNewGameEvent* event, CGameEventExpression& expression)
{
    if (event != nullptr)
        fired.push_back({ event->GetID().number, expression.GetCharacter() });
}
