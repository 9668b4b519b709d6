<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>AccountView</name>
    <message>
        <source>Sign In</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message>
        <source>Sign in to sync your prompts across all your devices.</source>
        <translation>Inicie sesión para sincronizar sus prompts en todos sus dispositivos.</translation>
    </message>
    <message>
        <source>Note: VORN uses your account safely to sync database changes.</source>
        <translation>Nota: VORN usa su cuenta de forma segura para sincronizar los cambios de la base de datos.</translation>
    </message>
    <message>
        <source>Info: Login is not yet available on this device.</source>
        <translation>Información: el inicio de sesión aún no está disponible en este dispositivo.</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Sincronización</translation>
    </message>
</context>
<context>
    <name>AccountViewModel</name>
    <message>
        <source>There is no account to sign in to on this computer. Your library syncs through a shared folder that a file-sync tool such as Syncthing keeps in step: choose it in Settings &gt; Sync.</source>
        <translation>En este ordenador no hay ninguna cuenta en la que iniciar sesión. Su biblioteca se sincroniza a través de una carpeta compartida que una herramienta como Syncthing mantiene al día: elíjala en Configuración &gt; Sincronización.</translation>
    </message>
</context>
<context>
    <name>AdminFullPromptEditorView</name>
    <message>
        <source>Edit Prompt</source>
        <translation>Editar prompt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Prompt Title</source>
        <translation>Título del prompt</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Plantilla</translation>
    </message>
    <message>
        <source>Available Variables</source>
        <translation>Variables disponibles</translation>
    </message>
    <message>
        <source>Tap a value to copy to clipboard</source>
        <translation>Haga clic en un valor para copiarlo al portapapeles</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Copiado al portapapeles</translation>
    </message>
</context>
<context>
    <name>AdminInsertPromptView</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Insert Prompt JSON</source>
        <translation>Insertar JSON de prompts</translation>
    </message>
    <message>
        <source>Save Prompts</source>
        <translation>Guardar prompts</translation>
    </message>
    <message>
        <source>Prompt JSON</source>
        <translation>JSON de prompts</translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorView</name>
    <message>
        <source>Remove %1</source>
        <translation>Quitar %1</translation>
    </message>
    <message>
        <source>Add a category</source>
        <translation>Añadir una categoría</translation>
    </message>
    <message>
        <source>Add a tag</source>
        <translation>Añadir una etiqueta</translation>
    </message>
</context>
<context>
    <name>AdminPromptEditorViewModel</name>
    <message>
        <source>No categories available</source>
        <translation>No hay categorías disponibles</translation>
    </message>
    <message>
        <source>No tags available</source>
        <translation>No hay etiquetas disponibles</translation>
    </message>
</context>
<context>
    <name>AppActions</name>
    <message>
        <source>VORN Prompt Manager...</source>
        <translation>Gestor de prompts VORN…</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Configuración…</translation>
    </message>
    <message>
        <source>Feedback...</source>
        <translation>Enviar comentarios…</translation>
    </message>
    <message>
        <source>Login...</source>
        <translation>Iniciar sesión…</translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <translation>Salir de VORN</translation>
    </message>
</context>
<context>
    <name>CategorySectionView</name>
    <message>
        <source>Hide Category</source>
        <translation>Ocultar categoría</translation>
    </message>
</context>
<context>
    <name>ChoiceComboBox</name>
    <message>
        <source>Type or select...</source>
        <translation>Escriba o seleccione…</translation>
    </message>
    <message>
        <source>Choose %1</source>
        <translation>Elegir %1</translation>
    </message>
</context>
<context>
    <name>ConfirmationAlert</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>DataController</name>
    <message>
        <source>%1 Nothing was changed; VORN shows an empty library until it is restarted with the problem fixed.</source>
        <extracomment>The library&apos;s status line; %1 is why the library cannot be opened.</extracomment>
        <translation>%1 No se ha cambiado nada; VORN muestra una biblioteca vacía hasta que se reinicie con el problema resuelto.</translation>
    </message>
    <message>
        <source>The library could not be opened even after a reset: %1</source>
        <translation>No se pudo abrir la biblioteca ni siquiera tras restablecerla: %1</translation>
    </message>
    <message>
        <source>The library could not be read (%1) and was moved to %2. VORN started a new library with the shipped prompts.</source>
        <translation>No se pudo leer la biblioteca (%1) y se movió a %2. VORN ha creado una biblioteca nueva con los prompts incluidos.</translation>
    </message>
