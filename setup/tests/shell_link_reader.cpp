#include "shell_link_reader.h"

#include <shlobj.h>

#include "setup/com_interface.h"

namespace hr::test {

ShellLinkContents ReadShellLink(const std::string& linkPath) {
    ShellLinkContents contents;
    const ComApartment apartment;
    ComInterface<IShellLinkA> link;
    ComInterface<IPersistFile> file;
    wchar_t widePath[MAX_PATH] = {};
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.Receive())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) ||
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0 ||
        FAILED(file->Load(widePath, STGM_READ))) {
        return contents;
    }
    contents.loaded = true;
    char text[MAX_PATH] = {};
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) contents.target = text;
    if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) contents.description = text;
    if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) contents.arguments = text;
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) contents.workingFolder = text;
    if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &contents.iconIndex))) {
        contents.iconPath = text;
    }
    link->GetShowCmd(&contents.showCommand);
    link->GetHotkey(&contents.hotkey);
    return contents;
}

}  // namespace hr::test
