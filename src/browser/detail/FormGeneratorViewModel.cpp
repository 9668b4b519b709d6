#include "FormGeneratorViewModel.h"

#include "FormViewModel.h"
#include "UserDefaults.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {
const QString EmptyValue = QStringLiteral("\"\"");

// #AARRGGBB keeps the alpha, which the rich-text colour parser understands.
QString colorName(const QColor &color)
{
    return color.name(color.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
}
} // namespace

FormGeneratorViewModel::FormGeneratorViewModel(FormViewModel *form, UserDefaults *defaults,
                                               QObject *parent)
    : QObject(parent), m_form(form), m_defaults(defaults), m_fields(form)
{
    connect(form, &FormViewModel::inputsChanged, this, &FormGeneratorViewModel::refresh);
    connect(&m_fields, &FormFieldModel::shownMessagesChanged, this, &FormGeneratorViewModel::refresh);
    connect(&m_fields, &FormFieldModel::countChanged, this, &FormGeneratorViewModel::splitPreviewChanged);
    // A new parse always comes with new inputs, which refresh once for both.
    refresh();
}

QStringList FormGeneratorViewModel::numberedMessages() const
{
    QStringList lines;
    lines.reserve(m_shownMessages.size());
    for (qsizetype i = 0; i < m_shownMessages.size(); ++i)
        lines.append(QString::number(i + 1) + QStringLiteral(". ") + m_shownMessages.at(i));
    return lines;
}

QList<FormGeneratorViewModel::Run> FormGeneratorViewModel::previewRuns() const
{
    QList<Run> runs;
    if (!m_form)
        return runs;
    const QList<FormViewModel::PreviewSegment> segments = m_form->previewSegments();
    runs.reserve(segments.size());
    for (const FormViewModel::PreviewSegment &segment : segments) {
        if (!segment.isVariable)
            runs.append({segment.text, Run::Style::Text});
        else if (segment.text == EmptyValue)
            //: Stands in the preview for a field not filled in yet.
            runs.append({tr("<missing>"), Run::Style::Missing});
        else
            runs.append({segment.text, Run::Style::Value});
    }
    return runs;
}

void FormGeneratorViewModel::appear()
{
    const qint64 shown = m_defaults ? m_defaults->intValue(InstructionCountKey, 0) : 0;
    // Decided once per appearance, so the block does not vanish under the user when the
    // count it just raised reaches the limit.
    const bool show = shown < InstructionAppearances;
    if (show && m_defaults)
        m_defaults->setValue(InstructionCountKey, shown + 1);
    if (show != m_showInstructions) {
        m_showInstructions = show;
        Q_EMIT showInstructionsChanged();
    }
}

bool FormGeneratorViewModel::copyToClipboard()
{
    if (!m_form || !m_form->validate().isEmpty())
        return false;
    QGuiApplication::clipboard()->setText(m_form->generatedPrompt(), QClipboard::Clipboard);
    m_form->recordUsage();
    return true;
}

bool FormGeneratorViewModel::copyAndFinish()
{
    if (!copyToClipboard())
        return false;
    Q_EMIT finished();
    return true;
}

int FormGeneratorViewModel::tryCopy()
{
    if (copyAndFinish())
        return -1;
    m_fields.revealAll();
    return m_fields.firstInvalidRow();
}

void FormGeneratorViewModel::setTextColor(const QColor &color)
{
    if (color == m_textColor)
        return;
    m_textColor = color;
    Q_EMIT colorsChanged();
    renderPreview();
}

void FormGeneratorViewModel::setAccentColor(const QColor &color)
{
    if (color == m_accentColor)
        return;
    m_accentColor = color;
    Q_EMIT colorsChanged();
    renderPreview();
}

void FormGeneratorViewModel::setMissingColor(const QColor &color)
{
    if (color == m_missingColor)
        return;
    m_missingColor = color;
    Q_EMIT colorsChanged();
    renderPreview();
}

void FormGeneratorViewModel::refresh()
{
    const QStringList messages = m_form ? m_form->validate() : QStringList();
    const QStringList shown = m_fields.shownMessages();
    if (messages != m_messages || shown != m_shownMessages) {
        m_messages = messages;
        m_shownMessages = shown;
        Q_EMIT messagesChanged();
    }
    renderPreview();
}

void FormGeneratorViewModel::renderPreview()
{
    // One rich-text run; pre-wrap keeps the template's line breaks and runs of spaces.
    QString html;
    html.reserve(m_form ? m_form->templateText().size() + 512 : 64);
    html += QStringLiteral("<div style=\"white-space: pre-wrap; color: ") + colorName(m_textColor) +
            QStringLiteral("\">");
    const QString accent = colorName(m_accentColor);
    const QString missing = colorName(m_missingColor);
    for (const Run &run : previewRuns()) {
        switch (run.style) {
        case Run::Style::Text:
            html += run.text.toHtmlEscaped();
            break;
        case Run::Style::Value:
            html += QStringLiteral("<b><font color=\"") + accent + QStringLiteral("\">") +
                    run.text.toHtmlEscaped() + QStringLiteral("</font></b>");
            break;
        case Run::Style::Missing:
            html += QStringLiteral("<font color=\"") + missing + QStringLiteral("\">") +
                    run.text.toHtmlEscaped() + QStringLiteral("</font>");
            break;
        }
    }
    html += QStringLiteral("</div>");
    if (html != m_previewText) {
        m_previewText = html;
        Q_EMIT previewTextChanged();
    }
}
