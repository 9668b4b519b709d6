<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AccountView</name>
    <message>
        <source>Sign In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to sync your prompts across all your devices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: VORN uses your account safely to sync database changes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info: Login is not yet available on this device.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AdminFullPromptEditorView</name>
    <message>
        <source>Edit Prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prompt Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available Variables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tap a value to copy to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AdminInsertPromptView</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Prompt JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prompt JSON</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorView</name>
    <message>
        <source>Remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a tag</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorViewModel</name>
    <message>
        <source>No categories available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tags available</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CategorySectionView</name>
    <message>
        <source>Hide Category</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChoiceComboBox</name>
    <message>
        <source>Type or select...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataController</name>
    <message>
        <source>%1 Nothing was changed; VORN shows an empty library until it is restarted with the problem fixed.</source>
        <extracomment>The library&apos;s status line; %1 is why the library cannot be opened.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The library could not be opened even after a reset: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The library could not be read (%1) and was moved to %2. VORN started a new library with the shipped prompts.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DatePickerField</name>
    <message>
        <source>Previous month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next month</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeleteConfirmation</name>
    <message>
        <source>Delete Prompt?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FeedbackView</name>
    <message>
        <source>Multiple new handcrafted Prompt templates per week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing and adding new prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up- and Down-voting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharing Prompts with friends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previews for each prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome &amp; Feedback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coming Soon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We are working hard to make VORN even better.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>We value your feedback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Topic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category (e.g. Coding, Writing)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Feedback via Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this window on start</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FeedbackViewModel</name>
    <message>
        <source>Add more prompts for...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a missing category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a missing feature</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormFieldModel</name>
    <message>
        <source>Reset sorting</source>
        <extracomment>Tooltip of the button that sorts a choice&apos;s options.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort alphabetically</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormGeneratorView</name>
    <message>
        <source>Instructions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill in the fields below to generate your prompt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Validation Errors:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to the Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HiddenCategoryButton</name>
    <message>
        <source>Unhide %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImagePreviewView</name>
    <message>
        <source>Prompt Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryStatusViewModel</name>
    <message>
        <source>Changes not saved: %1. VORN keeps trying.</source>
        <extracomment>The library&apos;s status line; %1 is the system&apos;s reason, e.g. &quot;No space left on device&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModelContext</name>
    <message>
        <source>The library %1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The library %1 is in use by another VORN process (pid %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The library %1 was written by a newer VORN (schema %2).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show VORN</source>
        <extracomment>The shortcut&apos;s name in the desktop&apos;s keyboard settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProcessLock</name>
    <message>
        <source>The lock file %1 is not a regular file; remove it: rm %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lock file %1 belongs to user %2%3. Quit VORN running as %2, or if none runs, remove the file: rm %4</source>
        <extracomment>%3 is empty or &quot; (process 1234)&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (process %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the lock file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot lock %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot take the lock file %1: it keeps changing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PromptBrowserViewModel</name>
    <message>
        <source>More...</source>
        <extracomment>The last row of a shortened section; opens the whole section.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorites &amp; Often Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <extracomment>Section of the prompts added with the last library update.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated</source>
        <extracomment>Section of the prompts changed by the last library update.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Library</source>
        <extracomment>The caption above the categories of the prompt library.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hidden Categories</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hidden Prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n prompts</source>
        <extracomment>The count above the search results: all prompts listed, or those matching the words.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n prompts match</source>
        <extracomment>The count above the search results.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>No matching prompts found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn on &quot;Search template text&quot; to look inside the templates too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close matches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closest titles</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PromptCollapsibleSection</name>
    <message>
        <source>, expanded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, collapsed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PromptDetailView</name>
    <message>
        <source>Back to Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the whole prompt to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show prompt preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add tag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PromptDetailViewModel</name>
    <message>
        <source>Updated: %1</source>
        <extracomment>When the prompt last changed; %1 is the date and time in the user&apos;s format.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uses: %1</source>
        <extracomment>How often the prompt was used.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmark as favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark as favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show prompt in list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the Prompt from the list</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PromptImporter</name>
    <message>
        <source>Error in item %1 (&apos;%2&apos;): %3</source>
        <extracomment>%1 counts the pasted items from 1, %2 is the item&apos;s title, %3 what is wrong with it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid text encoding.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pasted text is larger than 20 MB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON Error: Not a valid Prompt or List of Prompts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No prompts found to import.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown Categories: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mismatched curly braces {{ }}.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Processed %n items:</source>
        <extracomment>The import&apos;s result: the items pasted, then how many were new and how many changed.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 inserted, %2 updated.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PromptRow</name>
    <message>
        <source>, favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unfavorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unhide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from the hot list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to the hot list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deactivate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete prompt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PromptSelectionView</name>
    <message>
        <source>Search prompts...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Administration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search hidden prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search template text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>ADMIN MODE: on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut letter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Synchronize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deduplicate Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Validate Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The suffix for Text Prompts will be added automatically to each prompt that is made for a chatbot. For example, you can add &apos;Please answer in Markdown&apos; to all text prompts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Database?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will delete all prompts, categories, and tags, and restore the default library. A backup will be created in Documents before resetting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will reset usage counts, favorites, &apos;hot&apos; settings, and last used times for ALL prompts and categories.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Stats</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsViewModel</name>
    <message>
        <source>Launch at Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically start the app when you log in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key combination to open the app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force Synchronize Prompts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reloads prompts from the internal library.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exports current data to JSON files in Documents.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Danger Zone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destructive actions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suffix for %1 Prompts</source>
        <extracomment>Label of a suffix editor; %1 is the tag of the prompts it is added to, e.g. &quot;Text&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown</source>
        <extracomment>Stands for a version or build number the program does not know.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1 (Build %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShellShortcutService</name>
    <message>
        <source>Your desktop owns this shortcut: change it in its keyboard settings (for example Settings → Keyboard → Shortcuts → VORN).</source>
        <extracomment>Under the shortcut setting when the desktop&apos;s portal binds the shortcut. Name the desktop&apos;s own settings pages as they are called in the language.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message numerus="yes">
        <source>%n changes wait: its clock is more than 48 hours ahead of this device&apos;s</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TagView</name>
    <message>
        <source>Remove %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateForm</name>
    <message>
        <source>%1: Invalid number format (0-9 . , allowed)</source>
        <extracomment>%1 is the field&apos;s label.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateValidationViewModel</name>
    <message>
        <source>Validating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: %1</source>
        <extracomment>The validation sheet&apos;s summary when there is no library to check.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The library store is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Checked %n templates.</source>
        <extracomment>First half of the validation summary, followed by &quot;All valid!&quot; or &quot;Found %n issues.&quot;</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>All valid!</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Found %n issues.</source>
        <extracomment>Second half of the validation summary.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TemplateValidator</name>
    <message>
        <source>Unbalanced brackets: %1 &apos;{&apos; vs %2 &apos;}&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid format in &apos;%1&apos;. Expected &apos;Name: Value&apos;.</source>
        <extracomment>%1 is the placeholder as written; &quot;Name: Value&quot; shows its form and stays as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown global variable: &apos;[%1]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ValidationSheet</name>
    <message>
        <source>Template Validation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Findings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowManager</name>
    <message>
        <source>VORN Prompt Manager...</source>
        <extracomment>The tray menu&apos;s first entry: opens the panel.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <extracomment>Title of the sign-in window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings...</source>
        <extracomment>Tray menu.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feedback...</source>
        <extracomment>Tray menu.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login...</source>
        <extracomment>Tray menu: opens the sign-in window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <extracomment>Tray menu.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VORN Prompt Manager</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
