<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AccountView</name>
    <message>
        <source>Sign In</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Sign in to sync your prompts across all your devices.</source>
        <translation>Melden Sie sich an, um Ihre Prompts auf all Ihren Geräten abzugleichen.</translation>
    </message>
    <message>
        <source>Note: VORN uses your account safely to sync database changes.</source>
        <translation>Hinweis: VORN verwendet Ihr Konto sicher, um Änderungen an der Datenbank abzugleichen.</translation>
    </message>
    <message>
        <source>Info: Login is not yet available on this device.</source>
        <translation>Info: Die Anmeldung ist auf diesem Gerät noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisierung</translation>
    </message>
</context>
<context>
    <name>AccountViewModel</name>
    <message>
        <source>There is no account to sign in to on this computer. Your library syncs through a shared folder that a file-sync tool such as Syncthing keeps in step: choose it in Settings &gt; Sync.</source>
        <translation>Auf diesem Computer gibt es kein Konto zum Anmelden. Ihre Bibliothek wird über einen gemeinsamen Ordner abgeglichen, den ein Synchronisierungswerkzeug wie Syncthing aktuell hält: Wählen Sie ihn unter Einstellungen &gt; Synchronisierung.</translation>
    </message>
</context>
<context>
    <name>AdminFullPromptEditorView</name>
    <message>
        <source>Edit Prompt</source>
        <translation>Prompt bearbeiten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Prompt Title</source>
        <translation>Titel des Prompts</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Available Variables</source>
        <translation>Verfügbare Variablen</translation>
    </message>
    <message>
        <source>Tap a value to copy to clipboard</source>
        <translation>Klicken Sie auf einen Wert, um ihn in die Zwischenablage zu kopieren</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>In die Zwischenablage kopiert</translation>
    </message>
</context>
<context>
    <name>AdminInsertPromptView</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Insert Prompt JSON</source>
        <translation>Prompt-JSON einfügen</translation>
    </message>
    <message>
        <source>Save Prompts</source>
        <translation>Prompts speichern</translation>
    </message>
    <message>
        <source>Prompt JSON</source>
        <translation>Prompt-JSON</translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorView</name>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>Add a category</source>
        <translation>Kategorie hinzufügen</translation>
    </message>
    <message>
        <source>Add a tag</source>
        <translation>Schlagwort hinzufügen</translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorViewModel</name>
    <message>
        <source>No categories available</source>
        <translation>Keine Kategorien vorhanden</translation>
    </message>
    <message>
        <source>No tags available</source>
        <translation>Keine Schlagwörter vorhanden</translation>
    </message>
</context>
<context>
    <name>AppActions</name>
    <message>
        <source>VORN Prompt Manager...</source>
        <translation>VORN-Prompt-Manager …</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Feedback...</source>
        <translation>Feedback …</translation>
    </message>
    <message>
        <source>Login...</source>
        <translation>Anmelden …</translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <translation>VORN beenden</translation>
    </message>
</context>
<context>
    <name>CategorySectionView</name>
    <message>
        <source>Hide Category</source>
        <translation>Kategorie ausblenden</translation>
    </message>
</context>
<context>
    <name>ChoiceComboBox</name>
    <message>
        <source>Type or select...</source>
        <translation>Eingeben oder auswählen …</translation>
    </message>
    <message>
        <source>Choose %1</source>
        <translation>%1 auswählen</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>DataController</name>
    <message>
        <source>%1 Nothing was changed; VORN shows an empty library until it is restarted with the problem fixed.</source>
        <extracomment>The library&apos;s status line; %1 is why the library cannot be opened.</extracomment>
        <translation>%1 Es wurde nichts geändert; VORN zeigt eine leere Bibliothek, bis es nach Behebung des Problems neu gestartet wird.</translation>
    </message>
    <message>
        <source>The library could not be opened even after a reset: %1</source>
        <translation>Die Bibliothek ließ sich auch nach dem Zurücksetzen nicht öffnen: %1</translation>
    </message>
    <message>
        <source>The library could not be read (%1) and was moved to %2. VORN started a new library with the shipped prompts.</source>
        <translation>Die Bibliothek konnte nicht gelesen werden (%1) und wurde nach %2 verschoben. VORN hat eine neue Bibliothek mit den mitgelieferten Prompts angelegt.</translation>
    </message>
