// CPeaceProposal, the terms on which a war between two leaders' sides ends: claims enforced or given up,
// vassalage and tribute. It travels inside the sue-for-peace request and is carried out on every machine.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"
#include "foundation/rz_id.h"
#include "realms/score.h"

class CRZPeaceRequestEvent;
struct CRZPeaceTerms;
class CWar;

class CPeaceProposal {
public:
    CPeaceProposal() = default;
    CPeaceProposal(const CRZID& inWar, CCharacter* inInitiator, CCharacter* inReceiver);
    // The network form: the leaders are the present rulers of the sending and receiving realms, claims
    // that no longer exist are left out; an empty realm slot leaves the proposal empty.
    explicit CPeaceProposal(const CRZPeaceRequestEvent& event);
    CPeaceProposal(const CPeaceProposal&) = default;
    CPeaceProposal& operator=(const CPeaceProposal&) = default;

    // Null once gone.
    CWar* GetWar() const;
    const CRZID& GetWarID() const { return war; }
    CCharacter* GetInitiator() const { return initiator.Get(); }
    CCharacter* GetReceiver() const { return receiver.Get(); }

    void InitiatorClaim(const CRZID& claim) { initiatorClaimed.Append(claim); }
    void InitiatorYield(const CRZID& claim) { initiatorYielded.Append(claim); }
    void ReceiverClaim(const CRZID& claim) { receiverClaimed.Append(claim); }
    void ReceiverYield(const CRZID& claim) { receiverYielded.Append(claim); }
    const CList<CRZID>& GetInitiatorClaimed() const { return initiatorClaimed; }
    const CList<CRZID>& GetInitiatorYielded() const { return initiatorYielded; }
    const CList<CRZID>& GetReceiverClaimed() const { return receiverClaimed; }
    const CList<CRZID>& GetReceiverYielded() const { return receiverYielded; }
    // Positive gold is paid by the receiver to the initiator, negative by the initiator.
    void SetTribute(const CSimpleScore& score) { tribute = score; }
    const CSimpleScore& GetTribute() const { return tribute; }
    // Negative: the initiator becomes the receiver's vassal; positive: the other way round.
    void SetVassalize(int32_t value) { vassalize = value; }
    int32_t GetVassalize() const { return vassalize; }
    // 8 bytes for each claim of the four lists.
    int GetClaimsByteSize() const;
    // The terms as the sue-for-peace event carries them.
    CRZPeaceTerms GetTerms() const;

    // The war exists and is valid, its two leaders are these two, and neither belongs to the realm of
    // nobody.
    bool IsValid() const;
    // What the terms are worth to the initiator; 0 for an invalid proposal.
    float GetSenderValue() const;
    float GetSenderPrestigeGain() const;
    // Carries the terms out on every machine; nothing without both leaders, a valid proposal and a war
    // between their realms.
    void Execute();
    // Ends the wars of a's realm against b's realm hierarchy, with a truce each.
    static void EndWars(CCharacter* a, CCharacter* b);

    // The terms in the receiver's words (answer window) and in the third person (message log); each in a
    // buffer of its own that the next call overwrites.
    const char* GetDesc() const;
    const char* GetOthersDesc() const;
    // The claims' titles in title order, as the title list reads them.
    static const char* GetTitleString(const CList<CRZID>& claims);

private:
    CRZID war;
    CRef<CCharacter> initiator;
    CRef<CCharacter> receiver;
    CList<CRZID> initiatorClaimed;
    CList<CRZID> initiatorYielded;
    CList<CRZID> receiverClaimed;
    CList<CRZID> receiverYielded;
    CSimpleScore tribute;
    int32_t vassalize = 0;
};

// The character's peace-score modifier, by which claims weigh for his side; 1 where it would be 0.
float PeaceScoreModifier(const CCharacter* c);
