#pragma once

#include "ExportNotice.h"
#include "LoginItemControl.h"
#include "ShortcutService.h"
#include "SyncSettingsViewModel.h"
#include "TemplateValidationViewModel.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <memory>

class DataController;
class ModelContext;
class UserDefaults;

// Everything the settings decide: the administration gesture and which rows it shows, the
// shortcut letter and its re-registration, the login item switch, the tag suffixes and the
// maintenance actions. The maintenance actions run after the current event, never inside
// the click that asked for them.
class SettingsViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool isAdminMode READ isAdminMode NOTIFY isAdminModeChanged)
    // Ids of the rows shown now, in order: "launchAtLogin", "shortcut", then in administration
    // mode "synchronize", "export", "dangerZone"; then "suffixes".
    Q_PROPERTY(QStringList visibleRows READ visibleRows NOTIFY isAdminModeChanged)
    Q_PROPERTY(QString hotkeyChar READ hotkeyChar WRITE setHotkeyChar NOTIFY hotkeyCharChanged)
    Q_PROPERTY(QStringList chars READ chars CONSTANT)
    Q_PROPERTY(QString portalHint READ portalHint CONSTANT)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(QStringList allTags READ allTags CONSTANT)
    Q_PROPERTY(QString shortcutModifiers READ shortcutModifiers CONSTANT)
    Q_PROPERTY(QString compiledVersion READ compiledVersion CONSTANT)
    Q_PROPERTY(QString compiledBuild READ compiledBuild CONSTANT)
    Q_PROPERTY(TemplateValidationViewModel *validation READ validation CONSTANT)
    // What the window says after "Export DB".
    Q_PROPERTY(ExportNotice *exportNotice READ exportNotice CONSTANT)
    Q_PROPERTY(SyncSettingsViewModel *sync READ sync CONSTANT)

public:
    static constexpr const char *HotKeyCharKey = "hotkey_char";
    static constexpr const char *AdminModeKey = "isAdminMode";

    struct Services {
        ShortcutService *shortcuts = nullptr;        // null: SettingsServices::shortcutService()
        std::unique_ptr<LoginItemControl> loginItem; // null: SettingsServices::createLoginItem()
        DataController *data = nullptr;              // null: DataController::shared()
    };

    // On the shared store, the user's settings and the services the host handed over.
    explicit SettingsViewModel(QObject *parent = nullptr);
    SettingsViewModel(ModelContext *context, UserDefaults *defaults, Services services,
                      QObject *parent = nullptr);
    ~SettingsViewModel() override;

    bool isAdminMode() const;
    QStringList visibleRows() const;
    Q_INVOKABLE QString rowTitle(const QString &row) const;
    Q_INVOKABLE QString rowDescription(const QString &row) const;

    // The administration gesture: four clicks on the gear with Ctrl held flip the mode.
    static bool isAdminGesture(int clickCount, Qt::KeyboardModifiers modifiers);
    // Counts a click on the gear at the given time (clicks closer together than the
    // double-click interval make one series) and applies the gesture; returns the count.
    int registerGearClick(qint64 timestampMs, Qt::KeyboardModifiers modifiers);
    Q_INVOKABLE void gearClicked(int modifiers);

    QString hotkeyChar() const;
    // A different letter is stored, re-registered and announced with "HotKeyUpdated"; the
    // same letter does nothing.
    void setHotkeyChar(const QString &letter);
    static QStringList chars();
    QString portalHint() const;

    bool launchAtLogin() const { return m_launchAtLogin; }
    Q_INVOKABLE void toggleLaunchAtLogin();
    // Reads again what may have changed outside the settings' own keys (the login item);
    // called when a settings view comes into sight.
    Q_INVOKABLE void reload();

    static QStringList allTags();
    static QString suffixKey(const QString &tag);
    // "Suffix for Nano Banana Prompts".
    static QString suffixLabel(const QString &tag);
    Q_INVOKABLE QString suffix(const QString &tag) const;
    Q_INVOKABLE void setSuffix(const QString &tag, const QString &text);
    Q_INVOKABLE QString suffixTitle(const QString &tag) const { return suffixLabel(tag); }

    // "Super+Shift+", written before the letter picker.
    static QString shortcutModifiers();
    // Ends the app after the current event, saving as every quit does.
    Q_INVOKABLE void quitApp();

    static QString compiledVersion();
    static QString compiledBuild();
    // "Version 1.0.0 (Build 1)", with "Unknown" for a missing part.
    Q_INVOKABLE static QString versionLine(const QString &version, const QString &build);

    TemplateValidationViewModel *validation() { return &m_validation; }
    // The "Sync" section, on the same store and settings.
    SyncSettingsViewModel *sync();
    // Whether a view of another module is built into the program ("qrc:/qt/qml/...").
    Q_INVOKABLE static bool hasResource(const QString &url);

    Q_INVOKABLE void synchronize();
    Q_INVOKABLE void exportDatabase();
    ExportNotice *exportNotice() { return &m_exportNotice; }
    Q_INVOKABLE void resetDatabase();
    Q_INVOKABLE void resetUserStats();
    Q_INVOKABLE void deduplicate();

Q_SIGNALS:
    void isAdminModeChanged();
    void hotkeyCharChanged();
    void launchAtLoginChanged();
    // The stored suffix of a tag changed, by this view or another one.
    void suffixChanged(const QString &tag);

private:
    static QList<SettingsViewModel *> &liveModels();
    void onDefaultChanged(const QString &key);
    DataController *data() const;
    template <class Action> void later(Action action);

    QPointer<ModelContext> m_context;
    UserDefaults *m_defaults;
    ShortcutService *m_shortcuts;
    std::unique_ptr<LoginItemControl> m_loginItem;
    DataController *m_data;
    bool m_launchAtLogin = false;
    int m_clickCount = 0;
    qint64 m_lastClick = 0;
    QString m_hotkeyChar;
    TemplateValidationViewModel m_validation;
    ExportNotice m_exportNotice;
    SyncSettingsViewModel *m_sync = nullptr; // a child
};