</context>
<context>
    <name>DatePickerField</name>
    <message>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
</context>
<context>
    <name>DeleteConfirmation</name>
    <message>
        <source>Delete Prompt?</source>
        <translation>Prompt löschen?</translation>
    </message>
    <message>
        <source>Delete &apos;%1&apos;?</source>
        <translation>„%1“ löschen?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>ExportNotice</name>
    <message>
        <source>Export failed: %1</source>
        <translation>Export fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>the library is not open</source>
        <translation>die Bibliothek ist nicht geöffnet</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportiert nach %1</translation>
    </message>
</context>
<context>
    <name>FeedbackView</name>
    <message>
        <source>Multiple new handcrafted Prompt templates per week</source>
        <translation>Jede Woche mehrere neue, sorgfältig erstellte Prompt-Vorlagen</translation>
    </message>
    <message>
        <source>Editing and adding new prompts</source>
        <translation>Prompts bearbeiten und neue hinzufügen</translation>
    </message>
    <message>
        <source>Up- and Down-voting</source>
        <translation>Positiv und negativ bewerten</translation>
    </message>
    <message>
        <source>Sharing Prompts with friends</source>
        <translation>Prompts mit Freunden teilen</translation>
    </message>
    <message>
        <source>Previews for each prompt</source>
        <translation>Vorschauen für jeden Prompt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Welcome &amp; Feedback</source>
        <translation>Willkommen &amp; Feedback</translation>
    </message>
    <message>
        <source>Coming Soon</source>
        <translation>Demnächst</translation>
    </message>
    <message>
        <source>We are working hard to make VORN even better.</source>
        <translation>Wir arbeiten mit Hochdruck daran, VORN noch besser zu machen.</translation>
    </message>
    <message>
        <source>We value your feedback</source>
        <translation>Ihre Meinung ist uns wichtig</translation>
    </message>
    <message>
        <source>Topic</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Category (e.g. Coding, Writing)</source>
        <translation>Kategorie (z. B. Programmieren, Schreiben)</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Send Feedback via Email</source>
        <translation>Feedback per E-Mail senden</translation>
    </message>
    <message>
        <source>Show this window on start</source>
        <translation>Dieses Fenster beim Start anzeigen</translation>
    </message>
</context>
<context>
    <name>FeedbackViewModel</name>
    <message>
        <source>Add more prompts for...</source>
        <translation>Mehr Prompts für …</translation>
    </message>
    <message>
        <source>Add a missing category</source>
        <translation>Fehlende Kategorie vorschlagen</translation>
    </message>
    <message>
        <source>Add a missing feature</source>
        <translation>Fehlende Funktion vorschlagen</translation>
    </message>
    <message>
        <source>No mail program could be started. Please write to %1.</source>
        <translation>Es konnte kein E-Mail-Programm gestartet werden. Bitte schreiben Sie an %1.</translation>
    </message>
</context>
<context>
    <name>FormFieldModel</name>
    <message>
        <source>Reset sorting</source>
        <extracomment>Tooltip of the button that sorts a choice&apos;s options.</extracomment>
        <translation>Sortierung zurücksetzen</translation>
    </message>
    <message>
        <source>Sort alphabetically</source>
        <translation>Alphabetisch sortieren</translation>
    </message>
</context>
<context>
    <name>FormFieldView</name>
    <message>
        <source>%1 (Alt+S)</source>
        <translation>%1 (Alt+S)</translation>
    </message>
</context>
<context>
    <name>FormGeneratorView</name>
    <message>
        <source>Instructions</source>
        <translation>Anleitung</translation>
    </message>
    <message>
        <source>Fill in the fields below to generate your prompt.</source>
        <translation>Füllen Sie die Felder unten aus, um Ihren Prompt zu erstellen.</translation>
    </message>
    <message>
        <source>Validation Errors:</source>
        <translation>Fehler bei der Prüfung:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Copy to the Clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
</context>
<context>
    <name>FormGeneratorViewModel</name>
    <message>
        <source>&lt;missing&gt;</source>
        <extracomment>Stands in the preview for a field not filled in yet.</extracomment>
        <translation>&lt;fehlt&gt;</translation>
    </message>
