#include "PromptParser.h"

#include <QDate>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace {
using Kind = VariableType::Kind;

struct Expected {
    QString label;
    VariableType type;
    qsizetype start;
    qsizetype end;
};

struct Case {
    const char *name;
    QString text;
    QList<Expected> expected;
};

const PromptParser::GlobalMap Globals{
    {"tones", {"formal", "casual"}},
    {"Langs", {"#Europe", "German"}},
};

std::string describe(const QList<ParsedPromptVariable> &variables)
{
    std::string out;
    for (const ParsedPromptVariable &v : variables) {
        out += "[" + v.label.toStdString() + " " + v.type.kindName().toStdString() + " " +
               std::to_string(v.range.start) + ".." + std::to_string(v.range.end);
        if (v.type.defaultText())
            out += " '" + v.type.defaultText()->toStdString() + "'";
        if (!v.type.options().isEmpty())
            out += " {" + v.type.options().join(u'|').toStdString() + "}";
        out += "] ";
    }
    return out;
}
} // namespace

// The rules apply in a fixed order; each case pins one decision of that order or one
// piece of the placeholder syntax.
TEST(PromptParser, ReadsPlaceholdersByTheRules)
{
    using VT = VariableType;
    const QString t = "\t";
    const QList<Case> cases{
        {"two variables in order", "Write about {{topic}} for {{Audience: Kids}}.",
         {{"Topic", VT::multilineText(), 12, 21}, {"Audience", VT::multilineText("Kids"), 26, 44}}},
        {"empty label is no variable", "{{}} {{ }} {{ : x}} {{:}} {{\u00a0}}", {}},
        {"empty piece before colon dropped", "{{:x}}", {{"X", VT::multilineText(), 0, 6}}},
        {"nothing after the colon", "{{Name:}}{{Name: \t }}", {{"Name", VT::multilineText(), 0, 9}, {"Name", VT::multilineText(), 9, 21}}},
        {"only the first colon splits", "{{Name: a:b}}", {{"Name", VT::multilineText("a:b"), 0, 13}}},
        {"comma list", "{{Tone: formal, casual}}", {{"Tone", VT::comboBox({"formal", "casual"}), 0, 24}}},
        {"empty pieces dropped, blank ones kept", "{{T: a,,b}}{{T: a, ,b}}",
         {{"T", VT::comboBox({"a", "b"}), 0, 11}, {"T", VT::comboBox({"a", QString(), "b"}), 11, 23}}},
        {"comma before number", "{{Count: 1,5}}", {{"Count", VT::comboBox({"1", "5"}), 0, 14}}},
        {"numbers", "{{A: 5}}{{B: 2.5e3}}{{C: 0x10}}{{D: -inf}}{{E: +.5}}",
         {{"A", VT::number(5), 0, 8}, {"B", VT::number(2500), 8, 20}, {"C", VT::number(16), 20, 31},
          {"D", VT::number(-INFINITY), 31, 42}, {"E", VT::number(0.5), 42, 52}}},
        {"not numbers", "{{A: 5x}}{{B: 1e}}{{C: \u0665}}",
         {{"A", VT::multilineText("5x"), 0, 9}, {"B", VT::multilineText("1e"), 9, 18}, {"C", VT::multilineText("\u0665"), 18, 26}}},
        {"ranges", "{{Age: 18-99}}{{Age: 99-18}}{{T: -5-10}}{{W: 1.5 - 2.5}}",
         {{"Age", VT::range(18, 99), 0, 14}, {"Age", VT::range(99, 18), 14, 28}, {"T", VT::range(5, 10), 28, 40},
          {"W", VT::range(1.5, 2.5), 40, 56}}},
        {"not ranges", "{{A: 1-2-3}}{{B: a-b}}{{C: 1e-5}}",
         {{"A", VT::multilineText("1-2-3"), 0, 12}, {"B", VT::multilineText("a-b"), 12, 22}, {"C", VT::number(1e-5), 22, 33}}},
        {"dates", "{{Start: 2024-01-31}}{{Leap: 2024-02-29}}",
         {{"Start", VT::date(QDate(2024, 1, 31).startOfDay()), 0, 21}, {"Leap", VT::date(QDate(2024, 2, 29).startOfDay()), 21, 41}}},
        {"impossible or loose dates are text", "{{A: 2024-02-30}}{{B: 2023-02-29}}{{C: 2024-1-5}}{{D: 2024-13-01}}",
         {{"A", VT::multilineText("2024-02-30"), 0, 17}, {"B", VT::multilineText("2023-02-29"), 17, 34},
          {"C", VT::multilineText("2024-1-5"), 34, 49}, {"D", VT::multilineText("2024-13-01"), 49, 66}}},
        {"global lists ignore case", "{{Tone: [Tones]}}{{Tone: [TONES]}}{{L: [langs]}}",
         {{"Tone", VT::comboBox({"formal", "casual"}), 0, 17}, {"Tone", VT::comboBox({"formal", "casual"}), 17, 34},
          {"L", VT::comboBox({"#Europe", "German"}), 34, 48}}},
        {"list references that find nothing", "{{A: [nope]}}{{B: [a,b]}}{{C: [ Tones ]}}{{D: []}}",
         {{"A", VT::comboBox({}), 0, 13}, {"B", VT::comboBox({}), 13, 25}, {"C", VT::comboBox({}), 25, 41},
          {"D", VT::comboBox({}), 41, 50}}},
        {"unclosed bracket is text", "{{Tone: [x}}", {{"Tone", VT::multilineText("[x"), 0, 12}}},
        {"no placeholder across line breaks", "{{a\nb}} {{a\r\nb}} {{a\rb}} {{a\u2028b}} {{a\u0085b}}", {}},
        {"a break ends the first candidate, the next one starts after it", "{{x}} {{a\r{{b}} {{c\u2028d}} {{e}}",
         {{"X", VT::multilineText(), 0, 5}, {"B", VT::multilineText(), 10, 15}, {"E", VT::multilineText(), 24, 29}}},
        {"shortest match", "{{a {{b}}", {{"A {{B", VT::multilineText(), 0, 9}}},
        {"triple braces", "{{{x}}}", {{"{X", VT::multilineText(), 0, 6}}},
        {"capitalisation and trimming", QStringLiteral("{{ target audience }}{{API key}}{{\u00a0multi") + t + "WORD\u3000}}{{élan vital}}",
         {{"Target Audience", VT::multilineText(), 0, 21}, {"Api Key", VT::multilineText(), 21, 32},
          {QStringLiteral("Multi") + t + "Word", VT::multilineText(), 32, 48}, {"Élan Vital", VT::multilineText(), 48, 62}}},
        {"positions are UTF-16 indexes", "\U0001F600 {{x}} \U0001F600{{y}}",
         {{"X", VT::multilineText(), 3, 8}, {"Y", VT::multilineText(), 11, 16}}},
    };

    const PromptParser parser;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QList<ParsedPromptVariable> got = parser.parse(c.text, Globals);
        QList<ParsedPromptVariable> want;
        for (const Expected &e : c.expected)
            want.append({QUuid(), e.label, e.type, {e.start, e.end}});
        EXPECT_EQ(got, want) << "got " << describe(got) << "\nwant " << describe(want);
        for (const ParsedPromptVariable &v : got)
            EXPECT_EQ(c.text.mid(v.range.start, 2), "{{");
    }
    // Of global keys differing only in case, the first in key order wins.
    const auto vars = parser.parse("{{T: [Tones]}}", {{"TONES", {"upper"}}, {"tones", {"lower"}}});
    ASSERT_EQ(vars.size(), 1);
    EXPECT_EQ(vars[0].type.options(), QStringList{"upper"});
}

