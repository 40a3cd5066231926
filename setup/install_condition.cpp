#include "setup/install_condition.h"

namespace {
constexpr char kLegacyVersion[] = "1.0";
}

BlockedChoices BlockedChoicesFor(int condition, const std::string& userVersion,
                                 const std::string& machineVersion,
                                 const std::string& productVersion) {
    BlockedChoices blocked;
    blocked.install = condition == Installed && userVersion == productVersion;
    blocked.uninstall = condition == NotInstalled && machineVersion.empty();
    blocked.keepData = condition == DataKept;
    return blocked;
}

int ConditionOfRecord(int storedOrMissing, const std::string& userVersion,
                      const std::string& machineVersion) {
    if (storedOrMissing == LegacyRecord && userVersion != kLegacyVersion &&
        machineVersion != kLegacyVersion) {
        return NotInstalled;
    }
    return storedOrMissing;
}
