// Our INI reader against Windows' own: every case of the reader's tests and a generated set are
// written to files and read both with readProfileString and with GetPrivateProfileStringA
// (section "Update", key "58211", default "error", buffer 1000). The values must agree byte for
// byte, except for the classes of case below, where ours differs on purpose.
#include "online/ProfileReader.h"

#include "ProfileCases.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using ProfileCases::ProfileCase;

constexpr UINT CzechCodePage = 1250;

std::wstring toWide(std::string_view bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

std::string fromWide(std::wstring_view wide, UINT codePage, bool* lossy = nullptr)
{
    if (wide.empty())
        return {};
    BOOL usedDefault = FALSE;
    const bool utf8 = codePage == CP_UTF8;
    BOOL* lost = utf8 ? nullptr : &usedDefault;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, lost);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr,
                        lost);
    if (lossy)
        *lossy = usedDefault != FALSE;
    return bytes;
}

// What Windows answers, in the program's UTF-8: a Czech Windows hands over code page 1250 bytes.
std::string windowsValue(std::string path)
{
    std::ranges::replace(path, '/', '\\');
    std::array<char, 1000> buffer{};
    const DWORD length = GetPrivateProfileStringA("Update", "58211", "error", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return fromWide(toWide(std::string_view(buffer.data(), length), CzechCodePage), CP_UTF8);
}

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

bool isUtf16(std::string_view bytes)
{
    return startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF");
}

bool hasHighBytes(std::string_view bytes)
{
    return std::ranges::any_of(bytes, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool isValidUtf8(std::string_view bytes)
{
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

// The classes of case where our reader differs from Windows on purpose, each with its reason.
struct DeliberateDifference {
    const char* name;
    const char* reason;
    std::function<bool(const ProfileCase&, const std::string& ours)> applies;
};

const std::vector<DeliberateDifference> DeliberateDifferences = {
    {"Utf8Text",
     "valid UTF-8 text, with or without a UTF-8 byte-order mark, is read as UTF-8 so that Czech text "
     "written by today's editors shows; Windows takes the bytes as ANSI (and Wine turns a marked file "
     "into the ANSI code page)",
     [](const ProfileCase& c, const std::string&) {
         return !isUtf16(c.fileBytes)
             && (startsWith(c.fileBytes, "\xEF\xBB\xBF") || (hasHighBytes(c.fileBytes) && isValidUtf8(c.fileBytes)));
     }},
    {"Utf16BeyondTheCodePage",
     "a UTF-16 file's characters outside code page 1250 are kept (a lone surrogate becomes U+FFFD); "
     "the ANSI function can only hand over '?' for them",
     [](const ProfileCase& c, const std::string& ours) {
         if (!isUtf16(c.fileBytes))
             return false;
         bool lossy = false;
         fromWide(toWide(ours, CP_UTF8), CzechCodePage, &lossy);
         return lossy;
     }},
    {"QuotedValueOf999OrMore",
     "a quoted value of 999 or more characters keeps 999 of them like any other value; Wine drops one "
     "character more than Windows' 999-character rule",
     [](const ProfileCase& c, const std::string&) {
         const auto start = c.fileBytes.find("58211=\"");
         if (start == std::string::npos)
             return false;
         const auto end = c.fileBytes.find_first_of("\r\n", start);
         const auto value = c.fileBytes.substr(start + 6, end == std::string::npos ? end : end - start - 6);
         return value.size() >= 999;
     }},
};

const DeliberateDifference* deliberateDifferenceFor(const ProfileCase& c, const std::string& ours)
{
    for (const auto& difference : DeliberateDifferences)
        if (difference.applies(c, ours))
            return &difference;
    return nullptr;
}

// The generated set: each body in every line-end style ("|" marks a line end).
struct Body {
    std::string name;
    std::string text;            // bytes as they are in the file, or
    std::u16string utf16{};      // characters of a UTF-16 file
    bool bigEndian = false;
};

template <class Text>
Text withLineEnds(const Text& body, const std::vector<std::string>& ends)
{
    Text result;
    std::size_t next = 0;
    for (const auto c : body) {
        if (c == '|') {
            for (const char e : ends[next++ % ends.size()])
                result += static_cast<typename Text::value_type>(e);
        } else {
            result += c;
        }
    }
    return result;
}

std::vector<ProfileCase> generatedCases()
{
    const std::string v998(998, 'a');
    const std::string v999(999, 'b');
    const std::string v1000(1000, 'c');
    static std::vector<std::string> names; // ProfileCase holds a plain name pointer
    const std::vector<Body> bodies = {
        {"Plain", "[Update]|58211=v|"},
        {"BlanksAroundNames", "  [Update]  |  58211  =  v  |"},
        {"TabsAroundNames", "\t[Update]\t|\t58211\t=\tv\t|"},
        {"BlanksInsideBrackets", "[ Update ]|58211=v|"},
        {"TabsInsideValue", "[Update]|58211=a\tb \t c|"},
        {"DuplicateSectionsKeyInFirst", "[Update]|58211=first|[Update]|58211=second|"},
        {"DuplicateSectionsKeyInSecond", "[Update]|x=1|[Update]|58211=second|"},
        {"DuplicateKeys", "[Update]|58211=first|58211=second|"},
        {"DuplicateKeysOtherCase", "[UPDATE]|58211=first|[update]|58211=second|"},
        {"KeyLineWithoutEquals", "[Update]|58211|58211=v|"},
        {"KeyLineWithoutEqualsBlanks", "[Update]|  58211  |58211=v|"},
        {"OtherLineWithoutEquals", "[Update]|hello|58211=v|"},
        {"EmptyKeyName", "[Update]|=x|58211=v|"},
        {"OpenBracketWithoutClose", "[Update|58211=v|"},
        {"OpenBracketLineInside", "[Update]|[Other|58211=v|"},
        {"OpenBracketBeforeSection", "[Other|[Update]|58211=v|"},
        {"TextAfterClosingBracket", "[Update] x|58211=v|"},
        {"DoubleQuoted", "[Update]|58211=\"v w\"|"},
        {"SingleQuoted", "[Update]|58211='v w'|"},
        {"QuoteOnlyAtStart", "[Update]|58211=\"v w|"},
        {"QuoteOnlyAtEnd", "[Update]|58211=v w\"|"},
        {"QuotesInside", "[Update]|58211=a \"b\" c|"},
        {"QuotedWithBlanksOutside", "[Update]|58211=  \"v\"  |"},
        {"MixedQuotes", "[Update]|58211='v\"|"},
        {"LoneQuote", "[Update]|58211=\"|"},
        {"EmptyQuotes", "[Update]|58211=\"\"|"},
        {"Value998", "[Update]|58211=" + v998 + "|"},
        {"Value999", "[Update]|58211=" + v999 + "|"},
        {"Value1000", "[Update]|58211=" + v1000 + "|"},
        {"QuotedValue998", "[Update]|58211=\"" + v998 + "\"|"},
        {"QuotedValue999", "[Update]|58211=\"" + v999 + "\"|"},
        {"QuotedValue1000", "[Update]|58211=\"" + v1000 + "\"|"},
        {"NulInValue", std::string("[Update]|58211=ab\0cd|", 21)},
        {"NulInOtherLine", std::string("[Update]|x=\0|58211=v|", 21)},
        {"NulInSectionName", std::string("[Up\0date]|58211=v|", 18)},
        {"Utf8BomAscii", "\xEF\xBB\xBF[Update]|58211=v|"},
        {"Utf8BomCzech", "\xEF\xBB\xBF[Update]|58211=\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD|"},
        {"Utf8Czech", "[Update]|58211=k\xC5\xAF\xC5\x88|"},
        {"Utf16LeAscii", "", u"[Update]|58211=v|"},
        {"Utf16BeAscii", "", u"[Update]|58211=v|", true},
        {"Utf16LeCzech", "", u"[Update]|58211=žluťoučký kůň|"},
        {"Utf16BeCzech", "", u"[Update]|58211=Příliš|", true},
        {"Cp1250Czech", "[Update]|58211=P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD|"},
        {"Cp1250SectionName", "[\x8Akola]|58211=x|[Update]|58211=v|"},
        {"Cp1250Punctuation", "[Update]|58211=\x84\x93\x96\x85\x80|"},
        {"SemicolonLine", "[Update]|;58211=x|58211=v|"},
        {"KeyBeforeAnySection", "58211=x|[Update]|58211=v|"},
        {"EmptyValue", "[Update]|58211=|"},
        {"BlankValue", "[Update]|58211=   |"},
        {"EqualsInValue", "[Update]|58211==a=b|"},
        {"SimilarKeys", "[Update]|5821=a|582110=b|58211 1=c|58211=v|"},
        {"MissingKey", "[Update]|x=1|"},
        {"MissingSection", "[Other]|58211=v|"},
        {"NoLineEndAtAll", "[Update]|58211=v"},
        {"EmptyLines", "|||[Update]|||58211=v|||"},
    };
    const std::vector<std::pair<std::string, std::vector<std::string>>> lineEnds = {
        {"CrLf", {"\r\n"}}, {"Lf", {"\n"}}, {"Cr", {"\r"}}, {"Mixed", {"\r\n", "\n", "\r", "\n\r"}}};
    names.clear();
    std::vector<ProfileCase> cases;
    for (const auto& [lineEndName, ends] : lineEnds) {
        for (const Body& body : bodies) {
            names.push_back(body.name + "/" + lineEndName);
            cases.push_back(ProfileCase{nullptr,
                                        body.utf16.empty()
                                            ? withLineEnds(body.text, ends)
                                            : ProfileCases::utf16(withLineEnds(body.utf16, ends), body.bigEndian),
                                        {}});
        }
    }
    for (std::size_t i = 0; i < cases.size(); ++i)
        cases[i].name = names[i].c_str();
    return cases;
}

TEST(ProfileOracle, AgreesWithGetPrivateProfileStringA)
{
    ASSERT_EQ(GetACP(), CzechCodePage) << "run with a Czech locale (LC_ALL=cs_CZ.UTF-8 under Wine)";
    std::vector<ProfileCase> cases = ProfileCases::all();
    const auto generated = generatedCases();
    cases.insert(cases.end(), generated.begin(), generated.end());

    TestFiles::Folder folder;
    std::map<std::string, int> differing;
    int compared = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const ProfileCase& c = cases[i];
        // A fresh name each time: Windows caches a profile by its name and time stamp.
        const std::string path = folder.file("case" + std::to_string(i) + ".ini");
        TestFiles::writeFile(path, c.fileBytes);
        const std::string ours = Module1::readProfileString("Update", "58211", "error", path);
        const std::string windows = windowsValue(path);
        if (const auto* difference = deliberateDifferenceFor(c, ours)) {
            ++differing[difference->name];
            continue;
        }
        ++compared;
        EXPECT_EQ(ours, windows) << "case " << c.name;
    }
    std::cout << cases.size() << " cases: " << compared << " compared byte for byte";
    for (const auto& [name, count] : differing)
        std::cout << ", " << count << " " << name;
    std::cout << '\n';
    EXPECT_GE(compared, 300);
}

} // namespace
