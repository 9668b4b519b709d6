#include "VariableType.h"

VariableType VariableType::multilineText(std::optional<QString> defaultText)
{
    VariableType type;
    type.m_kind = Kind::multilineText;
    type.m_defaultText = std::move(defaultText);
    return type;
}

VariableType VariableType::comboBox(QStringList options)
{
    VariableType type;
    type.m_kind = Kind::comboBox;
    type.m_options = std::move(options);
    return type;
}

VariableType VariableType::number(std::optional<double> defaultValue)
{
    VariableType type;
    type.m_kind = Kind::number;
    type.m_defaultNumber = defaultValue;
    return type;
}

VariableType VariableType::range(double min, double max)
{
    VariableType type;
    type.m_kind = Kind::range;
    type.m_min = min;
    type.m_max = max;
    return type;
}

VariableType VariableType::date(std::optional<QDateTime> defaultDate)
{
    VariableType type;
    type.m_kind = Kind::date;
    type.m_defaultDate = std::move(defaultDate);
    return type;
}

QString VariableType::kindName() const
{
    return kindName(m_kind);
}

QString VariableType::kindName(Kind kind)
{
    switch (kind) {
    case Kind::multilineText:
        return QStringLiteral("multilineText");
    case Kind::comboBox:
        return QStringLiteral("comboBox");
    case Kind::number:
        return QStringLiteral("number");
    case Kind::range:
        return QStringLiteral("range");
    case Kind::date:
        return QStringLiteral("date");
    }
    return {};
}

bool VariableType::operator==(const VariableType &other) const
{
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::multilineText:
        return m_defaultText == other.m_defaultText;
    case Kind::comboBox:
        return m_options == other.m_options;
    case Kind::number:
        return m_defaultNumber == other.m_defaultNumber;
    case Kind::range:
        return m_min == other.m_min && m_max == other.m_max;
    case Kind::date:
        return m_defaultDate == other.m_defaultDate;
    }
    return false;
}
