#include "online/Descriptor.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using Module1::parseDescriptor;
using Module1::readDescriptor;
using Fields = std::vector<std::string>;

namespace {

struct DescriptorCase {
    const char* name;
    std::string value;
    std::size_t minFields;
    std::optional<Fields> expected;
};

void PrintTo(const DescriptorCase& param, std::ostream* out)
{
    *out << param.name;
}

class DescriptorParsing : public testing::TestWithParam<DescriptorCase> { };

TEST_P(DescriptorParsing, SplitsAtEverySemicolon)
{
    EXPECT_EQ(parseDescriptor(GetParam().value, GetParam().minFields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptor, DescriptorParsing,
    testing::Values(DescriptorCase{"WellFormed", "Máte nejnovější verzi;vexa.example/telimer;1;http://b.example/", 4,
                                   Fields{"Máte nejnovější verzi", "vexa.example/telimer", "1", "http://b.example/"}},
                    DescriptorCase{"Error", "error", 3, std::nullopt},
                    DescriptorCase{"ErrorWithMoreText", "error: nic;a;1;b", 3, std::nullopt},
                    DescriptorCase{"ErrorWithoutSemicolonsForNoFields", "errors", 0, std::nullopt},
                    DescriptorCase{"CapitalErrorIsADescriptor", "Error;a;1;b", 4, Fields{"Error", "a", "1", "b"}},
                    DescriptorCase{"ShorterThanErrorIsADescriptor", "erro;a;1;b", 4, Fields{"erro", "a", "1", "b"}},
                    DescriptorCase{"BlanksBesideSemicolonsStay", "a ; b; 1 ;c ", 4, Fields{"a ", " b", " 1 ", "c "}},
                    DescriptorCase{"EmptyFieldThree", "a;b;1;", 4, Fields{"a", "b", "1", ""}},
                    DescriptorCase{"AllFieldsEmpty", ";;;", 4, Fields{"", "", "", ""}},
                    DescriptorCase{"FieldsAfterThreeKept", "a;b;1;c;d;e", 4, Fields{"a", "b", "1", "c", "d", "e"}},
                    DescriptorCase{"NoQuotingOrEscaping", "\"a;b\";c\\;d", 3, Fields{"\"a", "b\"", "c\\", "d"}},
                    DescriptorCase{"ThreeFieldsEnoughForAbout", "a;b;1", 3, Fields{"a", "b", "1"}},
                    DescriptorCase{"ThreeFieldsTooFewForTheBanner", "a;b;1", 4, std::nullopt},
                    DescriptorCase{"OneField", "jen text", 3, std::nullopt},
                    DescriptorCase{"EmptyValue", "", 3, std::nullopt},
                    DescriptorCase{"EmptyValueIsOneEmptyField", "", 1, Fields{""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DescriptorFile, ReadsKey58211OfSectionUpdate)
{
    TestFiles::Folder folder;
    const auto path = folder.file("version");
    TestFiles::writeFile(path, "[Other]\r\n58211=x;x;x;x\r\n[Update]\r\n58210=y;y;y;y\r\n58211=Stav;p.example;0;\r\n");
    EXPECT_EQ(readDescriptor(path, 4), (Fields{"Stav", "p.example", "0", ""}));
}

TEST(DescriptorFile, MissingFileSectionOrKeyIsNoDescriptor)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("no-section"), "[Updates]\n58211=a;b;1;c\n");
    TestFiles::writeFile(folder.file("no-key"), "[Update]\n5821=a;b;1;c\n");
    for (const auto* name : {"missing", "no-section", "no-key"})
        EXPECT_EQ(readDescriptor(folder.file(name), 0), std::nullopt) << name;
}

TEST(DescriptorFile, OnlyThe999FirstCharactersCount)
{
    TestFiles::Folder folder;
    const auto path = folder.file("version");
    TestFiles::writeFile(path, "[Update]\n58211=S;p;1;" + std::string(1200, 'b') + ";tail\n");
    const auto fields = readDescriptor(path, 4);
    ASSERT_TRUE(fields);
    ASSERT_EQ(fields->size(), 4u);
    EXPECT_EQ((*fields)[3], std::string(999 - 6, 'b'));
}

} // namespace
