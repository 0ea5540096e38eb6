#pragma once

// The INI cases of the reader's tests, one table per concern: the Linux tests check them against
// the expected values, the Windows build also against GetPrivateProfileStringA itself.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ProfileCases {

struct ProfileCase {
    const char* name;
    std::string fileBytes;
    std::string expected; // the value of key "58211" in section "Update", default "error"
};

inline void PrintTo(const ProfileCase& param, std::ostream* out)
{
    *out << param.name;
}

inline std::string utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

inline const std::string Long1200(1200, 'x');
inline const std::string LongCzech1200 = [] {
    std::string text;
    for (int i = 0; i < 1200; ++i)
        text += "č";
    return text;
}();

inline const std::vector<ProfileCase> LineEnds
    = {ProfileCase{"CrLf", "[Update]\r\n58211=a;b\r\n", "a;b"},
       ProfileCase{"Lf", "[Update]\n58211=a;b\n", "a;b"},
       ProfileCase{"CrAlone", "[Update]\r58211=a;b\r", "a;b"},
       ProfileCase{"Mixed", "[Other]\n\rx=1\r\n[Update]\r\r\n58211=a;b\n\r", "a;b"},
       ProfileCase{"LastLineWithoutEnd", "[Update]\n58211=a;b", "a;b"},
       ProfileCase{"EmptyLinesBetween", "\n\n[Update]\n\n\n58211=v", "v"}};

inline const std::vector<ProfileCase> Blanks
    = {ProfileCase{"AroundLines", "  \t[Update] \t\n \t58211=v \t\n", "v"},
       ProfileCase{"AroundKeyAndValue", "[Update]\n58211 \t= \t v w \t\n", "v w"},
       ProfileCase{"OtherControlBlanks", "\v[Update]\f\n\f58211\v=\vv\f", "v"},
       ProfileCase{"InsideSectionBrackets", "[ \tUpdate\t ]\n58211=v", "v"},
       ProfileCase{"BesideSemicolonsKept", "[Update]\n58211=a ; b ;1; c", "a ; b ;1; c"}};

inline const std::vector<ProfileCase> Sections
    = {ProfileCase{"NameIgnoresCase", "[uPDATE]\n58211=v", "v"},
       ProfileCase{"NameRunsToTheLastBracket", "[Update]]\n58211=v\n[Up]date]\n58211=w", "error"},
       ProfileCase{"TextAfterTheBracket", "[Update] old\n58211=v", "v"},
       ProfileCase{"BracketNotFirstIsNoHeader", "x[Update]\n58211=v", "error"},
       ProfileCase{"OpenBracketAloneIsNoHeader", "[Update]\n[Other\n58211=v", "v"},
       ProfileCase{"MissingSection", "[Updates]\n58211=v", "error"},
       ProfileCase{"KeyOutsideAnySection", "58211=v\n[Update]\nx=1", "error"},
       ProfileCase{"KeyInAnotherSection", "[Update]\nx=1\n[Other]\n58211=v", "error"},
       ProfileCase{"OnlyTheFirstSectionOfTheName", "[Update]\nx=1\n[Other]\ny=2\n[UPDATE]\n58211=v", "error"},
       ProfileCase{"BackInTheSectionAfterAnother", "[Other]\n58211=w\n[Update]\n58211=v", "v"}};

inline const std::vector<ProfileCase> Keys
    = {ProfileCase{"FirstKeyWins", "[Update]\n58211=first\n58211=second", "first"},
       ProfileCase{"EmptyValueIsNotTheDefault", "[Update]\n58211=\n58211=second", ""},
       ProfileCase{"OtherKeyBeforeIt", "[Update]\n582110=x\n5821=y\n58211=v", "v"},
       ProfileCase{"KeyLineWithoutEqualsGivesTheDefault", "[Update]\n58211\n58211=v", "error"},
       ProfileCase{"KeyLineWithoutEqualsAfterTheValue", "[Update]\n58211=v\n58211", "v"},
       ProfileCase{"OtherLineWithoutEqualsSkipped", "[Update]\n58211 v\n5821\n58211=v", "v"},
       ProfileCase{"FurtherEqualsStay", "[Update]\n58211==a=b=", "=a=b="},
       ProfileCase{"NoCommentSyntax", "[Update]\n58211=a;b # c ; remark", "a;b # c ; remark"},
       ProfileCase{"CommentedKeyIsAnotherKey", "[Update]\n;58211=x\n#58211=y\n58211=v", "v"},
       ProfileCase{"MissingKey", "[Update]\nversion=1", "error"},
       ProfileCase{"EmptyFile", "", "error"}};

