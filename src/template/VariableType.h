#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// The kind of input a placeholder asks for, with its default or its options.
// Only the fields of the current kind carry meaning; equality compares those alone.
class VariableType {
public:
    enum class Kind { multilineText, comboBox, number, range, date };

    static VariableType multilineText(std::optional<QString> defaultText = std::nullopt);
    static VariableType comboBox(QStringList options);
    static VariableType number(std::optional<double> defaultValue = std::nullopt);
    static VariableType range(double min, double max);
    static VariableType date(std::optional<QDateTime> defaultDate = std::nullopt);

    Kind kind() const { return m_kind; }
    // The kind as it is written in files and command output ("multilineText", ...).
    QString kindName() const;
    static QString kindName(Kind kind);

    const std::optional<QString> &defaultText() const { return m_defaultText; }
    const QStringList &options() const { return m_options; }
    const std::optional<double> &defaultNumber() const { return m_defaultNumber; }
    double min() const { return m_min; }
    double max() const { return m_max; }
    const std::optional<QDateTime> &defaultDate() const { return m_defaultDate; }

    bool operator==(const VariableType &other) const;
    bool operator!=(const VariableType &other) const { return !(*this == other); }

private:
    VariableType() = default;

    Kind m_kind = Kind::multilineText;
    std::optional<QString> m_defaultText;
    QStringList m_options;
    std::optional<double> m_defaultNumber;
    double m_min = 0;
    double m_max = 0;
    std::optional<QDateTime> m_defaultDate;
};
