#include "SettingsViewModel.h"

#include "DataController.h"
#include "DuplicateCleaner.h"
#include "ModelContext.h"
#include "SettingsServices.h"
#include "ShortcutText.h"
#include "UserDefaults.h"

#include <QElapsedTimer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMetaObject>
#include <QStyleHints>
#include <QUrl>

namespace {
const QString LaunchRow = QStringLiteral("launchAtLogin");
const QString ShortcutRow = QStringLiteral("shortcut");
const QString SyncRow = QStringLiteral("synchronize");
const QString ExportRow = QStringLiteral("export");
const QString DangerRow = QStringLiteral("dangerZone");
const QString SuffixRow = QStringLiteral("suffixes");

// The English texts; rowTitle() and rowDescription() give them in the user's language.
struct RowText {
    QString id;
    const char *title;
    const char *description;
};

const QList<RowText> &rowTexts()
{
    static const QList<RowText> rows = {
        {LaunchRow, QT_TRANSLATE_NOOP("SettingsViewModel", "Launch at Login"),
         QT_TRANSLATE_NOOP("SettingsViewModel", "Automatically start the app when you log in.")},
        {ShortcutRow, QT_TRANSLATE_NOOP("SettingsViewModel", "Global Shortcut"),
         QT_TRANSLATE_NOOP("SettingsViewModel", "Key combination to open the app.")},
        {SyncRow, QT_TRANSLATE_NOOP("SettingsViewModel", "Force Synchronize Prompts"),
         QT_TRANSLATE_NOOP("SettingsViewModel", "Reloads prompts from the internal library.")},
        {ExportRow, QT_TRANSLATE_NOOP("SettingsViewModel", "Export Database"),
         QT_TRANSLATE_NOOP("SettingsViewModel", "Exports current data to JSON files in Documents.")},
        {DangerRow, QT_TRANSLATE_NOOP("SettingsViewModel", "Danger Zone"),
         QT_TRANSLATE_NOOP("SettingsViewModel", "Destructive actions.")},
        {SuffixRow, QT_TRANSLATE_NOOP("SettingsViewModel", "Prompt Suffixes"), nullptr},
    };
    return rows;
}

const RowText *findRow(const QString &id)
{
    for (const RowText &row : rowTexts())
        if (row.id == id)
            return &row;
    return nullptr;
}
} // namespace

template <class Action> void SettingsViewModel::later(Action action)
{
    // After the current event: the click returns at once and the work runs in a later turn.
    QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
}

SettingsViewModel::SettingsViewModel(QObject *parent)
    : SettingsViewModel(DataController::shared()->mainContext(), UserDefaults::standard(),
                        Services{}, parent)
{
}

SettingsViewModel::SettingsViewModel(ModelContext *context, UserDefaults *defaults,
                                     Services services, QObject *parent)
    : QObject(parent), m_context(context), m_defaults(defaults),
      m_shortcuts(services.shortcuts ? services.shortcuts : SettingsServices::shortcutService()),
      m_loginItem(services.loginItem ? std::move(services.loginItem)
                                     : SettingsServices::createLoginItem()),
      m_data(services.data), m_launchAtLogin(m_loginItem->isEnabled()), m_hotkeyChar(hotkeyChar()),
      m_validation(context, this)
{
    connect(m_defaults, &UserDefaults::valueChanged, this, &SettingsViewModel::onDefaultChanged);
    liveModels().append(this);
}

SettingsViewModel::~SettingsViewModel()
{
    liveModels().removeOne(this);
}

QList<SettingsViewModel *> &SettingsViewModel::liveModels()
{
    // The panel's sheet and the settings window each have one; what one changes, the other shows.
    static QList<SettingsViewModel *> models;
    return models;
}

void SettingsViewModel::reload()
{
    const bool enabled = m_loginItem->isEnabled();
    if (enabled != m_launchAtLogin) {
        m_launchAtLogin = enabled;
        Q_EMIT launchAtLoginChanged();
    }
    const QString letter = hotkeyChar();
    if (letter != m_hotkeyChar) {
        m_hotkeyChar = letter;
        Q_EMIT hotkeyCharChanged();
    }
}

bool SettingsViewModel::isAdminMode() const
{
    return m_defaults->boolValue(QString::fromLatin1(AdminModeKey), false);
}

QStringList SettingsViewModel::visibleRows() const
{
    if (isAdminMode())
        return {LaunchRow, ShortcutRow, SyncRow, ExportRow, DangerRow, SuffixRow};
    return {LaunchRow, ShortcutRow, SuffixRow};
}

QString SettingsViewModel::rowTitle(const QString &row) const
{
    const RowText *text = findRow(row);
    return text ? tr(text->title) : QString();
}

QString SettingsViewModel::rowDescription(const QString &row) const
{
    const RowText *text = findRow(row);
    return text && text->description ? tr(text->description) : QString();
}

bool SettingsViewModel::isAdminGesture(int clickCount, Qt::KeyboardModifiers modifiers)
{
    // Ctrl stands in for the Command key of the original gesture.
    return clickCount == 4 && modifiers.testFlag(Qt::ControlModifier);
}

int SettingsViewModel::registerGearClick(qint64 timestampMs, Qt::KeyboardModifiers modifiers)
{
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    if (m_clickCount > 0 && timestampMs - m_lastClick <= interval)
        ++m_clickCount;
    else
        m_clickCount = 1;
    m_lastClick = timestampMs;
    // Like a four-fold click: it fires on the fourth click of a series, not on later ones.
    if (isAdminGesture(m_clickCount, modifiers))
        m_defaults->setValue(QString::fromLatin1(AdminModeKey), !isAdminMode());
    return m_clickCount;
}

