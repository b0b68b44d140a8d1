// A preset's section read in one pass against the one-value-at-a-time reader it stands in for:
// every key a selection reads gives the same text both ways, for damaged files and for the lines
// the profile rules treat specially.
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/system.h"
#include "presets/commands.h"
#include "presets/ini_maker.h"
#include "presets/preset_fixture.h"

namespace kaza {
namespace {

class SectionReader : public test::PresetTest {
protected:
    // The keys selection reads, the count's lines, and keys of other letter case or blanks.
    void ExpectSameAsOneValueAtATime(const std::string& section, long lines) {
        SCOPED_TRACE("section [" + section + "]");
        const platform::ProfileSection whole = presets::ReadSection(section);
        std::vector<std::string> keys = {"1", "2", "3", "777", "999", "555", " 1", "SupportPhone", "SUPPORTPHONE",
                                         "supporturl", "SupportHours", "x"};
        for (long n = 4; n < 4 + std::max(lines, 16L); ++n) keys.push_back(std::to_string(n));
        for (const std::string& key : keys) {
            const platform::ProfileText one = platform::ProfileRead(presets::IndexPath(), section, key);
            const platform::ProfileText fromWhole = whole.Read(key);
            ASSERT_EQ(fromWhole.text, one.text) << "key " << key;
            ASSERT_EQ(fromWhole.count, one.count) << "key " << key;
        }
    }
};

TEST_F(SectionReader, GivesWhatOneValueAtATimeGivesForDamagedFiles) {
    test::IniMaker maker(20261208);
    // On the 9x family the same files again, fewer: only the limits differ there.
    const bool family9x = platform::WindowsVersion().platformId == VER_PLATFORM_WIN32_WINDOWS;
    const int files = GetEnvironmentVariableA("KAZA_TEST_QUICK", nullptr, 0) || family9x ? 25 : 80;
    for (int i = 0; i < files; ++i) {
        SCOPED_TRACE("file " + std::to_string(i));
        test::WriteBytes(folder_.index(), maker.File());
        ExpectSameAsOneValueAtATime(presets::kIndexSection, presets::kMaxPresets);
        for (const std::string& name : maker.sections)
            ExpectSameAsOneValueAtATime(name, std::min(presets::StoredLineCount(Key(name, "555")), 40L));
    }
}

TEST_F(SectionReader, GivesWhatOneValueAtATimeGivesForQuotesBlanksRepeatsAndLongValues) {
    std::string kana;
    for (int i = 0; i < 500; ++i) kana += "\x83\x41";  // 1,000 bytes of katakana
    const std::vector<std::string> lines = {
        "1=\"quoted\"", "2='single'", "3=\"", "4=\"\"", "5=\"open", "6=  \" blanks inside \"  ", "7=\"'both'\"",
        "8=\t tabbed \t", "9=a=b=c", "SupportPhone=03-1234-5678", "supportphone=second", "10", "10=after a bare key",
        "11=first", "11=second", ";12=commented", "  13  =  padded  ", "14=" + std::string(999, 'a'),
        "15=" + std::string(1000, 'b'), "16=\"" + std::string(1021, 'c') + "\"", "17=\"" + std::string(1022, 'd') + "\"",
        "18=" + std::string(1023, 'e'), "19=" + std::string(3000, 'f'), "20=" + kana, "21=\"" + kana + "\"",
        "22=\"\x82\"", "23=\x82", "24=\x83\x41\x82", "555=30"};
    std::string file = "[nagi]\r\n1=a\r\n[a]\r\n";
    for (const std::string& line : lines) file += line + "\r\n";
    // A second section of the same name, in other letter case, and one with the first's keys.
    file += "[other]\r\n1=other\r\n[A]\r\n1=from the second\r\n25=only in the second\r\n";
    test::WriteBytes(folder_.index(), file);
    ExpectSameAsOneValueAtATime("a", 30);
    ExpectSameAsOneValueAtATime("A", 30);
    EXPECT_TRUE(presets::ReadSection("a").whole());

    // A lead byte before LF alone takes the line break with it: the lines run into one.
    std::string run = "[g]\n";
    for (int n = 1; n <= 300; ++n) run += std::to_string(n) + "=\x82\n";
    test::WriteBytes(folder_.index(), run);
    ExpectSameAsOneValueAtATime("g", 300);
}

// The 9x family reads at most 32,767 bytes of a section: a longer one is read a value at a time.
TEST_F(SectionReader, ReadsALongSectionWholeOnlyOnTheNtFamily) {
    std::string file = "[long]\r\n";
    for (int n = 4; n < 44; ++n) file += std::to_string(n) + "=\"" + std::string(990, char('a' + n % 26)) + "\"\r\n";
    test::WriteBytes(folder_.index(), file + "555=42\r\n");
    const bool family9x = platform::WindowsVersion().platformId == VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_EQ(presets::ReadSection("long").whole(), !family9x);
    ExpectSameAsOneValueAtATime("long", 40);
}

}  // namespace
}  // namespace kaza
