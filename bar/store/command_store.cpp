#include "bar/store/command_store.h"

#include <algorithm>
#include <exception>

#include "bar/archive/store_file.h"
#include "resources/bar_resource.h"

namespace {
// How much of the file a save gathers before it hands the bytes on.
constexpr std::size_t kSavePiece = 256 * 1024;
}  // namespace

CommandStore::CommandStore(StoreHost& app, std::unique_ptr<Desktop> desktop,
                           std::unique_ptr<DataFile> dataFile)
    : m_pApp(&app),
      m_desktop(std::move(desktop)),
      m_strMenuUnreadable(m_desktop->ResourceString(IDS_MENU_UNREADABLE)),
      m_strNoShortcuts(m_desktop->ResourceString(IDS_NO_SHORTCUTS)),
      m_dataFile(std::move(dataFile)) {}

CommandStore::~CommandStore() {
    if (MenuListenerSlot* hookWindow = m_pApp->GetHookWindow()) hookWindow->DetachShadow();
    Save();
}

bool CommandStore::Load() {
    if (!m_dataFile) return false;
    try {
        const std::optional<std::vector<std::uint8_t>> file = m_dataFile->Read();
        if (!file) return false;
        const DataFile& dataFile = *m_dataFile;
        const fw::WideToAnsi toAnsi = [&dataFile](std::u16string_view text) { return dataFile.ToAnsi(text); };
        if (fw::ReadStoreFile(fw::ByteSpan{file->data(), file->size()}, toAnsi, m_shadows) == fw::ArchiveError::none)
            return true;
        // The records after the fault are not in the store, and the next save would lose them
        // for good: the file as it was is kept beside it.
        m_dataFile->KeepUnreadable(*file);
        return false;
    } catch (const std::exception&) {
        return false;  // no memory for the file's bytes
    }
}

bool CommandStore::Save() {
    // Called from the bar's WM_CLOSE and from the destructor: nothing may leave it.
    if (!m_dataFile) return false;
    try {
        const std::unique_ptr<DataFileWriter> file = m_dataFile->Rewrite();
        if (!file) return false;
        // fw::WriteStoreFile's bytes, handed on a piece at a time: the whole file in memory
        // would be new memory as large as the file, what a save of a large store spent most on.
        std::vector<std::uint8_t> piece;
        fw::CArchive ar(piece);
        fw::WriteStoreHeader(ar, m_shadows.size());
        for (const auto& record : m_shadows) {
            ar.WriteObject(*record);
            if (piece.size() < kSavePiece) continue;
            if (!file->Append(piece)) return false;
            piece.clear();
        }
        ar.Flush();
        return file->Append(piece) && file->Commit();
    } catch (const std::exception&) {
        return false;
    }
}

void CommandStore::OnActivate(WindowHandle window, const ReportedMenu* menuBar) {
    CSgShadow* record = FindOrCreateShadow(window);
    if (MenuListenerSlot* hookWindow = m_pApp->GetHookWindow()) {
        hookWindow->DetachShadow();
        hookWindow->AttachShadow(record);
    }
    record->Activate(window, menuBar);
}

CSgShadow* CommandStore::FindOrCreateShadow(WindowHandle window) {
    const ApplicationKey key = m_desktop->IdentifyWindow(window);
    const auto found = std::find_if(m_shadows.begin(), m_shadows.end(),
                                    [&key](const std::unique_ptr<CSgShadow>& record) { return record->Matches(key); });
    CSgShadow* record = found != m_shadows.end()
                            ? found->get()
                            : m_shadows.emplace_back(std::make_unique<CSgShadow>(key)).get();
    record->SetStore(this);
    return record;
}
