#include "setup/wizard_sheet.h"

#include <cstddef>

#include "setup/module_instance.h"
#include "setup/property_page.h"

#ifndef _WIN64
static_assert(offsetof(PROPSHEETHEADERA, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK) == 40,
              "the Windows 95 sheet header is 40 bytes");
#endif

WizardSheet::WizardSheet(UINT captionId) : header{} {
    // The Windows 95 form of the header, without the later fields.
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hInstance = ModuleInstance();
    header.pszCaption = MAKEINTRESOURCEA(captionId);
}

void WizardSheet::AddPage(PropertyPage* page) {
    page->SetSheet(this);
    pages_.push_back(page);
}

PropertyPage* WizardSheet::FindPage(int dialogId) const {
    for (PropertyPage* page : pages_) {
        if (page->DialogId() == dialogId) return page;
    }
    return nullptr;
}

INT_PTR WizardSheet::RunModal() {
    std::vector<PROPSHEETPAGEA_V1> descriptors;
    descriptors.reserve(pages_.size());
    for (const PropertyPage* page : pages_) descriptors.push_back(page->Descriptor());
    header.nPages = static_cast<UINT>(descriptors.size());
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(descriptors.data());
    const INT_PTR result = PropertySheetA(&header);
    header.ppsp = nullptr;
    return result;
}
