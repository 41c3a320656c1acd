// File dialog filters from the layout's "Name|*.ext" form into Qt's.
#include "app/FileFilter.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vireo
{
namespace
{

TEST(FileFilterTest, ConvertsPairsIntoQtFilters)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string(SaveDialogFilter), "VIREO File (*.gdt)"},
        {std::string(OpenDialogFilter), "VIREO File (*.gdt);;All File (*.*)"},
        {std::string(UpdateDialogFilter), "firmware (*.dat)"},
        {std::string(OpenDialog1Filter), "kalmfirm (*.dat)"},
        {"Texts|*.txt;*.csv", "Texts (*.txt *.csv)"},
        {"Only a name", "Only a name (*)"},
        {"|*.dat", "*.dat (*.dat)"},
        {"A|*.a||", "A (*.a)"},
        {"", ""},
    };
    for (const auto &[filter, qt] : cases)
        EXPECT_EQ(toQtFilter(filter), qt) << filter;
}

} // namespace
} // namespace vireo
