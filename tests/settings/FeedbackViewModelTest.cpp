#include "FeedbackViewModel.h"
#include "AccountViewModel.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UnavailableSignInService.h"
#include "UserDefaults.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
const QString Address = QStringLiteral("team@example.org");

class Feedback : public ::testing::Test {
protected:
    FeedbackViewModel make()
    {
        return FeedbackViewModel(
            &defaults,
            [this](const QUrl &url, const std::function<void()> &failed) {
                opened << url;
                laterFailure = failed;
                return canOpen;
            },
            Address);
    }

    UserDefaults defaults{TestSupport::freshDir(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()))
                          + QStringLiteral("/vorn.ini")};
    QList<QUrl> opened;
    bool canOpen = true;
    std::function<void()> laterFailure;
};
} // namespace

TEST(FeedbackMail, ExactLinkForEachTopicThatBodyTextCannotBreak)
{
    using VM = FeedbackViewModel;
    const QString prompts = QStringLiteral("mailto:team@example.org?subject=Feedback:%20Add%20more%20prompts%20for..."
                                           "&body=I%20would%20like%20to%20see%20more%20prompts%20for%20the%20category:%0A");
    // Each topic reads its own field only; an empty category is "-", an empty description stays empty.
    EXPECT_EQ(VM::mailtoLink(Address, VM::MorePrompts, QString(), QStringLiteral("ignored")), prompts + "-");
    EXPECT_EQ(VM::mailtoLink(Address, VM::MorePrompts, QStringLiteral("Coding"), QString()), prompts + "Coding");
    EXPECT_EQ(VM::mailtoLink(Address, VM::MissingCategory, QStringLiteral("ignored"), QStringLiteral("Travel")),
              "mailto:team@example.org?subject=Feedback:%20Add%20a%20missing%20category"
              "&body=I%20am%20missing%20the%20following%20category:%0ATravel");
    EXPECT_EQ(VM::mailtoLink(Address, VM::MissingFeature, QString(), QString()),
              "mailto:team@example.org?subject=Feedback:%20Add%20a%20missing%20feature"
              "&body=I%20am%20missing%20the%20following%20feature:%0A");
    // Text in the body cannot break the link.
    const QString link = FeedbackViewModel::mailtoLink(Address, FeedbackViewModel::MissingFeature, QString(),
                                                       QStringLiteral("Line one\r\nQ&A=1+1 #tag\tä"));
    EXPECT_TRUE(link.endsWith("feature:%0ALine%20one%0D%0AQ%26A%3D1%2B1%20%23tag%09%C3%A4")) << link.toStdString();
    const QUrl url = QUrl::fromEncoded(link.toUtf8(), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), "mailto");
    EXPECT_EQ(url.path(), Address);
}

TEST_F(Feedback, SendOpensTheLinkKeepsTheFormAndSaysWhenNoMailProgramCame)
{
    FeedbackViewModel vm = make();
    EXPECT_EQ(vm.selectedTopic(), FeedbackViewModel::MorePrompts);
    EXPECT_TRUE(vm.showsCategoryField());
    vm.setCategoryName(QStringLiteral("Writing"));
    vm.setFeedbackDescription(QStringLiteral("Dark mode"));

    EXPECT_TRUE(vm.send());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QString::fromUtf8(opened.front().toEncoded()), vm.mailtoLink());
    EXPECT_TRUE(vm.mailtoLink().endsWith("category:%0AWriting"));
    // Each field is kept across topic changes and used only for its own topics.
    QSignalSpy topicChanged(&vm, &FeedbackViewModel::selectedTopicChanged);
    vm.setSelectedTopic(FeedbackViewModel::MissingFeature);
    EXPECT_EQ(topicChanged.count(), 1);
    EXPECT_FALSE(vm.showsCategoryField());
    EXPECT_TRUE(vm.mailtoLink().endsWith("feature:%0ADark%20mode"));
    vm.setSelectedTopic(FeedbackViewModel::MorePrompts);
    EXPECT_EQ(vm.categoryName(), "Writing");
    vm.setSelectedTopic(7);
    EXPECT_EQ(vm.selectedTopic(), FeedbackViewModel::MorePrompts);

    EXPECT_TRUE(vm.showFeedbackOnStart());
    QSignalSpy showChanged(&vm, &FeedbackViewModel::showFeedbackOnStartChanged);
    vm.setShowFeedbackOnStart(false);
    EXPECT_EQ(showChanged.count(), 1);
    EXPECT_FALSE(defaults.boolValue(QStringLiteral("showFeedbackOnStart"), true));
    // Without a mail program the window says so: nothing takes mailto links, or a handler
    // starts and fails later.
    QSignalSpy problem(&vm, &FeedbackViewModel::problemChanged);
    canOpen = false;
    EXPECT_FALSE(vm.send());
    EXPECT_EQ(vm.problem(), "No mail program could be started. Please write to team@example.org.");
    canOpen = true;
    EXPECT_TRUE(vm.send());
    EXPECT_TRUE(vm.problem().isEmpty());
    ASSERT_TRUE(laterFailure);
    laterFailure();
    EXPECT_TRUE(vm.problem().startsWith("No mail program"));
    EXPECT_EQ(problem.count(), 3);
}

// A sign-in asks for the name and the mail; success and failure are only logged.
TEST(Account, SignInIsOnlyLogged)
{
    struct Granting : SignInService {
        void signIn(const QStringList &scopes, Completion completion) override
        {
            asked = scopes;
            completion({true, QStringLiteral("user 001")});
        }
        QStringList asked;
    } granting;
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    AccountViewModel(&granting).signIn();
    EXPECT_EQ(granting.asked, QStringList({"fullName", "email"}));
    UnavailableSignInService unavailable;
    AccountViewModel vm(&unavailable);
    vm.signIn();
    EXPECT_EQ(lines, QStringList({"Authorisation successful: user 001",
                                  "Authorisation failed: Sign-in is not available on this platform"}));
    // Without a sign-in the window offers no button; it says where the sync is set up.
    EXPECT_FALSE(vm.canSignIn());
    EXPECT_TRUE(vm.syncHint().contains(QStringLiteral("Settings > Sync")));
}
