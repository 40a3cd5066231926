// Runs natively and under Wine: which choices the wizard greys out for a recorded condition, how
// a record of version 1.0 reads, and the /force option.
#include "setup/command_line.h"
#include "setup/install_condition.h"

#include <gtest/gtest.h>

namespace {

struct Blocking {
    int condition;
    const char* userVersion;
    const char* machineVersion;
    bool install, uninstall, keepData;
};

TEST(SetupChoices, GreyedForTheRecordedCondition) {
    const Blocking cases[] = {
        {Installed, "1.03", "1.03", true, false, false},
        {Installed, "1.03 ", "1.03", false, false, false},  // versions compare byte for byte
        {Installed, "1.02", "1.03", false, false, false},
        {DataKept, "1.03", "1.03", false, false, true},
        {NotInstalled, "1.03", "", false, true, false},
        {NotInstalled, "", "1.02", false, false, false},
        {LegacyRecord, "1.0", "1.0", false, false, false},
    };
    for (const Blocking& c : cases) {
        const BlockedChoices blocked = BlockedChoicesFor(c.condition, c.userVersion, c.machineVersion, "1.03");
        EXPECT_EQ(blocked.install, c.install) << c.condition << " " << c.userVersion;
        EXPECT_EQ(blocked.uninstall, c.uninstall) << c.condition << " " << c.userVersion;
        EXPECT_EQ(blocked.keepData, c.keepData) << c.condition << " " << c.userVersion;
    }
}

TEST(SetupChoices, MissingConditionIsALegacyRecordOnlyNextToVersion10) {
    EXPECT_EQ(ConditionOfRecord(LegacyRecord, "1.0", ""), LegacyRecord);
    EXPECT_EQ(ConditionOfRecord(LegacyRecord, "", "1.0"), LegacyRecord);
    EXPECT_EQ(ConditionOfRecord(LegacyRecord, "1.02", "1.02"), NotInstalled);
    EXPECT_EQ(ConditionOfRecord(LegacyRecord, "", ""), NotInstalled);
    EXPECT_EQ(ConditionOfRecord(LegacyRecord, "1.00", "1.0 "), NotInstalled);
    EXPECT_EQ(ConditionOfRecord(DataKept, "1.0", "1.0"), DataKept);
}

TEST(SetupCommandLine, ForceAnywhereInThisLetterCase) {
    EXPECT_TRUE(OffersEveryChoice("/force"));
    EXPECT_TRUE(OffersEveryChoice("x/forcey"));
    EXPECT_TRUE(OffersEveryChoice("/quiet /force"));
    EXPECT_FALSE(OffersEveryChoice("/FORCE"));
    EXPECT_FALSE(OffersEveryChoice("/forc"));
    EXPECT_FALSE(OffersEveryChoice(""));
    EXPECT_FALSE(OffersEveryChoice(nullptr));
}

}  // namespace
