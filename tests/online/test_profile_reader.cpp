#include "online/ProfileReader.h"

#include "online/LocalFiles.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using Module1::readProfileString;
using Module1::readProfileStringFromBytes;

namespace {

struct ProfileCase {
    const char* name;
    std::string fileBytes;
    std::string expected; // the value of key "58211" in section "Update", default "error"
};

void PrintTo(const ProfileCase& param, std::ostream* out)
{
    *out << param.name;
}

class ProfileReading : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileReading, FindsTheValueLikeGetPrivateProfileString)
{
    EXPECT_EQ(readProfileStringFromBytes("Update", "58211", "error", GetParam().fileBytes), GetParam().expected);
}

std::string utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

const std::string Long1200(1200, 'x');
const std::string LongCzech1200 = [] {
    std::string text;
    for (int i = 0; i < 1200; ++i)
        text += "č";
    return text;
}();

INSTANTIATE_TEST_SUITE_P(LineEnds, ProfileReading, testing::Values(
    ProfileCase{"CrLf", "[Update]\r\n58211=a;b\r\n", "a;b"},
    ProfileCase{"Lf", "[Update]\n58211=a;b\n", "a;b"},
    ProfileCase{"CrAlone", "[Update]\r58211=a;b\r", "a;b"},
    ProfileCase{"Mixed", "[Other]\n\rx=1\r\n[Update]\r\r\n58211=a;b\n\r", "a;b"},
    ProfileCase{"LastLineWithoutEnd", "[Update]\n58211=a;b", "a;b"},
    ProfileCase{"EmptyLinesBetween", "\n\n[Update]\n\n\n58211=v", "v"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Blanks, ProfileReading, testing::Values(
    ProfileCase{"AroundLines", "  \t[Update] \t\n \t58211=v \t\n", "v"},
    ProfileCase{"AroundKeyAndValue", "[Update]\n58211 \t= \t v w \t\n", "v w"},
    ProfileCase{"OtherControlBlanks", "\v[Update]\f\n\f58211\v=\vv\f", "v"},
    ProfileCase{"InsideSectionBrackets", "[ \tUpdate\t ]\n58211=v", "v"},
    ProfileCase{"BesideSemicolonsKept", "[Update]\n58211=a ; b ;1; c", "a ; b ;1; c"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Sections, ProfileReading, testing::Values(
    ProfileCase{"NameIgnoresCase", "[uPDATE]\n58211=v", "v"},
    ProfileCase{"NameRunsToTheLastBracket", "[Update]]\n58211=v\n[Up]date]\n58211=w", "error"},
    ProfileCase{"TextAfterTheBracket", "[Update] old\n58211=v", "v"},
    ProfileCase{"BracketNotFirstIsNoHeader", "x[Update]\n58211=v", "error"},
    ProfileCase{"OpenBracketAloneIsNoHeader", "[Update]\n[Other\n58211=v", "v"},
    ProfileCase{"MissingSection", "[Updates]\n58211=v", "error"},
    ProfileCase{"KeyOutsideAnySection", "58211=v\n[Update]\nx=1", "error"},
    ProfileCase{"KeyInAnotherSection", "[Update]\nx=1\n[Other]\n58211=v", "error"},
    ProfileCase{"OnlyTheFirstSectionOfTheName", "[Update]\nx=1\n[Other]\ny=2\n[UPDATE]\n58211=v", "error"},
    ProfileCase{"BackInTheSectionAfterAnother", "[Other]\n58211=w\n[Update]\n58211=v", "v"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Keys, ProfileReading, testing::Values(
    ProfileCase{"FirstKeyWins", "[Update]\n58211=first\n58211=second", "first"},
    ProfileCase{"EmptyValueIsNotTheDefault", "[Update]\n58211=\n58211=second", ""},
    ProfileCase{"OtherKeyBeforeIt", "[Update]\n582110=x\n5821=y\n58211=v", "v"},
    ProfileCase{"LineWithoutEqualsIgnored", "[Update]\n58211\n58211 v\n58211=v", "v"},
    ProfileCase{"FurtherEqualsStay", "[Update]\n58211==a=b=", "=a=b="},
    ProfileCase{"NoCommentSyntax", "[Update]\n58211=a;b # c ; remark", "a;b # c ; remark"},
    ProfileCase{"CommentedKeyIsAnotherKey", "[Update]\n;58211=x\n#58211=y\n58211=v", "v"},
    ProfileCase{"MissingKey", "[Update]\nversion=1", "error"},
    ProfileCase{"EmptyFile", "", "error"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Values, ProfileReading, testing::Values(
    ProfileCase{"DoubleQuotesDropped", "[Update]\n58211=\"a;b\"", "a;b"},
    ProfileCase{"SingleQuotesDropped", "[Update]\n58211='a;b'", "a;b"},
    ProfileCase{"OnlyOnePairDropped", "[Update]\n58211=\"\"a\"\"", "\"a\""},
    ProfileCase{"BlanksInsideQuotesKept", "[Update]\n58211=\" a \"", " a "},
    ProfileCase{"EmptyQuotes", "[Update]\n58211=\"\"", ""},
    ProfileCase{"LoneQuoteKept", "[Update]\n58211=\"", "\""},
    ProfileCase{"MixedQuotesKept", "[Update]\n58211=\"a'", "\"a'"},
    ProfileCase{"QuoteOnOneEndKept", "[Update]\n58211=\"a;b", "\"a;b"},
    ProfileCase{"At999Characters", "[Update]\n58211=" + std::string(999, 'x'), std::string(999, 'x')},
    ProfileCase{"Over999Characters", "[Update]\n58211=" + Long1200 + "\n", std::string(999, 'x')},
    ProfileCase{"CountsCharactersNotBytes", "[Update]\n58211=" + LongCzech1200,
                LongCzech1200.substr(0, 999 * 2)},
    ProfileCase{"NulEndsTheValue", std::string("[Update]\n58211=ab\0cd", 20), "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Encodings, ProfileReading, testing::Values(
    ProfileCase{"Utf8", "[Update]\n58211=Nová verze je připravena", "Nová verze je připravena"},
    ProfileCase{"Utf8Bom", "\xEF\xBB\xBF[Update]\n58211=Žluťoučký kůň", "Žluťoučký kůň"},
    ProfileCase{"Utf16LittleEndian", utf16(u"[Update]\r\n58211=Čeština;ř\r\n", false), "Čeština;ř"},
    ProfileCase{"Utf16BigEndian", utf16(u"[Update]\r\n58211=Čeština;ř\r\n", true), "Čeština;ř"},
    ProfileCase{"Utf16BeyondBmp", utf16(u"[Update]\n58211=\U0001F600", false), "\U0001F600"},
    ProfileCase{"Utf16LoneSurrogate", utf16(u"[Update]\n58211=a\xD800" u"b", false), "a\uFFFDb"},
    ProfileCase{"Windows1250", "[Update]\n58211=P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFA\xDEp\xECl",
                "Příliš žluťoučký kůň úŢpěl"},
    ProfileCase{"Windows1250Capitals", "[Update]\n58211=\x8A\x8E\xC8\xD8\x8D\xCF\xD2\xCC\xD9\xC1\xCD\xDD\xC9\xDA",
                "ŠŽČŘŤĎŇĚŮÁÍÝÉÚ"},
    ProfileCase{"Windows1250Punctuation", "[Update]\n58211=\x80 \x84\x93\x94 \x96\x97 \x85",
                "€ „“” –— …"},
    ProfileCase{"InvalidUtf8MakesTheWholeFile1250", "[Update]\n58211=\xC4\x8D\nx=\xE8", "ÄŤ"},
    ProfileCase{"OverlongUtf8Is1250", "[Update]\n58211=\xC0\xAF", "ŔŻ"},
    ProfileCase{"EncodedSurrogateIs1250", "[Update]\n58211=\xED\xA0\x80", "í\u00A0\u20AC"},
    ProfileCase{"Utf8BomInsideIsText", "[Update]\n58211=\xEF\xBB\xBFv", "\uFEFFv"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileReadingNames, SectionAndKeyIgnoreCase)
{
    EXPECT_EQ(readProfileStringFromBytes("update", "KEY", "d", "[UPDATE]\nkey=v"), "v");
    EXPECT_EQ(readProfileStringFromBytes("Čeština", "Klíč", "d", "[čEŠTINA]\nKLÍČ=v"), "v");
}

TEST(ProfileReadingDefault, LongDefaultCountsOnly999Characters)
{
    EXPECT_EQ(readProfileStringFromBytes("Update", "58211", Long1200, ""), std::string(999, 'x'));
}

TEST(ProfileReadingFiles, ReadsTheFileAndFallsBackToTheDefault)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), utf16(u"[Update]\r\n58211=ze souboru\r\n", false));
    std::filesystem::create_directory(folder.file("folder"));

    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("version")), "ze souboru");
    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("missing")), "error");
    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("folder")), "error");
    EXPECT_EQ(readProfileString("Update", "58211", "error", ""), "error");
}

TEST(ProfileReadingFiles, UnreadableFileGivesTheDefault)
{
    TestFiles::Folder folder;
    const auto path = folder.file("version");
    TestFiles::writeFile(path, "[Update]\n58211=v");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (TestFiles::readFile(path))
        GTEST_SKIP() << "this user reads files regardless of their permissions";
    EXPECT_EQ(readProfileString("Update", "58211", "error", path), "error");
}

TEST(ProfileReadingFiles, Utf8PathWithDiacritics)
{
    TestFiles::Folder folder;
    const auto path = folder.file("složka č. 1 – verze");
    TestFiles::writeFile(path, "[Update]\n58211=v");
    EXPECT_EQ(readProfileString("Update", "58211", "error", path), "v");
}

// A leftover or planted file larger than any download is no descriptor, whatever it holds.
TEST(ProfileReadingFiles, FilesPastTheDownloadCapGiveTheDefault)
{
    TestFiles::Folder folder;
    const std::string record = "[Update]\n58211=v\n";
    const auto padded = [&](std::size_t size) { return record + std::string(size - record.size(), ' '); };
    TestFiles::writeFile(folder.file("at-cap"), padded(Module1::MaxDownloadBytes));
    TestFiles::writeFile(folder.file("over-cap"), padded(Module1::MaxDownloadBytes + 1));
    TestFiles::writeFile(folder.file("huge"), record);
    std::filesystem::resize_file(folder.file("huge"), 1ULL << 30); // sparse: no disk space taken
    std::filesystem::create_symlink(folder.file("at-cap"), folder.file("link"));

    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("at-cap")), "v");
    for (const auto* name : {"over-cap", "huge", "link"})
        EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file(name)), "error") << name;
}

} // namespace