TEST(PromptParser, EveryVariableHasItsOwnId)
{
    const QList<ParsedPromptVariable> a = PromptParser().parse("{{Topic}} {{Topic}}", {});
    const QList<ParsedPromptVariable> b = PromptParser().parse("{{Topic}}", {});
    ASSERT_EQ(a.size(), 2);
    ASSERT_EQ(b.size(), 1);
    EXPECT_FALSE(a[0].id.isNull());
    EXPECT_NE(a[0].id, a[1].id);
    EXPECT_NE(a[0].id, b[0].id);
    EXPECT_EQ(a[0].id.version(), QUuid::Random);
    // Same label and type, different place: not equal.
    EXPECT_NE(a[0], a[1]);
}

TEST(PromptParser, UnpairedSurrogatesDoNotHideThePlaceholders)
{
    const QString text = QStringLiteral("{{a}} ") + QChar(0xD800) +
                         QStringLiteral(" {{b\U0001F600}}") + QChar(0xDC00);
    const auto vars = PromptParser().parse(text, {});
    ASSERT_EQ(vars.size(), 2);
    EXPECT_EQ(vars[1].label, "B\U0001F600");
    EXPECT_EQ(text.mid(vars[1].range.start, vars[1].range.length()), "{{b\U0001F600}}");
    EXPECT_EQ(PromptParser::withoutLoneSurrogates(text).size(), text.size());
}

