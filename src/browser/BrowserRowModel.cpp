#include "BrowserRowModel.h"

#include "Prompt.h"
#include "PromptCategory.h"

int BrowserRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant BrowserRowModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &r = m_rows.at(index.row());
    switch (role) {
    case KindRole:
        return int(r.kind);
    case PromptRole:
        return QVariant::fromValue<QObject *>(r.prompt.data());
    case CategoryRole:
        return QVariant::fromValue<QObject *>(r.category.data());
    case SectionIdRole:
        return r.sectionId.isNull() && r.kind != Kind::SectionHeader ? QString() : r.sectionId.toString(QUuid::WithoutBraces).toUpper();
    case TitleRole:
        return r.title;
    case IconRole:
        return r.icon;
    case DescriptionRole:
        return r.description;
    case CountRole:
        return r.count;
    case ExpandedRole:
        return r.expanded;
    case IndexRole:
        return r.index;
    case LastInGroupRole:
        return r.lastInGroup;
    }
    return {};
}

QHash<int, QByteArray> BrowserRowModel::roleNames() const
{
    return {{KindRole, "kind"},         {PromptRole, "prompt"},   {CategoryRole, "category"},
            {SectionIdRole, "sectionId"}, {TitleRole, "title"},   {IconRole, "icon"},
            {DescriptionRole, "description"}, {CountRole, "count"}, {ExpandedRole, "expanded"},
            {IndexRole, "position"},       {LastInGroupRole, "lastInGroup"}};
}

void BrowserRowModel::setRows(QList<Row> rows)
{
    const bool countChanges = rows.size() != m_rows.size();
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    if (countChanges)
        Q_EMIT countChanged();
}
