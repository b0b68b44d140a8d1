// Replacing a file whole, under one emulated family (the program's name says which): the new
// content goes beside the target first, and any failure leaves the target as it was and no
// stray file behind. Failures of single renames are injected through the test hook.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/bmpfile.h"
#include "platform/replace.h"
#include "support/kaza_test.h"

namespace kaza {
namespace {

using platform::RealRename;

struct Rename {
    std::string from, to;
    bool replace;
};

class Replacing : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::ScratchFolder("replace" + std::to_string(GetCurrentProcessId()));
        target_ = folder_ + "\\oeminfo.ini";
    }
    void TearDown() override {
        platform::SetRenameForTesting(nullptr);
        test::RemoveTree(folder_);
    }

    // The names in the folder, so that a stray file beside the target is seen.
    std::vector<std::string> Files() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA d{};
        HANDLE h = FindFirstFileA((folder_ + "\\*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            std::string n = d.cFileName;
            if (n != "." && n != "..") names.push_back(n);
        } while (FindNextFileA(h, &d));
        FindClose(h);
        return names;
    }
    // The bytes through a block writer, in one block of their size.
    static bool WriteInOneBlock(const std::string& path, const std::string& bytes) {
        platform::BlockFileWriter block(path, bytes.size(), bytes.size());
        uint8_t* room = block.Reserve(bytes.size());
        if (!room) return false;
        std::copy(bytes.begin(), bytes.end(), room);
        return block.Finish().ok();
    }
    // Renames as the 98 family makes them: the one-step replacement is only a stub there. The
    // plain rename numbered `failing` (from 1) fails with a sharing violation; 0 lets all through.
    void AsOn98(int failing = 0) {
        platform::SetRenameForTesting([this, failing](const std::string& from, const std::string& to, bool replace) {
            renames_.push_back({from, to, replace});
            if (replace) return platform::Outcome::Failed(ERROR_CALL_NOT_IMPLEMENTED);
            if (++plain_ == failing) return platform::Outcome::Failed(ERROR_SHARING_VIOLATION);
            return RealRename(from, to, false);
        });
    }

    std::string folder_, target_;
    std::vector<Rename> renames_;
    int plain_ = 0;
};

TEST_F(Replacing, ReplacesOrCreatesTheTargetLeavingNothingBeside) {
    ASSERT_TRUE(platform::WriteFileInPlace(target_, "first"));
    EXPECT_EQ(test::ReadBytes(target_), "first");
    ASSERT_TRUE(platform::WriteFileInPlace(target_, std::string("sec\0nd", 6)));
    EXPECT_EQ(test::ReadBytes(target_), std::string("sec\0nd", 6));
    EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});

    // The 98 family's steps give the same result: old file aside, new one in, old one removed.
    AsOn98();
    ASSERT_TRUE(platform::WriteFileInPlace(target_, "third"));
    EXPECT_EQ(test::ReadBytes(target_), "third");
    ASSERT_EQ(plain_, 2);
    EXPECT_EQ(renames_[renames_.size() - 2].from, target_);
    EXPECT_EQ(renames_.back().to, target_);
    EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});

    // A copy; a read-only source does not make a target that the next write may not replace.
    const std::string source = folder_ + "_source.ini";
    test::WriteBytes(source, "copied");
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(platform::CopyFileInPlace(source, target_));
    EXPECT_EQ(test::ReadBytes(target_), "copied");
    EXPECT_TRUE(platform::WriteFileInPlace(target_, "after"));
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(source.c_str());
    EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});
}

TEST_F(Replacing, AFailedStepLeavesTheTargetAsItWas) {
    test::WriteBytes(target_, "installed");

    // NT: the one rename refused.
    platform::SetRenameForTesting([](const std::string&, const std::string&, bool) {
        return platform::Outcome::Failed(ERROR_SHARING_VIOLATION);
    });
    EXPECT_EQ(platform::WriteFileInPlace(target_, "new").error(), unsigned(ERROR_SHARING_VIOLATION));

    // 98: the old file cannot be moved aside; then the new one cannot take its name (the old one
    // goes back); then not even that works, and the old file stays whole under its name aside.
    for (int failing : {1, 2}) {
        SCOPED_TRACE(failing);
        renames_.clear();
        plain_ = 0;
        AsOn98(failing);
        EXPECT_EQ(platform::WriteFileInPlace(target_, "new").error(), unsigned(ERROR_SHARING_VIOLATION));
        EXPECT_EQ(test::ReadBytes(target_), "installed");
        EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});
    }
    EXPECT_EQ(renames_.back().from.substr(renames_.back().from.size() - 4), ".tmp");
    EXPECT_EQ(renames_.back().to, target_);  // the old file put back

    plain_ = 0;
    platform::SetRenameForTesting([this](const std::string& from, const std::string& to, bool replace) {
        if (replace) return platform::Outcome::Failed(ERROR_CALL_NOT_IMPLEMENTED);
        return ++plain_ == 1 ? RealRename(from, to, false) : platform::Outcome::Failed(ERROR_SHARING_VIOLATION);
    });
    EXPECT_FALSE(platform::WriteFileInPlace(target_, "new"));
    std::vector<std::string> left = Files();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(test::ReadBytes(folder_ + "\\" + left[0]), "installed");
}

