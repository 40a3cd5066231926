#include "setup/restart_move.h"

#include <optional>
#include <stdexcept>

#include "setup/wininit_file.h"

namespace {

DelayedMove systemDelayedMove = MoveFileExA;

// One request in the short names that both the system and WinInit.Ini take.
struct RestartRequest {
    std::string existing;
    std::string newName;  // "NUL" for a deletion
};

std::string ShortName(const std::string& path) {
    char name[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(name, length);
}

[[noreturn]] void ThrowMissing(const std::string& existing) {
    throw std::runtime_error(existing + " : ファイルが存在しないためコピーできません");
}

bool IsDeletion(const std::string& target) { return target == kDeleteAtRestart; }

// Nothing when a file to delete is not there.
std::optional<RestartRequest> Resolve(const std::string& existing, const std::string& target) {
    RestartRequest request{ShortName(existing), kDeleteAtRestart};
    if (request.existing.empty()) {
        if (IsDeletion(target)) return std::nullopt;
        ThrowMissing(existing);
    }
    if (!IsDeletion(target)) {
        request.newName = ShortName(target);
        if (request.newName.empty()) ThrowMissing(existing);
    }
    return request;
}

bool AskSystem(const RestartRequest& request) {
    // No new name is the system's form of a deletion.
    const char* newName = IsDeletion(request.newName) ? nullptr : request.newName.c_str();
    return systemDelayedMove(request.existing.c_str(), newName, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

void WriteToWinInit(const RestartRequest& request) {
    AddWinInitRequest(request.newName, request.existing);
}

void Register(const RestartRequest& request) {
    if (!AskSystem(request)) WriteToWinInit(request);
}

}  // namespace

void MoveFileAtRestart(const std::string& existing, const std::string& target) {
    if (const auto request = Resolve(existing, target)) Register(*request);
}

void ReplaceFileAtRestart(const std::string& replacement, const std::string& target) {
    const RestartRequest rename = *Resolve(replacement, target);  // a rename is never skipped
    const auto deletion = Resolve(target, kDeleteAtRestart);
    // The system carries its requests out in the order they came; WinInit.Ini lists its
    // requests newest first, so there the rename is written before the deletion.
    if (deletion && !AskSystem(*deletion)) {
        WriteToWinInit(rename);
        WriteToWinInit(*deletion);
        return;
    }
    Register(rename);
}

DelayedMove ReplaceDelayedMove(DelayedMove move) {
    const DelayedMove before = systemDelayedMove;
    systemDelayedMove = move;
    return before;
}
