#include "rollout/args.h"

#include "platform/text.h"
#include "rollout/grouppolicy.h"

namespace kaza::rollout {
namespace {

// The profile reader gives back at most 1023 bytes, so no preset name is longer.
constexpr size_t kLongestName = 1023;
// Windows Setup takes at most 256 characters of an owner or an organisation.
constexpr size_t kLongestRegistration = 256;
constexpr size_t kLongestPath = 259;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t Characters(const std::string& utf8) {
    size_t n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

bool HasControl(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

bool IsOption(const std::string& word) { return !word.empty() && word[0] == '/'; }

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    Request Run() {
        if (args_.empty()) return r_;
        if (args_.size() == 1 && !IsOption(args_[0])) {
            r_.picture = args_[0];
            return r_;
        }
        const std::string first = platform::LowerCase(args_[0]);
        ++at_;
        if (first == "/apply") {
            r_.command = Command::Apply;
            Value(r_.preset, "プリセット名", kLongestName, false);
        } else if (first == "/export") {
            r_.command = Command::Export;
            Value(r_.preset, "プリセット名", kLongestName, false);
            Value(r_.folder, "書き出し先のフォルダ", kLongestPath, true);
        } else if (first == "/restore") {
            r_.command = Command::Restore;
            std::string which;
            if (Value(which, "original または last", 8, false)) {
                which = platform::LowerCase(which);
                if (which == "original") r_.restore = RestorePoint::Original;
                else if (which == "last") r_.restore = RestorePoint::Last;
                else Fail("/restore の後には original か last を指定してください: " + args_[at_ - 1]);
            }
        } else if (first == "/remove") {
            r_.command = Command::Remove;
        } else {
            Fail("知らない指定です: " + args_[0]);
        }
        while (r_.command != Command::Bad && at_ < args_.size()) Option();
        return r_;
    }

private:
    void Fail(const std::string& why) {
        if (r_.command == Command::Bad) return;
        r_.command = Command::Bad;
        r_.problem = why;
    }

    // The word after the current one, as the value of `what`.
    bool Value(std::string& into, const char* what, size_t longest, bool path) {
        if (at_ >= args_.size() || IsOption(args_[at_])) {
            Fail(std::string(what) + "がありません。");
            return false;
        }
        const std::string& v = args_[at_++];
        size_t length = path || longest == kLongestName ? platform::ToAnsi(v).size() : Characters(v);
        if (v.empty() && path) Fail(std::string(what) + "が空です。");
        else if (length > longest) Fail(std::string(what) + "が長すぎます。");
        else if (HasControl(v)) Fail(std::string(what) + "に制御文字は使えません。");
        // A folder given as "C:\out\" reads as C:\out" and what follows: the quote was taken
        // for a character, and no path can hold one.
        else if (path && v.find('"') != std::string::npos) Fail(std::string(what) + "に「\"」は使えません。");
        else into = v;
        return r_.command != Command::Bad;
    }

    void Option() {
        const std::string word = platform::LowerCase(args_[at_++]);
        auto once = [&](bool& seen) {
            if (seen) Fail(args_[at_ - 1] + " が二度指定されています。");
            seen = true;
            return r_.command != Command::Bad;
        };
        const bool writesPreset = r_.command != Command::Restore && r_.command != Command::Remove;
        if (word == "/256" && writesPreset) {
            if (once(seen256_)) r_.colours256 = true;
        } else if (word == "/owner" && writesPreset) {
            std::string v;
            if (once(seenOwner_) && Value(v, "/owner の名前", kLongestRegistration, false)) r_.owner = v;
        } else if (word == "/org" && writesPreset) {
            std::string v;
            if (once(seenOrg_) && Value(v, "/org の組織名", kLongestRegistration, false)) r_.org = v;
        } else if (word == "/log") {
            if (once(seenLog_)) Value(r_.log, "/log のファイル", kLongestPath, true);
        } else if (word == "/copies" && r_.command != Command::Export) {
            if (once(seenCopies_)) Value(r_.copies, "/copies のフォルダ", kLongestPath, true);
        } else if (word == "/share" && r_.command == Command::Export) {
            if (once(seenShare_) && Value(r_.share, "/share の共有フォルダ", kLongestPath, true)) {
                if (const std::string why = ShareProblem(r_.share); !why.empty()) Fail(why);
            }
        } else {
            Fail("知らない指定です: " + args_[at_ - 1]);
        }
    }

    const std::vector<std::string>& args_;
    size_t at_ = 0;
    Request r_;
    bool seen256_ = false, seenOwner_ = false, seenOrg_ = false, seenLog_ = false, seenCopies_ = false,
         seenShare_ = false;
};

}  // namespace

std::vector<std::string> SplitArguments(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    // The program's own name: up to the closing quote when quoted, else up to the first blank.
    if (i < line.size() && line[i] == '"') {
        size_t close = line.find('"', 1);
        i = close == std::string::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) ++i;
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string word;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            if (line[i] == '\\') {
                size_t end = line.find_first_not_of('\\', i);
                size_t run = (end == std::string::npos ? line.size() : end) - i;
                if (i + run < line.size() && line[i + run] == '"') {
                    // 2n backslashes and a quote: n backslashes, the quote opens or closes;
                    // 2n + 1: n backslashes and the quote itself.
                    word.append(run / 2, '\\');
                    i += run;
                    if (run % 2) word += '"';
                    else quoted = !quoted;
                } else {
                    word.append(run, '\\');
                    i += run - 1;
                }
            } else if (line[i] != '"') {
                word += line[i];
            } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                word += line[++i];
            } else {
                quoted = !quoted;
            }
        }
        words.push_back(word);
    }
    return words;
}

Request ParseArguments(const std::vector<std::string>& args) { return Parser(args).Run(); }

}  // namespace kaza::rollout
