#include "setup/shell_link.h"

#include <shlobj.h>

#include "setup/com_interface.h"

namespace {

void ApplyFields(IShellLinkA& link, const ShellLinkSpec& spec) {
    // The shell keeps what it can of each field; a field it refuses does not spoil the link.
    link.SetPath(spec.linkTarget);
    if (spec.linkMask & kLinkArguments) link.SetArguments(spec.linkArguments);
    if (spec.linkMask & kLinkDescription) link.SetDescription(spec.linkDescription);
    if (spec.linkMask & kLinkIcon) link.SetIconLocation(spec.linkIconPath, spec.linkIconIndex);
    if (spec.linkMask & kLinkWorkingFolder) link.SetWorkingDirectory(spec.linkWorkingFolder);
    if (spec.linkMask & kLinkShowCommand) link.SetShowCmd(spec.linkShowCommand);
    if (spec.linkMask & kLinkHotkey) link.SetHotkey(spec.linkHotkey);
}

}  // namespace

HRESULT CreateShellLink(const std::string& linkPath, const ShellLinkSpec& spec) {
    const ComApartment apartment;
    ComInterface<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, link.Receive());
    if (FAILED(result)) return result;
    ApplyFields(*link.Get(), spec);

    ComInterface<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.Receive());
    if (FAILED(result)) return result;

    wchar_t widePath[MAX_PATH] = {};
    // A path that does not fit would leave the buffer without its terminating zero.
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return file->Save(widePath, TRUE);
}
