#include "BrowserRowModel.h"
#include "Prompt.h"
#include "PromptCategory.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
using Row = BrowserRowModel::Row;
using Kind = BrowserRowModel::Kind;

const QUuid SectionA = QUuid::createUuid();
const QUuid SectionB = QUuid::createUuid();

class RowModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 12; ++i) {
            prompts.push_back(std::make_unique<Prompt>());
            prompts.back()->setTitle(QStringLiteral("P%1").arg(i));
        }
    }

    Row header(const QUuid &section, bool expanded)
    {
        Row r;
        r.kind = Kind::SectionHeader;
        r.sectionId = section;
        r.title = QStringLiteral("Section");
        r.expanded = expanded;
        return r;
    }
    Row promptRow(int i, const QUuid &section = {})
    {
        Row r;
        r.kind = Kind::Prompt;
        r.prompt = prompts[size_t(i)].get();
        r.sectionId = section;
        return r;
    }
    // The model's rows as comparable text.
    static QStringList describe(const BrowserRowModel &model)
    {
        QStringList out;
        for (int i = 0; i < model.rowCount(); ++i) {
            const QModelIndex index = model.index(i);
            const auto *p = qobject_cast<Prompt *>(index.data(BrowserRowModel::PromptRole).value<QObject *>());
            out << QStringLiteral("%1/%2/%3/%4/%5")
                       .arg(index.data(BrowserRowModel::KindRole).toInt())
                       .arg(p ? p->title() : QString())
                       .arg(index.data(BrowserRowModel::SectionIdRole).toString())
                       .arg(index.data(BrowserRowModel::ExpandedRole).toBool())
                       .arg(index.data(BrowserRowModel::IndexRole).toInt());
        }
        return out;
    }
    static QStringList describe(const QList<Row> &rows)
    {
        BrowserRowModel scratch;
        scratch.setRows(rows);
        return describe(scratch);
    }

    std::vector<std::unique_ptr<Prompt>> prompts;
    BrowserRowModel model;
};
} // namespace

TEST_F(RowModelTest, OpeningASectionInsertsOnlyItsRowsButRowsThatCannotBeToldApartReset)
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setRows({promptRow(0), header(SectionA, false), header(SectionB, false)});
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.setRows({promptRow(0), header(SectionA, true), promptRow(1, SectionA), promptRow(2, SectionA),
                   header(SectionB, false)});
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(removed.size(), 0);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 2);
    EXPECT_EQ(inserted[0][2].toInt(), 3);
    ASSERT_EQ(changed.size(), 1) << "the header's chevron";
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);

    // Rows that cannot be told apart reset the model.
    QSignalSpy count(&model, &BrowserRowModel::countChanged);
    model.setRows({promptRow(0), promptRow(0)});
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(count.size(), 1);
    model.setRows({promptRow(1), promptRow(0)});
    EXPECT_EQ(describe(model), describe(QList<Row>{promptRow(1), promptRow(0)}));
}

TEST_F(RowModelTest, RandomChangesEndInTheRequestedRows)
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QRandomGenerator random(42);
    for (int step = 0; step < 300; ++step) {
        QList<Row> rows;
        for (int i = 0; i < 12; ++i) {
            if (random.bounded(3) == 0)
                continue;
            Row r = promptRow(i, random.bounded(4) == 0 ? SectionA : QUuid());
            r.index = int(random.bounded(3));
            rows.append(r);
        }
        if (random.bounded(2))
            rows.insert(int(random.bounded(qsizetype(rows.size() + 1))), header(SectionB, random.bounded(2)));
        // Shuffle a little, so rows also move.
        for (int swaps = int(random.bounded(3)); swaps > 0 && rows.size() > 1; --swaps)
            rows.swapItemsAt(int(random.bounded(qsizetype(rows.size()))), int(random.bounded(qsizetype(rows.size()))));
        model.setRows(rows);
        ASSERT_EQ(describe(model), describe(rows)) << "step " << step;
    }
    EXPECT_EQ(reset.size(), 0);
}
