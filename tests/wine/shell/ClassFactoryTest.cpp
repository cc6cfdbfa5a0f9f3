// The COM server's life: class objects, handler creation and whether the module may unload.
#include "support/TessalyModule.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

const CLSID kOtherClsid = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

// A pointer preset to this proves that a failing call wrote "none" into it.
void* const kSentinel = reinterpret_cast<void*>(0xdeadbeef);

class ClassFactory : public ::testing::Test {
protected:
    TessalyModule module;
    void SetUp() override { ASSERT_TRUE(module.loaded()); }
};

TEST_F(ClassFactory, UnknownClassIsNotAvailable) {
    void* out = kSentinel;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              module.GetClassObject(kOtherClsid, IID_IClassFactory, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(S_OK, module.CanUnloadNow());
}

TEST_F(ClassFactory, HandsOutIUnknownAndIClassFactoryButNothingElse) {
    void* out = kSentinel;
    EXPECT_EQ(E_NOINTERFACE, module.GetClassObject(kTessalyClsid, IID_IContextMenu, &out));
    EXPECT_EQ(nullptr, out);
    // The refused factory was destroyed at once and does not keep the module loaded.
    EXPECT_EQ(S_OK, module.CanUnloadNow());

    // Each call makes a factory of its own; each keeps the module loaded until released.
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, module.GetClassObject(kTessalyClsid, IID_IUnknown,
                                          reinterpret_cast<void**>(&unknown)));
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, module.GetClassObject(kTessalyClsid, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)));
    EXPECT_NE(static_cast<IUnknown*>(factory), unknown);
    IClassFactory* same = nullptr;
    ASSERT_EQ(S_OK, unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&same)));
    EXPECT_EQ(static_cast<IUnknown*>(same), unknown);
    EXPECT_EQ(1u, same->Release());
    EXPECT_EQ(0u, factory->Release());
    EXPECT_EQ(S_FALSE, module.CanUnloadNow());
    EXPECT_EQ(0u, unknown->Release());
    EXPECT_EQ(S_OK, module.CanUnloadNow());
}

TEST_F(ClassFactory, UnloadIsAllowedOnlyWhileNothingLives) {
    EXPECT_EQ(S_OK, module.CanUnloadNow());
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, module.GetClassObject(kTessalyClsid, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(S_FALSE, module.CanUnloadNow());

    IShellExtInit* init = nullptr;
    ASSERT_EQ(S_OK,
              factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init)));
    EXPECT_EQ(0u, factory->Release());
    EXPECT_EQ(S_FALSE, module.CanUnloadNow()); // the handler alone keeps it loaded
    // Handed out with a count of one: one more reference then one less shows it.
    EXPECT_EQ(2u, init->AddRef());
    EXPECT_EQ(1u, init->Release());
    EXPECT_EQ(0u, init->Release());
    EXPECT_EQ(S_OK, module.CanUnloadNow());
}

TEST_F(ClassFactory, LockServerDoesNotKeepTheModule) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, module.GetClassObject(kTessalyClsid, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(0u, factory->Release());
    EXPECT_EQ(S_OK, module.CanUnloadNow());
    ASSERT_EQ(S_OK, module.GetClassObject(kTessalyClsid, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(0u, factory->Release());
    EXPECT_EQ(S_OK, module.CanUnloadNow());
}

TEST_F(ClassFactory, RefusesAggregationAndUnknownInterfacesCreatingNothing) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, module.GetClassObject(kTessalyClsid, IID_IClassFactory,
                                          reinterpret_cast<void**>(&factory)));
    IUnknown* outer = factory; // any object will do as the would-be aggregator
    void* out = kSentinel;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IID_IUnknown, &out));
    EXPECT_EQ(nullptr, out);

    out = kSentinel;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IClassFactory, &out));
    EXPECT_EQ(nullptr, out);

    EXPECT_EQ(0u, factory->Release());
    // Neither refusal left a handler alive.
    EXPECT_EQ(S_OK, module.CanUnloadNow());
}

} // namespace
} // namespace tessaly::test
