#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/cutter_printers.h"

namespace {

TEST(CutterPrinters, DescriptionMatchIgnoresCaseWithinTheFirst515Characters)
{
    struct Case { std::string description; bool cutter; };
    const std::string long_prefix(500, 'x');
    const std::vector<Case> cases = {
        {"vellmora cindrel", true}, {"My VELLMORA CINDREL QM-24,LPT1:", true}, {"Vellmora  Cindrel", false},
        {long_prefix + "Vellmora Cindrel", false},              // ends at character 516
        {long_prefix.substr(1) + "Vellmora Cindrel", true},     // ends at character 515
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_cutter_description(c.description.c_str()), c.cutter)
            << c.description.size() << " " << c.description.substr(0, 40);
    }
    EXPECT_FALSE(is_cutter_description(nullptr));
}

TEST(CutterPrinters, NameSlotKeepsAtMost512CharactersAndItsTerminator)
{
    for (std::size_t length : {512u, 513u}) {
        std::vector<char> slots(2 * PRINTER_NAME_SLOT_SIZE, '#');  // the next slot stays untouched
        copy_printer_name(slots.data(), std::string(length, 'n').c_str());
        EXPECT_EQ(std::string(slots.data()), std::string(512, 'n')) << length;
        EXPECT_EQ(slots[PRINTER_NAME_SLOT_SIZE], '#') << length;
    }
}

}  // namespace
