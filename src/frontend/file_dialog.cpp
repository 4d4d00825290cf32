// The load and save dialog.
#include "frontend/file_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "events/generic_events.h"
#include "foundation/data_file.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "text/new_text.h"
#include "widgets/button.h"
#include "widgets/edit_box.h"
#include "widgets/list_box.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kListWidth = 252;
constexpr int kListLines = 13;
constexpr int kCancelHotKey = 14;

} // namespace

CFileDialog::CFileDialog(
    const char* title, CSprite* frame, const char* fileName, const char* folder, const char* extension)
    : mFrame(frame)
    , mTitle(title != nullptr ? title : "")
    , mExtension(extension != nullptr ? extension : "")
{
    CFont* font = FindFont(kFileDialogFont);
    const CPoint origin = frame != nullptr ? frame->GetPosition() : CPoint();
    mCancelButton = new CRZBtn(kFileDialogButton, TextStrings.GetString("CANCEL"), font, 0, kCancelHotKey);
    mOKButton = new CRZBtn(kFileDialogButton, TextStrings.GetString("OK"), font, 1, -1);
    mOKButton->MoveTo(origin.x + 240 - mOKButton->GetWidth() / 2, origin.y + 356);
    mCancelButton->MoveTo(origin.x + 114 - mCancelButton->GetWidth() / 2, origin.y + 356);
    mNameField
        = new CEditBox(origin.x + 42, origin.y + 333, 250, kFileDialogNameMax, font, pBackBuffer, fileName);
    mNameField->SetColor("%777");
    mList = new CNewListBox(
        kListWidth, kListLines * (font != nullptr ? font->GetLineHeight() : 14), LISTBOX_NOSHADOW, 0);
    if (font != nullptr)
        mList->SetFont(font);
    mList->MoveTo(origin.x + 46, origin.y + 58);
    if (folder != nullptr && folder[0] != 0)
        std::snprintf(mFolder, sizeof mFolder, "%s", folder);
    else
        std::snprintf(mFolder, sizeof mFolder, "%s", ".");
    if (std::strchr(mFolder, '\\') != nullptr)
        mList->AddString("%070[ . . ]", kFileDialogParent, true, CRZID());
    GetDir(mFolder, mExtension.c_str(), true);
    GetDir(mFolder, mExtension.c_str(), false);
    mList->ResetPos();
}

CFileDialog::~CFileDialog()
{
    delete mCancelButton;
    delete mOKButton;
    delete mNameField;
    delete mList;
}

void CFileDialog::GetDir(const char* folder, const char* extension, bool folders)
{
    char relative[1024];
    std::snprintf(relative, sizeof relative, "%s", folder != nullptr && folder[0] != 0 ? folder : ".");
    ConvertBackslashToSlash(relative);
    SetDataPath();
    char path[1024];
    if (!ResolveDataPath(relative, path, sizeof path))
        return;
    const std::string pattern = std::string(".") + (extension != nullptr ? extension : "");
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().filename().string();
        std::error_code kindError;
        const bool isFolder = it->is_directory(kindError);
        if (folders) {
            if (isFolder && !file.empty() && file[0] != '.')
                names.push_back("%373[" + file);
            continue;
        }
        if (isFolder || !it->is_regular_file(kindError))
            continue;
        if (file.size() <= pattern.size()
            || file.compare(file.size() - pattern.size(), pattern.size(), pattern) != 0)
            continue;
        const std::string shown = file.substr(0, file.find('.'));
        if (!shown.empty())
            names.push_back("%766" + shown);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& line : names)
        mList->AddString(line.c_str(), folders ? kFileDialogFolder : kFileDialogFile, true, CRZID());
}

int CFileDialog::CurrentKind() const
{
    const auto* line = dynamic_cast<const CSelectableListBoxString*>(mList->GetSelected());
    return line != nullptr ? line->GetValue() : -1;
}

const char* CFileDialog::GetName() const
{
    return mNameField->GetText();
}

std::string CFileDialog::GetSelected() const
{
    return std::string(mFolder) + "/" + GetName();
}

int CFileDialog::Update(CRZEvent* event)
{
    if (event == nullptr || mDone)
        return 0;
    const CRZEvtType type = event->GetType();
    if (const int answer = mCancelButton->Update(event)) {
        if (type == _CRZEVT_MOUSELBUP_ || mCancelButton->IsClicked()) {
            mDone = 1;
            mOK = 0;
        }
        return answer;
    }
    if (const int answer = mOKButton->Update(event)) {
        const int kind = CurrentKind();
        if (mOKButton->IsClicked() && kind != kFileDialogFolder && kind != kFileDialogParent) {
            mDone = 1;
            mOK = 1;
        }
        return answer;
    }
    if (const int answer = mList->Update(event)) {
        const auto* line = dynamic_cast<const CSelectableListBoxString*>(mList->GetSelected());
        if (line != nullptr && line->GetValue() == kFileDialogFile
            && (type == _CRZEVT_MOUSELBUP_ || type == _CRZEVT_MOUSELBDOUBLECLICK_)) {
            // The line's text starts with its four-character colour code.
            const std::string& text = line->GetText();
            mNameField->StoreString(text.size() > 4 ? text.c_str() + 4 : "");
            mFromList = 1;
            if (type == _CRZEVT_MOUSELBDOUBLECLICK_) {
                mDone = 1;
                mOK = 1;
            }
        }
        return answer;
    }
    const int answer = mNameField->Update(event);
    if (mNameField->IsEntered()) {
        mNameField->ClearEntered();
        mFromList = 0;
        mDone = 1;
        mOK = 1;
        return answer != 0 ? answer : UPDATE_TAKEN;
    }
    return answer;
}

int CFileDialog::Draw(CRZDrawType type)
{
    if (pBackBuffer == nullptr)
        return 0;
    const CPoint origin = mFrame != nullptr ? mFrame->GetPosition() : CPoint();
    const CRect area(origin.x + 42, origin.y + 54, origin.x + 302, origin.y + 330);
    pBackBuffer->HalfIntensity(&area);
    pBackBuffer->SetLineColor(TrueToHigh(255, 255, 255));
    pBackBuffer->DrawLine16(CPoint(area.left, area.top), CPoint(area.right, area.top));
    pBackBuffer->DrawLine16(CPoint(area.right, area.top), CPoint(area.right, area.bottom));
    pBackBuffer->DrawLine16(CPoint(area.right, area.bottom), CPoint(area.left, area.bottom));
    pBackBuffer->DrawLine16(CPoint(area.left, area.bottom), CPoint(area.left, area.top));
    if (CFont* font = FindFont(kFileDialogFont)) {
        const int width = mFrame != nullptr ? mFrame->GetWidth() : 0;
        font->PrintDropCenter(
            mTitle.c_str(), origin.x + width / 2, origin.y + 24, pBackBuffer, TrueToHigh(255, 255, 255));
    }
    mCancelButton->Draw(type);
    mOKButton->Draw(type);
    mList->Draw(type);
    mNameField->Draw(type);
    return 0;
}
