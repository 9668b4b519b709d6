<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AccountView</name>
    <message>
        <source>Sign In</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Sign in to sync your prompts across all your devices.</source>
        <translation>Connectez-vous pour synchroniser vos prompts sur tous vos appareils.</translation>
    </message>
    <message>
        <source>Note: VORN uses your account safely to sync database changes.</source>
        <translation>Remarque&#xa0;: VORN utilise votre compte en toute sécurité pour synchroniser les modifications de la base de données.</translation>
    </message>
    <message>
        <source>Info: Login is not yet available on this device.</source>
        <translation>Info&#xa0;: la connexion n’est pas encore disponible sur cet appareil.</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisation</translation>
    </message>
</context>
<context>
    <name>AccountViewModel</name>
    <message>
        <source>There is no account to sign in to on this computer. Your library syncs through a shared folder that a file-sync tool such as Syncthing keeps in step: choose it in Settings &gt; Sync.</source>
        <translation>Il n’y a pas de compte auquel se connecter sur cet ordinateur. Votre bibliothèque se synchronise via un dossier partagé qu’un outil de synchronisation comme Syncthing tient à jour&#xa0;: choisissez-le dans Paramètres &gt; Synchronisation.</translation>
    </message>
</context>
<context>
    <name>AdminFullPromptEditorView</name>
    <message>
        <source>Edit Prompt</source>
        <translation>Modifier le prompt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Prompt Title</source>
        <translation>Titre du prompt</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>Available Variables</source>
        <translation>Variables disponibles</translation>
    </message>
    <message>
        <source>Tap a value to copy to clipboard</source>
        <translation>Cliquez sur une valeur pour la copier dans le presse-papiers</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Copié dans le presse-papiers</translation>
    </message>
</context>
<context>
    <name>AdminInsertPromptView</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Insert Prompt JSON</source>
        <translation>Insérer le JSON des prompts</translation>
    </message>
    <message>
        <source>Save Prompts</source>
        <translation>Enregistrer les prompts</translation>
    </message>
    <message>
        <source>Prompt JSON</source>
        <translation>JSON des prompts</translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorView</name>
    <message>
        <source>Remove %1</source>
        <translation>Retirer %1</translation>
    </message>
    <message>
        <source>Add a category</source>
        <translation>Ajouter une catégorie</translation>
    </message>
    <message>
        <source>Add a tag</source>
        <translation>Ajouter une étiquette</translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorViewModel</name>
    <message>
        <source>No categories available</source>
        <translation>Aucune catégorie disponible</translation>
    </message>
    <message>
        <source>No tags available</source>
        <translation>Aucune étiquette disponible</translation>
    </message>
</context>
<context>
    <name>AppActions</name>
    <message>
        <source>VORN Prompt Manager...</source>
        <translation>Gestionnaire de prompts VORN…</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Feedback...</source>
        <translation>Donner votre avis…</translation>
    </message>
    <message>
        <source>Login...</source>
        <translation>Se connecter…</translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <translation>Quitter VORN</translation>
    </message>
</context>
<context>
    <name>CategorySectionView</name>
    <message>
        <source>Hide Category</source>
        <translation>Masquer la catégorie</translation>
    </message>
</context>
<context>
    <name>ChoiceComboBox</name>
    <message>
        <source>Type or select...</source>
        <translation>Saisir ou choisir…</translation>
    </message>
    <message>
        <source>Choose %1</source>
        <translation>Choisir %1</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>DataController</name>
    <message>
        <source>%1 Nothing was changed; VORN shows an empty library until it is restarted with the problem fixed.</source>
        <extracomment>The library&apos;s status line; %1 is why the library cannot be opened.</extracomment>
        <translation>%1 Rien n’a été modifié&#xa0;; VORN affiche une bibliothèque vide jusqu’à son redémarrage, une fois le problème résolu.</translation>
    </message>
    <message>
        <source>The library could not be opened even after a reset: %1</source>
        <translation>La bibliothèque n’a pas pu être ouverte, même après une réinitialisation&#xa0;: %1</translation>
    </message>
    <message>
        <source>The library could not be read (%1) and was moved to %2. VORN started a new library with the shipped prompts.</source>
        <translation>La bibliothèque n’a pas pu être lue (%1) et a été déplacée vers %2. VORN a créé une nouvelle bibliothèque avec les prompts fournis.</translation>
    </message>
