#include "FormFieldModel.h"

#include "ChoiceOptions.h"

#include "FormViewModel.h"

#include <QLocale>

#include <cstdio>

FormFieldModel::FormFieldModel(FormViewModel *form, QObject *parent)
    : QAbstractListModel(parent), m_form(form)
{
    connect(form, &FormViewModel::variablesChanged, this, &FormFieldModel::rebuild);
    connect(form, &FormViewModel::inputsChanged, this, &FormFieldModel::inputsChanged);
    connect(form, &FormViewModel::sortStatesChanged, this, &FormFieldModel::sortStatesChanged);
    rebuild();
}

int FormFieldModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_values.size());
}

const ParsedPromptVariable *FormFieldModel::variable(int row) const
{
    if (!m_form || row < 0 || row >= m_values.size() || row >= m_form->variables().size())
        return nullptr;
    return &m_form->variables().at(row);
}

QVariant FormFieldModel::data(const QModelIndex &index, int role) const
{
    const ParsedPromptVariable *field = index.isValid() ? variable(index.row()) : nullptr;
    if (!field)
        return {};
    const VariableType &type = field->type;
    const QString &label = field->label;
    switch (role) {
    case KindRole:
        return type.kindName();
    case LabelRole:
        return label;
    case ValueRole:
        return m_form->value(label);
    case NumberValueRole:
        return m_form->numberValue(label);
    case DateValueRole:
        // The calendar shows local days: hand it local midnight of the chosen day.
        return TemplateForm::calendarDay(m_form->dateValue(label)).startOfDay();
    case DateTextRole:
        return TemplateForm::mediumDate(TemplateForm::calendarDay(m_form->dateValue(label)), QLocale());
    case MessageRole:
        return m_revealAll || m_left.contains(label) ? m_form->message(label) : QString();
    case LabelLineRole:
        if (type.kind() == VariableType::Kind::range)
            return label + QStringLiteral(": ") + roundedNumber(m_form->numberValue(label));
        return label;
    case OptionsRole:
        return ChoiceOptions::shown(type.options(), m_form->sortState(label));
    case MenuEntriesRole:
        return ChoiceOptions::menuEntries(ChoiceOptions::shown(type.options(), m_form->sortState(label)));
    case HasSortButtonRole:
        return type.kind() == VariableType::Kind::comboBox && ChoiceOptions::hasSortButton(type.options());
    case IsSortedRole:
        return m_form->sortState(label);
    case SortHelpRole:
        //: Tooltip of the button that sorts a choice's options.
        return m_form->sortState(label) ? tr("Reset sorting") : tr("Sort alphabetically");
    case SliderFromRole:
        return sliderBounds(type.min(), type.max()).first;
    case SliderToRole:
        return sliderBounds(type.min(), type.max()).second;
    default:
        return {};
    }
}

QHash<int, QByteArray> FormFieldModel::roleNames() const
{
    return {{KindRole, "kind"},
            {LabelRole, "label"},
            {ValueRole, "value"},
            {NumberValueRole, "numberValue"},
            {DateValueRole, "dateValue"},
            {DateTextRole, "dateText"},
            {MessageRole, "message"},
            {LabelLineRole, "labelLine"},
            {OptionsRole, "options"},
            {MenuEntriesRole, "menuEntries"},
            {HasSortButtonRole, "hasSortButton"},
            {IsSortedRole, "isSorted"},
            {SortHelpRole, "sortHelp"},
            {SliderFromRole, "sliderFrom"},
            {SliderToRole, "sliderTo"}};
}

QString FormFieldModel::label(int row) const
{
    const ParsedPromptVariable *field = variable(row);
    return field ? field->label : QString();
}

void FormFieldModel::setValue(int row, const QString &text)
{
    if (const ParsedPromptVariable *field = variable(row))
        m_form->setValue(field->label, text);
}

void FormFieldModel::setNumberValue(int row, double value)
{
    const ParsedPromptVariable *field = variable(row);
    // A slider reports its position again when it is laid out; an unchanged number keeps
    // the stored text (which may be written differently, e.g. "5.0").
    if (field && m_form->numberValue(field->label) != value)
        m_form->setNumberValue(field->label, value);
}

