// The handler as Explorer drives it: identities, menu entries, help texts and invocation.
#include "host/SelectionDataObject.h"
#include "support/RecordingDataObject.h"
#include "support/TempFolder.h"
#include "support/TessalyModule.h"

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tessaly::test {
namespace {

class ContextMenu : public ::testing::Test {
protected:
    TessalyModule module;
    IContextMenu* menu = nullptr;
    IShellExtInit* init = nullptr;

    void SetUp() override {
        ASSERT_TRUE(module.loaded());
        ASSERT_EQ(S_OK, module.CreateHandler(IID_IShellExtInit, reinterpret_cast<void**>(&init)));
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    }
    void TearDown() override {
        if (menu != nullptr)
            menu->Release();
        if (init != nullptr) {
            EXPECT_EQ(0u, init->Release());
        }
        EXPECT_EQ(S_OK, module.CanUnloadNow());
    }

    HRESULT invoke(UINT_PTR verb) {
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof info;
        info.lpVerb = reinterpret_cast<LPCSTR>(verb);
        info.nShow = SW_SHOWNORMAL;
        return menu->InvokeCommand(&info);
    }
};

TEST_F(ContextMenu, IdentityIsTheInitInterfaceAndCountsArePlain) {
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, menu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(static_cast<IUnknown*>(init), unknown);
    EXPECT_NE(static_cast<void*>(menu), static_cast<void*>(init));
    // init, menu and unknown hold three references.
    EXPECT_EQ(4u, unknown->AddRef());
    EXPECT_EQ(3u, unknown->Release());
    EXPECT_EQ(2u, unknown->Release());

    IShellExtInit* again = nullptr;
    ASSERT_EQ(S_OK, menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&again)));
    EXPECT_EQ(init, again);
    IContextMenu* menuAgain = nullptr;
    ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menuAgain)));
    EXPECT_EQ(menu, menuAgain);
    EXPECT_EQ(3u, again->Release());
    EXPECT_EQ(2u, menuAgain->Release());

    void* none = reinterpret_cast<void*>(0xdeadbeef);
    EXPECT_EQ(E_NOINTERFACE, init->QueryInterface(IID_IDataObject, &none));
    EXPECT_EQ(nullptr, none);
}

TEST_F(ContextMenu, InitializeHoldsOnlyTheLatestDataObject) {
    auto first = RecordingDataObject::Make(nullptr);
    auto second = RecordingDataObject::Make(nullptr);
    EXPECT_EQ(S_OK, init->Initialize(nullptr, first.Get(), nullptr));
    EXPECT_EQ(2u, ReferenceCount(first.Get()));
    EXPECT_EQ(S_OK, init->Initialize(nullptr, second.Get(), nullptr));
    EXPECT_EQ(1u, ReferenceCount(first.Get()));
    EXPECT_EQ(2u, ReferenceCount(second.Get()));
    EXPECT_EQ(S_OK, init->Initialize(nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, ReferenceCount(second.Get()));

    EXPECT_EQ(S_OK, init->Initialize(nullptr, first.Get(), nullptr));
    menu->Release();
    menu = nullptr;
    EXPECT_EQ(0u, init->Release()); // the last release gives the data object back
    init = nullptr;
    EXPECT_EQ(1u, ReferenceCount(first.Get()));
}

struct MenuItem {
    UINT id;
    std::string text;
    bool separator;
};

std::vector<MenuItem> itemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const bool separator =
            (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
        items.push_back({GetMenuItemID(menu, i), text, separator});
    }
    return items;
}