</context>
<context>
    <name>DatePickerField</name>
    <message>
        <source>Previous month</source>
        <translation>Mes anterior</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mes siguiente</translation>
    </message>
</context>
<context>
    <name>DeleteConfirmation</name>
    <message>
        <source>Delete Prompt?</source>
        <translation>¿Eliminar el prompt?</translation>
    </message>
    <message>
        <source>Delete &apos;%1&apos;?</source>
        <translation>¿Eliminar «%1»?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
</context>
<context>
    <name>ExportNotice</name>
    <message>
        <source>Export failed: %1</source>
        <translation>Error al exportar: %1</translation>
    </message>
    <message>
        <source>the library is not open</source>
        <translation>la biblioteca no está abierta</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportado a %1</translation>
    </message>
</context>
<context>
    <name>FeedbackView</name>
    <message>
        <source>Multiple new handcrafted Prompt templates per week</source>
        <translation>Varias plantillas de prompts nuevas y artesanales cada semana</translation>
    </message>
    <message>
        <source>Editing and adding new prompts</source>
        <translation>Editar y añadir prompts nuevos</translation>
    </message>
    <message>
        <source>Up- and Down-voting</source>
        <translation>Votos a favor y en contra</translation>
    </message>
    <message>
        <source>Sharing Prompts with friends</source>
        <translation>Compartir prompts con amigos</translation>
    </message>
    <message>
        <source>Previews for each prompt</source>
        <translation>Vistas previas de cada prompt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Welcome &amp; Feedback</source>
        <translation>Bienvenida y comentarios</translation>
    </message>
    <message>
        <source>Coming Soon</source>
        <translation>Próximamente</translation>
    </message>
    <message>
        <source>We are working hard to make VORN even better.</source>
        <translation>Trabajamos a fondo para que VORN sea aún mejor.</translation>
    </message>
    <message>
        <source>We value your feedback</source>
        <translation>Sus comentarios nos importan</translation>
    </message>
    <message>
        <source>Topic</source>
        <translation>Tema</translation>
    </message>
    <message>
        <source>Category (e.g. Coding, Writing)</source>
        <translation>Categoría (p. ej., Programación, Escritura)</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Send Feedback via Email</source>
        <translation>Enviar comentarios por correo</translation>
    </message>
    <message>
        <source>Show this window on start</source>
        <translation>Mostrar esta ventana al iniciar</translation>
    </message>
</context>
<context>
    <name>FeedbackViewModel</name>
    <message>
        <source>Add more prompts for...</source>
        <translation>Más prompts para…</translation>
    </message>
    <message>
        <source>Add a missing category</source>
        <translation>Proponer una categoría que falta</translation>
    </message>
    <message>
        <source>Add a missing feature</source>
        <translation>Proponer una función que falta</translation>
    </message>
    <message>
        <source>No mail program could be started. Please write to %1.</source>
        <translation>No se pudo abrir ningún programa de correo. Escriba a %1.</translation>
    </message>
</context>
<context>
    <name>FormFieldModel</name>
    <message>
        <source>Reset sorting</source>
        <extracomment>Tooltip of the button that sorts a choice&apos;s options.</extracomment>
        <translation>Restablecer el orden</translation>
    </message>
    <message>
        <source>Sort alphabetically</source>
        <translation>Ordenar alfabéticamente</translation>
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
        <translation>Instrucciones</translation>
    </message>
    <message>
        <source>Fill in the fields below to generate your prompt.</source>
        <translation>Rellene los campos de abajo para generar su prompt.</translation>
    </message>
    <message>
        <source>Validation Errors:</source>
        <translation>Errores de validación:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Copy to the Clipboard</source>
        <translation>Copiar al portapapeles</translation>
    </message>
</context>
<context>
    <name>FormGeneratorViewModel</name>
    <message>
        <source>&lt;missing&gt;</source>
        <extracomment>Stands in the preview for a field not filled in yet.</extracomment>
        <translation>&lt;falta&gt;</translation>
    </message>
</context>
<context>
    <name>HiddenCategoryButton</name>
    <message>
        <source>Unhide %1</source>
        <translation>Mostrar %1</translation>
    </message>