</context>
<context>
    <name>DatePickerField</name>
    <message>
        <source>Previous month</source>
        <translation>Mois précédent</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mois suivant</translation>
    </message>
</context>
<context>
    <name>DeleteConfirmation</name>
    <message>
        <source>Delete Prompt?</source>
        <translation>Supprimer le prompt&#xa0;?</translation>
    </message>
    <message>
        <source>Delete &apos;%1&apos;?</source>
        <translation>Supprimer «&#xa0;%1&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>ExportNotice</name>
    <message>
        <source>Export failed: %1</source>
        <translation>Échec de l’export&#xa0;: %1</translation>
    </message>
    <message>
        <source>the library is not open</source>
        <translation>la bibliothèque n’est pas ouverte</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exporté vers %1</translation>
    </message>
</context>
<context>
    <name>FeedbackView</name>
    <message>
        <source>Multiple new handcrafted Prompt templates per week</source>
        <translation>Plusieurs nouveaux modèles de prompts faits main chaque semaine</translation>
    </message>
    <message>
        <source>Editing and adding new prompts</source>
        <translation>Modifier et ajouter des prompts</translation>
    </message>
    <message>
        <source>Up- and Down-voting</source>
        <translation>Votes pour et contre</translation>
    </message>
    <message>
        <source>Sharing Prompts with friends</source>
        <translation>Partager des prompts avec vos amis</translation>
    </message>
    <message>
        <source>Previews for each prompt</source>
        <translation>Des aperçus pour chaque prompt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Welcome &amp; Feedback</source>
        <translation>Bienvenue et avis</translation>
    </message>
    <message>
        <source>Coming Soon</source>
        <translation>Bientôt disponible</translation>
    </message>
    <message>
        <source>We are working hard to make VORN even better.</source>
        <translation>Nous travaillons dur pour rendre VORN encore meilleur.</translation>
    </message>
    <message>
        <source>We value your feedback</source>
        <translation>Votre avis compte pour nous</translation>
    </message>
    <message>
        <source>Topic</source>
        <translation>Sujet</translation>
    </message>
    <message>
        <source>Category (e.g. Coding, Writing)</source>
        <translation>Catégorie (p. ex. Programmation, Rédaction)</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Send Feedback via Email</source>
        <translation>Envoyer un avis par e-mail</translation>
    </message>
    <message>
        <source>Show this window on start</source>
        <translation>Afficher cette fenêtre au démarrage</translation>
    </message>
</context>
<context>
    <name>FeedbackViewModel</name>
    <message>
        <source>Add more prompts for...</source>
        <translation>Plus de prompts pour…</translation>
    </message>
    <message>
        <source>Add a missing category</source>
        <translation>Proposer une catégorie manquante</translation>
    </message>
    <message>
        <source>Add a missing feature</source>
        <translation>Proposer une fonction manquante</translation>
    </message>
    <message>
        <source>No mail program could be started. Please write to %1.</source>
        <translation>Aucun logiciel de messagerie n’a pu être lancé. Veuillez écrire à %1.</translation>
    </message>
</context>
<context>
    <name>FormFieldModel</name>
    <message>
        <source>Reset sorting</source>
        <extracomment>Tooltip of the button that sorts a choice&apos;s options.</extracomment>
        <translation>Annuler le tri</translation>
    </message>
    <message>
        <source>Sort alphabetically</source>
        <translation>Trier par ordre alphabétique</translation>
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
        <translation>Instructions</translation>
    </message>
    <message>
        <source>Fill in the fields below to generate your prompt.</source>
        <translation>Remplissez les champs ci-dessous pour générer votre prompt.</translation>
    </message>
    <message>
        <source>Validation Errors:</source>
        <translation>Erreurs de validation&#xa0;:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Copy to the Clipboard</source>
        <translation>Copier dans le presse-papiers</translation>
    </message>
</context>
<context>
    <name>FormGeneratorViewModel</name>
    <message>
        <source>&lt;missing&gt;</source>
        <extracomment>Stands in the preview for a field not filled in yet.</extracomment>
        <translation>&lt;manquant&gt;</translation>
    </message>
