# bash completion for quillbridge-cli                      -*- shell-script -*-

# Commands and options are read from the program's own help, so that they
# follow whichever version is installed.

_quillbridge_cli_structures='ClassList ACL VirtualPorts System Groups Rights PortToVirtual ExtToVirtual Tones'

# Completes the value of an option or an operand after its placeholder in
# the usage line: FILE.QBF, FILE.VRS, FILE.csv, OUT.pdf, PORT, MEMBER, SITE.
_quillbridge_cli_value()
{
    local placeholder=$1
    case $placeholder in
        *.QBF) _filedir qbf ;;
        *.VRS) _filedir vrs ;;
        *.csv) _filedir csv ;;
        *.pdf) _filedir pdf ;;
        PORT)
            if [[ $cur == */* ]]; then
                _filedir
            else
                local present=() device
                for device in /dev/tty{S[0-3],USB[0-7],ACM[0-3]}; do
                    [[ -e $device ]] && present+=("$device")
                done
                COMPREPLY=($(compgen -W '{1..16} ${present[@]}' -- "$cur"))
            fi
            ;;
        SITE)
            local history=${XDG_DATA_HOME:-$HOME/.local/share}/Quillbridge/history
            COMPREPLY=($(compgen -W '$(command ls "$history" 2>/dev/null)' -- "$cur"))
            ;;
        MEMBER | STRUCTURE) COMPREPLY=($(compgen -W "$_quillbridge_cli_structures" -- "$cur")) ;;
    esac
}

_quillbridge_cli()
{
    local cur prev words cword
    _init_completion || return

    local i command=
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != --verbose ]]; then
            command=${words[i]}
            break
        fi
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
        else
            COMPREPLY=($(compgen -W '$("$1" --help 2>/dev/null | sed -n "s/^  \([a-z][a-z-]*\) .*/\1/p")' -- "$cur"))
        fi
        return
    fi
    [[ $command == -* ]] && return

    # "usage: quillbridge-cli dump [--json] FILE.QBF": a bracketed option
    # alone is a flag; any other option takes the word after it as its value.
    local -a tokens
    read -r -a tokens <<<"$("$1" "$command" --help 2>/dev/null | head -n 1)"
    tokens=("${tokens[@]:3}")

    local -a options=() operands=()
    local token takes_value=
    for ((i = 0; i < ${#tokens[@]}; i++)); do
        token=${tokens[i]}
        if [[ $token == \[-*\] ]]; then
            options+=("${token:1:-1}")
        elif [[ $token == -* || $token == \[-* ]]; then
            token=${token#[}
            options+=("$token")
            ((i++))
            [[ $token == "$prev" ]] && takes_value=${tokens[i]%]}
        else
            token=${token#[}
            operands+=("${token%]}")
        fi
    done

    if [[ $takes_value ]]; then
        _quillbridge_cli_value "$takes_value"
    elif [[ $cur == -* || ${#operands[@]} -eq 0 ]]; then
        COMPREPLY=($(compgen -W '${options[@]} --help' -- "$cur"))
    else
        _quillbridge_cli_value "${operands[0]}"
    fi
} &&
    complete -F _quillbridge_cli quillbridge-cli

# ex: filetype=sh