</context>
<context>
    <name>ImagePreviewView</name>
    <message>
        <source>Prompt Preview</source>
        <translation>Vista previa del prompt</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Cargando</translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation>No se pudo cargar la imagen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>LibraryStatusBanner</name>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
</context>
<context>
    <name>LibraryStatusViewModel</name>
    <message>
        <source>Changes not saved: %1. VORN keeps trying.</source>
        <extracomment>The library&apos;s status line; %1 is the system&apos;s reason, e.g. &quot;No space left on device&quot;.</extracomment>
        <translation>Cambios sin guardar: %1. VORN lo sigue intentando.</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Cerrar la ventana</translation>
    </message>
</context>
<context>
    <name>ModelContext</name>
    <message>
        <source>The library %1 cannot be opened: %2</source>
        <translation>No se puede abrir la biblioteca %1: %2</translation>
    </message>
    <message>
        <source>The library %1 is in use by another VORN process (pid %2).</source>
        <translation>Otro proceso de VORN está usando la biblioteca %1 (PID %2).</translation>
    </message>
    <message>
        <source>The library %1 was written by a newer VORN (schema %2).</source>
        <translation>La biblioteca %1 la escribió una versión más reciente de VORN (esquema %2).</translation>
    </message>
</context>
<context>
    <name>NoticeBanner</name>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
</context>
<context>
    <name>PortalHotKeyBackend</name>
    <message>
        <source>Show VORN</source>
        <extracomment>The shortcut&apos;s name in the desktop&apos;s keyboard settings.</extracomment>
        <translation>Mostrar VORN</translation>
    </message>
</context>
<context>
    <name>ProcessLock</name>
    <message>
        <source>The lock file %1 is not a regular file; remove it: rm %2</source>
        <translation>El archivo de bloqueo %1 no es un archivo normal; elimínelo: rm %2</translation>
    </message>
    <message>
        <source>The lock file %1 belongs to user %2%3. Quit VORN running as %2, or if none runs, remove the file: rm %4</source>
        <extracomment>%3 is empty or &quot; (process 1234)&quot;.</extracomment>
        <translation>El archivo de bloqueo %1 pertenece al usuario %2%3. Salga del VORN que se ejecuta como %2 o, si no hay ninguno, elimine el archivo: rm %4</translation>
    </message>
    <message>
        <source> (process %1)</source>
        <translation> (proceso %1)</translation>
    </message>
    <message>
        <source>Cannot create the lock file %1: %2</source>
        <translation>No se puede crear el archivo de bloqueo %1: %2</translation>
    </message>
    <message>
        <source>Cannot lock %1: %2</source>
        <translation>No se puede bloquear %1: %2</translation>
    </message>
    <message>
        <source>Cannot take the lock file %1: it keeps changing</source>
        <translation>No se puede tomar el archivo de bloqueo %1: cambia continuamente</translation>
    </message>
</context>
<context>
    <name>PromptBrowserViewModel</name>
    <message>
        <source>More...</source>
        <extracomment>The last row of a shortened section; opens the whole section.</extracomment>
        <translation>Más…</translation>
    </message>
    <message>
        <source>Favorites &amp; Often Used</source>
        <translation>Favoritos y más usados</translation>
    </message>
    <message>
        <source>Last Used</source>
        <translation>Usados recientemente</translation>
    </message>
    <message>
        <source>New</source>
        <extracomment>Section of the prompts added with the last library update.</extracomment>
        <translation>Nuevos</translation>
    </message>
    <message>
        <source>Updated</source>
        <extracomment>Section of the prompts changed by the last library update.</extracomment>
        <translation>Actualizados</translation>
    </message>
    <message>
        <source>Library</source>
        <extracomment>The caption above the categories of the prompt library.</extracomment>
        <translation>Biblioteca</translation>
    </message>
    <message>
        <source>Hidden Categories</source>
        <translation>Categorías ocultas</translation>
    </message>
    <message>
        <source>Hidden Prompts</source>
        <translation>Prompts ocultos</translation>
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
            <numerusform>%n prompt coincide</numerusform>
            <numerusform>%n prompts coinciden</numerusform>
        </translation>
    </message>
    <message>
        <source>No matching prompts found.</source>
        <translation>No se encontraron prompts que coincidan.</translation>
    </message>
    <message>
        <source>Turn on &quot;Search template text&quot; to look inside the templates too.</source>
        <translation>Active «Buscar en el texto de las plantillas» para buscar también dentro de las plantillas.</translation>
    </message>
    <message>
        <source>Close matches</source>
        <translation>Coincidencias cercanas</translation>
    </message>
    <message>
        <source>Closest titles</source>
        <translation>Títulos más parecidos</translation>
    </message>