</context>
<context>
    <name>HiddenCategoryButton</name>
    <message>
        <source>Unhide %1</source>
        <translation>Afficher %1</translation>
    </message>
</context>
<context>
    <name>ImagePreviewView</name>
    <message>
        <source>Prompt Preview</source>
        <translation>Aperçu du prompt</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Chargement</translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation>Impossible de charger l’image</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>LibraryStatusBanner</name>
    <message>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
</context>
<context>
    <name>LibraryStatusViewModel</name>
    <message>
        <source>Changes not saved: %1. VORN keeps trying.</source>
        <extracomment>The library&apos;s status line; %1 is the system&apos;s reason, e.g. &quot;No space left on device&quot;.</extracomment>
        <translation>Modifications non enregistrées&#xa0;: %1. VORN continue d’essayer.</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fermer la fenêtre</translation>
    </message>
</context>
<context>
    <name>ModelContext</name>
    <message>
        <source>The library %1 cannot be opened: %2</source>
        <translation>Impossible d’ouvrir la bibliothèque %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The library %1 is in use by another VORN process (pid %2).</source>
        <translation>La bibliothèque %1 est utilisée par un autre processus VORN (PID %2).</translation>
    </message>
    <message>
        <source>The library %1 was written by a newer VORN (schema %2).</source>
        <translation>La bibliothèque %1 a été écrite par une version plus récente de VORN (schéma %2).</translation>
    </message>
</context>
<context>
    <name>NoticeBanner</name>
    <message>
        <source>Dismiss</source>
        <translation>Ignorer</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show VORN</source>
        <extracomment>The shortcut&apos;s name in the desktop&apos;s keyboard settings.</extracomment>
        <translation>Afficher VORN</translation>
    </message>
</context>
<context>
    <name>ProcessLock</name>
    <message>
        <source>The lock file %1 is not a regular file; remove it: rm %2</source>
        <translation>Le fichier de verrou %1 n’est pas un fichier ordinaire&#xa0;; supprimez-le&#xa0;: rm %2</translation>
    </message>
    <message>
        <source>The lock file %1 belongs to user %2%3. Quit VORN running as %2, or if none runs, remove the file: rm %4</source>
        <extracomment>%3 is empty or &quot; (process 1234)&quot;.</extracomment>
        <translation>Le fichier de verrou %1 appartient à l’utilisateur %2%3. Quittez le VORN lancé en tant que %2 ou, s’il n’y en a aucun, supprimez le fichier&#xa0;: rm %4</translation>
    </message>
    <message>
        <source> (process %1)</source>
        <translation> (processus %1)</translation>
    </message>
    <message>
        <source>Cannot create the lock file %1: %2</source>
        <translation>Impossible de créer le fichier de verrou %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot lock %1: %2</source>
        <translation>Impossible de verrouiller %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot take the lock file %1: it keeps changing</source>
        <translation>Impossible de prendre le fichier de verrou %1&#xa0;: il change sans cesse</translation>
    </message>
</context>
<context>
    <name>PromptBrowserViewModel</name>
    <message>
        <source>More...</source>
        <extracomment>The last row of a shortened section; opens the whole section.</extracomment>
        <translation>Plus…</translation>
    </message>
    <message>
        <source>Favorites &amp; Often Used</source>
        <translation>Favoris et fréquents</translation>
    </message>
    <message>
        <source>Last Used</source>
        <translation>Utilisés récemment</translation>
    </message>
    <message>
        <source>New</source>
        <extracomment>Section of the prompts added with the last library update.</extracomment>
        <translation>Nouveaux</translation>
    </message>
    <message>
        <source>Updated</source>
        <extracomment>Section of the prompts changed by the last library update.</extracomment>
        <translation>Mis à jour</translation>
    </message>
    <message>
        <source>Library</source>
        <extracomment>The caption above the categories of the prompt library.</extracomment>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>Hidden Categories</source>
        <translation>Catégories masquées</translation>
    </message>
    <message>
        <source>Hidden Prompts</source>
        <translation>Prompts masqués</translation>
    </message>
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
            <numerusform>%n prompt correspondant</numerusform>
            <numerusform>%n prompts correspondants</numerusform>
        </translation>
    </message>
    <message>
        <source>No matching prompts found.</source>
        <translation>Aucun prompt correspondant.</translation>
    </message>
    <message>
        <source>Turn on &quot;Search template text&quot; to look inside the templates too.</source>
        <translation>Activez «&#xa0;Rechercher dans le texte des modèles&#xa0;» pour chercher aussi dans les modèles.</translation>
    </message>
    <message>
        <source>Close matches</source>
        <translation>Résultats proches</translation>
    </message>
    <message>
        <source>Closest titles</source>
        <translation>Titres les plus proches</translation>
    </message>
