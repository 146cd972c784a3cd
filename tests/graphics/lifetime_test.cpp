// GDI+ start-up and shut-down tokens (a program of its own: nothing else starts GDI+ here).
#include <doctest.h>

#include "graphics/GdipLifetime.h"
#include "graphics/GxImage.h"

namespace {
bool GdiplusWorks() {
    GxBitmap bitmap;
    return bitmap.Create(4, 4);
}
}  // namespace

TEST_CASE("start-up stores the token; shut-down without a token uses and clears it") {
    const ULONG_PTR first = GdipLifetime::Startup();
    REQUIRE(first != 0);
    CHECK(GdipLifetime::StoredToken() == first);
    CHECK(GdiplusWorks());

    SUBCASE("a second start-up overwrites the stored token") {
        const ULONG_PTR second = GdipLifetime::Startup(1);
        REQUIRE(second != 0);
        CHECK(GdipLifetime::StoredToken() == second);
        GdipLifetime::Shutdown(second);
        CHECK(GdipLifetime::StoredToken() == second);  // a given token leaves the stored one alone
        GdipLifetime::Shutdown(first);
    }
    SUBCASE("shut-down with token 0 given does nothing") {
        GdipLifetime::Shutdown(ULONG_PTR{0});
        CHECK(GdipLifetime::StoredToken() == first);
        CHECK(GdiplusWorks());
        GdipLifetime::Shutdown();
        CHECK(GdipLifetime::StoredToken() == 0);
        GdipLifetime::Shutdown();  // nothing stored any more: no call
        CHECK(GdipLifetime::StoredToken() == 0);
    }
    SUBCASE("the quit message and the teardown both shut down with one token") {
        GdipLifetime::Shutdown(first);
        GdipLifetime::Shutdown(first);  // reaches GDI+ only once
        GdipLifetime::Shutdown();       // the stored copy of the same token: no second call
        CHECK(GdipLifetime::StoredToken() == 0);
        // GDI+ can be started again afterwards.
        const ULONG_PTR again = GdipLifetime::Startup();
        CHECK(again != 0);
        CHECK(GdiplusWorks());
        GdipLifetime::Shutdown();
    }
}
