// Stand-ins for the store's CSgShadow and CSgCommand, with the same names, schemas and field
// order, so the archive's tests, fuzzer and benchmark work on files of the real shape.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bar/archive/archive.h"
#include "bar/archive/object.h"

namespace archive_sample {

class CSgCommand : public fw::CObject {
    FW_DECLARE_SERIAL(CSgCommand)
public:
    void Serialize(fw::CArchive& ar) override;

    std::uint32_t m_nID = 0;
    std::string m_strText;
};

class CSgShadow : public fw::CObject {
    FW_DECLARE_SERIAL(CSgShadow)
public:
    void Serialize(fw::CArchive& ar) override;

    std::string m_strClassName;
    std::string m_strExeName;
    std::vector<std::unique_ptr<CSgCommand>> m_commands;
    std::int32_t m_bMenuRead = 0;
};

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