</context>
<context>
    <name>PromptCollapsibleSection</name>
    <message>
        <source>, expanded</source>
        <translation>, développé</translation>
    </message>
    <message>
        <source>, collapsed</source>
        <translation>, réduit</translation>
    </message>
</context>
<context>
    <name>PromptDetailView</name>
    <message>
        <source>Back to Library</source>
        <translation>Retour à la bibliothèque</translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation>Modifier le prompt</translation>
    </message>
    <message>
        <source>Copy the whole prompt to the clipboard</source>
        <translation>Copier tout le prompt dans le presse-papiers</translation>
    </message>
    <message>
        <source>Show prompt preview</source>
        <translation>Afficher l’aperçu du prompt</translation>
    </message>
    <message>
        <source>Add category</source>
        <translation>Ajouter une catégorie</translation>
    </message>
    <message>
        <source>Add tag</source>
        <translation>Ajouter une étiquette</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Copié dans le presse-papiers</translation>
    </message>
</context>
<context>
    <name>PromptDetailViewModel</name>
    <message>
        <source>Updated: %1</source>
        <extracomment>When the prompt last changed; %1 is the date and time in the user&apos;s format.</extracomment>
        <translation>Mis à jour&#xa0;: %1</translation>
    </message>
    <message>
        <source>Uses: %1</source>
        <extracomment>How often the prompt was used.</extracomment>
        <translation>Utilisations&#xa0;: %1</translation>
    </message>
    <message>
        <source>Unmark as favorite</source>
        <translation>Retirer des favoris</translation>
    </message>
    <message>
        <source>Mark as favorite</source>
        <translation>Ajouter aux favoris</translation>
    </message>
    <message>
        <source>Show prompt in list</source>
        <translation>Afficher le prompt dans la liste</translation>
    </message>
    <message>
        <source>Hide the Prompt from the list</source>
        <translation>Masquer le prompt de la liste</translation>
    </message>
