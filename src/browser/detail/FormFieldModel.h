#pragma once

#include <QAbstractListModel>
#include <QDateTime>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QtQml/qqmlregistration.h>

class FormViewModel;
struct ParsedPromptVariable;

// One row per placeholder of the form (a repeated label gives one row per occurrence, all
// bound to the same input): its kind, label, control settings and current value.
class FormFieldModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the form")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // What a number field accepts while typing (Part of the form rules: digits, "." and ",").
    Q_PROPERTY(QRegularExpression numberPattern READ numberPattern CONSTANT)

public:
    enum Roles {
        KindRole = Qt::UserRole + 1,
        LabelRole,
        ValueRole,       // the stored text
        NumberValueRole, // the number binding (0 when the text is no number)
        DateValueRole,   // the date binding
        DateTextRole,    // the chosen day, for the date button
        LabelLineRole,   // the label, with ": <value rounded>" for ranges
        OptionsRole,     // the options offered, in the order shown
        MenuEntriesRole, // the options as menu rows with section headers
        HasSortButtonRole,
        IsSortedRole,
        SortHelpRole,
        SliderFromRole,
        SliderToRole,
        MessageRole, // the field's validation message, once it is to be shown (see leave)
    };
    Q_ENUM(Roles)

    explicit FormFieldModel(FormViewModel *form, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return rowCount(); }

    Q_INVOKABLE QString label(int row) const;
    Q_INVOKABLE void setValue(int row, const QString &text);
    Q_INVOKABLE void setNumberValue(int row, double value);
    // Sets the day of a date field and keeps its time of day.
    Q_INVOKABLE void setDate(int row, int year, int month, int day);
    // Moves a date field by whole days (keyboard: arrows).
    Q_INVOKABLE void addDays(int row, int days);
    Q_INVOKABLE void toggleSort(int row);

    // A field's message shows once the user has left that field, or for every field once
    // the user tried to copy an incomplete form. A new template starts unshown again.
    Q_INVOKABLE void leave(int row);
    void revealAll();
    // The messages to show now, in field order (one per label).
    QStringList shownMessages() const;
    // The first field that cannot be used yet, -1 when the form is complete.
    int firstInvalidRow() const;
    static QRegularExpression numberPattern();

    // "%.0f" of the number, as the range label shows it.
    static QString roundedNumber(double value);
    // The slider's ascending interval; bounds written the wrong way round are swapped.
    static std::pair<double, double> sliderBounds(double min, double max);

Q_SIGNALS:
    void countChanged();
    void shownMessagesChanged();

private:
    void rebuild();
    void inputsChanged();
    void sortStatesChanged();
    const ParsedPromptVariable *variable(int row) const;

    QPointer<FormViewModel> m_form;
    // Last values seen per row, so an input change only refreshes the rows showing it.
    QStringList m_values;
    QSet<QString> m_left;
    bool m_revealAll = false;
};