TEST_F(Replacing, FoldersReadOnlyFilesAndMissingSourcesAreNotReplaced) {
    for (bool on98 : {false, true}) {
        SCOPED_TRACE(on98 ? "98 steps" : "one step");
        if (on98) AsOn98();
        // A folder in the target's place, with a file in it.
        CreateDirectoryA(target_.c_str(), nullptr);
        test::WriteBytes(target_ + "\\inside", "kept");
        EXPECT_EQ(platform::WriteFileInPlace(target_, "new").error(), unsigned(ERROR_ACCESS_DENIED));
        EXPECT_EQ(test::ReadBytes(target_ + "\\inside"), "kept");
        EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});
        test::RemoveTree(target_);

        // A file the user made read-only.
        test::WriteBytes(target_, "read-only");
        SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(platform::WriteFileInPlace(target_, "new").error(), unsigned(ERROR_ACCESS_DENIED));
        EXPECT_EQ(test::ReadBytes(target_), "read-only");
        SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_NORMAL);

        // A copy from a source that is not there.
        EXPECT_EQ(platform::CopyFileInPlace(folder_ + "\\missing.ini", target_).error(),
                  unsigned(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(test::ReadBytes(target_), "read-only");
        EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});
        DeleteFileA(target_.c_str());
    }
}

// Names whose last character ends in the byte of a backslash (0x5C) in Shift-JIS, as a file and as
// a folder: every replacement makes its file beside them, in their own folder.
TEST_F(Replacing, NamesEndingInTheByteOfABackslashAreWrittenWhole) {
    const std::string source = folder_ + "_source.bin";
    test::WriteBytes(source, "copied");
    for (bool on98 : {false, true}) {
        if (on98) AsOn98();
        for (const char* name : {"能力表.bmp", "一覧表.bmp", "マークソ.bmp", "第十.bmp", "予定表\\oeminfo.ini"}) {
            SCOPED_TRACE(std::string(name) + (on98 ? ", 98 steps" : ""));
            const std::string utf8 = folder_ + "\\" + name;
            if (utf8.find("予定表") != std::string::npos) CreateDirectoryA(test::Sjis(folder_ + "\\予定表").c_str(), nullptr);
            EXPECT_TRUE(platform::WriteFileInPlace(utf8, "written"));
            EXPECT_TRUE(platform::WriteFileInPlace(utf8, "again"));
            EXPECT_EQ(test::ReadBytes(utf8), "again");
            EXPECT_TRUE(platform::CopyFileInPlace(source, utf8));
            EXPECT_EQ(test::ReadBytes(utf8), "copied");
            EXPECT_TRUE(WriteInOneBlock(utf8, "BM!"));
            EXPECT_EQ(test::ReadBytes(utf8), "BM!");
            test::RemoveTree(utf8);
        }
        EXPECT_EQ(Files(), std::vector<std::string>{test::Sjis("予定表")});
    }
    DeleteFileA(source.c_str());
}

TEST_F(Replacing, ABlockWriterPutsItsFileInPlaceOnlyWhenFinished) {
    test::WriteBytes(target_, "installed");
    {
        platform::BlockFileWriter unfinished(target_, 8, 8);
        ASSERT_NE(unfinished.Reserve(8), nullptr);
        EXPECT_EQ(test::ReadBytes(target_), "installed");
    }  // dropped half-way
    EXPECT_EQ(test::ReadBytes(target_), "installed");
    EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});

    ASSERT_TRUE(WriteInOneBlock(target_, "new"));
    EXPECT_EQ(test::ReadBytes(target_), "new");
    EXPECT_EQ(Files(), std::vector<std::string>{"oeminfo.ini"});
}

}  // namespace
}  // namespace kaza
