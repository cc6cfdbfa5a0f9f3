// The COM server's life: class objects, handler creation and whether the module may unload.
#include "support/TessalyModule.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

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

// Explorer makes handlers on one thread per window and asks whether the module may unload from
// yet another; a handler may be released on another thread than the one that made it. A lost
// update of a count would unload the module, or free a handler, while it is still in use.
TEST_F(ClassFactory, CountsHoldAcrossThreads) {
    IUnknown* shared = nullptr;
    ASSERT_EQ(S_OK, module.CreateHandler(IID_IUnknown, reinterpret_cast<void**>(&shared)));
    // Held meanwhile, so that a count that drifts down does not free the handler under the
    // threads.
    constexpr ULONG kHeld = 1000;
    for (ULONG i = 0; i < kHeld; ++i)
        shared->AddRef();
    std::atomic<bool> stop{false};
    std::atomic<int> unloadAllowed{0};
    std::thread asker([&] {
        while (!stop)
            if (module.CanUnloadNow() == S_OK)
                ++unloadAllowed;
    });
    std::vector<std::thread> windows;
    for (int thread = 0; thread < 4; ++thread)
        windows.emplace_back([&] {
            for (int i = 0; i < 200000; ++i) {
                IUnknown* handler = nullptr;
                if (module.CreateHandler(IID_IUnknown, reinterpret_cast<void**>(&handler)) == S_OK)
                    handler->Release();
            }
            for (int i = 0; i < 5000000; ++i) {
                shared->AddRef();
                shared->Release();
            }
        });
    for (std::thread& window : windows)
        window.join();
    stop = true;
    asker.join();
    EXPECT_EQ(0, unloadAllowed.load()); // the shared handler lived all along
    const ULONG count = shared->AddRef();
    ASSERT_EQ(kHeld + 2, count);
    for (ULONG i = 0; i < kHeld + 1; ++i)
        shared->Release();
    EXPECT_EQ(S_FALSE, module.CanUnloadNow());
    EXPECT_EQ(0u, shared->Release());
    EXPECT_EQ(S_OK, module.CanUnloadNow());
}

} // namespace
} // namespace tessaly::test
