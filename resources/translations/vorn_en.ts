<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>PromptBrowserViewModel</name>
    <message numerus="yes">
        <source>%n prompts</source>
        <extracomment>The count above the search results: all prompts listed, or those matching the words.</extracomment>
        <translation>
            <numerusform>%n prompt</numerusform>
            <numerusform>%n prompts</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n prompts match</source>
        <extracomment>The count above the search results.</extracomment>
        <translation>
            <numerusform>%n prompt matches</numerusform>
            <numerusform>%n prompts match</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PromptImporter</name>
    <message numerus="yes">
        <source>Processed %n items:</source>
        <extracomment>The import&apos;s result: the items pasted, then how many were new and how many changed.</extracomment>
        <translation>
            <numerusform>Processed %n item:</numerusform>
            <numerusform>Processed %n items:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message numerus="yes">
        <source>%n changes wait: its clock is more than 48 hours ahead of this device&apos;s</source>
        <translation>
            <numerusform>%n change waits: its clock is more than 48 hours ahead of this device&apos;s</numerusform>
            <numerusform>%n changes wait: its clock is more than 48 hours ahead of this device&apos;s</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TemplateValidationViewModel</name>
    <message numerus="yes">
        <source>Checked %n templates.</source>
        <extracomment>First half of the validation summary, followed by &quot;All valid!&quot; or &quot;Found %n issues.&quot;</extracomment>
        <translation>
            <numerusform>Checked %n template.</numerusform>
            <numerusform>Checked %n templates.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Found %n issues.</source>
        <extracomment>Second half of the validation summary.</extracomment>
        <translation>
            <numerusform>Found %n issue.</numerusform>
            <numerusform>Found %n issues.</numerusform>
        </translation>
    </message>
</context>
</TS>
