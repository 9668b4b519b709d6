# fish completion for vorn
set -l groups show quit library prompts template
set -l library_commands sync export import validate dedupe reset-stats reset
set -l prompts_commands list show render favorite hide
set -l template_commands parse render

complete -c vorn -f
complete -c vorn -s h -l help -d 'Show the help'
complete -c vorn -n "not __fish_seen_subcommand_from $groups" -s v -l version -d 'Show the version and build number'
complete -c vorn -n "not __fish_seen_subcommand_from $groups" -l verbose -d 'Also print diagnostics'

complete -c vorn -n "not __fish_seen_subcommand_from $groups" -a show -d 'Show the panel, starting the app if needed'
complete -c vorn -n "not __fish_seen_subcommand_from $groups" -a quit -d 'Ask the running app to end'
complete -c vorn -n "not __fish_seen_subcommand_from $groups" -a library -d 'Maintain the prompt library'
complete -c vorn -n "not __fish_seen_subcommand_from $groups" -a prompts -d 'Work with single prompts'
complete -c vorn -n "not __fish_seen_subcommand_from $groups" -a template -d 'Parse or render a template'

set -l in_library "__fish_seen_subcommand_from library; and not __fish_seen_subcommand_from $library_commands"
complete -c vorn -n $in_library -a sync -d 'Bring the library up to date with the shipped files'
complete -c vorn -n $in_library -a export -d 'Write all prompts to the Documents folder'
complete -c vorn -n $in_library -a import -d 'Add or overwrite prompts from JSON'
complete -c vorn -n $in_library -a validate -d 'Check the placeholder syntax of every template'
complete -c vorn -n $in_library -a dedupe -d 'Remove duplicate prompts and categories'
complete -c vorn -n $in_library -a reset-stats -d 'Clear favourites, hidden marks, usage and hot flags'
complete -c vorn -n $in_library -a reset -d 'Back up, delete and reload the shipped library'
complete -c vorn -n '__fish_seen_subcommand_from library; and __fish_seen_subcommand_from sync' -l force -d 'Synchronise everything'
complete -c vorn -n '__fish_seen_subcommand_from library; and __fish_seen_subcommand_from export' -l prefix -x -d 'Text before prompts.json'
complete -c vorn -n '__fish_seen_subcommand_from library; and __fish_seen_subcommand_from import' -F
complete -c vorn -n '__fish_seen_subcommand_from library; and __fish_seen_subcommand_from reset' -l yes -d 'Confirm the reset'

set -l in_prompts "__fish_seen_subcommand_from prompts; and not __fish_seen_subcommand_from $prompts_commands"
complete -c vorn -n $in_prompts -a list -d 'Prompts matching every term'
complete -c vorn -n $in_prompts -a show -d "A prompt's fields and user state"
complete -c vorn -n $in_prompts -a render -d 'Print the filled-in prompt'
complete -c vorn -n $in_prompts -a favorite -d 'Mark as favourite'
complete -c vorn -n $in_prompts -a hide -d 'Hide from the library'
complete -c vorn -n '__fish_seen_subcommand_from prompts; and __fish_seen_subcommand_from list' -l hidden -d 'Include hidden prompts'
complete -c vorn -n '__fish_seen_subcommand_from prompts; and __fish_seen_subcommand_from list' -l template -d 'Also search the template text'
complete -c vorn -n '__fish_seen_subcommand_from prompts; and __fish_seen_subcommand_from list' -l all -d 'Include inactive prompts'
complete -c vorn -n '__fish_seen_subcommand_from prompts; and __fish_seen_subcommand_from list show' -l json -d 'Print JSON'
complete -c vorn -n '__fish_seen_subcommand_from prompts; and __fish_seen_subcommand_from render' -l set -x -d 'LABEL=VALUE of one field'
complete -c vorn -n '__fish_seen_subcommand_from prompts; and __fish_seen_subcommand_from render' -l copy -d 'Also copy and count a use'
complete -c vorn -n '__fish_seen_subcommand_from prompts; and __fish_seen_subcommand_from favorite hide' -l off -d 'Undo'

set -l in_template "__fish_seen_subcommand_from template; and not __fish_seen_subcommand_from $template_commands"
complete -c vorn -n $in_template -a parse -d 'List the placeholders as JSON'
complete -c vorn -n $in_template -a render -d 'Print the rendered prompt'
complete -c vorn -n '__fish_seen_subcommand_from template; and __fish_seen_subcommand_from parse render' -F
complete -c vorn -n '__fish_seen_subcommand_from template; and __fish_seen_subcommand_from parse render' -l globals -r -F -d 'JSON object of value lists'
complete -c vorn -n '__fish_seen_subcommand_from template; and __fish_seen_subcommand_from render' -l set -x -d 'LABEL=VALUE of one field'