</context>
<context>
    <name>HiddenCategoryButton</name>
    <message>
        <source>Unhide %1</source>
        <translation>%1 einblenden</translation>
    </message>
</context>
<context>
    <name>ImagePreviewView</name>
    <message>
        <source>Prompt Preview</source>
        <translation>Prompt-Vorschau</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Wird geladen</translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation>Das Bild konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>LibraryStatusBanner</name>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>LibraryStatusViewModel</name>
    <message>
        <source>Changes not saved: %1. VORN keeps trying.</source>
        <extracomment>The library&apos;s status line; %1 is the system&apos;s reason, e.g. &quot;No space left on device&quot;.</extracomment>
        <translation>Änderungen nicht gespeichert: %1. VORN versucht es weiter.</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
</context>
<context>
    <name>ModelContext</name>
    <message>
        <source>The library %1 cannot be opened: %2</source>
        <translation>Die Bibliothek %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The library %1 is in use by another VORN process (pid %2).</source>
        <translation>Die Bibliothek %1 wird von einem anderen VORN-Prozess verwendet (PID %2).</translation>
    </message>
    <message>
        <source>The library %1 was written by a newer VORN (schema %2).</source>
        <translation>Die Bibliothek %1 wurde von einer neueren VORN-Version geschrieben (Schema %2).</translation>
    </message>
</context>
<context>
    <name>NoticeBanner</name>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show VORN</source>
        <extracomment>The shortcut&apos;s name in the desktop&apos;s keyboard settings.</extracomment>
        <translation>VORN anzeigen</translation>
    </message>
</context>
<context>
    <name>ProcessLock</name>
    <message>
        <source>The lock file %1 is not a regular file; remove it: rm %2</source>
        <translation>Die Sperrdatei %1 ist keine reguläre Datei; entfernen Sie sie: rm %2</translation>
    </message>
    <message>
        <source>The lock file %1 belongs to user %2%3. Quit VORN running as %2, or if none runs, remove the file: rm %4</source>
        <extracomment>%3 is empty or &quot; (process 1234)&quot;.</extracomment>
        <translation>Die Sperrdatei %1 gehört dem Benutzer %2%3. Beenden Sie VORN, das als %2 läuft, oder entfernen Sie die Datei, falls keines läuft: rm %4</translation>
    </message>
    <message>
        <source> (process %1)</source>
        <translation> (Prozess %1)</translation>
    </message>
    <message>
        <source>Cannot create the lock file %1: %2</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot lock %1: %2</source>
        <translation>%1 kann nicht gesperrt werden: %2</translation>
    </message>
    <message>
        <source>Cannot take the lock file %1: it keeps changing</source>
        <translation>Die Sperrdatei %1 kann nicht übernommen werden: Sie ändert sich ständig</translation>
    </message>
</context>
<context>
    <name>PromptBrowserViewModel</name>
    <message>
        <source>More...</source>
        <extracomment>The last row of a shortened section; opens the whole section.</extracomment>
        <translation>Mehr …</translation>
    </message>
    <message>
        <source>Favorites &amp; Often Used</source>
        <translation>Favoriten &amp; häufig verwendet</translation>
    </message>
    <message>
        <source>Last Used</source>
        <translation>Zuletzt verwendet</translation>
    </message>
    <message>
        <source>New</source>
        <extracomment>Section of the prompts added with the last library update.</extracomment>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Updated</source>
        <extracomment>Section of the prompts changed by the last library update.</extracomment>
        <translation>Aktualisiert</translation>
    </message>
    <message>
        <source>Library</source>
        <extracomment>The caption above the categories of the prompt library.</extracomment>
        <translation>Bibliothek</translation>
    </message>
    <message>
        <source>Hidden Categories</source>
        <translation>Ausgeblendete Kategorien</translation>
    </message>
    <message>
        <source>Hidden Prompts</source>
        <translation>Ausgeblendete Prompts</translation>
    </message>
    <message numerus="yes">
        <source>%n prompts</source>
        <extracomment>The count above the search results: all prompts listed, or those matching the words.</extracomment>
        <translation>
            <numerusform>%n Prompt</numerusform>
            <numerusform>%n Prompts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n prompts match</source>
        <extracomment>The count above the search results.</extracomment>
        <translation>
            <numerusform>%n passender Prompt</numerusform>
            <numerusform>%n passende Prompts</numerusform>
        </translation>
    </message>
    <message>
        <source>No matching prompts found.</source>
        <translation>Keine passenden Prompts gefunden.</translation>
    </message>
    <message>
        <source>Turn on &quot;Search template text&quot; to look inside the templates too.</source>
        <translation>Schalten Sie „Vorlagentext durchsuchen“ ein, um auch in den Vorlagen zu suchen.</translation>
    </message>
    <message>
        <source>Close matches</source>
        <translation>Ähnliche Treffer</translation>
    </message>
    <message>
        <source>Closest titles</source>
        <translation>Ähnlichste Titel</translation>
    </message>
