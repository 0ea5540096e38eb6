// Arbitrary text as the descriptor's value: the split into fields.
#include "FuzzCheck.h"

#include "online/Descriptor.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks how many fields the caller asks for, the rest is the value.
    const std::size_t minFields = data[0] % 8;
    const std::string_view value(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto fields = Module1::parseDescriptor(value, minFields);
    const auto separators = static_cast<std::size_t>(std::ranges::count(value, ';'));
    if (value.starts_with(Module1::DescriptorDefault)) {
        FUZZ_CHECK(!fields);
        return 0;
    }
    FUZZ_CHECK(fields.has_value() == (separators + 1 >= minFields));
    if (!fields)
        return 0;

    FUZZ_CHECK(fields->size() == separators + 1);
    std::string joined;
    for (const auto& field : *fields) {
        FUZZ_CHECK(field.find(';') == std::string::npos);
        if (&field != &fields->front())
            joined += ';';
        joined += field;
    }
    FUZZ_CHECK(joined == value);
    return 0;
}
