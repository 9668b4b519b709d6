#include "QmlTestSupport.h"

#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

Q_IMPORT_QML_PLUGIN(Vorn_DetailPlugin)

namespace {
using QmlTest::waitFor;

// A date field on 31 March 2027 that records the days picked, and a field after it.
const char *const Picker = R"(
    property var picks: []
    Column {
        x: 20; y: 20
        spacing: 8
        DatePickerField {
            objectName: "picker"
            focus: true
            date: new Date(2027, 2, 31)
            dateText: "31 Mar 2027"
            onPicked: (year, month, day) => panel.picks = panel.picks.concat([year + "-" + month + "-" + day])
        }
        TextInput { objectName: "next"; width: 100; height: 20; activeFocusOnTab: true }
    }
)";
} // namespace

TEST(DatePicker, TheOpenCalendarIsDrivenByKeys)
{
    QmlTestView view;
    ASSERT_TRUE(view.showOnPanel(QStringLiteral("import Vorn.Detail"), QString::fromLatin1(Picker), {}, {400, 400}));
    QQuickItem *picker = view.item(QStringLiteral("picker"));
    ASSERT_TRUE(picker);
    QObject *calendar = picker->findChild<QObject *>(QStringLiteral("datePickerPopup"));
    ASSERT_TRUE(calendar);
    picker->forceActiveFocus();
    const auto isOpen = [&] { return calendar->property("visible").toBool(); };
    const auto picks = [&] { return view.rootObject()->property("picks").toStringList(); };

    // Page Up keeps the day where the month has it, else takes the month's last day.
    view.key(Qt::Key_Return);
    ASSERT_TRUE(waitFor(isOpen));
    view.key(Qt::Key_PageUp);
    view.screenshot(QStringLiteral("date-picker-keys.png"), 100);
    view.key(Qt::Key_Return);
    EXPECT_EQ(picks(), QStringList{QStringLiteral("2027-2-28")});
    ASSERT_TRUE(waitFor([&] { return !isOpen(); }));
    EXPECT_TRUE(picker->hasActiveFocus());

    // Opened again it starts on the field's day: a day on, a week on, a month on, a day
    // back, a week back.
    view.key(Qt::Key_Space);
    ASSERT_TRUE(waitFor(isOpen));
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Up})
        view.key(key);
    view.key(Qt::Key_Space);
    EXPECT_EQ(picks().value(1), QStringLiteral("2027-4-30"));

    // Escape closes it without picking; Tab closes it and goes on to the next field.
    view.key(Qt::Key_Return);
    ASSERT_TRUE(waitFor(isOpen));
    view.key(Qt::Key_Right);
    view.key(Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return !isOpen(); }));
    EXPECT_EQ(picks().size(), 2);
    EXPECT_TRUE(picker->hasActiveFocus());
    view.key(Qt::Key_Return);
    ASSERT_TRUE(waitFor(isOpen));
    view.key(Qt::Key_Tab);
    ASSERT_TRUE(waitFor([&] { return !isOpen(); }));
    EXPECT_TRUE(view.item(QStringLiteral("next"))->hasActiveFocus());
    EXPECT_EQ(picks().size(), 2);
}