</context>
<context>
    <name>PromptImporter</name>
    <message>
        <source>Error in item %1 (&apos;%2&apos;): %3</source>
        <extracomment>%1 counts the pasted items from 1, %2 is the item&apos;s title, %3 what is wrong with it.</extracomment>
        <translation>Erreur dans l’élément %1 («&#xa0;%2&#xa0;»)&#xa0;: %3</translation>
    </message>
    <message>
        <source>Invalid text encoding.</source>
        <translation>Encodage du texte non valide.</translation>
    </message>
    <message>
        <source>The pasted text is larger than 20 MB.</source>
        <translation>Le texte collé dépasse 20 Mo.</translation>
    </message>
    <message>
        <source>JSON Error: Not a valid Prompt or List of Prompts.</source>
        <translation>Erreur JSON&#xa0;: ce n’est ni un prompt ni une liste de prompts valide.</translation>
    </message>
    <message>
        <source>No prompts found to import.</source>
        <translation>Aucun prompt à importer.</translation>
    </message>
    <message>
        <source>Unknown Categories: %1</source>
        <translation>Catégories inconnues&#xa0;: %1</translation>
    </message>
    <message>
        <source>Mismatched curly braces {{ }}.</source>
        <translation>Accolades {{ }} mal appariées.</translation>
    </message>
    <message>
        <source>Save Error: %1</source>
        <translation>Erreur d’enregistrement&#xa0;: %1</translation>
    </message>
    <message numerus="yes">
        <source>Processed %n items:</source>
        <extracomment>The import&apos;s result: the items pasted, then how many were new and how many changed.</extracomment>
        <translation>
            <numerusform>%n élément traité&#xa0;:</numerusform>
            <numerusform>%n éléments traités&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 inserted, %2 updated.</source>
        <translation>nouveaux&#xa0;: %1, mis à jour&#xa0;: %2.</translation>
    </message>
</context>
<context>
    <name>PromptRow</name>
    <message>
        <source>, favorite</source>
        <translation>, favori</translation>
    </message>
    <message>
        <source>, hidden</source>
        <translation>, masqué</translation>
    </message>
    <message>
        <source>Unfavorite</source>
        <translation>Retirer des favoris</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Ajouter aux favoris</translation>
    </message>
    <message>
        <source>Unhide</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>hot</source>
        <translation>tendance</translation>
    </message>
    <message>
        <source>Remove from the hot list</source>
        <translation>Retirer des tendances</translation>
    </message>
    <message>
        <source>Add to the hot list</source>
        <translation>Ajouter aux tendances</translation>
    </message>
    <message>
        <source>Deactivate</source>
        <translation>Désactiver</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Activer</translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation>Modifier le prompt</translation>
    </message>
    <message>
        <source>Delete prompt</source>
        <translation>Supprimer le prompt</translation>
    </message>
</context>
<context>
    <name>PromptSelectionView</name>
    <message>
        <source>Search prompts...</source>
        <translation>Rechercher des prompts…</translation>
    </message>
    <message>
        <source>Search prompts</source>
        <translation>Rechercher des prompts</translation>
    </message>
    <message>
        <source>Clear the search</source>
        <translation>Effacer la recherche</translation>
    </message>
    <message>
        <source>Administration</source>
        <translation>Administration</translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation>Exporter la base</translation>
    </message>
    <message>
        <source>Insert Prompt</source>
        <translation>Insérer un prompt</translation>
    </message>
    <message>
        <source>Search hidden prompts</source>
        <translation>Rechercher dans les prompts masqués</translation>
    </message>
    <message>
        <source>Search template text</source>
        <translation>Rechercher dans le texte des modèles</translation>
    </message>
    <message>
        <source>Prompts</source>
        <translation>Prompts</translation>
    </message>
    <message>
        <source>Show in Files</source>
        <translation>Afficher dans Fichiers</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>ADMIN MODE: on</source>
        <translation>MODE ADMIN&#xa0;: activé</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Shortcut letter</source>
        <translation>Lettre du raccourci</translation>
    </message>
    <message>
        <source>Synchronize</source>
        <translation>Synchroniser</translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation>Exporter la base</translation>
    </message>
    <message>
        <source>Reset Database</source>
        <translation>Réinitialiser la base</translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites</source>
        <translation>Réinitialiser utilisation et favoris</translation>
    </message>
    <message>
        <source>Deduplicate Database</source>
        <translation>Supprimer les doublons</translation>
    </message>
    <message>
        <source>Validate Templates</source>
        <translation>Vérifier les modèles</translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation>Suffixes des prompts</translation>
    </message>
    <message>
        <source>The suffix for Text Prompts will be added automatically to each prompt that is made for a chatbot. For example, you can add &apos;Please answer in Markdown&apos; to all text prompts.</source>
        <translation>Le suffixe des prompts texte est ajouté automatiquement à chaque prompt destiné à un chatbot. Vous pouvez par exemple ajouter «&#xa0;Réponds en Markdown&#xa0;» à tous les prompts texte.</translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <translation>Quitter VORN</translation>
    </message>
    <message>
        <source>Reset Database?</source>
        <translation>Réinitialiser la base&#xa0;?</translation>
    </message>
    <message>
        <source>This will delete all prompts, categories, and tags, and restore the default library. A backup will be created in Documents before resetting.</source>
        <translation>Tous les prompts, catégories et étiquettes seront supprimés et la bibliothèque par défaut sera restaurée. Une sauvegarde sera créée dans Documents avant la réinitialisation.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites?</source>
        <translation>Réinitialiser utilisation et favoris&#xa0;?</translation>
    </message>
    <message>
        <source>This will reset usage counts, favorites, &apos;hot&apos; settings, and last used times for ALL prompts and categories.</source>
        <translation>Les compteurs d’utilisation, les favoris, les marques «&#xa0;tendance&#xa0;» et les dates de dernière utilisation de TOUS les prompts et catégories seront réinitialisés.</translation>
    </message>
    <message>
        <source>Reset Stats</source>
        <translation>Réinitialiser les statistiques</translation>
    </message>
    <message>
        <source>Show in Files</source>
        <translation>Afficher dans Fichiers</translation>
    </message>
</context>
<context>
    <name>SettingsViewModel</name>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Automatically start the app when you log in.</source>
        <translation>Lancer l’application automatiquement à l’ouverture de session.</translation>
    </message>
    <message>
        <source>Global Shortcut</source>
        <translation>Raccourci global</translation>
    </message>
    <message>
        <source>Key combination to open the app.</source>
        <translation>Combinaison de touches pour ouvrir l’application.</translation>
    </message>
    <message>
        <source>Force Synchronize Prompts</source>
        <translation>Forcer la synchronisation des prompts</translation>
    </message>
    <message>
        <source>Reloads prompts from the internal library.</source>
        <translation>Recharge les prompts depuis la bibliothèque interne.</translation>
    </message>
    <message>
        <source>Export Database</source>
        <translation>Exporter la base de données</translation>
    </message>
    <message>
        <source>Exports current data to JSON files in Documents.</source>
        <translation>Exporte les données actuelles en fichiers JSON dans Documents.</translation>
    </message>
    <message>
        <source>Danger Zone</source>
        <translation>Zone de danger</translation>
    </message>
    <message>
        <source>Destructive actions.</source>
        <translation>Actions irréversibles.</translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation>Suffixes des prompts</translation>
    </message>
    <message>
        <source>Suffix for %1 Prompts</source>
        <extracomment>Label of a suffix editor; %1 is the tag of the prompts it is added to, e.g. &quot;Text&quot;.</extracomment>
        <translation>Suffixe des prompts %1</translation>
    </message>
    <message>
        <source>Unknown</source>
        <extracomment>Stands for a version or build number the program does not know.</extracomment>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Version %1 (Build %2)</source>
        <translation>Version %1 (build %2)</translation>
    </message>
</context>
<context>
    <name>ShellShortcutService</name>
    <message>
        <source>Your desktop owns this shortcut: change it in its keyboard settings (for example Settings → Keyboard → Shortcuts → VORN).</source>
        <extracomment>Under the shortcut setting when the desktop&apos;s portal binds the shortcut. Name the desktop&apos;s own settings pages as they are called in the language.</extracomment>
        <translation>Ce raccourci est géré par votre bureau&#xa0;: modifiez-le dans ses paramètres du clavier (par exemple Paramètres → Clavier → Raccourcis → VORN).</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message numerus="yes">
        <source>%n changes wait: its clock is more than 48 hours ahead of this device&apos;s</source>
        <translation>
            <numerusform>%n modification en attente&#xa0;: son horloge avance de plus de 48 heures sur celle de cet appareil</numerusform>
            <numerusform>%n modifications en attente&#xa0;: son horloge avance de plus de 48 heures sur celle de cet appareil</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>Impossible d’écrire %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>SyncSection</name>
    <message>
        <source>Sync</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Keep favourites, usage and your own prompts in step with your other computers through a folder that a file-sync tool such as Syncthing keeps in step.</source>
        <translation>Gardez favoris, utilisation et vos propres prompts à jour sur vos autres ordinateurs grâce à un dossier qu’un outil de synchronisation comme Syncthing tient à jour.</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Désactiver</translation>
    </message>
    <message>
        <source>This Device</source>
        <translation>Cet appareil</translation>
    </message>
    <message>
        <source>The name your other devices show for this one.</source>
        <translation>Le nom sous lequel vos autres appareils affichent celui-ci.</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Nom de l’appareil</translation>
    </message>
    <message>
        <source>Other Devices</source>
        <translation>Autres appareils</translation>
    </message>
    <message>
        <source>No other device has written to this folder yet.</source>
        <translation>Aucun autre appareil n’a encore écrit dans ce dossier.</translation>
    </message>
    <message>
        <source>Last change %1</source>
        <translation>Dernière modification %1</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Synchroniser maintenant</translation>
    </message>
    <message>
        <source>Choose the Sync Folder</source>
        <translation>Choisir le dossier de synchronisation</translation>
    </message>
</context>
<context>
    <name>SyncSettingsViewModel</name>
    <message>
        <source>Off</source>
        <translation>Désactivée</translation>
    </message>
    <message>
        <source>No change yet</source>
        <translation>Aucune modification</translation>
    </message>
    <message>
        <source>“%1” is not a folder.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un dossier.</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be written.</source>
        <translation>Impossible d’écrire dans le dossier «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>The library is not open.</source>
        <translation>La bibliothèque n’est pas ouverte.</translation>
    </message>
    <message>
        <source>Syncing through “%1”.</source>
        <translation>Synchronisation via «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Sync is off. This device&apos;s changes are kept and written to the folder when you choose it again.</source>
        <translation>La synchronisation est désactivée. Les modifications de cet appareil sont conservées et écrites dans le dossier dès que vous le choisissez à nouveau.</translation>
    </message>
    <message>
        <source>Choose a folder first.</source>
        <translation>Choisissez d’abord un dossier.</translation>
    </message>
    <message>
        <source>Synced. No other device has written to the folder yet.</source>
        <translation>Synchronisé. Aucun autre appareil n’a encore écrit dans le dossier.</translation>
    </message>
    <message>
        <source>Synced with 1 other device.</source>
        <translation>Synchronisé avec 1 autre appareil.</translation>
    </message>
    <message>
        <source>Synced with %1 other devices.</source>
        <translation>Synchronisé avec %1 autres appareils.</translation>
    </message>
</context>
<context>
    <name>TagView</name>
    <message>
        <source>Remove %1</source>
        <translation>Retirer %1</translation>
    </message>
</context>
<context>
    <name>TemplateForm</name>
    <message>
        <source>%1: Invalid number format (0-9 . , allowed)</source>
        <extracomment>%1 is the field&apos;s label.</extracomment>
        <translation>%1&#xa0;: format de nombre non valide (0-9 . , autorisés)</translation>
    </message>
    <message>
        <source>%1 is missed</source>
        <extracomment>A field left empty; %1 is its label.</extracomment>
        <translation>%1 est manquant</translation>
    </message>
</context>
<context>
    <name>TemplateValidationViewModel</name>
    <message>
        <source>Validating...</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <extracomment>The validation sheet&apos;s summary when there is no library to check.</extracomment>
        <translation>Erreur&#xa0;: %1</translation>
    </message>
    <message>
        <source>The library store is not open.</source>
        <translation>La bibliothèque n’est pas ouverte.</translation>
    </message>
    <message numerus="yes">
        <source>Checked %n templates.</source>
        <extracomment>First half of the validation summary, followed by &quot;All valid!&quot; or &quot;Found %n issues.&quot;</extracomment>
        <translation>
            <numerusform>%n modèle vérifié.</numerusform>
            <numerusform>%n modèles vérifiés.</numerusform>
        </translation>
    </message>
    <message>
        <source>All valid!</source>
        <translation>Tous valides&#xa0;!</translation>
    </message>
    <message numerus="yes">
        <source>Found %n issues.</source>
        <extracomment>Second half of the validation summary.</extracomment>
        <translation>
            <numerusform>%n problème trouvé.</numerusform>
            <numerusform>%n problèmes trouvés.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TemplateValidator</name>
    <message>
        <source>Unbalanced brackets: %1 &apos;{&apos; vs %2 &apos;}&apos;</source>
        <translation>Accolades déséquilibrées&#xa0;: %1 «&#xa0;{&#xa0;» contre %2 «&#xa0;}&#xa0;»</translation>
    </message>
    <message>
        <source>Invalid format in &apos;%1&apos;. Expected &apos;Name: Value&apos;.</source>
        <extracomment>%1 is the placeholder as written; &quot;Name: Value&quot; shows its form and stays as it is.</extracomment>
        <translation>Format non valide dans «&#xa0;%1&#xa0;». Attendu&#xa0;: «&#xa0;Name: Value&#xa0;».</translation>
    </message>
    <message>
        <source>Unknown global variable: &apos;[%1]&apos;</source>
        <translation>Variable globale inconnue&#xa0;: «&#xa0;[%1]&#xa0;»</translation>
    </message>
</context>
<context>
    <name>ValidationSheet</name>
    <message>
        <source>Template Validation</source>
        <translation>Vérification des modèles</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Constats</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>WindowManager</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Account</source>
        <extracomment>Title of the sign-in window.</extracomment>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Avis</translation>
    </message>
    <message>
        <source>VORN Prompt Manager</source>
        <translation>Gestionnaire de prompts VORN</translation>
    </message>
</context>
</TS>