</context>
<context>
    <name>PromptCollapsibleSection</name>
    <message>
        <source>, expanded</source>
        <translation>, expandido</translation>
    </message>
    <message>
        <source>, collapsed</source>
        <translation>, contraído</translation>
    </message>
</context>
<context>
    <name>PromptDetailView</name>
    <message>
        <source>Back to Library</source>
        <translation>Volver a la biblioteca</translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation>Editar el prompt</translation>
    </message>
    <message>
        <source>Copy the whole prompt to the clipboard</source>
        <translation>Copiar el prompt completo al portapapeles</translation>
    </message>
    <message>
        <source>Show prompt preview</source>
        <translation>Mostrar la vista previa del prompt</translation>
    </message>
    <message>
        <source>Add category</source>
        <translation>Añadir categoría</translation>
    </message>
    <message>
        <source>Add tag</source>
        <translation>Añadir etiqueta</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Copiado al portapapeles</translation>
    </message>
</context>
<context>
    <name>PromptDetailViewModel</name>
    <message>
        <source>Updated: %1</source>
        <extracomment>When the prompt last changed; %1 is the date and time in the user&apos;s format.</extracomment>
        <translation>Actualizado: %1</translation>
    </message>
    <message>
        <source>Uses: %1</source>
        <extracomment>How often the prompt was used.</extracomment>
        <translation>Usos: %1</translation>
    </message>
    <message>
        <source>Unmark as favorite</source>
        <translation>Quitar de favoritos</translation>
    </message>
    <message>
        <source>Mark as favorite</source>
        <translation>Añadir a favoritos</translation>
    </message>
    <message>
        <source>Show prompt in list</source>
        <translation>Mostrar el prompt en la lista</translation>
    </message>
    <message>
        <source>Hide the Prompt from the list</source>
        <translation>Ocultar el prompt de la lista</translation>
    </message>
</context>
<context>
    <name>PromptImporter</name>
    <message>
        <source>Error in item %1 (&apos;%2&apos;): %3</source>
        <extracomment>%1 counts the pasted items from 1, %2 is the item&apos;s title, %3 what is wrong with it.</extracomment>
        <translation>Error en el elemento %1 («%2»): %3</translation>
    </message>
    <message>
        <source>Invalid text encoding.</source>
        <translation>Codificación de texto no válida.</translation>
    </message>
    <message>
        <source>The pasted text is larger than 20 MB.</source>
        <translation>El texto pegado supera los 20 MB.</translation>
    </message>
    <message>
        <source>JSON Error: Not a valid Prompt or List of Prompts.</source>
        <translation>Error de JSON: no es un prompt ni una lista de prompts válidos.</translation>
    </message>
    <message>
        <source>No prompts found to import.</source>
        <translation>No se encontraron prompts para importar.</translation>
    </message>
    <message>
        <source>Unknown Categories: %1</source>
        <translation>Categorías desconocidas: %1</translation>
    </message>
    <message>
        <source>Mismatched curly braces {{ }}.</source>
        <translation>Las llaves {{ }} no están emparejadas.</translation>
    </message>
    <message>
        <source>Save Error: %1</source>
        <translation>Error al guardar: %1</translation>
    </message>
    <message numerus="yes">
        <source>Processed %n items:</source>
        <extracomment>The import&apos;s result: the items pasted, then how many were new and how many changed.</extracomment>
        <translation>
            <numerusform>%n elemento procesado:</numerusform>
            <numerusform>%n elementos procesados:</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 inserted, %2 updated.</source>
        <translation>nuevos: %1, actualizados: %2.</translation>
    </message>