</context>
<context>
    <name>PromptCollapsibleSection</name>
    <message>
        <source>, expanded</source>
        <translation>, ausgeklappt</translation>
    </message>
    <message>
        <source>, collapsed</source>
        <translation>, eingeklappt</translation>
    </message>
</context>
<context>
    <name>PromptDetailView</name>
    <message>
        <source>Back to Library</source>
        <translation>Zurück zur Bibliothek</translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation>Prompt bearbeiten</translation>
    </message>
    <message>
        <source>Copy the whole prompt to the clipboard</source>
        <translation>Den ganzen Prompt in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Show prompt preview</source>
        <translation>Prompt-Vorschau anzeigen</translation>
    </message>
    <message>
        <source>Add category</source>
        <translation>Kategorie hinzufügen</translation>
    </message>
    <message>
        <source>Add tag</source>
        <translation>Schlagwort hinzufügen</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>In die Zwischenablage kopiert</translation>
    </message>
</context>
<context>
    <name>PromptDetailViewModel</name>
    <message>
        <source>Updated: %1</source>
        <extracomment>When the prompt last changed; %1 is the date and time in the user&apos;s format.</extracomment>
        <translation>Aktualisiert: %1</translation>
    </message>
    <message>
        <source>Uses: %1</source>
        <extracomment>How often the prompt was used.</extracomment>
        <translation>Verwendet: %1</translation>
    </message>
    <message>
        <source>Unmark as favorite</source>
        <translation>Aus den Favoriten entfernen</translation>
    </message>
    <message>
        <source>Mark as favorite</source>
        <translation>Zu den Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Show prompt in list</source>
        <translation>Prompt in der Liste anzeigen</translation>
    </message>
    <message>
        <source>Hide the Prompt from the list</source>
        <translation>Prompt in der Liste ausblenden</translation>
    </message>
</context>
<context>
    <name>PromptImporter</name>
    <message>
        <source>Error in item %1 (&apos;%2&apos;): %3</source>
        <extracomment>%1 counts the pasted items from 1, %2 is the item&apos;s title, %3 what is wrong with it.</extracomment>
        <translation>Fehler in Eintrag %1 („%2“): %3</translation>
    </message>
    <message>
        <source>Invalid text encoding.</source>
        <translation>Ungültige Textkodierung.</translation>
    </message>
    <message>
        <source>The pasted text is larger than 20 MB.</source>
        <translation>Der eingefügte Text ist größer als 20 MB.</translation>
    </message>
    <message>
        <source>JSON Error: Not a valid Prompt or List of Prompts.</source>
        <translation>JSON-Fehler: Kein gültiger Prompt und keine gültige Liste von Prompts.</translation>
    </message>
    <message>
        <source>No prompts found to import.</source>
        <translation>Keine Prompts zum Importieren gefunden.</translation>
    </message>
    <message>
        <source>Unknown Categories: %1</source>
        <translation>Unbekannte Kategorien: %1</translation>
    </message>
    <message>
        <source>Mismatched curly braces {{ }}.</source>
        <translation>Geschweifte Klammern {{ }} passen nicht zusammen.</translation>
    </message>
    <message>
        <source>Save Error: %1</source>
        <translation>Fehler beim Speichern: %1</translation>
    </message>
    <message numerus="yes">
        <source>Processed %n items:</source>
        <extracomment>The import&apos;s result: the items pasted, then how many were new and how many changed.</extracomment>
        <translation>
            <numerusform>%n Eintrag verarbeitet:</numerusform>
            <numerusform>%n Einträge verarbeitet:</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 inserted, %2 updated.</source>
        <translation>%1 neu, %2 aktualisiert.</translation>
    </message>
