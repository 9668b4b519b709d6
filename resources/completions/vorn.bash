# bash completion for vorn
_vorn()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}

    # Options that take a file.
    case $prev in
        --globals)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
        --prefix|--set)
            return
            ;;
    esac

    local group=${COMP_WORDS[1]} command=${COMP_WORDS[2]}
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W 'show quit library prompts template --help --version --verbose' -- "$cur"))
        return
    fi
    if ((COMP_CWORD == 2)); then
        case $group in
            library) COMPREPLY=($(compgen -W 'sync export import validate dedupe reset-stats reset --help' -- "$cur")) ;;
            prompts) COMPREPLY=($(compgen -W 'list show render favorite hide --help' -- "$cur")) ;;
            template) COMPREPLY=($(compgen -W 'parse render --help' -- "$cur")) ;;
        esac
        return
    fi

    local options=
    case $group/$command in
        library/sync) options='--force' ;;
        library/export) options='--prefix' ;;
        library/import)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
        library/reset) options='--yes' ;;
        prompts/list) options='--hidden --template --all --json' ;;
        prompts/show) options='--json' ;;
        prompts/render) options='--set --copy' ;;
        prompts/favorite|prompts/hide) options='--off' ;;
        template/parse) options='--globals' ;;
        template/render) options='--globals --set' ;;
    esac
    if [[ $group == template && $cur != -* ]]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
}
complete -F _vorn vorn
