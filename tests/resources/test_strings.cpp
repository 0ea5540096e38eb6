#include "resources/Strings.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace {

struct Line {
    QString text; // without its line end
    bool wrapped; // ends in CR CR LF (a paragraph continues) rather than CR LF
};

// Splits at every LF; each must be preceded by one or two CRs and nothing else may hold CR or LF.
std::vector<Line> splitLines(const QString& text)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    for (qsizetype lf = text.indexOf(u'\n'); lf >= 0; lf = text.indexOf(u'\n', start)) {
        const QString raw = text.mid(start, lf - start);
        const bool wrapped = raw.endsWith(u"\r\r");
        EXPECT_TRUE(raw.endsWith(u'\r')) << "bare LF after: " << raw.toStdString();
        const QString body = raw.chopped(wrapped ? 2 : raw.endsWith(u'\r') ? 1 : 0);
        EXPECT_FALSE(body.contains(u'\r')) << "stray CR in: " << body.toStdString();
        lines.push_back({body, wrapped});
        start = lf + 1;
    }
    EXPECT_EQ(start, text.size()) << "text must end with a line end";
    return lines;
}

enum class Kind { Title, Paragraph, Empty, Heading, Source };

struct Section {
    Kind kind;
    int lines = 1;
};

const std::vector<Section> helpLayout = {
    {Kind::Title}, {Kind::Paragraph, 4}, {Kind::Empty},        {Kind::Paragraph, 3}, {Kind::Empty},
    {Kind::Empty}, {Kind::Heading},      {Kind::Paragraph, 5}, {Kind::Empty},        {Kind::Paragraph, 5},
    {Kind::Empty}, {Kind::Paragraph, 3}, {Kind::Empty},        {Kind::Empty},        {Kind::Source},
};

void expectParagraph(const std::vector<Line>& lines, size_t first, int count)
{
    for (int i = 0; i < count; ++i) {
        const Line& line = lines[first + i];
        const bool last = i == count - 1;
        SCOPED_TRACE(line.text.toStdString());
        EXPECT_EQ(line.wrapped, !last);
        EXPECT_FALSE(line.text.startsWith(u' '));
        if (last) {
            EXPECT_FALSE(line.text.isEmpty());
            EXPECT_FALSE(line.text.endsWith(u' '));
            EXPECT_LT(line.text.size(), 77);
        } else {
            EXPECT_TRUE(line.text.endsWith(u' ') && !line.text.endsWith(u"  "));
            EXPECT_GE(line.text.size(), 77);
            EXPECT_LE(line.text.size(), 83);
        }
    }
}

TEST(HelpText, HasTheExactLengthAndLineEnds)
{
    const QString text = strings::load(strings::HelpText);
    EXPECT_EQ(text.size(), 1460);
    EXPECT_EQ(text.count(u"\r\r\n"), 15);
    EXPECT_EQ(text.count(u"\r\n") - text.count(u"\r\r\n"), 15);
    EXPECT_EQ(text.count(u'\r'), 45);
    EXPECT_EQ(text.count(u'\n'), 30);
    EXPECT_TRUE(text.endsWith(u"\r\n"));
    for (const QChar ch : text)
        EXPECT_FALSE(ch.isSurrogate());
    EXPECT_TRUE(text.contains(u'ě')); // Czech with diacritics, not stripped ASCII
}

TEST(HelpText, FollowsTheArticleLayout)
{
    const auto lines = splitLines(strings::load(strings::HelpText));
    size_t at = 0;
    for (const Section& section : helpLayout) {
        ASSERT_LE(at + section.lines, lines.size());
        const Line& line = lines[at];
        SCOPED_TRACE(at);
        EXPECT_EQ(line.wrapped, section.kind == Kind::Paragraph);
        switch (section.kind) {
        case Kind::Paragraph:
            expectParagraph(lines, at, section.lines);
            break;
        case Kind::Title:
            EXPECT_EQ(line.text, u"Index tělesné hmotnosti");
            break;
        case Kind::Heading:
            EXPECT_EQ(line.text, u"Použití");
            break;
        case Kind::Empty:
            EXPECT_TRUE(line.text.isEmpty());
            break;
        case Kind::Source:
            EXPECT_TRUE(line.text.startsWith(u"Zdroj :: "));
            EXPECT_GT(line.text.trimmed().size(), 9);
            break;
        }
        at += section.lines;
    }
    EXPECT_EQ(at, lines.size());
}

TEST(StringTable, DownloadErrorIsExact)
{
    EXPECT_EQ(strings::load(strings::DownloadError), u"Při stahování došlo k chybě");
}

class UnknownId : public ::testing::TestWithParam<int> { };

TEST_P(UnknownId, GivesAnEmptyString)
{
    EXPECT_TRUE(strings::load(GetParam()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Neighbours, UnknownId, ::testing::Values(-1, 0, 100, 102, 118, 120));

struct Shown {
    const char16_t* text;
    const char16_t* expected;
};

class ForDisplay : public ::testing::TestWithParam<Shown> { };

TEST_P(ForDisplay, EndsLinesOnlyAtCrLfAndCrCrLf)
{
    EXPECT_EQ(strings::forDisplay(QString::fromUtf16(GetParam().text)), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForDisplay,
    ::testing::Values(Shown{u"", u""}, Shown{u"a \r\r\nb\r\n", u"a \nb\n"}, Shown{u"a\r\n\r\nb", u"a\n\nb"},
                      Shown{u"a\rb\nc", u"a\rb\nc"},   // lone CR and lone LF are left alone
                      Shown{u"a\r\r\r\nb", u"a\r\nb"}, // only the last two CRs belong to the line end
                      Shown{u"\r\r\n\r\n", u"\n\n"}));

TEST(ForDisplay, HelpTextShowsItsLinesAndNoMore)
{
    const QString text = strings::load(strings::HelpText);
    const QStringList shown = strings::forDisplay(text).split(u'\n');
    ASSERT_EQ(shown.size(), 31); // 30 line ends, then nothing after the last
    EXPECT_TRUE(shown.last().isEmpty());
    EXPECT_EQ(shown.filter(u"\r").size(), 0);
    const auto lines = splitLines(text);
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(shown[i], lines[i].text) << i;
    EXPECT_EQ(shown.count(QString()), 8); // seven empty lines plus the end
}

} // namespace
