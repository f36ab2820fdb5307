#include "check.h"

#include "lcsdk/ui/win32/com_support.h"

#include <dwrite.h>

#include <string>

_COM_SMARTPTR_TYPEDEF(IDWriteFontCollection, __uuidof(IDWriteFontCollection));

namespace platform_checks {

// The harness makes the families the toolkit names visible to DirectWrite; without them text
// silently falls back to another face.
void check_fonts(results& r)
{
    r.section("fonts");
    lcsdk::ui::win32::IDWriteFactoryPtr factory;
    const HRESULT created = DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                                reinterpret_cast<IUnknown**>(&factory));
    r.expect(SUCCEEDED(created), "DirectWrite is available");
    if (FAILED(created))
        return;
    IDWriteFontCollectionPtr fonts;
    factory->GetSystemFontCollection(&fonts, FALSE);
    r.expect(fonts != nullptr, "the system font collection exists");
    if (!fonts)
        return;
    for (const wchar_t* family : {L"Tahoma", L"Verdana"}) {
        UINT32 index = 0;
        BOOL exists = FALSE;
        fonts->FindFamilyName(family, &index, &exists);
        std::string name;
        for (const wchar_t* c = family; *c; ++c)
            name += static_cast<char>(*c);
        r.expect(exists != FALSE, "DirectWrite finds the family " + name);
    }
}

} // namespace platform_checks