TEST_F(ContextMenu, InsertsSeparatorAndBothEntriesUnlessOnlyDefaultsAreWanted) {
    struct Row {
        UINT flags;
        bool inserts;
    };
    const Row rows[] = {{CMF_NORMAL, true},
                        {CMF_DEFAULTONLY, false},
                        {CMF_NOVERBS, false},
                        {CMF_DEFAULTONLY | CMF_NOVERBS, false},
                        {CMF_VERBSONLY, true},
                        {CMF_EXPLORE, true},
                        {CMF_DEFAULTONLY | CMF_EXPLORE, true},
                        {0x10, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.flags);
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 1, "&Open");
        AppendMenuA(popup, MF_STRING, 2, "P&roperties");

        const HRESULT hr = menu->QueryContextMenu(popup, 1, 100, 200, row.flags);
        const std::vector<MenuItem> items = itemsOf(popup);
        DestroyMenu(popup);

        if (!row.inserts) {
            EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0), hr);
            EXPECT_EQ(2u, items.size());
            continue;
        }
        EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2), hr);
        ASSERT_EQ(5u, items.size());
        EXPECT_EQ("&Open", items[0].text);
        EXPECT_TRUE(items[1].separator);
        EXPECT_EQ(0u, items[1].id);
        EXPECT_FALSE(items[2].separator);
        EXPECT_EQ("&Rename/Resize with Tessaly", items[2].text);
        EXPECT_EQ(100u, items[2].id);
        EXPECT_EQ("&View with Orrinde", items[3].text);
        EXPECT_EQ(101u, items[3].id);
        EXPECT_EQ("P&roperties", items[4].text);
    }
}

TEST_F(ContextMenu, EntriesArePlainEnabledStrings) {
    HMENU popup = CreatePopupMenu();
    menu->QueryContextMenu(popup, 0, 7, 8, CMF_NORMAL);
    for (UINT position = 1; position <= 2; ++position) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(popup, position, TRUE, &info));
        EXPECT_EQ(static_cast<UINT>(MFT_STRING), info.fType);
        EXPECT_EQ(0u, info.fState & (MFS_DISABLED | MFS_CHECKED));
        EXPECT_EQ(nullptr, info.hSubMenu);
    }
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_SEPARATOR);
    DestroyMenu(popup);
}

TEST_F(ContextMenu, HelpTextsInAnsiAndUtf16) {
    char ansi[128];
    std::memset(ansi, 'Z', sizeof ansi);
    EXPECT_EQ(S_OK, menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, ansi, sizeof ansi));
    EXPECT_STREQ("Rename/resize selected files using Tessaly", ansi);
    EXPECT_EQ(S_OK, menu->GetCommandString(1, GCS_HELPTEXTA, nullptr, ansi, sizeof ansi));
    EXPECT_STREQ("View selected files using Orrinde", ansi);

    wchar_t wide[128];
    EXPECT_EQ(S_OK, menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide),
                                           128));
    EXPECT_STREQ(L"Rename/resize selected files using Tessaly", wide);
    EXPECT_EQ(S_OK, menu->GetCommandString(1, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide),
                                           128));
    EXPECT_STREQ(L"View selected files using Orrinde", wide);
}

TEST_F(ContextMenu, OtherRequestsWriteNothingAndSucceed) {
    const UINT types[] = {GCS_VERBA, GCS_VERBW, GCS_VALIDATEA, GCS_VALIDATEW};
    for (UINT type : types) {
        char buffer[64];
        std::memset(buffer, 'Z', sizeof buffer);
        EXPECT_EQ(S_OK, menu->GetCommandString(1, type, nullptr, buffer, 32));
        EXPECT_EQ(std::string(64, 'Z'), std::string(buffer, 64)) << "type " << type;
    }
    char buffer[64];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(S_OK, menu->GetCommandString(2, GCS_HELPTEXTA, nullptr, buffer, 32));
    EXPECT_EQ(std::string(64, 'Z'), std::string(buffer, 64));
}

