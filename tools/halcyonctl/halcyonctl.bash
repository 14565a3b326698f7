# bash completion for halcyonctl
_halcyonctl()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local -a words=("${COMP_WORDS[@]:1:COMP_CWORD-1}")
    local line="${words[*]}"
    case "$line" in
        "")             COMPREPLY=($(compgen -W "status profile dpi macro --help" -- "$cur")) ;;
        status)         COMPREPLY=($(compgen -W "--json --help" -- "$cur")) ;;
        profile)        COMPREPLY=($(compgen -W "list switch export import" -- "$cur")) ;;
        "profile list") COMPREPLY=($(compgen -W "--json --help" -- "$cur")) ;;
        "profile switch"|"profile export")
                        COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10" -- "$cur")) ;;
        "profile export "*|"profile import")
                        COMPREPLY=($(compgen -f -- "$cur")) ;;
        "profile import "*)
                        COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10" -- "$cur")) ;;
        dpi)            COMPREPLY=($(compgen -W "stage show" -- "$cur")) ;;
        "dpi stage")    COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8" -- "$cur")) ;;
        macro)          COMPREPLY=($(compgen -W "list export import" -- "$cur")) ;;
        "macro export") local IFS=$'\n'
                        COMPREPLY=($(compgen -W "$(halcyonctl macro list 2>/dev/null | grep -v '/$')" -- "$cur")) ;;
        "macro export "*|"macro import")
                        COMPREPLY=($(compgen -f -- "$cur")) ;;
        *)              COMPREPLY=() ;;
    esac
}
complete -o filenames -F _halcyonctl halcyonctl
