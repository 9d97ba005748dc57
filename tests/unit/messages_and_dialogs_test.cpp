#include <gtest/gtest.h>

#include "common/result_presentation.h"
#include "common/result_report.h"
#include "support/modal_watch.h"

namespace {

// Failures show a stop box, notices an exclamation box, both closed by Escape too; an unreachable
// cutter shows the dialog with the cable's picture, which only OK closes.
TEST(Messages, EachKindOfResultShowsItsBox)
{
    const struct { ResultCode code; ShownIcon icon; bool picture; } cases[] = {
        {58, ShownIcon::Stop, false}, {51, ShownIcon::Exclamation, false},
        {205, ShownIcon::Exclamation, false}, {62, ShownIcon::Other, true}};
    for (const auto& c : cases) {
        std::future<ShownDialog> seen = answer_next_modal();
        report_result(nullptr, c.code);
        const ShownDialog shown = seen.get();
        ASSERT_TRUE(shown.found) << c.code;
        EXPECT_EQ(shown.icon, c.icon) << c.code;
        EXPECT_EQ(shown.picture, c.picture) << c.code;
        EXPECT_EQ(shown.stays_on_cancel, c.picture) << c.code;
    }
}

}  // namespace
