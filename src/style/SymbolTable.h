#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// Maps the symbol names used by the views and the shipped library (for example "star.fill")
// to glyphs of the Material Icons font.
class SymbolTable : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Symbols)
    QML_SINGLETON

public:
    explicit SymbolTable(QObject *parent = nullptr);

    // The Material Icons ligature for a symbol name; a neutral glyph for unknown names.
    Q_INVOKABLE QString glyph(const QString &symbol) const;
    Q_INVOKABLE bool contains(const QString &symbol) const;
    const QHash<QString, QString> &entries() const { return m_glyphs; }

    static const SymbolTable &shared();
    static constexpr const char *FallbackGlyph = "label";

private:
    QHash<QString, QString> m_glyphs;
};
