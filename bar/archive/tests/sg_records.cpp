#include "bar/archive/tests/sg_records.h"

#include <iterator>

namespace archive_sample {

FW_IMPLEMENT_SERIAL(CSgShadowEx, CSgShadow, 7);

std::unique_ptr<CSgShadow> MakeShadow(std::string className, std::string exeName,
                                      std::vector<std::pair<std::uint32_t, std::string>> commands,
                                      std::int32_t menuRead) {
    auto shadow = std::make_unique<CSgShadow>();
    shadow->m_strClassName = std::move(className);
    shadow->m_strExeName = std::move(exeName);
    for (auto& [id, text] : commands) {
        auto command = std::make_unique<CSgCommand>();
        command->m_nID = id;
        command->m_strText = std::move(text);
        shadow->m_commands.push_back(std::move(command));
    }
    shadow->m_bMenuRead = menuRead;
    return shadow;
}

Store MakeStore(int apps, int commandsPerApp) {
    static const char* const kCaptions[] = {
        "新規作成", "開く",   "上書き保存", "名前を付けて保存", "印刷", "元に戻す",
        "切り取り", "コピー", "貼り付け",   "すべて選択",       "検索", "置換"};
    static const char* const kKeys[] = {"Ctrl+N", "Ctrl+O", "Ctrl+S",        "F12",
                                        "Ctrl+P", "Ctrl+Z", "Ctrl+Shift+F10"};
    Store store;
    for (int app = 0; app < apps; ++app) {
        std::vector<std::pair<std::uint32_t, std::string>> commands;
        for (int i = 0; i < commandsPerApp; ++i) {
            const int k = app + i;
            commands.emplace_back(0xE100 + i, std::string(kCaptions[k % std::size(kCaptions)]) +
                                                  "<" + kKeys[k % std::size(kKeys)] + ">");
        }
        store.push_back(MakeShadow("AppWindowClass" + std::to_string(app),
                                   "app" + std::to_string(app) + ".exe", std::move(commands)));
    }
    return store;
}

std::string Describe(const Store& store) {
    std::string text;
    for (const auto& shadow : store) {
        text += "shadow \"" + shadow->m_strClassName + "\" \"" + shadow->m_strExeName +
                "\" menuRead=" + std::to_string(shadow->m_bMenuRead) + "\n";
        for (const auto& command : shadow->m_commands) {
            text += "  " + std::to_string(command->m_nID) + " \"" + command->m_strText + "\"\n";
        }
    }
    return text;
}

}  // namespace archive_sample
