// The side panel's buttons, read from "db\buttons.txt": CRZInterfaceBaseBtn and its press, lighted, text
// and hold kinds, and CRZButtonDB, which keeps them by button id.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"
#include "widgets/generic_button.h"

class CRZButtonDB;
class CRZParser;

inline constexpr int kInterfaceButtonCount = 33;
inline constexpr int kInterfaceTextMax = 255;
// Parked buttons lie here, off screen, and swallow no click that the screen can give.
inline constexpr int kParkedPosition = -1000;

// The id of a button name (letter case ignored); -1 for a name the table does not hold.
int GetInterfaceButtonID(const char* name);
// The name of an id, or null for ids 2 and 3 and those outside the table.
const char* GetInterfaceButtonName(int id);
// A "shortcut" value as a game key code: "enter" 13, "esc" 14, "del" 7, "f1" to "f10" 255 down to 246,
// anything else its first character.
int GetShortcutCode(const char* name);

class CRZInterfaceBaseBtn : public CRZGenericButton {
public:
    // Parked off screen and added to gpInterface's buttons, which own it from then on.
    explicit CRZInterfaceBaseBtn(CRZButtonDB* db);
    ~CRZInterfaceBaseBtn() override;

    // The keys of one block after its "{"; a located parse error on a bad key, an unknown id name or a file
    // name too long for a path.
    int ParseFields(CRZParser& parser) override;
    // The button, its icon, and over a disabled button asking for it the database's overlay.
    int Draw(CRZDrawType type) override;
    // The button and its icon.
    void MoveTo(int x, int y) override;
    // The handler gets the id; with an up list every button of it is raised and this one stays down,
    // without one it springs back up.
    void OnDown() override;
    // A button the running tutorial keeps disabled stays disabled.
    void Enable() override;

    virtual void SetShowPos(CPoint position);
    virtual int IsGeneric() { return 0; }
    virtual int IsLighted() { return 0; }

    // The text of the key, or the empty key itself.
    const char* GetUpperText() const;
    const char* GetLowerText() const;
    const char* GetUpperKey() const { return mUpper; }
    const char* GetLowerKey() const { return mLower; }
    CList<int>& GetUpList() { return mUpList; }
    CSprite* GetIcon() const { return mIcon; }
    CPoint GetShowPos() const { return mShowPos; }
    void SetHandler(CButtonHandler* handler) { mHandler = handler; }
    void SetOverlay(bool overlay) { mOverlay = overlay ? 1 : 0; }
    bool HasOverlay() const { return mOverlay != 0; }

protected:
    CButtonHandler* mHandler = nullptr;
    char mUpper[kInterfaceTextMax + 1] = {};
    char mLower[kInterfaceTextMax + 1] = {};
    CList<int> mUpList;
    CSprite* mIcon = nullptr;
    CRZButtonDB* mDB;
    std::int32_t mOverlay = 0;
    CPoint mShowPos;
};

class CRZInterfacePressButton : public CRZInterfaceBaseBtn {
public:
    using CRZInterfaceBaseBtn::CRZInterfaceBaseBtn;
};

// Shows its first frame, lit up 0, disabled 1, down and over 2.
class CRZInterfaceLightedButton : public CLitFrames<CRZInterfaceBaseBtn> {
public:
    using CLitFrames<CRZInterfaceBaseBtn>::CLitFrames;
    int IsLighted() override { return 1; }
};

class CRZInterfaceGenericButton : public CRZInterfaceBaseBtn {
public:
    using CRZInterfaceBaseBtn::CRZInterfaceBaseBtn;
    int IsGeneric() override { return 1; }
};

// Repeats its action while held: the handler gets the id (held ticks / 7) times on each loop tick.
class CRZInterfaceHoldButton : public CRZInterfaceBaseBtn {
public:
    using CRZInterfaceBaseBtn::CRZInterfaceBaseBtn;
    int Update(CRZEvent* event) override;
    int GetHoldCount() const { return mHoldCount; }

private:
    std::int32_t mHoldCount = 0;
};

class CRZButtonDB {
public:
    // Reads the file; on an error the reading stops with the parser's report (GetAssertMessage) and no
    // button of the file is kept.
    explicit CRZButtonDB(const char* file);
    // Removes every button from the interface and destroys it.
    ~CRZButtonDB();
    CRZButtonDB(const CRZButtonDB&) = delete;
    CRZButtonDB& operator=(const CRZButtonDB&) = delete;

    // Null for an empty slot or an id outside 0..32.
    CRZInterfaceBaseBtn* GetButton(int id) const;
    void Enable(int id);
    // Raises a pressed button, shows its disabled look and marks it disabled.
    void Disable(int id);
    // Parks the button and its icon off screen.
    void Hide(int id);
    void HideAll();
    bool IsLoaded() const { return mLoaded; }

    // Drawn over disabled buttons that ask for it; owned by whoever sets it.
    CSprite* _pOverlay = nullptr;

private:
    void Read(CRZParser& parser);
    void Clear();

    CRZInterfaceBaseBtn* mButtons[kInterfaceButtonCount] = {};
    bool mLoaded = false;
};
