#include "setup/pages/folder_page.h"

#include <shlobj.h>

#include <memory>

#include "common/pathname.h"
#include "resources/setup_resource.h"
#include "setup/setup_state.h"

namespace {

struct ItemIdListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using ScopedItemIdList = std::unique_ptr<ITEMIDLIST, ItemIdListFree>;

}  // namespace

FolderPage::FolderPage() : WizardPage(IDD_FOLDER) {}

INT_PTR FolderPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(Window(), IDC_FOLDER, TheSetupState().destinationFolder.c_str());
        SetNextPage(IDD_SHORTCUT_OPTIONS);
    }
    return WizardPage::OnMessage(message, wParam, lParam);
}

INT_PTR FolderPage::OnCommand(UINT code, WPARAM wParam, LPARAM lParam) {
    if (code == BN_CLICKED && LOWORD(wParam) == IDC_BROWSE) BrowseForFolder();
    return WizardPage::OnCommand(code, wParam, lParam);
}

INT_PTR FolderPage::OnKillActive(const NMHDR*) {
    char folder[MAX_PATH] = {};
    GetDlgItemTextA(Window(), IDC_FOLDER, folder, sizeof(folder));
    TheSetupState().destinationFolder = folder;
    return TRUE;
}

void FolderPage::BrowseForFolder() {
    char folder[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = Window();
    browse.pszDisplayName = folder;
    browse.lpszTitle = "";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    ScopedItemIdList chosen(SHBrowseForFolderA(&browse));
    if (!chosen) return;  // cancelled
    if (!SHGetPathFromIDListA(chosen.get(), folder)) return;
    // A separator only after a folder name: D:\Tools becomes D:\Tools\Hintrail, D:\ D:\Hintrail.
    PathName path(folder);
    path.EnsureTrailingSeparator();
    SetDlgItemTextA(Window(), IDC_FOLDER, (path.Text() + TheSetupState().productName).c_str());
}
