// The computer opponents' agent tree: CAIAgent, a node that may command armies, and CAIKing, the root of a
// computer realm's tree, which takes every army given to the realm.
#pragma once

#include "foundation/identity.h"
#include "foundation/linked_list.h"

class CRZUnit;

class CAIAgent : public CIdentity {
public:
    ~CAIAgent() override = default;

    // The agent an army names as its leader, or null when it names none or no agent.
    static CAIAgent* GetAgent(const CRZUnit& army);

    // The agent takes the army; the base agent commands none and refuses.
    virtual bool AssignArmy(CRZUnit&) { return false; }
    // The agent lets the army go; the base agent holds none.
    virtual void DetachArmy(CRZUnit&) { }
    // The armies the agent commands; null for an agent that commands none.
    virtual CList<CRZUnit*>* GetArmyList() { return nullptr; }

protected:
    // The army leaves the agent it had, names this one, and is put at the head of this agent's army list;
    // the agent takes an identity of its own the first time, so that armies can name it.
    void AcceptUnit(CRZUnit& army);
};

class CAIKing : public CAIAgent {
public:
    // Takes every army; always true.
    bool AssignArmy(CRZUnit& army) override;
    void DetachArmy(CRZUnit& army) override;
    CList<CRZUnit*>* GetArmyList() override { return &armies; }

private:
    CList<CRZUnit*> armies;
};