</context>
<context>
    <name>PromptRow</name>
    <message>
        <source>, favorite</source>
        <translation>, favorito</translation>
    </message>
    <message>
        <source>, hidden</source>
        <translation>, oculto</translation>
    </message>
    <message>
        <source>Unfavorite</source>
        <translation>Quitar de favoritos</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Añadir a favoritos</translation>
    </message>
    <message>
        <source>Unhide</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ocultar</translation>
    </message>
    <message>
        <source>hot</source>
        <translation>destacado</translation>
    </message>
    <message>
        <source>Remove from the hot list</source>
        <translation>Quitar de destacados</translation>
    </message>
    <message>
        <source>Add to the hot list</source>
        <translation>Añadir a destacados</translation>
    </message>
    <message>
        <source>Deactivate</source>
        <translation>Desactivar</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Activar</translation>
    </message>
    <message>
        <source>Edit prompt</source>
        <translation>Editar el prompt</translation>
    </message>
    <message>
        <source>Delete prompt</source>
        <translation>Eliminar el prompt</translation>
    </message>
</context>
<context>
    <name>PromptSelectionView</name>
    <message>
        <source>Search prompts...</source>
        <translation>Buscar prompts…</translation>
    </message>
    <message>
        <source>Search prompts</source>
        <translation>Buscar prompts</translation>
    </message>
    <message>
        <source>Clear the search</source>
        <translation>Borrar la búsqueda</translation>
    </message>
    <message>
        <source>Administration</source>
        <translation>Administración</translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation>Exportar BD</translation>
    </message>
    <message>
        <source>Insert Prompt</source>
        <translation>Insertar prompt</translation>
    </message>
    <message>
        <source>Search hidden prompts</source>
        <translation>Buscar en los prompts ocultos</translation>
    </message>
    <message>
        <source>Search template text</source>
        <translation>Buscar en el texto de las plantillas</translation>
    </message>
    <message>
        <source>Prompts</source>
        <translation>Prompts</translation>
    </message>
    <message>
        <source>Show in Files</source>
        <translation>Mostrar en Archivos</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>ADMIN MODE: on</source>
        <translation>MODO ADMIN: activado</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Shortcut letter</source>
        <translation>Letra del atajo</translation>
    </message>
    <message>
        <source>Synchronize</source>
        <translation>Sincronizar</translation>
    </message>
    <message>
        <source>Export DB</source>
        <translation>Exportar BD</translation>
    </message>
    <message>
        <source>Reset Database</source>
        <translation>Restablecer la base de datos</translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites</source>
        <translation>Restablecer uso y favoritos</translation>
    </message>
    <message>
        <source>Deduplicate Database</source>
        <translation>Eliminar duplicados</translation>
    </message>
    <message>
        <source>Validate Templates</source>
        <translation>Validar plantillas</translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation>Sufijos de los prompts</translation>
    </message>
    <message>
        <source>The suffix for Text Prompts will be added automatically to each prompt that is made for a chatbot. For example, you can add &apos;Please answer in Markdown&apos; to all text prompts.</source>
        <translation>El sufijo de los prompts de texto se añade automáticamente a cada prompt pensado para un chatbot. Por ejemplo, puede añadir «Responde en Markdown» a todos los prompts de texto.</translation>
    </message>
    <message>
        <source>Quit VORN</source>
        <translation>Salir de VORN</translation>
    </message>
    <message>
        <source>Reset Database?</source>
        <translation>¿Restablecer la base de datos?</translation>
    </message>
    <message>
        <source>This will delete all prompts, categories, and tags, and restore the default library. A backup will be created in Documents before resetting.</source>
        <translation>Se eliminarán todos los prompts, categorías y etiquetas, y se restaurará la biblioteca predeterminada. Antes se creará una copia de seguridad en Documentos.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Reset Usage &amp; Favorites?</source>
        <translation>¿Restablecer uso y favoritos?</translation>
    </message>
    <message>
        <source>This will reset usage counts, favorites, &apos;hot&apos; settings, and last used times for ALL prompts and categories.</source>
        <translation>Se restablecerán los contadores de uso, los favoritos, las marcas de «destacado» y las fechas de último uso de TODOS los prompts y categorías.</translation>
    </message>
    <message>
        <source>Reset Stats</source>
        <translation>Restablecer estadísticas</translation>
    </message>
    <message>
        <source>Show in Files</source>
        <translation>Mostrar en Archivos</translation>
    </message>