TEST_F(ContextMenu, HelpTextIsCutToTheCallersBuffer) {
    char ansi[16];
    std::memset(ansi, 'Z', sizeof ansi);
    EXPECT_EQ(S_OK, menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, ansi, 5));
    EXPECT_EQ(std::string("Rena\0ZZZ", 8), std::string(ansi, 8));

    wchar_t wide[16];
    std::wmemset(wide, L'Z', 16);
    EXPECT_EQ(S_OK,
              menu->GetCommandString(1, GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(wide), 3));
    EXPECT_EQ(std::wstring(L"Vi\0ZZ", 5), std::wstring(wide, 5));

    std::memset(ansi, 'Z', sizeof ansi);
    EXPECT_EQ(S_OK, menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, ansi, 0));
    EXPECT_EQ(std::string(16, 'Z'), std::string(ansi, 16));
}

TEST_F(ContextMenu, VerbGivenByNameIsRefusedBeforeAnythingIsFetched) {
    auto data = RecordingDataObject::Make(nullptr);
    init->Initialize(nullptr, data.Get(), nullptr);
    CMINVOKECOMMANDINFOEX info = {};
    info.cbSize = sizeof(CMINVOKECOMMANDINFO);
    info.lpVerb = "open";
    EXPECT_EQ(E_INVALIDARG, menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info)));

    // An extended request whose wide verb is a name.
    info.cbSize = sizeof info;
    info.fMask = CMIC_MASK_UNICODE;
    info.lpVerb = MAKEINTRESOURCEA(0);
    info.lpVerbW = L"open";
    EXPECT_EQ(E_INVALIDARG, menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info)));

#ifdef _WIN64
    // A name above 4 GB whose low 32 bits are small still is a name.
    char* high = static_cast<char*>(VirtualAlloc(reinterpret_cast<void*>(0x100000000ull), 4096,
                                                 MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, high);
    ASSERT_EQ(0u, reinterpret_cast<UINT_PTR>(high) & 0xFFFF0000u);
    std::strcpy(high, "open");
    CMINVOKECOMMANDINFO plain = {};
    plain.cbSize = sizeof plain;
    plain.lpVerb = high;
    EXPECT_EQ(E_INVALIDARG, menu->InvokeCommand(&plain));
    VirtualFree(high, 0, MEM_RELEASE);
#endif
    EXPECT_EQ(0, data->getDataCalls);
}

TEST_F(ContextMenu, UnknownOffsetFetchesTheSelectionOnceReleasesItAndFails) {
    const TempFolder folder;
    const std::string file = folder.write("tessaly-invoke-test.jpg");
    IDataObject* shell = host::CreateSelectionDataObject({file});
    ASSERT_NE(nullptr, shell);
    {
        auto data = RecordingDataObject::Make(shell);
        init->Initialize(nullptr, data.Get(), nullptr);
        EXPECT_EQ(E_INVALIDARG, invoke(2));
        EXPECT_EQ(1, data->getDataCalls);
        EXPECT_EQ(CF_HDROP, data->lastFormat.cfFormat);
        EXPECT_EQ(nullptr, data->lastFormat.ptd);
        EXPECT_EQ(static_cast<DWORD>(DVASPECT_CONTENT), data->lastFormat.dwAspect);
        EXPECT_EQ(-1, data->lastFormat.lindex);
        EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), data->lastFormat.tymed);
        EXPECT_EQ(1, data->mediaHandedOut);
        EXPECT_EQ(1, data->mediaReleased);
        init->Initialize(nullptr, nullptr, nullptr);
    }
    shell->Release();
}

TEST_F(ContextMenu, VerbsRunWithoutFilesWhenTheSelectionIsRefused) {
    auto data = RecordingDataObject::Make(nullptr);
    init->Initialize(nullptr, data.Get(), nullptr);
    EXPECT_EQ(S_OK, invoke(0));
    EXPECT_EQ(S_OK, invoke(1));
    EXPECT_EQ(2, data->getDataCalls);
    EXPECT_EQ(0, data->mediaHandedOut);
    init->Initialize(nullptr, nullptr, nullptr);
    // No data object at all: the verbs still run, with no files.
    EXPECT_EQ(S_OK, invoke(1));
}

} // namespace
} // namespace tessaly::test
