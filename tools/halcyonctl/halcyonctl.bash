# bash completion for halcyonctl
_halcyonctl()
{
    local cur prev words cword
    _init_completion || return
    # The words typed so far after the tool's name, as the shell split them
    # (a quoted file name with blanks is one word).
    local command=${words[1]-} sub=${words[2]-} position=$cword
    case "$position:$command:$sub" in
        1:*)                COMPREPLY=($(compgen -W "status profile dpi macro rule auto --help" -- "$cur")) ;;
        2:status:*)         COMPREPLY=($(compgen -W "--json --help" -- "$cur")) ;;
        2:profile:*)        COMPREPLY=($(compgen -W "list switch export import" -- "$cur")) ;;
        3:profile:list)     COMPREPLY=($(compgen -W "--json --help" -- "$cur")) ;;
        3:profile:switch|3:profile:export|4:profile:import)
                            COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10" -- "$cur")) ;;
        4:profile:export|3:profile:import|4:macro:export|3:macro:import)
                            _filedir ;;
        2:dpi:*)            COMPREPLY=($(compgen -W "stage show" -- "$cur")) ;;
        3:dpi:stage)        COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8" -- "$cur")) ;;
        2:macro:*)          COMPREPLY=($(compgen -W "list export import" -- "$cur")) ;;
        3:macro:export)
            # Macro names, one a line, may hold blanks; folders end in "/".
            local name typed IFS=$'\n'
            typed=$(dequote "$cur")
            for name in $(halcyonctl macro list 2>/dev/null); do
                [[ $name == */ || $name != "$typed"* ]] || COMPREPLY+=("$(printf '%q' "$name")")
            done ;;
        2:rule:*)           COMPREPLY=($(compgen -W "list add remove" -- "$cur")) ;;
        3:rule:list)        COMPREPLY=($(compgen -W "--json --help" -- "$cur")) ;;
        3:rule:add)         COMPREPLY=($(compgen -c -- "$cur" | sort -u)) ;;
        4:rule:add)         COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10 --class" -- "$cur")) ;;
        5:rule:add|4:rule:remove)
                            COMPREPLY=($(compgen -W "--class" -- "$cur")) ;;
        3:rule:remove)
            # The programs of the rules: the rest of each rule line after
            # its match column; names may hold blanks.
            local name typed IFS=$'\n'
            typed=$(dequote "$cur")
            for name in $(halcyonctl rule list 2>/dev/null | sed -n 's/^  .*  \(executable\|class     \)  //p'); do
                [[ $name != "$typed"* ]] || COMPREPLY+=("$(printf '%q' "$name")")
            done ;;
        2:auto:*)           COMPREPLY=($(compgen -W "on off --help" -- "$cur")) ;;
        *)                  COMPREPLY=() ;;
    esac
}
complete -F _halcyonctl halcyonctl
