# bash completion for orvedit-cli: its commands, each command's options, and
# file names (serial devices after --port). The commands and options are read
# from the program's own --help, so the completion follows the installed
# program.

_orvedit_cli_commands() {
    "$1" --help 2>/dev/null | awk '/^Subcommands:/ {on = 1; next} on && /^  [a-z]/ {print $1} on && /^$/ {exit}'
}

_orvedit_cli_options() {
    "$1" ${2:+"$2"} --help 2>/dev/null | grep -oE '^ +-[^ ]+' | tr ',' '\n' | tr -d ' '
}

_orvedit_cli() {
    local cur prev prog cmd i
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    prog=${COMP_WORDS[0]}

    # The command is the first word after the program that is not an option.
    cmd=
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            -*) ;;
            *) cmd=${COMP_WORDS[i]}; break ;;
        esac
    done

    case $prev in
        --port)
            COMPREPLY=($(compgen -f -- "${cur:-/dev/tty}"))
            return ;;
        -o|--output|-i|--input|--base|--trace|--pdf)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
    esac

    if [ -z "$cmd" ]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$(_orvedit_cli_options "$prog")" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$(_orvedit_cli_commands "$prog")" -- "$cur"))
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_orvedit_cli_options "$prog" "$cmd")" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -o filenames -F _orvedit_cli orvedit-cli
