// CFileDialog: the load and save dialog of the in-game options menu, drawn over a frame: the folder's
// sub-folders and files of one extension in a list, a name field, OK and Cancel. Its owner reads the done
// and OK flags after each event and then the chosen name.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/drawable.h"

class CEditBox;
class CFont;
class CNewListBox;
class CRZBtn;
class CSprite;

inline constexpr const char* kFileDialogButton = "gfx/interface/btn_saveload.bmp";
inline constexpr const char* kFileDialogFont = "gfx\\fonts\\Lafayette30.bmp";
// What a list line stands for (its value).
inline constexpr int kFileDialogFile = 0;
inline constexpr int kFileDialogFolder = 1;
inline constexpr int kFileDialogParent = 2;
// The name field's length in characters.
inline constexpr int kFileDialogNameMax = 128;

class CFileDialog : public CDrawable {
public:
    // The frame is the caller's; title, name, folder and extension are copied. A null or empty folder is
    // the current one. The list holds the parent line when the folder has a backslash, then the
    // sub-folders, then the files of the extension.
    CFileDialog(
        const char* title, CSprite* frame, const char* name, const char* folder, const char* extension);
    ~CFileDialog() override;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Cancel, OK, the list, then the name field; non-zero when one of them took the event. Cancel and OK
    // close the dialog (OK not while a folder line is current); a file line clicked fills the name field,
    // double-clicked also confirms; Return in the name field confirms the typed name.
    int Update(CRZEvent* event) override;
    int Draw(CRZDrawType type) override;

    bool IsDone() const { return mDone != 0; }
    bool IsOK() const { return mOK != 0; }
    bool IsNameFromList() const { return mFromList != 0; }
    // The name field's text as the player left it.
    const char* GetName() const;
    // The folder, "/" and the name.
    std::string GetSelected() const;
    const char* GetFolder() const { return mFolder; }
    const std::string& GetTitle() const { return mTitle; }

    CRZBtn* GetOKButton() const { return mOKButton; }
    CRZBtn* GetCancelButton() const { return mCancelButton; }
    CEditBox* GetNameField() const { return mNameField; }
    CNewListBox* GetList() const { return mList; }

private:
    // Appends the folder's sub-folders (not those starting with ".") or its files ending in "." plus the
    // extension, each sorted by name; a folder that does not open adds nothing.
    void GetDir(const char* folder, const char* extension, bool folders);
    // The kind of the list's current line; -1 without one.
    int CurrentKind() const;

    CSprite* mFrame;
    CRZBtn* mCancelButton = nullptr;
    CRZBtn* mOKButton = nullptr;
    CEditBox* mNameField = nullptr;
    CNewListBox* mList = nullptr;
    std::int32_t mDone = 0;
    std::int32_t mOK = 0;
    char mFolder[1024] = {};
    std::string mTitle;
    std::string mExtension;
    std::int32_t mFromList = 0;
};