void SettingsViewModel::gearClicked(int modifiers)
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    registerGearClick(clock.elapsed(), Qt::KeyboardModifiers(modifiers));
}

QString SettingsViewModel::hotkeyChar() const
{
    return m_defaults->string(QString::fromLatin1(HotKeyCharKey), QStringLiteral("P"));
}

void SettingsViewModel::setHotkeyChar(const QString &letter)
{
    if (letter == hotkeyChar() || !chars().contains(letter))
        return;
    // The shortcut reads the letter from the settings, so it is stored first.
    m_defaults->setValue(QString::fromLatin1(HotKeyCharKey), letter);
    m_shortcuts->reRegister();
    m_shortcuts->postHotKeyUpdated();
}

QStringList SettingsViewModel::chars()
{
    QStringList letters;
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        letters.append(QString(QChar(c)));
    return letters;
}

QString SettingsViewModel::portalHint() const
{
    return m_shortcuts->portalHint();
}

void SettingsViewModel::toggleLaunchAtLogin()
{
    m_loginItem->toggle();
    m_launchAtLogin = m_loginItem->isEnabled();
    // Always announced: after a failure the switch has to snap back to the real state.
    Q_EMIT launchAtLoginChanged();
    for (SettingsViewModel *other : std::as_const(liveModels()))
        if (other != this)
            other->reload();
}

QStringList SettingsViewModel::allTags()
{
    return {QStringLiteral("text"),        QStringLiteral("image"),  QStringLiteral("midjourney"),
            QStringLiteral("nano banana"), QStringLiteral("dall-e"), QStringLiteral("video"),
            QStringLiteral("audio"),       QStringLiteral("sora"),   QStringLiteral("veo"),
            QStringLiteral("3d")};
}

QString SettingsViewModel::suffixKey(const QString &tag)
{
    return QStringLiteral("tag_") + tag + QStringLiteral("_suffix");
}

QString SettingsViewModel::suffixLabel(const QString &tag)
{
    // Each word capitalised: first letter upper case, the rest lower case.
    QStringList words = tag.split(QLatin1Char(' '));
    for (QString &word : words)
        if (!word.isEmpty())
            word = word.left(1).toUpper() + word.mid(1).toLower();
    //: Label of a suffix editor; %1 is the tag of the prompts it is added to, e.g. "Text".
    return tr("Suffix for %1 Prompts").arg(words.join(QLatin1Char(' ')));
}

QString SettingsViewModel::suffix(const QString &tag) const
{
    return m_defaults->string(suffixKey(tag));
}

void SettingsViewModel::setSuffix(const QString &tag, const QString &text)
{
    // Every edit is written whole; an emptied editor stores the empty string.
    const QString key = suffixKey(tag);
    if (m_defaults->contains(key) && m_defaults->string(key) == text)
        return;
    m_defaults->setValue(key, text);
}

QString SettingsViewModel::shortcutModifiers()
{
    return ShortcutText::modifiers();
}

void SettingsViewModel::quitApp()
{
    later([] { QCoreApplication::quit(); });
}

QString SettingsViewModel::compiledVersion()
{
    return QStringLiteral(VORN_VERSION);
}

QString SettingsViewModel::compiledBuild()
{
    return QStringLiteral(VORN_BUILD_NUMBER);
}

QString SettingsViewModel::versionLine(const QString &version, const QString &build)
{
    //: Stands for a version or build number the program does not know.
    const QString unknown = tr("Unknown");
    return tr("Version %1 (Build %2)")
        .arg(version.isEmpty() ? unknown : version, build.isEmpty() ? unknown : build);
}

bool SettingsViewModel::hasResource(const QString &url)
{
    const QUrl parsed(url);
    return parsed.scheme() == QLatin1String("qrc") &&
           QFile::exists(QLatin1Char(':') + parsed.path());
}

void SettingsViewModel::synchronize()
{
    later([this] { data()->manualSync(); });
}

void SettingsViewModel::exportDatabase()
{
    later([this] { m_exportNotice.exportFrom(data()); });
}

void SettingsViewModel::resetDatabase()
{
    later([this] { data()->resetDatabase(); });
}

void SettingsViewModel::resetUserStats()
{
    later([this] { data()->resetUserStats(); });
}

void SettingsViewModel::deduplicate()
{
    later([this] {
        if (m_context)
            DuplicateCleaner::deduplicate(m_context);
    });
}

void SettingsViewModel::onDefaultChanged(const QString &key)
{
    if (key == QLatin1String(AdminModeKey)) {
        Q_EMIT isAdminModeChanged();
    } else if (key == QLatin1String(HotKeyCharKey)) {
        const QString letter = hotkeyChar();
        if (letter != m_hotkeyChar) {
            m_hotkeyChar = letter;
            Q_EMIT hotkeyCharChanged();
        }
    } else {
        for (const QString &tag : allTags())
            if (key == suffixKey(tag))
                Q_EMIT suffixChanged(tag);
    }
}

SyncSettingsViewModel *SettingsViewModel::sync()
{
    if (!m_sync)
        m_sync = new SyncSettingsViewModel(data(), m_defaults, this);
    return m_sync;
}

DataController *SettingsViewModel::data() const
{
    return m_data ? m_data : DataController::shared();
}
