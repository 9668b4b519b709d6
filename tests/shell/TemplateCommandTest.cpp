#include "TemplateCommand.h"

#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {
struct CommandRun {
    int code = -1;
    QString out;
    QString err;
    int storeCalls = 0;
};

CommandRun run(const QStringList &args, const QByteArray &input = {}, const QMap<QString, QStringList> &store = {})
{
    CommandRun result;
    QByteArray inputBytes = input;
    QTextStream in(&inputBytes, QIODevice::ReadOnly);
    QTextStream out(&result.out, QIODevice::WriteOnly);
    QTextStream err(&result.err, QIODevice::WriteOnly);
    result.code = runTemplateCommand(args, in, out, err, [&] {
        ++result.storeCalls;
        return store;
    });
    return result;
}

QString writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = TestSupport::freshDir("cli") + u'/' + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QJsonArray parseOutput(const CommandRun &r)
{
    EXPECT_TRUE(r.out.endsWith(u'\n'));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    return document.array();
}
} // namespace

TEST(TemplateCommand, ParseListsEveryKindAsJson)
{
    const QByteArray text = "A {{topic}} {{Tone: [Tones]}} {{N: 2.5}} {{M: x1}} {{Age: 18-99}} "
                            "{{Day: 2024-01-31}} {{Later: 2024-02-30}} {{Count}}\n{{é: 1e6}}";
    const CommandRun r = run({"parse"}, text, {{"tones", {"soft", "loud"}}});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.storeCalls, 1);
    const QJsonArray array = parseOutput(r);
    ASSERT_EQ(array.size(), 9);
    const auto at = [&](int i) { return array.at(i).toObject(); };
    EXPECT_EQ(at(0), (QJsonObject{{"label", "Topic"}, {"kind", "multilineText"}, {"start", 2}, {"end", 11},
                                  {"default", QJsonValue::Null}}));
    EXPECT_EQ(at(1).value("options").toArray(), (QJsonArray{"soft", "loud"}));
    EXPECT_EQ(at(1).value("kind").toString(), "comboBox");
    EXPECT_EQ(at(2).value("default").toString(), "2.5");
    EXPECT_EQ(at(2).value("kind").toString(), "number");
    EXPECT_EQ(at(3).value("default").toString(), "x1");
    EXPECT_EQ(at(4), (QJsonObject{{"label", "Age"}, {"kind", "range"}, {"start", 51}, {"end", 65}, {"min", "18"},
                                  {"max", "99"}}));
    EXPECT_EQ(at(5).value("default").toString(), "2024-01-31");
    EXPECT_EQ(at(5).value("kind").toString(), "date");
    EXPECT_EQ(at(6).value("kind").toString(), "multilineText");
    EXPECT_EQ(at(8).value("label").toString(), "É");
    EXPECT_EQ(at(8).value("default").toString(), "1e+06");
}

TEST(TemplateCommand, GlobalsFileReplacesTheStore)
{
    const QString templatePath = writeFile("t.txt", "{{Tone: [TONES]}}");
    const QString globals = writeFile("g.json", R"({"Tones": ["a", "b"]})");
    for (const QStringList &args :
         {QStringList{"parse", templatePath, "--globals", globals},
          QStringList{"parse", QStringLiteral("--globals=") + globals, templatePath}}) {
        const CommandRun r = run(args);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.storeCalls, 0);
        EXPECT_EQ(parseOutput(r).at(0).toObject().value("options").toArray(), (QJsonArray{"a", "b"}));
    }
}

TEST(TemplateCommand, RenderUsesDefaultsAndSetValuesAndReportsValidationProblems)
{
    const QByteArray text = "Write {{topic}} for {{Audience: kids}} in {{Tone: a, b}}; {{Topic}}.";
    CommandRun r = run({"render", "--set", "Topic=cats = fun"}, text);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Write \"cats = fun\" for \"kids\" in \"a\"; \"cats = fun\".\n");
    EXPECT_TRUE(r.err.isEmpty());

    // Labels are matched as capitalised; later --set wins; "-" reads standard input.
    r = run({"render", "-", "--set=topic=dogs", "--set", "AUDIENCE=adults", "--set", "audience=teens"}, text);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Write \"dogs\" for \"teens\" in \"a\"; \"dogs\".\n");

    // Validation problems, each on a line of its own, and nothing rendered.
    r = run({"render", "--set", "Count=-3"}, "{{Name}} {{Count: 1}} {{Name}}");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, "Name is missed\nCount: Invalid number format (0-9 . , allowed)\n");
}

TEST(TemplateCommand, UsageAndInputErrorsExitWithTwo)
{
    const QString missing = TestSupport::freshDir("cli") + "/none.txt";
    const QString dir = TestSupport::freshDir("cli");
    const QString notJson = writeFile("bad.json", "{\"a\": [\"x\"");
    const QString notObject = writeFile("list.json", "[]");
    const QString notStrings = writeFile("nums.json", R"({"a": ["x", 1]})");
    const QList<QStringList> cases{
        {}, {"lint"}, {"parse", missing}, {"parse", dir}, {"parse", "a", "b"}, {"parse", "--globals"},
        {"parse", "--globals", notJson}, {"parse", "--globals", notObject}, {"parse", "--globals", notStrings},
        {"parse", "--globals", missing}, {"parse", "--set", "A=b"}, {"parse", "-x"}, {"render", "--set"},
        {"render", "--set", "novalue"}, {"render", "--set", "=x"}, {"render", "--set", "Other=x"}, {"render", "--verbose"},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CommandRun r = run(args, "{{Name: x}}");
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(args.isEmpty() || r.err.count(u'\n') == 1) << r.err.toStdString();
    }
}