void FormFieldModel::setDate(int row, int year, int month, int day)
{
    const ParsedPromptVariable *field = variable(row);
    const QDate date(year, month, day);
    if (!field || !date.isValid())
        return;
    m_form->setValue(field->label, TemplateForm::isoDay(date));
}

void FormFieldModel::addDays(int row, int days)
{
    if (const ParsedPromptVariable *field = variable(row)) {
        const QDate day = TemplateForm::calendarDay(m_form->dateValue(field->label));
        m_form->setValue(field->label, TemplateForm::isoDay(day.addDays(days)));
    }
}

void FormFieldModel::leave(int row)
{
    const ParsedPromptVariable *field = variable(row);
    if (!field || m_revealAll || m_left.contains(field->label))
        return;
    m_left.insert(field->label);
    for (int other = 0; other < m_values.size(); ++other)
        if (m_form->variables().at(other).label == field->label)
            Q_EMIT dataChanged(index(other), index(other), {MessageRole});
    Q_EMIT shownMessagesChanged();
}

void FormFieldModel::revealAll()
{
    if (m_revealAll)
        return;
    m_revealAll = true;
    if (!m_values.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_values.size()) - 1), {MessageRole});
    Q_EMIT shownMessagesChanged();
}

QStringList FormFieldModel::shownMessages() const
{
    QStringList messages;
    if (!m_form)
        return messages;
    QSet<QString> seen;
    for (const ParsedPromptVariable &field : m_form->variables()) {
        if (seen.contains(field.label))
            continue;
        seen.insert(field.label);
        if (!m_revealAll && !m_left.contains(field.label))
            continue;
        const QString message = m_form->message(field.label);
        if (!message.isEmpty())
            messages.append(message);
    }
    return messages;
}

int FormFieldModel::firstInvalidRow() const
{
    for (int row = 0; row < m_values.size(); ++row)
        if (!m_form->message(m_form->variables().at(row).label).isEmpty())
            return row;
    return -1;
}

QRegularExpression FormFieldModel::numberPattern()
{
    // Mirrors TemplateForm::isNumberText for the text field's validator.
    return QRegularExpression(QStringLiteral("[0-9.,]*"));
}

void FormFieldModel::toggleSort(int row)
{
    if (const ParsedPromptVariable *field = variable(row))
        m_form->setSortState(field->label, !m_form->sortState(field->label));
}

QString FormFieldModel::roundedNumber(double value)
{
    // The C conversion, so halves round the way printf rounds them everywhere else.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return QString::fromLatin1(buffer);
}

std::pair<double, double> FormFieldModel::sliderBounds(double min, double max)
{
    return min <= max ? std::pair{min, max} : std::pair{max, min};
}

void FormFieldModel::rebuild()
{
    beginResetModel();
    m_values.clear();
    m_left.clear();
    m_revealAll = false;
    if (m_form) {
        m_values.reserve(m_form->variables().size());
        for (const ParsedPromptVariable &field : m_form->variables())
            m_values.append(m_form->value(field.label));
    }
    endResetModel();
    Q_EMIT countChanged();
    Q_EMIT shownMessagesChanged();
}

void FormFieldModel::inputsChanged()
{
    if (!m_form)
        return;
    static const QList<int> roles{ValueRole,    NumberValueRole, DateValueRole,
                                  DateTextRole, LabelLineRole,   MessageRole};
    for (int row = 0; row < m_values.size(); ++row) {
        const QString current = m_form->value(m_form->variables().at(row).label);
        if (current == m_values.at(row))
            continue;
        m_values[row] = current;
        const QModelIndex changed = index(row);
        Q_EMIT dataChanged(changed, changed, roles);
    }
}

void FormFieldModel::sortStatesChanged()
{
    if (m_values.isEmpty())
        return;
    Q_EMIT dataChanged(index(0), index(int(m_values.size()) - 1),
                       {OptionsRole, MenuEntriesRole, IsSortedRole, SortHelpRole});
}
