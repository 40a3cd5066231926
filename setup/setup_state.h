// The setup program's record of what it installs and of what earlier runs left in the registry:
// the product's names, the recorded versions, the proposed destination folder and the flags with
// which the wizard greys out choices that make no sense next to the recorded installation.
#pragma once

#include <string>

#include "setup/install_condition.h"
#include "setup/install_set.h"

class SetupState {
public:
    // Stores the names, chooses the set for this program on this Windows and reads the
    // registry in that set's view; never fails.
    SetupState(std::string makerName, std::string productName, std::string productVersion,
               std::string programFileName, std::string setupFileName);
    SetupState(const SetupState&) = delete;
    SetupState& operator=(const SetupState&) = delete;
    virtual ~SetupState() = default;

    // Writes the registry layout of the condition, entry by entry; throws the registry helpers'
    // error at the first write or deletion that fails, leaving the later entries unwritten.
    virtual void RecordCondition(int condition);

    // Software\<maker>\<product>\Setup, under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
    std::string SetupKey() const;
    // HKEY_LOCAL_MACHINE\...\App Paths\<program file> and ...\Uninstall\<product>.
    std::string AppPathsKey() const;
    std::string UninstallKey() const;

    // The programs, files and registry view for this setup program on this Windows.
    const InstallSet installSet;

    std::string makerName;
    std::string productName;
    std::string productVersion;
    std::string programFileName;
    std::string setupFileName;
    std::string userVersion;
    std::string machineVersion;
    std::string appPathFolder;
    std::string destinationFolder;
    bool installBlocked = false;
    bool uninstallBlocked = false;
    bool keepDataBlocked = false;

protected:
    void LoadState();
    void DeriveFlags(int condition);
};

// Hintrail's own record: installations of version 1.0 recorded versions but no condition.
class ProductSetupState : public SetupState {
public:
    ProductSetupState();

    void ReloadCondition();
};

// The one record of the process, built on first use (the setup program uses it before its entry
// runs, so the registry is read during static initialisation).
SetupState& TheSetupState();