inline const std::vector<ProfileCase> Values
    = {ProfileCase{"DoubleQuotesDropped", "[Update]\n58211=\"a;b\"", "a;b"},
       ProfileCase{"SingleQuotesDropped", "[Update]\n58211='a;b'", "a;b"},
       ProfileCase{"OnlyOnePairDropped", "[Update]\n58211=\"\"a\"\"", "\"a\""},
       ProfileCase{"BlanksInsideQuotesKept", "[Update]\n58211=\" a \"", " a "},
       ProfileCase{"EmptyQuotes", "[Update]\n58211=\"\"", ""},
       ProfileCase{"LoneQuoteKept", "[Update]\n58211=\"", "\""},
       ProfileCase{"MixedQuotesKept", "[Update]\n58211=\"a'", "\"a'"},
       ProfileCase{"QuoteOnOneEndKept", "[Update]\n58211=\"a;b", "\"a;b"},
       ProfileCase{"At999Characters", "[Update]\n58211=" + std::string(999, 'x'), std::string(999, 'x')},
       ProfileCase{"Over999Characters", "[Update]\n58211=" + Long1200 + "\n", std::string(999, 'x')},
       ProfileCase{"CountsCharactersNotBytes", "[Update]\n58211=" + LongCzech1200, LongCzech1200.substr(0, 999 * 2)},
       ProfileCase{"NulEndsTheValue", std::string("[Update]\n58211=ab\0cd", 20), "ab"}};

inline const std::vector<ProfileCase> Encodings
    = {ProfileCase{"Utf8", "[Update]\n58211=Nová verze je připravena", "Nová verze je připravena"},
       ProfileCase{"Utf8Bom", "\xEF\xBB\xBF[Update]\n58211=Žluťoučký kůň", "Žluťoučký kůň"},
       ProfileCase{"Utf16LittleEndian", utf16(u"[Update]\r\n58211=Čeština;ř\r\n", false), "Čeština;ř"},
       ProfileCase{"Utf16BigEndian", utf16(u"[Update]\r\n58211=Čeština;ř\r\n", true), "Čeština;ř"},
       ProfileCase{"Utf16BeyondBmp", utf16(u"[Update]\n58211=\U0001F600", false), "\U0001F600"},
       ProfileCase{"Utf16LoneSurrogate",
                   utf16(u"[Update]\n58211=a\xD800"
                         u"b",
                         false),
                   "a\uFFFDb"},
       ProfileCase{"Windows1250", "[Update]\n58211=P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFA\xDEp\xECl",
                   "Příliš žluťoučký kůň úŢpěl"},
       ProfileCase{"Windows1250Capitals", "[Update]\n58211=\x8A\x8E\xC8\xD8\x8D\xCF\xD2\xCC\xD9\xC1\xCD\xDD\xC9\xDA",
                   "ŠŽČŘŤĎŇĚŮÁÍÝÉÚ"},
       ProfileCase{"Windows1250Punctuation", "[Update]\n58211=\x80 \x84\x93\x94 \x96\x97 \x85", "€ „“” –— …"},
       ProfileCase{"InvalidUtf8MakesTheWholeFile1250", "[Update]\n58211=\xC4\x8D\nx=\xE8", "ÄŤ"},
       ProfileCase{"OverlongUtf8Is1250", "[Update]\n58211=\xC0\xAF", "ŔŻ"},
       ProfileCase{"EncodedSurrogateIs1250", "[Update]\n58211=\xED\xA0\x80", "í\u00A0\u20AC"},
       ProfileCase{"Utf8BomInsideIsText", "[Update]\n58211=\xEF\xBB\xBFv", "\uFEFFv"}};

// A generated set for comparing with the platform's own reader, no expected values: each body
// in every line-end style ("|" marks a line end).
struct Body {
    std::string name;
    std::string text;       // bytes as they are in the file, or
    std::u16string utf16{}; // characters of a UTF-16 file
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

inline std::vector<ProfileCase> generated()
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
    const std::vector<std::pair<std::string, std::vector<std::string>>> lineEnds
        = {{"CrLf", {"\r\n"}}, {"Lf", {"\n"}}, {"Cr", {"\r"}}, {"Mixed", {"\r\n", "\n", "\r", "\n\r"}}};
    names.clear();
    std::vector<ProfileCase> cases;
    for (const auto& [lineEndName, ends] : lineEnds) {
        for (const Body& body : bodies) {
            names.push_back(body.name + "/" + lineEndName);
            cases.push_back(ProfileCase{nullptr,
                                        body.utf16.empty() ? withLineEnds(body.text, ends)
                                                           : utf16(withLineEnds(body.utf16, ends), body.bigEndian),
                                        {}});
        }
    }
    for (std::size_t i = 0; i < cases.size(); ++i)
        cases[i].name = names[i].c_str();
    return cases;
}

inline std::vector<ProfileCase> all()
{
    std::vector<ProfileCase> cases;
    for (const auto* table : {&LineEnds, &Blanks, &Sections, &Keys, &Values, &Encodings})
        cases.insert(cases.end(), table->begin(), table->end());
    return cases;
}

} // namespace ProfileCases
