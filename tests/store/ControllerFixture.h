#pragma once

#include "DataController.h"
#include "Prompt.h"
#include "PromptSyncService.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>

// A data controller of its own per case: a fresh folder, settings, the test seed files, and
// the store's log lines caught.
class Controller : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = TestSupport::freshDir(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + "/vorn.ini");
        UserDefaults::setStandard(defaults.get());
        qputenv("VORN_SEED_DIR", QByteArray(VORN_TEST_SEED_DIR));
        PromptSyncService::shared(); // its greeting lines are not part of any case
        options.storePath = dir + "/data/library.sqlite";
        options.documentsDir = dir + "/Documents";
        capture = std::make_unique<StoreLog::Capture>([this](const QString &line) { lines << line; });
    }
    void TearDown() override
    {
        capture.reset();
        controller.reset();
        UserDefaults::setStandard(nullptr);
        qunsetenv("VORN_SEED_DIR");
    }
    DataController &make()
    {
        controller = std::make_unique<DataController>(options);
        return *controller;
    }
    ModelContext &context() { return *controller->mainContext(); }
    Prompt *prompt(const QString &id)
    {
        for (Prompt *p : context().fetch<Prompt>())
            if (p->idText() == id)
                return p;
        return nullptr;
    }
    QStringList documents() const { return QDir(options.documentsDir).entryList(QDir::Files, QDir::Name); }

    QString dir;
    DataController::Options options;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<DataController> controller;
    std::unique_ptr<StoreLog::Capture> capture;
    QStringList lines;
};
