#include "PromptParser.h"
#include "SetOption.h"

#include <gtest/gtest.h>

TEST(SetOption, SplitsAtTheFirstEqualsSign)
{
    EXPECT_EQ(SetOption::split("Topic=cats = fun"), (QPair<QString, QString>{"Topic", "cats = fun"}));
    EXPECT_EQ(SetOption::split("Empty="), (QPair<QString, QString>{"Empty", ""}));
    EXPECT_FALSE(SetOption::split("=value"));
    EXPECT_FALSE(SetOption::split("novalue"));
}

TEST(SetOption, BothRenderCommandsMatchLabelsOneWay)
{
    const QList<ParsedPromptVariable> variables =
        PromptParser().parse("{{Tone: a, b}} {{Blank number: 1}}", {});
    // Labels as listed; otherwise case and surrounding spaces do not matter.
    EXPECT_EQ(SetOption::matchLabel("Tone", variables), "Tone");
    EXPECT_EQ(SetOption::matchLabel("tONE", variables), "Tone");
    EXPECT_EQ(SetOption::matchLabel(" BLANK NUMBER ", variables), "Blank Number");
    EXPECT_FALSE(SetOption::matchLabel("Blank", variables));
}