</context>
<context>
    <name>PromptRow</name>
    <message>
        <source>, favorite</source>
        <translation>, Favorit</translation>
    </message>
    <message>
        <source>, hidden</source>
        <translation>, ausgeblendet</translation>
    </message>
    <message>
        <source>Unfavorite</source>
        <translation>Aus Favoriten entfernen</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Unhide</source>
        <translation>Einblenden</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>hot</source>
        <translation>angesagt</translation>
    </message>
    <message>
        <source>Remove from the hot list</source>
        <translation>Von der Hot-Liste nehmen</translation>
    </message>
    <message>
        <source>Add to the hot list</source>
        <translation>Auf die Hot-Liste setzen</translation>
    </message>
    <message>
        <source>Deactivate</source>
        <translation>Deaktivieren</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Aktivieren</translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation>Prompt bearbeiten</translation>
    </message>
    <message>
        <source>Delete prompt</source>
        <translation>Prompt löschen</translation>
    </message>
</context>
<context>
    <name>PromptSelectionView</name>
    <message>
        <source>Search prompts...</source>
        <translation>Prompts durchsuchen …</translation>
    </message>
    <message>
        <source>Search prompts</source>
        <translation>Prompts durchsuchen</translation>
    </message>
    <message>
        <source>Clear the search</source>
        <translation>Suche leeren</translation>
    </message>
    <message>
        <source>Administration</source>
        <translation>Verwaltung</translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation>DB exportieren</translation>
    </message>
    <message>
        <source>Insert Prompt</source>
        <translation>Prompt einfügen</translation>
    </message>
    <message>
        <source>Search hidden prompts</source>
        <translation>Ausgeblendete Prompts durchsuchen</translation>
    </message>
    <message>
        <source>Search template text</source>
        <translation>Vorlagentext durchsuchen</translation>
    </message>
    <message>
        <source>Prompts</source>
        <translation>Prompts</translation>
    </message>
    <message>
        <source>Show in Files</source>
        <translation>Im Dateimanager zeigen</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>ADMIN MODE: on</source>
        <translation>ADMIN-MODUS: an</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Shortcut letter</source>
        <translation>Buchstabe des Tastenkürzels</translation>
    </message>
    <message>
        <source>Synchronize</source>
        <translation>Synchronisieren</translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation>DB exportieren</translation>
    </message>
    <message>
        <source>Reset Database</source>
        <translation>Datenbank zurücksetzen</translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites</source>
        <translation>Nutzung &amp; Favoriten zurücksetzen</translation>
    </message>
    <message>
        <source>Deduplicate Database</source>
        <translation>Duplikate entfernen</translation>
    </message>
    <message>
        <source>Validate Templates</source>
        <translation>Vorlagen prüfen</translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation>Prompt-Endungen</translation>
    </message>
    <message>
        <source>The suffix for Text Prompts will be added automatically to each prompt that is made for a chatbot. For example, you can add &apos;Please answer in Markdown&apos; to all text prompts.</source>
        <translation>Die Endung für Text-Prompts wird automatisch an jeden Prompt angehängt, der für einen Chatbot gedacht ist. Sie können zum Beispiel „Bitte antworte in Markdown“ an alle Text-Prompts anhängen.</translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <translation>VORN beenden</translation>
    </message>
    <message>
        <source>Reset Database?</source>
        <translation>Datenbank zurücksetzen?</translation>
    </message>
    <message>
        <source>This will delete all prompts, categories, and tags, and restore the default library. A backup will be created in Documents before resetting.</source>
        <translation>Dadurch werden alle Prompts, Kategorien und Schlagwörter gelöscht und die mitgelieferte Bibliothek wiederhergestellt. Vorher wird eine Sicherung unter „Dokumente“ angelegt.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites?</source>
        <translation>Nutzung &amp; Favoriten zurücksetzen?</translation>
    </message>
    <message>
        <source>This will reset usage counts, favorites, &apos;hot&apos; settings, and last used times for ALL prompts and categories.</source>
        <translation>Dadurch werden Nutzungszähler, Favoriten, „Hot“-Markierungen und die Zeitpunkte der letzten Verwendung für ALLE Prompts und Kategorien zurückgesetzt.</translation>
    </message>
    <message>
        <source>Reset Stats</source>
        <translation>Statistik zurücksetzen</translation>
    </message>
    <message>
        <source>Show in Files</source>
        <translation>Im Dateimanager zeigen</translation>
    </message>