</context>
<context>
    <name>SettingsViewModel</name>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Automatically start the app when you log in.</source>
        <translation>Abrir la aplicación automáticamente al iniciar sesión.</translation>
    </message>
    <message>
        <source>Global Shortcut</source>
        <translation>Atajo global</translation>
    </message>
    <message>
        <source>Key combination to open the app.</source>
        <translation>Combinación de teclas para abrir la aplicación.</translation>
    </message>
    <message>
        <source>Force Synchronize Prompts</source>
        <translation>Forzar la sincronización de prompts</translation>
    </message>
    <message>
        <source>Reloads prompts from the internal library.</source>
        <translation>Vuelve a cargar los prompts de la biblioteca interna.</translation>
    </message>
    <message>
        <source>Export Database</source>
        <translation>Exportar la base de datos</translation>
    </message>
    <message>
        <source>Exports current data to JSON files in Documents.</source>
        <translation>Exporta los datos actuales a archivos JSON en Documentos.</translation>
    </message>
    <message>
        <source>Danger Zone</source>
        <translation>Zona de peligro</translation>
    </message>
    <message>
        <source>Destructive actions.</source>
        <translation>Acciones irreversibles.</translation>
    </message>
    <message>
        <source>Prompt Suffixes</source>
        <translation>Sufijos de los prompts</translation>
    </message>
    <message>
        <source>Suffix for %1 Prompts</source>
        <extracomment>Label of a suffix editor; %1 is the tag of the prompts it is added to, e.g. &quot;Text&quot;.</extracomment>
        <translation>Sufijo de los prompts de %1</translation>
    </message>
    <message>
        <source>Unknown</source>
        <extracomment>Stands for a version or build number the program does not know.</extracomment>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>Version %1 (Build %2)</source>
        <translation>Versión %1 (compilación %2)</translation>
    </message>
</context>
<context>
    <name>ShellShortcutService</name>
    <message>
        <source>Your desktop owns this shortcut: change it in its keyboard settings (for example Settings → Keyboard → Shortcuts → VORN).</source>
        <extracomment>Under the shortcut setting when the desktop&apos;s portal binds the shortcut. Name the desktop&apos;s own settings pages as they are called in the language.</extracomment>
        <translation>Este atajo lo gestiona su escritorio: cámbielo en su configuración del teclado (por ejemplo, Configuración → Teclado → Atajos → VORN).</translation>
    </message>
</context>
<context>
    <name>SyncEngine</name>
    <message numerus="yes">
        <source>%n changes wait: its clock is more than 48 hours ahead of this device&apos;s</source>
        <translation>
            <numerusform>%n cambio en espera: su reloj va más de 48 horas por delante del de este dispositivo</numerusform>
            <numerusform>%n cambios en espera: su reloj va más de 48 horas por delante del de este dispositivo</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
</context>
<context>
    <name>SyncSection</name>
    <message>
        <source>Sync</source>
        <translation>Sincronización</translation>
    </message>
    <message>
        <source>Keep favourites, usage and your own prompts in step with your other computers through a folder that a file-sync tool such as Syncthing keeps in step.</source>
        <translation>Mantenga favoritos, uso y sus propios prompts al día con sus otros ordenadores mediante una carpeta que una herramienta como Syncthing sincroniza.</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Desactivar</translation>
    </message>
    <message>
        <source>This Device</source>
        <translation>Este dispositivo</translation>
    </message>
    <message>
        <source>The name your other devices show for this one.</source>
        <translation>El nombre con el que sus otros dispositivos muestran este.</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Nombre del dispositivo</translation>
    </message>
    <message>
        <source>Other Devices</source>
        <translation>Otros dispositivos</translation>
    </message>
    <message>
        <source>No other device has written to this folder yet.</source>
        <translation>Ningún otro dispositivo ha escrito todavía en esta carpeta.</translation>
    </message>
    <message>
        <source>Last change %1</source>
        <translation>Último cambio %1</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Sincronizar ahora</translation>
    </message>
    <message>
        <source>Choose the Sync Folder</source>
        <translation>Elegir la carpeta de sincronización</translation>
    </message>
