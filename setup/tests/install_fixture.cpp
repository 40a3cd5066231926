#include "install_fixture.h"

#include <gtest/gtest.h>

#include "bar/tests/bar_process.h"
#include "common/win_handles.h"
#include "setup/shell_folders.h"
#include "setup_files.h"

namespace hr::test {

// This build's setup program installs the set of its own bitness: on 64-bit Windows, which is
// all a 64-bit program runs on, the 64-bit bar and library from the medium's "x64" folder.
#ifdef _WIN64
const char kInstalledLibrary[] = "HRDLL64.dll";
const MediumFile kMediumFiles[7] = {
    {"x64\\HRDLL64.dl_", "HRDLL64.dll"}, {"x64\\Hintrail.ex_", "Hintrail.exe"},
#else
const char kInstalledLibrary[] = "HRDLL.dll";
const MediumFile kMediumFiles[7] = {
    {"HRDLL.dl_", "HRDLL.dll"}, {"Hintrail.ex_", "Hintrail.exe"},
#endif
    {"Hintrail.hl_", "Hintrail.hlp"}, {"Hintrail.cn_", "Hintrail.cnt"},
    {"Hintrail.da_", "Hintrail.dat"}, {"ReadMe.txt", "ReadMe.txt"},
    {"Setup.exe", "HRSetup.exe"},
};

std::string BuiltMediumFolder() { return bartest::TestProgramFolder() + "..\\medium\\"; }

ShellFoldersIn::ShellFoldersIn(const std::string& folder)
    : programs(folder + "Programs"), startup(folder + "Startup"), appData(folder + "AppData") {
    const std::pair<const char*, const std::string*> values[] = {
        {"Programs", &programs}, {"Startup", &startup}, {"AppData", &appData}};
    for (const auto& [name, path] : values) {
        saved_.emplace_back(name, setuptest::ReadValue(HKEY_CURRENT_USER, kShellFoldersKey, name));
        CreateDirectoryA(path->c_str(), nullptr);
        setuptest::WriteValue(HKEY_CURRENT_USER, kShellFoldersKey, name, setuptest::Sz(*path));
    }
}

ShellFoldersIn::~ShellFoldersIn() {
    for (const auto& [name, value] : saved_) {
        if (value) {
            setuptest::WriteValue(HKEY_CURRENT_USER, kShellFoldersKey, name, *value);
        } else {
            setuptest::RemoveValue(HKEY_CURRENT_USER, kShellFoldersKey, name);
        }
    }
}

InstallTest::InstallTest() {
    scratch_.MakeFolder("medium");
    scratch_.MakeFolder("medium\\x64");
    for (const MediumFile& file : kMediumFiles) {
        EXPECT_TRUE(CopyFileA((BuiltMediumFolder() + file.medium).c_str(),
                              Medium(file.medium).c_str(), TRUE))
            << file.medium;
    }
    EXPECT_TRUE(CopyFileA((bartest::TestProgramFolder() + "ProcedureRunner.exe").c_str(),
                          Medium("ProcedureRunner.exe").c_str(), TRUE));
}

std::string InstallTest::Run(const std::string& arguments, std::vector<BoxAnswer> answers) {
    const std::string result = Path("result.txt");
    DeleteFileA(result.c_str());
    std::string commandLine =
        "\"" + Medium("ProcedureRunner.exe") + "\" \"" + result + "\" " + arguments;
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return "<not started>";
    }
    const ScopedFile thread(process.hThread);
    const ScopedFile processHandle(process.hProcess);
    {
        SetupBoxAnswerer answerer(std::move(answers), process.dwProcessId);
        boxes_ = answerer.Texts();
    }
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        ADD_FAILURE() << "the runner did not end";
        return "<hung>";
    }
    return ReadBytes(result);
}

std::string InstallTest::Install(const std::string& destination, bool startMenu, bool startup,
                                 std::vector<BoxAnswer> answers) {
    SetEnvironmentVariableA("HINTRAIL_DESTINATION", destination.c_str());
    return Run(std::string("install ") + (startMenu ? "1 " : "0 ") + (startup ? "1" : "0"),
               std::move(answers));
}

std::string InstallTest::Uninstall(bool removeAll, std::vector<BoxAnswer> answers) {
    return Run(std::string("uninstall ") + (removeAll ? "1" : "0"), std::move(answers));
}

}  // namespace hr::test
