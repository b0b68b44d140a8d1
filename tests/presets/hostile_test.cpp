// Damaged and hand-edited preset index files, from a fixed seed, through start-up and the
// selection of each listed preset: no crash, no message, and the file left byte for byte as it was.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/probe.h"
#include "presets/commands.h"
#include "presets/ini_maker.h"
#include "presets/preset_fixture.h"

namespace kaza {
namespace {

using test::IniMaker;

class HostileIndex : public test::PresetTest {};

TEST_F(HostileIndex, StartUpAndSelectionLeaveTheFileAsItWas) {
    Picture(folder_.plugins(), "wide.bmp", 100, 50);
    test::WriteBytes(folder_.plugins() + "\\broken.gif", "GIF89a\x10\x00");
    IniMaker maker(20261207);
    const int files = GetEnvironmentVariableA("KAZA_TEST_QUICK", nullptr, 0) ? 60 : 1000;
    double startSeconds = 0, selectSeconds = 0;
    int listed = 0, selected = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < files; ++i) {
        const std::string bytes = maker.File();
        SCOPED_TRACE("file " + std::to_string(i));
        test::WriteBytes(folder_.index(), bytes);
        auto t0 = std::chrono::steady_clock::now();
        // A new main window now and then; in between the same one starts up again, its list emptied.
        if (i % 50 == 0) Start();
        Form1& f = main();
        if (i % 50 != 0) {
            f.List1().Clear();
            RunStartupProbe(f);
        }
        auto t1 = std::chrono::steady_clock::now();
        startSeconds += std::chrono::duration<double>(t1 - t0).count();
        ui::Control& list = f.List1();
        listed += list.ListCount();
        // Every listed preset, up to a few per file (a long list repeats the same kinds).
        for (int k = 0; k < std::min(list.ListCount(), 3); ++k) {
            list.SetListIndex(k);
            f.Raise("List1", -1, ui::Event::Click);
            ++selected;
        }
        selectSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t1).count();
        ASSERT_TRUE(dialogs_.messages.empty());
        ASSERT_EQ(test::ReadBytes(folder_.index()), bytes);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%d damaged index files in %.1f s (start-up %.1f s, selection %.1f s): %d presets listed, "
                "%d selected\n", files, seconds, startSeconds, selectSeconds, listed, selected);
    EXPECT_GT(selected, files);
}

}  // namespace
}  // namespace kaza