</context>
<context>
    <name>SettingsViewModel</name>
    <message>
        <source>Launch at Login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Automatically start the app when you log in.</source>
        <translation>Die App automatisch starten, wenn Sie sich anmelden.</translation>
    </message>
    <message>
        <source>Global Shortcut</source>
        <translation>Globales Tastenkürzel</translation>
    </message>
    <message>
        <source>Key combination to open the app.</source>
        <translation>Tastenkombination, die die App öffnet.</translation>
    </message>
    <message>
        <source>Force Synchronize Prompts</source>
        <translation>Prompts neu synchronisieren</translation>
    </message>
    <message>
        <source>Reloads prompts from the internal library.</source>
        <translation>Lädt die Prompts erneut aus der mitgelieferten Bibliothek.</translation>
    </message>
    <message>
        <source>Export Database</source>
        <translation>Datenbank exportieren</translation>
    </message>
    <message>
        <source>Exports current data to JSON files in Documents.</source>
        <translation>Exportiert die aktuellen Daten als JSON-Dateien nach „Dokumente“.</translation>
    </message>
    <message>
        <source>Danger Zone</source>
        <translation>Gefahrenbereich</translation>
    </message>
    <message>
        <source>Destructive actions.</source>
        <translation>Unwiderrufliche Aktionen.</translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation>Prompt-Endungen</translation>
    </message>
    <message>
        <source>Suffix for %1 Prompts</source>
        <extracomment>Label of a suffix editor; %1 is the tag of the prompts it is added to, e.g. &quot;Text&quot;.</extracomment>
        <translation>Endung für %1-Prompts</translation>
    </message>
    <message>
        <source>Unknown</source>
        <extracomment>Stands for a version or build number the program does not know.</extracomment>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Version %1 (Build %2)</source>
        <translation>Version %1 (Build %2)</translation>
    </message>
</context>
<context>
    <name>ShellShortcutService</name>
    <message>
        <source>Your desktop owns this shortcut: change it in its keyboard settings (for example Settings → Keyboard → Shortcuts → VORN).</source>
        <extracomment>Under the shortcut setting when the desktop&apos;s portal binds the shortcut. Name the desktop&apos;s own settings pages as they are called in the language.</extracomment>
        <translation>Dieses Tastenkürzel verwaltet Ihre Arbeitsumgebung: Ändern Sie es in deren Tastatureinstellungen (zum Beispiel Einstellungen → Tastatur → Tastenkürzel → VORN).</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message numerus="yes">
        <source>%n changes wait: its clock is more than 48 hours ahead of this device&apos;s</source>
        <translation>
            <numerusform>%n Änderung wartet: Die Uhr des Geräts geht gegenüber diesem Gerät um mehr als 48 Stunden vor</numerusform>
            <numerusform>%n Änderungen warten: Die Uhr des Geräts geht gegenüber diesem Gerät um mehr als 48 Stunden vor</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>SyncSection</name>
    <message>
        <source>Sync</source>
        <translation>Synchronisierung</translation>
    </message>
    <message>
        <source>Keep favourites, usage and your own prompts in step with your other computers through a folder that a file-sync tool such as Syncthing keeps in step.</source>
        <translation>Favoriten, Nutzung und eigene Prompts mit Ihren anderen Computern abgleichen – über einen Ordner, den ein Synchronisierungswerkzeug wie Syncthing aktuell hält.</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>This Device</source>
        <translation>Dieses Gerät</translation>
    </message>
    <message>
        <source>The name your other devices show for this one.</source>
        <translation>Der Name, unter dem Ihre anderen Geräte dieses anzeigen.</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Gerätename</translation>
    </message>
    <message>
        <source>Other Devices</source>
        <translation>Andere Geräte</translation>
    </message>
    <message>
        <source>No other device has written to this folder yet.</source>
        <translation>Noch hat kein anderes Gerät in diesen Ordner geschrieben.</translation>
    </message>
    <message>
        <source>Last change %1</source>
        <translation>Letzte Änderung %1</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Jetzt synchronisieren</translation>
    </message>
    <message>
        <source>Choose the Sync Folder</source>
        <translation>Synchronisierungsordner wählen</translation>
    </message>
