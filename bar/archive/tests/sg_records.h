// The store's own records, CSgShadow and CSgCommand, for the archive's tests, fuzzer and
// benchmark: files of the real shape, read and written by the real classes' stored form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bar/store/cs_command.h"
#include "bar/store/cs_shadow.h"

namespace archive_sample {

using ::CSgCommand;
using ::CSgShadow;

// A class derived from a record class, for reads that expect the base.
class CSgShadowEx : public CSgShadow {
    FW_DECLARE_SERIAL(CSgShadowEx)
};

using Store = std::vector<std::unique_ptr<CSgShadow>>;

std::unique_ptr<CSgShadow> MakeShadow(std::string className, std::string exeName,
                                      std::vector<std::pair<std::uint32_t, std::string>> commands,
                                      std::int32_t menuRead = 1);

// `apps` applications with `commandsPerApp` commands each, with texts of typical lengths.
Store MakeStore(int apps, int commandsPerApp);

// One line per record and command, for comparing stores in test failures.
std::string Describe(const Store& store);

}  // namespace archive_sample