TEST(PromptParser, NumberReaderTakesTheWholeTextInTheCLocale)
{
    const std::pair<const char16_t *, double> accepted[] = {
        {u"5", 5},       {u"-3", -3},     {u"+2", 2},          {u".5", 0.5},       {u"1e3", 1000},
        {u"1E-2", 0.01}, {u"0x1p4", 16}, {u"INF", INFINITY}, {u"-Infinity", -INFINITY}, {u"1e400", INFINITY}};
    for (const auto &[text, value] : accepted) {
        const auto got = PromptParser::readNumber(QString::fromUtf16(text));
        ASSERT_TRUE(got) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(*got, value);
    }
    const auto nan = PromptParser::readNumber(u"nan");
    ASSERT_TRUE(nan);
    EXPECT_TRUE(std::isnan(*nan));

    const QString rejected[] = {QString(), " 5", "\n5", "5 ", "1,5", "1e", "0x", "\u0665", "5\u00a0",
                                QString::fromUtf16(u"5\0" "1", 3), "--5", "."};
    for (const QString &text : rejected)
        EXPECT_FALSE(PromptParser::readNumber(text)) << text.toStdString();
}

TEST(PromptParser, NumbersFormatAsCPercentGWhateverTheProcessLocale)
{
    const auto check = [] {
        EXPECT_EQ(PromptParser::formatNumber(5), "5");
        EXPECT_EQ(PromptParser::formatNumber(2.5), "2.5");
        EXPECT_EQ(PromptParser::formatNumber(1000000), "1e+06");
        EXPECT_EQ(PromptParser::formatNumber(0.0001), "0.0001");
        EXPECT_EQ(PromptParser::formatNumber(-1e-5), "-1e-05");
        EXPECT_EQ(PromptParser::formatNumber(INFINITY), "inf");
        EXPECT_EQ(PromptParser::readNumber(u"2.5"), 2.5);
        EXPECT_FALSE(PromptParser::readNumber(u"2,5"));
    };
    check();
    // A locale with a decimal comma must change nothing.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char *comma = nullptr;
    for (const char *name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"})
        if ((comma = std::setlocale(LC_ALL, name)))
            break;
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    check();
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(PromptParser, CapitalisationHandlesUnusualCharacters)
{
    EXPECT_EQ(PromptParser::capitalized(u"hello  WORLD"), "Hello  World");
    EXPECT_EQ(PromptParser::capitalized(u"\U00010428bc"), "\U00010400bc");
    EXPECT_EQ(PromptParser::capitalized(u"a\nb\u2028c"), "A\nB\u2028C");
    // Only letters are raised: the first letter of a word, not its first character.
    EXPECT_EQ(PromptParser::capitalized(u"'quoted' WORD"), "'Quoted' Word");
    EXPECT_EQ(PromptParser::capitalized(u"1st-PLACE"), "1St-place");
    EXPECT_EQ(PromptParser::trim(u" \t\u00a0\u2003a b\u3000 "), u"a b");
    // Line breaks are not trimmed.
    EXPECT_EQ(PromptParser::trim(u"\na\n"), u"\na\n");
}