</context>
<context>
    <name>SyncSettingsViewModel</name>
    <message>
        <source>Off</source>
        <translation>Desactivada</translation>
    </message>
    <message>
        <source>No change yet</source>
        <translation>Ningún cambio todavía</translation>
    </message>
    <message>
        <source>“%1” is not a folder.</source>
        <translation>«%1» no es una carpeta.</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be written.</source>
        <translation>No se puede escribir en la carpeta «%1».</translation>
    </message>
    <message>
        <source>The library is not open.</source>
        <translation>La biblioteca no está abierta.</translation>
    </message>
    <message>
        <source>Syncing through “%1”.</source>
        <translation>Sincronizando a través de «%1».</translation>
    </message>
    <message>
        <source>Sync is off. This device&apos;s changes are kept and written to the folder when you choose it again.</source>
        <translation>La sincronización está desactivada. Los cambios de este dispositivo se conservan y se escriben en la carpeta cuando vuelva a elegirla.</translation>
    </message>
    <message>
        <source>Choose a folder first.</source>
        <translation>Elija primero una carpeta.</translation>
    </message>
    <message>
        <source>Synced. No other device has written to the folder yet.</source>
        <translation>Sincronizado. Ningún otro dispositivo ha escrito todavía en la carpeta.</translation>
    </message>
    <message>
        <source>Synced with 1 other device.</source>
        <translation>Sincronizado con 1 dispositivo más.</translation>
    </message>
    <message>
        <source>Synced with %1 other devices.</source>
        <translation>Sincronizado con %1 dispositivos más.</translation>
    </message>
</context>
<context>
    <name>TagView</name>
    <message>
        <source>Remove %1</source>
        <translation>Quitar %1</translation>
    </message>
</context>
<context>
    <name>TemplateForm</name>
    <message>
        <source>%1: Invalid number format (0-9 . , allowed)</source>
        <extracomment>%1 is the field&apos;s label.</extracomment>
        <translation>%1: formato de número no válido (se admiten 0-9 . ,)</translation>
    </message>
    <message>
        <source>%1 is missed</source>
        <extracomment>A field left empty; %1 is its label.</extracomment>
        <translation>Falta %1</translation>
    </message>
</context>
<context>
    <name>TemplateValidationViewModel</name>
    <message>
        <source>Validating...</source>
        <translation>Validando…</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <extracomment>The validation sheet&apos;s summary when there is no library to check.</extracomment>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>The library store is not open.</source>
        <translation>La biblioteca no está abierta.</translation>
    </message>
    <message numerus="yes">
        <source>Checked %n templates.</source>
        <extracomment>First half of the validation summary, followed by &quot;All valid!&quot; or &quot;Found %n issues.&quot;</extracomment>
        <translation>
            <numerusform>%n plantilla revisada.</numerusform>
            <numerusform>%n plantillas revisadas.</numerusform>
        </translation>
    </message>
    <message>
        <source>All valid!</source>
        <translation>¡Todas son válidas!</translation>
    </message>
    <message numerus="yes">
        <source>Found %n issues.</source>
        <extracomment>Second half of the validation summary.</extracomment>
        <translation>
            <numerusform>%n problema encontrado.</numerusform>
            <numerusform>%n problemas encontrados.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TemplateValidator</name>
    <message>
        <source>Unbalanced brackets: %1 &apos;{&apos; vs %2 &apos;}&apos;</source>
        <translation>Llaves desequilibradas: %1 «{» frente a %2 «}»</translation>
    </message>
    <message>
        <source>Invalid format in &apos;%1&apos;. Expected &apos;Name: Value&apos;.</source>
        <extracomment>%1 is the placeholder as written; &quot;Name: Value&quot; shows its form and stays as it is.</extracomment>
        <translation>Formato no válido en «%1». Se esperaba «Name: Value».</translation>
    </message>
    <message>
        <source>Unknown global variable: &apos;[%1]&apos;</source>
        <translation>Variable global desconocida: «[%1]»</translation>
    </message>
</context>
<context>
    <name>ValidationSheet</name>
    <message>
        <source>Template Validation</source>
        <translation>Validación de plantillas</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Hallazgos</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>WindowManager</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Account</source>
        <extracomment>Title of the sign-in window.</extracomment>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>Feedback</source>
        <translation>Comentarios</translation>
    </message>
    <message>
        <source>VORN Prompt Manager</source>
        <translation>Gestor de prompts VORN</translation>
    </message>
</context>
</TS>
