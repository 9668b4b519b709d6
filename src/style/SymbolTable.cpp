#include "SymbolTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

SymbolTable::SymbolTable(QObject *parent) : QObject(parent)
{
    QFile file(QStringLiteral(":/symbols.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("The symbol table is missing from the resources");
        return;
    }
    const QJsonObject table = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = table.begin(); it != table.end(); ++it)
        m_glyphs.insert(it.key(), it.value().toString());
}

const SymbolTable &SymbolTable::shared()
{
    static const SymbolTable table;
    return table;
}

QString SymbolTable::glyph(const QString &symbol) const
{
    return m_glyphs.value(symbol, QString::fromLatin1(FallbackGlyph));
}

bool SymbolTable::contains(const QString &symbol) const
{
    return m_glyphs.contains(symbol);
}