</context>
<context>
    <name>SyncSettingsViewModel</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>No change yet</source>
        <translation>Noch keine Änderung</translation>
    </message>
    <message>
        <source>“%1” is not a folder.</source>
        <translation>„%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be written.</source>
        <translation>In den Ordner „%1“ kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The library is not open.</source>
        <translation>Die Bibliothek ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Syncing through “%1”.</source>
        <translation>Synchronisierung über „%1“.</translation>
    </message>
    <message>
        <source>Sync is off. This device&apos;s changes are kept and written to the folder when you choose it again.</source>
        <translation>Die Synchronisierung ist aus. Die Änderungen dieses Geräts bleiben erhalten und werden in den Ordner geschrieben, sobald Sie ihn wieder wählen.</translation>
    </message>
    <message>
        <source>Choose a folder first.</source>
        <translation>Wählen Sie zuerst einen Ordner.</translation>
    </message>
    <message>
        <source>Synced. No other device has written to the folder yet.</source>
        <translation>Synchronisiert. Noch hat kein anderes Gerät in den Ordner geschrieben.</translation>
    </message>
    <message>
        <source>Synced with 1 other device.</source>
        <translation>Mit 1 anderen Gerät synchronisiert.</translation>
    </message>
    <message>
        <source>Synced with %1 other devices.</source>
        <translation>Mit %1 anderen Geräten synchronisiert.</translation>
    </message>
</context>
<context>
    <name>TagView</name>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
</context>
<context>
    <name>TemplateForm</name>
    <message>
        <source>%1: Invalid number format (0-9 . , allowed)</source>
        <extracomment>%1 is the field&apos;s label.</extracomment>
        <translation>%1: Ungültiges Zahlenformat (erlaubt sind 0–9 . ,)</translation>
    </message>
    <message>
        <source>%1 is missed</source>
        <extracomment>A field left empty; %1 is its label.</extracomment>
        <translation>%1 fehlt</translation>
    </message>
</context>
<context>
    <name>TemplateValidationViewModel</name>
    <message>
        <source>Validating...</source>
        <translation>Wird geprüft …</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <extracomment>The validation sheet&apos;s summary when there is no library to check.</extracomment>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>The library store is not open.</source>
        <translation>Die Bibliothek ist nicht geöffnet.</translation>
    </message>
    <message numerus="yes">
        <source>Checked %n templates.</source>
        <extracomment>First half of the validation summary, followed by &quot;All valid!&quot; or &quot;Found %n issues.&quot;</extracomment>
        <translation>
            <numerusform>%n Vorlage geprüft.</numerusform>
            <numerusform>%n Vorlagen geprüft.</numerusform>
        </translation>
    </message>
    <message>
        <source>All valid!</source>
        <translation>Alle gültig!</translation>
    </message>
    <message numerus="yes">
        <source>Found %n issues.</source>
        <extracomment>Second half of the validation summary.</extracomment>
        <translation>
            <numerusform>%n Problem gefunden.</numerusform>
            <numerusform>%n Probleme gefunden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TemplateValidator</name>
    <message>
        <source>Unbalanced brackets: %1 &apos;{&apos; vs %2 &apos;}&apos;</source>
        <translation>Unausgeglichene Klammern: %1 „{“ gegenüber %2 „}“</translation>
    </message>
    <message>
        <source>Invalid format in &apos;%1&apos;. Expected &apos;Name: Value&apos;.</source>
        <extracomment>%1 is the placeholder as written; &quot;Name: Value&quot; shows its form and stays as it is.</extracomment>
        <translation>Ungültiges Format in „%1“. Erwartet: „Name: Value“.</translation>
    </message>
    <message>
        <source>Unknown global variable: &apos;[%1]&apos;</source>
        <translation>Unbekannte globale Variable: „[%1]“</translation>
    </message>
</context>
<context>
    <name>ValidationSheet</name>
    <message>
        <source>Template Validation</source>
        <translation>Vorlagenprüfung</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>WindowManager</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Account</source>
        <extracomment>Title of the sign-in window.</extracomment>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>VORN Prompt Manager</source>
        <translation>VORN-Prompt-Manager</translation>
    </message>
</context>
</TS>
