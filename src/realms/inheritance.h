// CInheritance: what one heir receives of a dead ruler (form of government, treasure, titles, claims and
// wars), as it travels in the inherit event, with the choice of his best county and the text the player
// reads. It sits with the realms, since it weighs provinces and names the leaders of wars.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"
#include "foundation/rz_id.h"
#include "realms/score.h"

class CCharacter;
class CRZInheritEvent;
class CTitle;

class CInheritance {
public:
    CInheritance() = default;
    // Takes the record's form of government, score and identities. A record whose counts disagree with
    // each other or with its size gives an empty inheritance, so a corrupt event never reads past its bytes.
    explicit CInheritance(const CRZInheritEvent& event);

    void SetFormOfGoverment(int32_t form) { formOfGovernment = form; }
    int32_t GetFormOfGoverment() const { return formOfGovernment; }
    // Member by member.
    void AddScore(const CSimpleScore& amount);
    const CSimpleScore& GetScore() const { return score; }
    void AddTitle(const CRZID& title) { titles.Append(title); }
    void AddClaim(const CRZID& claim) { claims.Append(claim); }
    void AddWar(const CRZID& war) { wars.Append(war); }
    const CList<CRZID>& GetTitles() const { return titles; }
    const CList<CRZID>& GetClaims() const { return claims; }
    const CList<CRZID>& GetWars() const { return wars; }
    // 8 bytes per identity.
    int GetByteSize() const { return 8 * (titles.GetSize() + claims.GetSize() + wars.GetSize()); }

    // Moves the best county of the list into this inheritance: a capital's (the last of several), else
    // the richest whose liege title is already here, else the richest of all. Nothing for an empty list.
    void TakeBestCountTitle(CList<CTitle*>& list);
    // "MSG_TITLES ..., MSG_CLAIMS ..., MSG_WARS ... MSG_AND <gold> SCOREGOLD" for the heir, in one static
    // buffer of 8192 characters that the next call overwrites; cut with eleven dots where it is full.
    const char* GetString(const CCharacter* heir) const;

private:
    int32_t formOfGovernment = 0;
    CSimpleScore score;
    CList<CRZID> titles;
    CList<CRZID> claims;
    CList<CRZID> wars;
};

// The titles of the identities (of claims when claims is set, else of titles) in title order, as the
// title list reads them; identities that name nothing are left out. The text is the title list's buffer.
const char* TitleList(const CList<CRZID>& ids, bool claims);

// Hands the share to the heir through the character server, processed at once on this machine. A share
// whose heir is the dead man himself vacates its titles on every machine. The dead is named by identity:
// a vacant title's last holder may be long gone.
void PostInherit(CCharacter* heir, const CRZID& dead, const CInheritance& share);
